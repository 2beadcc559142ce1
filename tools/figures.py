#!/usr/bin/env python3
"""Prints performance figures of the built client under Wine: the time from
process start to the launcher's first render, the working set after start,
the size of Client.exe, the CPU time used while idle, and the launcher's
render time from the render benchmark. Run through tools/figures.sh, which
provides the display and the wineserver."""
import argparse
import os
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "blackbox"))

import harness  # noqa: E402

TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")


class Context:
    def __init__(self, build, probe):
        self.work = os.path.join(build, "figures-runs")
        os.makedirs(self.work, exist_ok=True)
        self.probe = probe


def cpu_seconds(pid):
    """User and system CPU time of a Unix process so far."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS_PER_SECOND


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return None


def launcher_visible(client):
    windows = client.windows()
    return windows.launcher is not None and windows.launcher["visible"]


def start_to_first_render(context, program):
    """Seconds from starting the process until its launcher is visible. The
    launcher is shown and composed in one call (ShowWnd), so this is the
    first render give or take one poll of the probe."""
    client = harness.Client(context, program)
    try:
        client.start()
        polls = []
        while client.running():
            before = time.monotonic()
            if launcher_visible(client):
                return time.monotonic() - client.started, statistics.median(polls) if polls else 0.0, client
            polls.append(time.monotonic() - before)
            if time.monotonic() - client.started > 60:
                break
        raise RuntimeError("the launcher did not show")
    except BaseException:
        client.stop()
        raise


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True, help="the build tree")
    parser.add_argument("--runs", type=int, default=5, help="starts to time")
    parser.add_argument("--idle", type=float, default=10.0, help="seconds of idle CPU time to measure")
    args = parser.parse_args()
    program = os.path.join(args.build, "Client.exe")
    probe = harness.Probe(os.path.join(args.build, "tests", "blackbox_probe.exe"))
    context = Context(args.build, probe)
    traces = harness.Traces(probe)
    try:
        starts, polls = [], []
        for _ in range(args.runs):
            traces.clear()  # every start is a first start: rename, shortcuts, settings key
            seconds, poll, client = start_to_first_render(context, program)
            starts.append(seconds)
            polls.append(poll)
            client.stop()

        traces.clear()
        _, _, client = start_to_first_render(context, program)
        try:
            time.sleep(5)  # let the start-up settle: page navigation, version check
            resident = resident_kib(client.process.pid)
            before = cpu_seconds(client.process.pid)
            time.sleep(args.idle)
            idle_cpu = cpu_seconds(client.process.pid) - before
        finally:
            client.stop()
    finally:
        traces.restore()
        probe.close()

    bench = subprocess.run([harness.WINE, os.path.join(args.build, "bench", "bench_render.exe")],
                           env=harness.wine_env(), capture_output=True, text=True, timeout=300)

    print("Figures of the built client under Wine")
    print(f"  start to the launcher's first render: median {statistics.median(starts) * 1000:.0f} ms, "
          f"min {min(starts) * 1000:.0f} ms, max {max(starts) * 1000:.0f} ms over {len(starts)} first starts "
          f"(poll period {statistics.median(polls) * 1000:.0f} ms)")
    print(f"  working set 5 s after start:          {resident / 1024:.1f} MiB (resident set of the Wine process)")
    print(f"  size of Client.exe:                   {os.path.getsize(program) / 1024:.0f} KiB "
          f"({os.path.getsize(program)} bytes)")
    print(f"  CPU time while idle for {args.idle:.0f} s:          {idle_cpu * 1000:.0f} ms (user + system)")
    for line in bench.stdout.splitlines():
        print("  " + line.strip())
    if bench.returncode != 0:
        print(f"  render benchmark failed with exit code {bench.returncode}")
        sys.exit(1)


if __name__ == "__main__":
    main()
