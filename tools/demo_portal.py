#!/usr/bin/env python3
"""The demo portal: a local stand-in for the publisher's web site.

It serves on 127.0.0.1 at the port of the configuration document's homeUrl
and keeps one fixed site layout:

    /                      official site (gwUrl, cache)
    /pay.html /bbs.html /kf.html    the pages the link buttons open
    /portal/index.php      portal home page with the client command links
    /portal/index.php?do=entergame  game entry (gameCheck); leads to the game
    /portal/login.php      login page (a loginCheck of "/portal/login.php")
    /game/play.php         the game page
    /api/userinfo.php      login service (userInfoUrl): checks the signature
                           md5(sid + t + pwKey) and answers a game address
    /api/version.xml       remote version record (configParam)
    /download/ClientUpdate.exe  the update program the record names

The port and pwKey come from the configuration document, so the portal
serves what a build's document says. Run it alone with
    python3 tools/demo_portal.py [--config res/config.xml] [--update-program FILE]
or use DemoPortal from Python (the black-box tests do).
"""
import argparse
import hashlib
import html
import os
import re
import sys
import threading
import time
import urllib.parse
import xml.etree.ElementTree as ElementTree
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

CLIENT_VERSION = "1.0.0.1"
SIGNATURE_WINDOW_S = 300
HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_CONFIG = os.path.join(HERE, "..", "res", "config.xml")


def read_config(path):
    """The CONFIG attributes of a configuration document (GB2312 text)."""
    with open(path, "rb") as f:
        raw = f.read()
    declared = re.match(rb'<\?xml[^>]*encoding="([^"]+)"', raw)
    text = raw.decode(declared.group(1).decode("ascii") if declared else "utf-8")
    text = re.sub(r"^<\?xml[^>]*\?>", "", text.lstrip("\ufeff"))
    root = ElementTree.fromstring(text)
    element = next(iter(root), None)
    return dict(element.attrib) if element is not None else {}


def port_of(config):
    return urllib.parse.urlsplit(config.get("homeUrl", "")).port or 18760


def signature(sid, t, key):
    """The login signature the client sends: md5 of sid, t and the key."""
    return hashlib.md5(f"{sid}{t}{key}".encode("gbk")).hexdigest()


def page(title, body):
    return (f'<!DOCTYPE html>\n<html><head><meta charset="utf-8"><title>{html.escape(title)}</title></head>\n'
            f"<body>\n<h1>{html.escape(title)}</h1>\n{body}\n</body></html>\n").encode("utf-8")


class DemoPortal:
    """The portal as a server object: start(), stop(), and what it saw.

    requests holds (path, query dict) of every request in order; logins
    holds one record per login-service request with its verdict.
    """

    def __init__(self, config, update_program=None, version=CLIENT_VERSION, login_answers=True, port=None,
                 quiet=True):
        self.config = config
        self.port = port or port_of(config)
        self.pw_key = config.get("pwKey", "")
        self.update_program = update_program
        self.version = version
        self.login_answers = login_answers
        self.quiet = quiet
        self.requests = []
        self.logins = []
        self._lock = threading.Lock()
        self._server = None
        self._thread = None

    @property
    def site(self):
        return f"http://127.0.0.1:{self.port}"

    def game_address(self, server="1"):
        return f"{self.site}/game/play.php?server={urllib.parse.quote(server)}"

    def start(self):
        portal = self

        class Handler(BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.1"

            def do_GET(self):
                portal._handle(self)

            def log_message(self, fmt, *args):
                if not portal.quiet:
                    sys.stdout.write("portal: %s\n" % (fmt % args))
                    sys.stdout.flush()

        self._server = ThreadingHTTPServer(("127.0.0.1", self.port), Handler)
        self._server.daemon_threads = True
        self._thread = threading.Thread(target=self._server.serve_forever, daemon=True)
        self._thread.start()
        return self

    def stop(self):
        if self._server:
            self._server.shutdown()
            self._server.server_close()
            self._thread.join()
            self._server = None

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()

    def seen(self, path):
        """The queries of the requests made for path, in order."""
        with self._lock:
            return [query for p, query in self.requests if p == path]

    def _handle(self, request):
        parts = urllib.parse.urlsplit(request.path)
        query = dict(urllib.parse.parse_qsl(parts.query, keep_blank_values=True))
        with self._lock:
            self.requests.append((parts.path, query))
        status, kind, body, location = self._route(parts.path, parts.query, query)
        request.send_response(status)
        if location:
            request.send_header("Location", location)
        request.send_header("Content-Type", kind)
        request.send_header("Content-Length", str(len(body)))
        request.send_header("Cache-Control", "no-store")
        request.end_headers()
        request.wfile.write(body)

    def _route(self, path, raw_query, query):
        html_kind = "text/html; charset=utf-8"
        if path == "/":
            return 200, html_kind, page("Official site", "<p>News, guides and downloads of the game.</p>"), None
        if path in ("/pay.html", "/bbs.html", "/kf.html"):
            titles = {"/pay.html": "Payment", "/bbs.html": "Forum", "/kf.html": "Customer service"}
            return 200, html_kind, page(titles[path], "<p>A page the client opens in the default browser.</p>"), None
        if path == "/portal/index.php":
            if query.get("do") == "entergame":
                return 302, html_kind, b"", self.game_address(query.get("server", "1"))
            return 200, html_kind, self._home(query.get("user", "")), None
        if path == "/portal/login.php":
            form = ('<form action="/portal/index.php" method="get">'
                    '<input name="user" value="player"><input type="submit" value="Login"></form>')
            return 200, html_kind, page("Login", form), None
        if path == "/game/play.php":
            script = ("<script>try { window.external.getGsName('Server ' + %s); window.external.getNewMsg(''); }"
                      " catch (e) {}</script>" % repr(html.escape(query.get("server", "1"))))
            return 200, html_kind, page("Game", "<p>The game runs here.</p>" + script), None
        if path == "/api/userinfo.php":
            return self._login(query)
        if path == "/api/version.xml":
            record = (f'<?xml version="1.0" encoding="gb2312"?>\r\n<UPDATE>\r\n'
                      f'    <CLIENT version="{self.version}" url="{self.site}/download/ClientUpdate.exe" />\r\n'
                      f"</UPDATE>\r\n")
            return 200, "text/xml", record.encode("gb2312"), None
        if path == "/download/ClientUpdate.exe" and self.update_program:
            with open(self.update_program, "rb") as f:
                return 200, "application/octet-stream", f.read(), None
        return 404, html_kind, page("Not found", ""), None

    def _home(self, user):
        game = f"{self.site}/portal/index.php?do=entergame&server=2"
        links = [
            ('/portal/login.php', "Login"),
            ('/portal/index.php?do=entergame&server=1', "Enter server 1"),
            (f"app://loadgame|{game}", "Enter server 2 (app link)"),
            ("app://minimize|", "Hide the launcher"),
            ("app://exitgame|", "Quit"),
        ]
        items = "".join(f'<li><a href="{html.escape(href)}">{text}</a></li>' for href, text in links)
        welcome = f"<p>Welcome, {html.escape(user)}.</p>" if user else ""
        return page("Portal", welcome + f"<ul>{items}</ul>")

    def _login(self, query):
        sid, t, sign = query.get("sid", ""), query.get("t", ""), query.get("sign", "")
        fresh = t.lstrip("-").isdigit() and abs(int(t) - int(time.time())) <= SIGNATURE_WINDOW_S
        verified = fresh and sign == signature(sid, t, self.pw_key)
        with self._lock:
            self.logins.append({"query": query, "verified": verified})
        if not verified:
            return 403, "text/plain", b"", None
        if not self.login_answers:
            return 200, "text/plain", b"", None
        return 200, "text/plain", self.game_address(sid).encode("ascii"), None


def main():
    parser = argparse.ArgumentParser(description="Local stand-in for the publisher's portal.")
    parser.add_argument("--config", default=DEFAULT_CONFIG, help="configuration document (port, pwKey)")
    parser.add_argument("--update-program", help="program served as the update")
    parser.add_argument("--version", default=CLIENT_VERSION, help="version the record names")
    parser.add_argument("--no-login-answer", action="store_true", help="login service answers an empty body")
    args = parser.parse_args()
    portal = DemoPortal(read_config(args.config), args.update_program, args.version, not args.no_login_answer,
                        quiet=False)
    try:
        portal.start()
    except OSError as error:
        sys.exit(f"demo portal: cannot serve on 127.0.0.1:{portal.port}: {error}")
    print(f"demo portal: {portal.site}/portal/index.php", flush=True)
    try:
        threading.Event().wait()
    except KeyboardInterrupt:
        pass
    finally:
        portal.stop()


if __name__ == "__main__":
    main()
