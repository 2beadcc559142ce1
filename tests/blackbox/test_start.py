"""A plain start of the client as built, and two clients side by side."""
import filecmp
import os

from harness import (DISPLAY_NAME, FEATURE_ROOT, FEATURES, LAUNCHER_PAGE, LAUNCHER_SIZE, REG_DWORD, REG_SZ,
                     SETTINGS_KEY, SITE_LINK_NAME, WS_EX_APPWINDOW, WS_EX_LAYERED, ClientTestCase, offset_rect,
                     windows_path)

# mshtml.dll's major version mapped to the emulation value; Wine's own
# engine library decides which one applies.
EMULATION_VALUES = {8888, 10001, 11000, 9999}
PRESENT_FEATURES = ("FEATURE_BROWSER_EMULATION", "FEATURE_GPU_RENDERING", "FEATURE_OBJECT_CACHING")


class PlainStart(ClientTestCase):
    def test_windows_tray_settings_shortcuts_and_features(self):
        self.context.traces.lay_out_features(PRESENT_FEATURES)
        client = self.start_client()
        windows = self.launcher_shown(client)
        probe = self.context.probe
        work = probe.desktop().work_area

        frame = windows.frame
        self.assertIsNotNone(frame, "one hidden frame of class ZEP_CLASS")
        self.assertFalse(frame["visible"])

        launcher = windows.launcher
        self.assertTrue(launcher["exStyle"] & WS_EX_LAYERED, "the launcher is a layered window")
        self.assertTrue(launcher["exStyle"] & WS_EX_APPWINDOW)
        left, top, right, bottom = launcher["rect"]
        self.assertEqual((right - left, bottom - top), LAUNCHER_SIZE)
        work_width, work_height = work[2] - work[0], work[3] - work[1]
        self.assertEqual((left, top), (work[0] + int((work_width - LAUNCHER_SIZE[0]) / 2),
                                       work[1] + int((work_height - LAUNCHER_SIZE[1]) / 2)))
        self.assertEqual(windows.page["rect"], offset_rect((left, top), LAUNCHER_PAGE))

        game = windows.game
        self.assertIsNotNone(game, "the game window exists from the start")
        self.assertFalse(game["visible"])

        # Wine shows icons in its own tray window and does not say whose they are.
        self.assertEqual(len(probe.desktop().tray_icons()), self.tray_before + 1)

        settings = probe.reg(SETTINGS_KEY)
        self.assertTrue(settings["exists"], SETTINGS_KEY)
        self.assertEqual(settings["values"], {name: {"type": REG_SZ, "data": "0"}
                                              for name in ("UseHotKey", "AlwaysTop", "HotKey")})

        folder = windows_path(client.folder)
        renamed = os.path.join(client.folder, DISPLAY_NAME + ".exe").encode("gb2312")
        self.assertTrue(os.path.exists(renamed), "the program under its display name")
        self.assertTrue(filecmp.cmp(renamed, client.path.encode(), shallow=False))
        desktop = self.context.traces.desktop
        link = probe.ask("link", desktop + "\\" + DISPLAY_NAME + ".lnk")
        self.assertIsNotNone(link, "the client's desktop shortcut")
        self.assertEqual(link["target"].lower(), (folder + "\\" + DISPLAY_NAME + ".exe").lower())
        self.assertEqual(link["folder"].lower(), '"' + folder.lower() + '"')
        self.assertEqual((link["icon"].lower(), link["iconIndex"]), (link["target"].lower(), 0))
        site = probe.ask("link", desktop + "\\" + SITE_LINK_NAME + ".lnk")
        self.assertIsNotNone(site, "the official site's desktop shortcut")
        # Wine's link object takes a URL for a relative path and stores it
        # under the working folder ("...\\http:\\127.0.0.1:18760\\").
        self.assertIn("127.0.0.1:18760", site["target"])
        self.assertEqual(site["folder"].lower(), folder.lower())
        self.assertEqual((site["icon"].lower(), site["iconIndex"]), (link["target"].lower(), 0))

        for feature, expected in FEATURES.items():
            state = probe.reg(FEATURE_ROOT + "\\" + feature)
            if feature not in PRESENT_FEATURES:
                self.assertFalse(state["exists"], f"{feature} is never created")
                continue
            value = state["values"].get("Client.exe")
            self.assertIsNotNone(value, f"{feature} holds a value for Client.exe")
            self.assertEqual(value["type"], REG_DWORD, feature)
            if expected is None:
                self.assertIn(value["data"], EMULATION_VALUES, feature)
            else:
                self.assertEqual(value["data"], expected, feature)
        self.assertTrue(client.running())

    def test_two_clients_run_at_once(self):
        first = self.start_client()
        self.launcher_shown(first)
        second = self.start_client()
        self.launcher_shown(second)
        for client in (first, second):
            windows = client.windows()
            self.assertIsNotNone(windows.frame)
            self.assertTrue(windows.launcher["visible"])
            self.assertTrue(client.running())
        self.assertEqual(len(self.context.probe.desktop().tray_icons()), self.tray_before + 2)
