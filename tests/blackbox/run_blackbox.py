#!/usr/bin/env python3
"""Runs the black-box tests of the built client under Wine on the X display
named by DISPLAY (tools/test.sh starts Xvfb and a wineserver for it)."""
import argparse
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))

import harness  # noqa: E402


class Context:
    """What every test reaches: the programs, the probe and the traces."""

    def __init__(self, args):
        self.client = args.client
        self.brand_client = args.brand_client
        self.brand_config = args.brand_config
        self.update_program = args.update_program
        self.work = args.work
        self.probe = harness.Probe(args.probe)
        self.traces = harness.Traces(self.probe)

    def close(self):
        self.traces.restore()
        self.probe.close()


def main():
    parser = argparse.ArgumentParser()
    for name in ("--client", "--brand-client", "--brand-config", "--probe", "--update-program", "--work"):
        parser.add_argument(name, required=True)
    parser.add_argument("pattern", nargs="*", help="run only tests whose id contains one of these")
    args = parser.parse_args()
    for name in ("DISPLAY", "WINEPREFIX"):
        if not os.environ.get(name):
            sys.exit(f"{name} is not set: run the tests through tools/test.sh")
    os.makedirs(args.work, exist_ok=True)

    context = Context(args)
    harness.context = context
    try:
        context.traces.without_window_manager()
        suite = unittest.defaultTestLoader.discover(HERE, pattern="test_*.py", top_level_dir=HERE)
        if args.pattern:
            suite = unittest.TestSuite(t for t in iterate(suite) if any(p in t.id() for p in args.pattern))
        result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    finally:
        context.close()
    failed = len(result.failures) + len(result.errors) + len(result.unexpectedSuccesses)
    passed = result.testsRun - failed - len(result.skipped) - len(result.expectedFailures)
    print(f"{passed} passed, {failed} failed, {len(result.skipped)} skipped")
    sys.exit(0 if result.wasSuccessful() else 1)


def iterate(suite):
    for test in suite:
        if isinstance(test, unittest.TestSuite):
            yield from iterate(test)
        else:
            yield test


if __name__ == "__main__":
    main()
