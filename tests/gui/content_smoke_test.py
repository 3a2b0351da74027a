#!/usr/bin/python3
"""Per-tab download control, offline work and the user agent of the real browser under
Xvfb, checked at a page server that logs every request: with BODLCDefault 0xE0 a page's
image is never asked for and its script never runs; the menu items "画像のダウンロード(I)"
and "Scriptの実行(S)" switch them on for the next load; "オフライン作業(W)" keeps a load
from reaching the server until it is switched off again; BOUserAgent is the User-Agent
of every request. Run inside dbus-run-session and xvfb-run. Arguments: FERN FERNCTL OUT_DIR."""

import http.server
import subprocess
import sys
import threading
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)

FERN, FERNCTL, OUT_DIR = sys.argv[1], sys.argv[2], sys.argv[3]
USER_AGENT = "FernSmoke/1.0 (content test)"
PNG = bytes.fromhex("89504e470d0a1a0a0000000d49484452000000010000000108060000001f15c489"
                    "0000000d4944415478da63f8cfc0f01f0005000201a5f1c9a60000000049454e44ae426082")
SCRIPTED = "<title>静的</title><img src=%s><script>document.title='スクリプト'</script>"
PAGES = {
    "/one.html": SCRIPTED % "/one.png",
    "/two.html": SCRIPTED % "/two.png",
    "/three.html": SCRIPTED % "/three.png",
    "/offline.html": "<title>オンライン</title><p>online",
}

requests = []  # (path, user agent)


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        requests.append((self.path, self.headers.get("User-Agent", "")))
        if self.path.endswith(".png"):
            body, kind = PNG, "image/png"
        elif self.path in PAGES:
            body, kind = ("<!DOCTYPE html><meta charset=utf-8>" + PAGES[self.path]).encode("utf-8"), "text/html"
        else:
            self.send_error(404)
            return
        self.send_response(200)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def asked(path):
    return any(p == path for p, _ in requests)


def choose(env, *path):
    """Opens the menus along `path` and activates its last item; returns that item's
    checked state as the open menu showed it."""
    item = None
    for name in path:
        item = wait_for(lambda: named(["MENU_ITEM", "CHECK_MENU_ITEM", "MENU"], name), 10)
        if item is None:
            return None
        was = checked(item)
        Atspi.Action.do_action(item, 0)
        time.sleep(0.3)
    xdo(env, "key", "Escape", "Escape", "Escape")
    return was


def main():
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    base = "http://127.0.0.1:%d" % server.server_address[1]

    work, env, data = scratch("fern-content-")
    write_file(data + "/fern.ini", "[Browser]\r\nBODLCDefault=224\r\nBOUserAgent=%s\r\n" % USER_AGENT)

    def ctl_open(url):
        return subprocess.run([FERNCTL, "open", url], env=env, timeout=30, capture_output=True).returncode

    fern = start(FERN, data, env, base + "/one.html")
    try:
        check(wait_for(lambda: tab_texts() == ["静的"], 30), "the first page opens: %r" % tab_texts())
        time.sleep(1.5)
        check(tab_texts() == ["静的"], "with scripts off the page's script does not run: %r" % tab_texts())
        check(not asked("/one.png"), "with images off the image never reaches the server")
        check(requests and all(ua == USER_AGENT for _, ua in requests),
              "BOUserAgent is the User-Agent of every request: %r" % sorted(set(ua for _, ua in requests)))

        was = choose(env, "ツール(T)", "マルチメディア(M)", "画像のダウンロード(I)")
        check(was is False, "画像のダウンロード(I) was unchecked while images were off")
        check(ctl_open(base + "/two.html") == 0, "fernctl open answers")
        check(wait_for(lambda: asked("/two.png")), "after switching images on the next page's image loads")
        check(tab_texts() == ["静的"], "scripts are still off: %r" % tab_texts())

        was = choose(env, "ツール(T)", "セキュリティ(S)", "Scriptの実行(S)")
        check(was is False, "Scriptの実行(S) was unchecked while scripts were off")
        ctl_open(base + "/three.html")
        check(wait_for(lambda: tab_texts() == ["スクリプト"]), "after switching scripts on the next page's script runs: %r"
              % tab_texts())
        was = choose(env, "ツール(T)", "マルチメディア(M)", "画像のダウンロード(I)")
        check(was is True, "画像のダウンロード(I) is checked while images are on")
        choose(env, "ツール(T)", "マルチメディア(M)", "画像のダウンロード(I)")  # back on for the next steps

        was = choose(env, "ファイル(F)", "オフライン作業(W)")
        check(was is False, "オフライン作業(W) was unchecked while online")
        ctl_open(base + "/offline.html")
        time.sleep(3)
        check(not asked("/offline.html"), "offline, a load never reaches the server")
        check(tab_texts() != ["オンライン"], "offline, the page does not show: %r" % tab_texts())
        screenshot(env, OUT_DIR, "gui-content-offline.png")
        was = choose(env, "ファイル(F)", "オフライン作業(W)")
        check(was is True, "オフライン作業(W) was checked while offline")
        ctl_open(base + "/offline.html")
        check(wait_for(lambda: asked("/offline.html")), "back online the load reaches the server")
        check(wait_for(lambda: tab_texts() == ["オンライン"]), "and the page shows: %r" % tab_texts())
        check(all(ua == USER_AGENT for _, ua in requests), "every later request carried BOUserAgent too")
    finally:
        code = stop(fern)
        server.shutdown()
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    ini = read_file(data + "/fern.ini")
    check(b"BODLCDefault=224" in ini, "the tab's switches left BODLCDefault as it was")
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
