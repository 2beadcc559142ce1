#!/usr/bin/env python3
"""Writes the built-in configuration and skin documents as GB2312 text.

The documents are committed under res/; this script is their source, so
that the Chinese texts can be read and edited here in UTF-8. Pass another
port or folder to brand a build: make_documents.py OUTDIR [PORT], and set
any configuration key with --set key=value (for example the login service
and version record of a test build).
"""
import argparse
import os
from xml.sax.saxutils import quoteattr

DISPLAY_NAME = "霜岭传说"
# Read by the client when present; not in the built-in document.
OPTIONAL_KEYS = ("noRename", "noLink", "noGWLink")


def config_document(port, overrides=()):
    site = f"http://127.0.0.1:{port}"
    keys = [
        ("userClientAbout", DISPLAY_NAME),
        ("skinDir", "default"),
        ("paymentUrl", f"{site}/pay.html"),
        ("bbsUrl", f"{site}/bbs.html"),
        ("gwUrl", f"{site}/"),
        ("kfUrl", f"{site}/kf.html"),
        ("userInfoUrl", ""),
        ("userInfoApi", ""),
        ("homeUrl", f"{site}/portal/index.php"),
        ("configParam", ""),
        ("loginCheck", ""),
        ("gameCheck", f"127.0.0.1:{port}/portal/index.php?do=entergame"),
        ("runPlugin", ""),
        ("startUpUrl", ""),
        ("installUrl", ""),
        ("imClass", "ZEP_CLASS"),
        ("quitTip", f"确定要退出{DISPLAY_NAME}吗？"),
        ("infoPath", ""),
        ("pwKey", ""),
        ("tipClass", ""),
        ("cache", f"{site}/"),
        ("gwLink", f"{DISPLAY_NAME}官网"),
    ]
    overrides = dict(overrides)
    unknown = set(overrides) - {k for k, _ in keys} - set(OPTIONAL_KEYS)
    if unknown:
        raise SystemExit(f"unknown configuration keys: {', '.join(sorted(unknown))}")
    keys = [(k, overrides.pop(k, v)) for k, v in keys] + [(k, overrides[k]) for k in OPTIONAL_KEYS if k in overrides]
    attrs = "".join(f'\n        {k}={quoteattr(v)}' for k, v in keys)
    return f'<?xml version="1.0" encoding="gb2312"?>\n<CLIENTCONFIG>\n    <CONFIG{attrs} />\n</CLIENTCONFIG>\n'


SKIN = """<?xml version="1.0" encoding="gb2312"?>
<CLIENTSKIN version="1">
    <FONT name="title" size="12" family="宋体" style="0" />
    <FONT name="normal" size="12" family="宋体" style="0" />
    <FONT name="bold" size="12" family="宋体" style="1" />
    <FONT name="hot" size="12" family="宋体" style="1" />
    <FONT name="underline" size="12" family="宋体" style="4" />
    <IMG name="logo" stand="" />
    <MAINWND title="Quenmoor" titleHeight="30" font="title" width="1280" height="780" bgcolor="255,255,255" logo="0" border="0">
        <IMG name="bg" stand="348" left="0" top="0" width="1280" height="780" strech="0" />
        <RECT name="ie" left="435" top="205" width="680" height="370" strech="0" />
        <BTN name="min" tip="最小化" left="1049" top="155" stand="314" align="TopLeft" />
        <BTN name="close" tip="关闭" left="1077" top="165" stand="311" align="TopLeft" />
        <BTN name="home" tip="官网" left="700" top="170" stand="337" align="TopRight" />
        <BTN name="pay" tip="充值" left="550" top="170" stand="343" align="TopRight" />
        <BTN name="kf" tip="客服" left="400" top="170" stand="340" align="TopRight" />
        <BTN name="bbs" tip="论坛" left="250" top="170" stand="334" align="TopRight" />
    </MAINWND>
    <GAMEWND title="Quenmoor" titleHeight="50" color="235,235,235" font="title" width="1250" height="690" bgcolor="0,0,0" logo="0" border="2">
        <IMG name="top" stand="347" left="0" top="0" strech="1" rect="120,1,10,1" />
        <RECT name="ie" left="2" top="32" width="1246" height="656" strech="3" />
        <BTN name="pay" tip="充值" left="650" top="2" stand="343" align="TopRight" />
        <BTN name="home" tip="官网" left="550" top="2" stand="337" align="TopRight" />
        <BTN name="bbs" tip="论坛" left="450" top="2" stand="334" align="TopRight" />
        <BTN name="kf" tip="客服" left="350" top="2" stand="340" align="TopRight" />
        <BTN name="refresh" tip="刷新" left="250" top="8" stand="350" align="TopRight" />
        <BTN name="cache" tip="清理缓存" left="150" top="8" stand="353" align="TopRight" />
        <BTN name="pack" tip="收起" left="85" top="2" stand="330" align="TopRight" />
        <BTN name="min" tip="最小化" left="57" top="2" stand="321" align="TopRight" />
        <BTN name="max" tip="最大化" left="29" top="1" stand="324" align="TopRight" />
        <BTN name="restore" tip="还原" left="29" top="1" stand="327" align="TopRight" />
        <BTN name="close" tip="关闭" left="3" top="1" stand="318" align="TopRight" />
    </GAMEWND>
</CLIENTSKIN>
"""


def key_value(text):
    key, sep, value = text.partition("=")
    if not sep:
        raise argparse.ArgumentTypeError(f"expected key=value, got {text!r}")
    return key, value


def main():
    parser = argparse.ArgumentParser(description="Writes config.xml and skin.xml as GB2312 documents.")
    parser.add_argument("out", nargs="?", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res"))
    parser.add_argument("port", nargs="?", type=int, default=18760)
    parser.add_argument("--set", dest="overrides", type=key_value, action="append", default=[],
                        metavar="KEY=VALUE", help="value of a configuration key; {port} is replaced by the port")
    args = parser.parse_args()
    overrides = [(k, v.replace("{port}", str(args.port))) for k, v in args.overrides]
    os.makedirs(args.out, exist_ok=True)
    for name, text in (("config.xml", config_document(args.port, overrides)), ("skin.xml", SKIN)):
        with open(os.path.join(args.out, name), "wb") as f:
            f.write(text.replace("\n", "\r\n").encode("gb2312"))


if __name__ == "__main__":
    main()
