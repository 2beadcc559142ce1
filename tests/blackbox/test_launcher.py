"""The launcher's own buttons, clicked where a user clicks them."""
import time

from harness import (LAUNCHER_CLOSE, LAUNCHER_MIN, QUIT_TIP, VERSION_TEXT, ClientTestCase, Input, centre,
                     offset_rect, wait_until)

IDCANCEL = 2


class LauncherButtons(ClientTestCase):
    def click_button(self, windows, box):
        left, top = windows.launcher["rect"][:2]
        Input.click(*centre(offset_rect((left, top), box)))

    def ask_quit(self, client, windows):
        self.click_button(windows, LAUNCHER_CLOSE)
        return self.wait_for(client, lambda w: w.message_box, "the quit question", timeout=15)

    def test_min_hides_the_launcher_and_its_page(self):
        client = self.start_client()
        windows = self.launcher_shown(client)
        self.click_button(windows, LAUNCHER_MIN)
        windows = self.wait_for(client, lambda w: w.launcher and not w.launcher["visible"], "the launcher hidden")
        self.assertFalse(windows.page["visible"])
        self.assertTrue(client.running())
        self.assertEqual(len(self.context.probe.desktop().tray_icons()), self.tray_before + 1)

    def question_with_keyboard(self, client, windows):
        """Clicks close and returns the question once it is up and holds the
        foreground, which is where keys go."""
        windows = self.ask_quit(client, windows)
        box = windows.message_box
        self.assertEqual(box["title"], VERSION_TEXT)
        self.assertIn(QUIT_TIP, [child["title"] for child in box["children"]])
        time.sleep(0.5)
        foreground = self.context.probe.desktop().foreground
        owner = {w["hwnd"]: w["title"] or w["class"] for w in windows.all}.get(foreground, foreground)
        self.assertEqual(foreground, box["hwnd"], f"the quit question holds the foreground, not {owner!r}")
        return box

    def answered(self, client):
        windows = self.wait_for(client, lambda w: not w.message_boxes, "the question answered", timeout=10)
        # The desktop settles its focus after the box is gone; a click in the
        # first few hundred milliseconds can be taken for an activation.
        time.sleep(1)
        return windows

    def test_close_asks_cancel_keeps_running_ok_ends(self):
        client = self.start_client()
        windows = self.launcher_shown(client)

        box = self.question_with_keyboard(client, windows)
        cancel, = [child for child in box["children"] if child["id"] == IDCANCEL]
        Input.click(*centre(cancel["rect"]))
        windows = self.answered(client)
        self.assertTrue(client.running())
        self.assertTrue(windows.launcher["visible"] and windows.page["visible"])

        # Enter answers the default button, Cancel.
        box = self.question_with_keyboard(client, windows)
        Input.keys(box, "Return")
        windows = self.answered(client)
        self.assertTrue(client.running())
        self.assertTrue(windows.launcher["visible"] and windows.page["visible"])

        box = self.question_with_keyboard(client, windows)
        Input.keys(box, "Tab", "Return")
        self.assertEqual(client.exit_code(timeout=20), 0)
        self.assertEqual(client.windows().all, [])
        # The icon goes with the client; Wine would also drop the icon of a
        # destroyed window, so this shows the end of the icon, not who ended it.
        self.assertTrue(wait_until(lambda: len(self.context.probe.desktop().tray_icons()) == self.tray_before, 10))
