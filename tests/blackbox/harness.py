"""Drives the built client from outside: starts copies of it under Wine,
looks at its windows through the probe program, clicks with xdotool, and
cleans up what a run leaves behind."""
import json
import os
import shutil
import signal
import socket
import subprocess
import tempfile
import time
import unittest

import demo_portal

WINE = "/usr/lib/wine/wine64"
DISPLAY_NAME = "\u971c\u5cad\u4f20\u8bf4"          # the built-in userClientAbout
SITE_LINK_NAME = DISPLAY_NAME + "\u5b98\u7f51"    # the built-in gwLink
VERSION_TEXT = DISPLAY_NAME + " Ver 1.0.0.1"
QUIT_TIP = "\u786e\u5b9a\u8981\u9000\u51fa" + DISPLAY_NAME + "\u5417\uff1f"
SETTINGS_KEY = "SOFTWARE\\Brimlok\\" + DISPLAY_NAME
FEATURE_ROOT = "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl"
FEATURES = {
    "FEATURE_BROWSER_EMULATION": None,  # depends on the engine's version
    "FEATURE_GPU_RENDERING": 1,
    "FEATURE_MAXCONNECTIONSPERSERVER": 6,
    "FEATURE_MAXCONNECTIONSPER1_0SERVER": 6,
    "FEATURE_ALIGNED_TIMERS": 1,
    "FEATURE_ALLOW_HIGHFREQ_TIMERS": 1,
    "FEATURE_BEHAVIORS": 1,
    "FEATURE_LOCALMACHINE_LOCKDOWN": 0,
    "FEATURE_OBJECT_CACHING": 1,
    "FEATURE_SCRIPTURL_MITIGATION": 1,
}
# Wine's own settings: with Managed set to N Wine places and sizes every
# window itself, as it must on a display without a window manager (Xvfb).
WINE_X11_KEY = "Software\\Wine\\X11 Driver"
UPDATE_MARKER = "ClientUpdate-ran.txt"

# Where the built-in skin puts the launcher's buttons and page (client
# coordinates, size).
LAUNCHER_SIZE = (1280, 780)
LAUNCHER_PAGE = (435, 205, 680, 370)
LAUNCHER_MIN = (1049, 155, 42, 35)
LAUNCHER_CLOSE = (1077, 165, 48, 41)
GAME_CLOSE_FROM_RIGHT = (3, 1, 24, 20)  # align TopRight: left is the distance from the right edge

WM_COMMAND = 0x0111
ID_APP_EXIT = 57665
WS_MAXIMIZE = 0x01000000
WS_EX_LAYERED = 0x00080000
WS_EX_APPWINDOW = 0x00040000
REG_SZ = 1
REG_DWORD = 4


def wine_env():
    env = dict(os.environ)
    env.setdefault("WINEDEBUG", "-all")
    env.setdefault("WINEDLLOVERRIDES", "winemenubuilder.exe=d")
    # Code page 936, so that the client's GB2312 texts and its Chinese file
    # names come out right.
    env["LC_ALL"] = "zh_CN.GB2312"
    return env


def windows_path(unix_path):
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


def unix_path(win_path):
    """A Unix path (bytes, in the GB2312 file-name encoding Wine uses
    under the client's locale) for a C: or Z: path."""
    drive, rest = win_path[:2].upper(), win_path[2:].replace("\\", "/")
    if drive == "C:":
        base = os.path.join(os.environ["WINEPREFIX"], "drive_c")
    elif drive == "Z:":
        base = ""
    else:
        raise ValueError(win_path)
    return (base + rest).encode("gb2312")


def wait_until(condition, timeout, step=0.2):
    """Polls condition until it returns something true; returns that or None."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result or time.monotonic() >= deadline:
            return result or None
        time.sleep(step)


class Probe:
    """The probe program, started once and asked one line at a time."""

    def __init__(self, program):
        self._process = subprocess.Popen([WINE, program], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                         stderr=subprocess.DEVNULL, env=wine_env(), text=True, encoding="ascii")

    def ask(self, *args):
        line = "\t".join("".join(c if 32 <= ord(c) < 127 and c != "\\" else "\\u%04x" % ord(c) for c in a)
                         for a in args)
        self._process.stdin.write(line + "\n")
        self._process.stdin.flush()
        answer = self._process.stdout.readline()
        if not answer:
            raise RuntimeError("the probe program ended")
        return json.loads(answer)

    def close(self):
        self._process.stdin.close()
        self._process.wait(timeout=30)

    def desktop(self):
        return Desktop(self.ask("windows"))

    def reg(self, key):
        return self.ask("reg-query", key)


class Desktop:
    """One look at all top-level windows."""

    def __init__(self, data):
        self.work_area = data["workArea"]
        self.foreground = data["foreground"]
        self.windows = data["windows"]

    def of_folder(self, folder):
        prefix = windows_path(folder).lower() + "\\"
        return [w for w in self.windows if w["image"].lower().startswith(prefix)]

    def tray_icons(self):
        """Icons in Wine's own tray window (shown when the display has no
        system tray of its own); Wine does not tell whose icon it is."""
        return [c for w in self.windows if w["class"] == "__winex11_standalone_tray" and w["visible"]
                for c in w["children"] if c["class"] == "__winex11_tray_icon" and c["visible"]]


def has_browser(window):
    return any(c["class"] == "Shell Embedding" for c in window["children"])


class ClientWindows:
    """The client's top-level windows, told apart by what they hold rather
    than by the properties the tests check."""

    def __init__(self, windows):
        self.all = windows
        self.frames = [w for w in windows if w["class"] == "ZEP_CLASS"]
        tops = [w for w in windows if not w["owner"] and w["class"] not in ("ZEP_CLASS", "#32770")]
        self.launchers = [w for w in tops if any(c["class"] == "Button" for c in w["children"])
                          and not has_browser(w)]
        self.games = [w for w in tops if has_browser(w)]
        launcher_ids = {w["hwnd"] for w in self.launchers}
        self.pages = [w for w in windows if w["owner"] in launcher_ids and has_browser(w)]
        self.message_boxes = [w for w in windows if w["class"] == "#32770" and w["visible"]]

    @staticmethod
    def one(found):
        return found[0] if len(found) == 1 else None

    @property
    def frame(self):
        return self.one(self.frames)

    @property
    def launcher(self):
        return self.one(self.launchers)

    @property
    def page(self):
        return self.one(self.pages)

    @property
    def game(self):
        return self.one(self.games)

    @property
    def message_box(self):
        return self.one(self.message_boxes)


class Client:
    """One copy of a built client in a folder of its own, run under Wine."""

    def __init__(self, context, program, name="Client.exe", args=()):
        self.context = context
        self.folder = tempfile.mkdtemp(prefix="run-", dir=context.work)
        self.path = os.path.join(self.folder, name)
        shutil.copyfile(program, self.path)
        self.args = list(args)
        self.process = None
        self._log = open(os.path.join(self.folder, "wine-output.txt"), "wb")

    def start(self):
        self.started = time.monotonic()
        self.process = subprocess.Popen([WINE, self.path] + self.args, cwd=self.folder, env=wine_env(),
                                        stdin=subprocess.DEVNULL, stdout=self._log, stderr=subprocess.STDOUT)
        return self

    def windows(self):
        return ClientWindows(self.context.probe.desktop().of_folder(self.folder))

    def wait_for(self, condition, timeout=30):
        """Waits until condition(windows) holds; None if the time ran out."""
        return wait_until(lambda: self._check(condition), timeout)

    def _check(self, condition):
        windows = self.windows()
        return windows if condition(windows) else None

    def running(self):
        return self.process is not None and self.process.poll() is None

    def exit_code(self, timeout=30):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        """Ends what is left of this copy: the client, through its exit
        command when it still has its frame (a killed Wine process slows
        down the next start), and any program started from its folder."""
        if self.running():
            frame = self.windows().frame
            if frame:
                self.context.probe.ask("post", str(frame["hwnd"]), str(WM_COMMAND), str(ID_APP_EXIT))
                self.exit_code(timeout=10)
        if self.running():
            self.process.send_signal(signal.SIGKILL)  # Wine ignores SIGTERM
            self.process.wait(timeout=30)
        prefix = windows_path(self.folder).lower() + "\\"
        for process in self.context.probe.ask("processes"):
            if process["image"].lower().startswith(prefix):
                self.context.probe.ask("kill", str(process["pid"]))
        self._log.close()
        shutil.rmtree(self.folder, ignore_errors=True)


class Input:
    """Real input on the X display."""

    @staticmethod
    def click(x, y):
        subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "1"], check=True)

    @staticmethod
    def keys(window, *names):
        """Keys for a window: without a window manager the X focus follows
        the pointer, so the pointer rests on the window's corner first."""
        left, top = window["rect"][:2]
        subprocess.run(["xdotool", "mousemove", "--sync", str(left + 4), str(top + 4)], check=True)
        for name in names:
            subprocess.run(["xdotool", "key", name], check=True)
            time.sleep(0.2)


class Traces:
    """What runs of the client leave in the Wine prefix: desktop shortcuts,
    the settings key, feature-control keys and values, the update marker.
    Kept as found before the tests and put back afterwards; cleared before
    each test."""

    def __init__(self, probe):
        self.probe = probe
        places = probe.ask("places")
        self.desktop = places["desktop"]
        self.temp = places["temp"]
        self.cache = places["cache"]
        self._links = {p: self._read(p) for p in self.link_paths()}
        self._settings = probe.reg(SETTINGS_KEY)
        self._features = {k: probe.reg(FEATURE_ROOT + "\\" + k) for k in FEATURES}
        self._feature_root = probe.reg(FEATURE_ROOT)["exists"]
        self._managed = probe.reg(WINE_X11_KEY).get("values", {}).get("Managed")

    def link_paths(self):
        return [unix_path(self.desktop + "\\" + n + ".lnk") for n in (DISPLAY_NAME, SITE_LINK_NAME)]

    def marker_path(self):
        return unix_path(self.temp + UPDATE_MARKER)

    @staticmethod
    def _read(path):
        try:
            with open(path, "rb") as f:
                return f.read()
        except FileNotFoundError:
            return None

    def clear(self):
        for path in self.link_paths() + [self.marker_path()]:
            if os.path.exists(path):
                os.remove(path)
        self.probe.ask("reg-delete-tree", SETTINGS_KEY)
        for key in FEATURES:
            self.probe.ask("reg-delete-tree", FEATURE_ROOT + "\\" + key)

    def lay_out_features(self, present):
        """Makes exactly the feature keys in present exist (empty)."""
        for key in FEATURES:
            self.probe.ask("reg-delete-tree", FEATURE_ROOT + "\\" + key)
        for key in present:
            self.probe.ask("reg-create", FEATURE_ROOT + "\\" + key)

    def without_window_manager(self):
        self.probe.ask("reg-set-text", WINE_X11_KEY, "Managed", "N")

    def restore(self):
        self.clear()
        for path, data in self._links.items():
            if data is not None:
                with open(path, "wb") as f:
                    f.write(data)
        self._put_back(SETTINGS_KEY, self._settings)
        for key, state in self._features.items():
            self._put_back(FEATURE_ROOT + "\\" + key, state)
        if not self._feature_root:
            self.probe.ask("reg-delete-tree", FEATURE_ROOT)
        if self._managed and self._managed["type"] == REG_SZ:
            self.probe.ask("reg-set-text", WINE_X11_KEY, "Managed", self._managed["data"])
        else:
            self.probe.ask("reg-delete-value", WINE_X11_KEY, "Managed")

    def _put_back(self, key, state):
        if not state["exists"]:
            return
        self.probe.ask("reg-create", key)
        for name, value in state["values"].items():
            if value["type"] == REG_DWORD:
                self.probe.ask("reg-set-dword", key, name, str(value["data"]))
            elif value["type"] == REG_SZ:
                self.probe.ask("reg-set-text", key, name, value["data"])


context = None  # set by run_blackbox.py


def port_is_free(port):
    with socket.socket() as s:
        try:
            s.bind(("127.0.0.1", port))
            return True
        except OSError:
            return False


class ClientTestCase(unittest.TestCase):
    """Starts clients and portals for one test and leaves nothing behind."""

    def setUp(self):
        self.context = context
        self.context.traces.clear()
        self.clients = []
        self.portals = []
        self.tray_before = len(self.context.probe.desktop().tray_icons())

    def tearDown(self):
        for client in self.clients:
            client.stop()
        for portal in self.portals:
            portal.stop()
        self.context.traces.clear()

    def start_client(self, program=None, name="Client.exe", args=()):
        client = Client(self.context, program or self.context.client, name, args)
        self.clients.append(client)
        return client.start()

    def start_brand_client(self, name="Client.exe", args=()):
        return self.start_client(self.context.brand_client, name, args)

    def start_portal(self, **options):
        """The demo portal on the port the test build's document names."""
        config = demo_portal.read_config(self.context.brand_config)
        port = demo_portal.port_of(config)
        if not port_is_free(port):
            self.fail(f"port {port} of the test build's portal is in use")
        options.setdefault("update_program", self.context.update_program)
        portal = demo_portal.DemoPortal(config, **options).start()
        self.portals.append(portal)
        return portal

    def wait_for(self, client, condition, what, timeout=30):
        windows = client.wait_for(condition, timeout)
        if windows is None:
            code = None if client.running() else client.process.returncode
            self.fail(f"{what}: not seen within {timeout} s (client exit code {code}); "
                      f"windows: {describe(client.windows())}")
        return windows

    def launcher_shown(self, client):
        return self.wait_for(client, lambda w: w.launcher and w.launcher["visible"] and w.page
                             and w.page["visible"], "the launcher with its page")

    def wait_seen(self, portal, path, what, timeout=20):
        if not wait_until(lambda: portal.seen(path), timeout):
            self.fail(f"{what}: the portal saw no request for {path}; it saw {portal.requests}")
        return portal.seen(path)


def describe(windows):
    return [(w["class"], w["title"], w["rect"], w["visible"]) for w in windows.all]


def centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


def offset_rect(origin, box):
    """A screen rectangle of a (left, top, width, height) box in a window
    whose client area starts at origin."""
    left, top = origin[0] + box[0], origin[1] + box[1]
    return [left, top, left + box[2], top + box[3]]
