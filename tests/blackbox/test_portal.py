"""The demo portal serves what the configuration documents name."""
import http.client
import os
import socket
import time
import unittest
import urllib.parse

import demo_portal
import harness

BUILT_IN_CONFIG = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "res", "config.xml")
ADDRESS_KEYS = ("homeUrl", "gwUrl", "paymentUrl", "bbsUrl", "kfUrl", "cache", "configParam")


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class PortalFixture(unittest.TestCase):
    def start(self, config, **options):
        self.portal = demo_portal.DemoPortal(config, port=free_port(), **options).start()
        self.addCleanup(self.portal.stop)

    def get(self, address):
        """Status, Location and body of one GET, addressed to this portal
        whatever host and port the address names."""
        parts = urllib.parse.urlsplit(address if "://" in address else "http://" + address)
        connection = http.client.HTTPConnection("127.0.0.1", self.portal.port, timeout=10)
        try:
            connection.request("GET", parts.path + ("?" + parts.query if parts.query else ""))
            response = connection.getresponse()
            return response.status, response.getheader("Location"), response.read()
        finally:
            connection.close()


class PortalServesTheDocuments(PortalFixture):
    def check_document(self, config):
        self.start(config, update_program=harness.context.update_program)
        for key in ADDRESS_KEYS:
            if config.get(key):
                with self.subTest(key=key):
                    self.assertEqual(self.get(config[key])[0], 200, config[key])
        status, location, _ = self.get(config["gameCheck"])
        self.assertEqual(status, 302)
        self.assertEqual(urllib.parse.urlsplit(location).path, "/game/play.php")
        self.assertEqual(self.get(location)[0], 200)
        home = self.get(config["homeUrl"])[2].decode("utf-8")
        for link in ("app://minimize|", "app://exitgame|", "app://loadgame|http://"):
            self.assertIn(link, home)
        loadgame = home.split('href="app://loadgame|', 1)[1].split('"', 1)[0]
        # This portal runs on a port of its own.
        game_check = config["gameCheck"].replace(f":{demo_portal.port_of(config)}/", f":{self.portal.port}/")
        self.assertIn(game_check, loadgame.replace("&amp;", "&"))

    def test_built_in_document(self):
        config = demo_portal.read_config(BUILT_IN_CONFIG)
        self.assertEqual(demo_portal.port_of(config), 18760)
        self.check_document(config)

    def test_test_build_document(self):
        config = demo_portal.read_config(harness.context.brand_config)
        self.check_document(config)
        self.assertEqual(self.get("/portal/login.php")[0], 200)
        self.assertIn(config["loginCheck"], "http://127.0.0.1/portal/login.php")
        status, _, record = self.get(config["configParam"] + "?123")
        self.assertEqual(status, 200)
        self.assertIn(b'<CLIENT version="1.0.0.1" url="' + self.portal.site.encode() +
                      b'/download/ClientUpdate.exe"', record)
        status, _, program = self.get("/download/ClientUpdate.exe")
        self.assertEqual(status, 200)
        self.assertEqual(program[:2], b"MZ")


class LoginService(PortalFixture):
    KEY = "shared-key"

    def login(self, sid, t, sign):
        return self.get(f"/api/userinfo.php?sid={sid}&re=0&t={t}&sign={sign}")

    def test_signature_and_time_decide_the_answer(self):
        self.start({"pwKey": self.KEY})
        now = int(time.time())
        right = demo_portal.signature("s12", now, self.KEY)
        cases = [
            ("signed now", "s12", now, right, 200),
            ("wrong key", "s12", now, demo_portal.signature("s12", now, "other"), 403),
            ("other server", "s13", now, right, 403),
            ("stale time", "s12", now - 3600, demo_portal.signature("s12", now - 3600, self.KEY), 403),
            ("no time", "s12", "", demo_portal.signature("s12", "", self.KEY), 403),
        ]
        for name, sid, t, sign, expected in cases:
            with self.subTest(name):
                status, _, body = self.login(sid, t, sign)
                self.assertEqual(status, expected)
                self.assertEqual(body, self.portal.game_address(sid).encode() if expected == 200 else b"")
        self.assertEqual([login["verified"] for login in self.portal.logins], [True, False, False, False, False])

    def test_signature_is_md5_of_server_time_and_key(self):
        # md5 of "s12", "1700000000" and "k" run together (md5sum).
        self.assertEqual(demo_portal.signature("s12", 1700000000, "k"), "917c18cfaebb5fd426e6123fd354c1dd")

    def test_no_answer_mode_answers_an_empty_body(self):
        self.start({"pwKey": self.KEY}, login_answers=False)
        now = int(time.time())
        self.assertEqual(self.login("s12", now, demo_portal.signature("s12", now, self.KEY)), (200, None, b""))
        self.assertTrue(self.portal.logins[0]["verified"])
