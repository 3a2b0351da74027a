#!/usr/bin/python3
"""Proxy switching on the real browser under Xvfb, with two small HTTP proxies and a
page server of the test's own on 127.0.0.1: after the first proxy is chosen from
"プロキシ サーバー(X)" every request of every open tab goes through it; after the second,
all go through the second and none through the first; after "ダイレクトに接続(D)" none
goes through either. A proxy that refuses connections gives the engine's error page
in the tab, not a hang. The choice is kept in fern.ini, and the menu checks it.
Run inside dbus-run-session and xvfb-run."""

import http.server
import socket
import sys
import threading
import time
import urllib.request

from fernui import *  # noqa: F401,F403  (the shared test helpers)

FERN, OUT_DIR = sys.argv[1], sys.argv[2]

PAGES = {
    "/a.html": "<title>A</title><p>a <img src=/pic.gif>",
    "/b.html": "<title>B</title><p>b <iframe src=/c.html></iframe>",
    "/c.html": "<title>C</title><p>c",
}
GIF = bytes.fromhex("47494638396101000100800000000000ffffff21f90401000000002c00000000010001000002024401003b")

seen = []  # (path, via) of every request the page server answered
seen_lock = threading.Lock()


class PageHandler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        with seen_lock:
            seen.append((self.path, self.headers.get("X-Test-Via", "")))
        if self.path == "/pic.gif":
            body, kind = GIF, "image/gif"
        elif self.path in PAGES:
            body, kind = ("<!DOCTYPE html><meta charset=utf-8>" + PAGES[self.path]).encode(), "text/html"
        else:
            self.send_error(404)
            return
        self.send_response(200)
        self.send_header("Content-Type", kind)
        self.send_header("Cache-Control", "no-store")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def proxy_server(name, hits):
    """An HTTP proxy that forwards plain GETs to the origin, marking them with its name."""
    direct = urllib.request.build_opener(urllib.request.ProxyHandler({}))

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            hits.append(self.path)
            request = urllib.request.Request(self.path, headers={"X-Test-Via": name})
            try:
                with direct.open(request, timeout=10) as answer:
                    body, status, kind = answer.read(), answer.status, answer.headers.get("Content-Type")
            except urllib.error.HTTPError as error:
                body, status, kind = b"", error.code, "text/plain"
            self.send_response(status)
            self.send_header("Content-Type", kind)
            self.send_header("Cache-Control", "no-store")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def refused_port():
    """A port on 127.0.0.1 where nothing listens."""
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return port


def since(mark):
    with seen_lock:
        return list(seen[mark:])


def choose_proxy(name):
    """Opens "プロキシ サーバー(X)" and activates its check item called `name`."""
    if not choose_menu("ツール(T)", "プロキシ サーバー(X)"):
        return False
    item = wait_for(lambda: named(["CHECK_MENU_ITEM"], name), 10)
    if item is not None:
        Atspi.Action.do_action(item, 0)
        time.sleep(0.3)
    return item is not None


def refresh_all_and_wait(mark, want):
    """Reloads every tab; the requests the page server answered from then on, once the
    pages' `want` paths have all come."""
    choose_menu("タブ(T)", "すべて更新(A)")
    wait_for(lambda: want <= {p for p, _ in since(mark)}, 20)
    time.sleep(1.0)  # what the pages load after their documents
    return since(mark)


def main():
    pages = http.server.ThreadingHTTPServer(("127.0.0.1", 0), PageHandler)
    threading.Thread(target=pages.serve_forever, daemon=True).start()
    base = "http://127.0.0.1:%d" % pages.server_address[1]
    hits1, hits2 = [], []
    p1, p2 = proxy_server("first", hits1), proxy_server("second", hits2)
    work, env, data = scratch("fern-proxy-")
    ini = ""
    for i, (name, port) in enumerate((("first", p1.server_address[1]), ("second", p2.server_address[1]),
                                      ("refuses", refused_port()))):
        ini += "[Proxy_%d]\r\nProxyName=%s\r\nProxyServer=127.0.0.1:%d\r\nProxyOverride=\r\n" % (i, name, port)
    write_file(data + "/proxy.ini", ini)
    write_file(data + "/fern.ini", "[Proxy]\r\nProxyConnect=2\r\nProxyIndex=-1\r\n")
    want = want_pages = {"/a.html", "/b.html", "/c.html", "/pic.gif"}

    fern = start(FERN, data, env, base + "/a.html", base + "/b.html")
    try:
        check(wait_for(lambda: tab_texts() == ["A", "B"]), "two tabs open directly: %r" % tab_texts())
        check(all(via == "" for _, via in since(0)), "a direct start asks no proxy")

        mark = len(seen)
        check(choose_proxy("1 first"), "the first proxy's item is in the menu")
        got = refresh_all_and_wait(mark, want)
        check(want <= {p for p, _ in got}, "every page and image came again: %r" % got)
        check(got and all(via == "first" for _, via in got), "all of them through the first proxy: %r" % got)
        check(b"ProxyConnect=4" in read_file(data + "/fern.ini") and b"ProxyIndex=0" in read_file(data + "/fern.ini"),
              "the choice is kept in fern.ini")

        mark, before1 = len(seen), len(hits1)
        choose_proxy("2 second")
        got = refresh_all_and_wait(mark, want)
        check(got and all(via == "second" for _, via in got), "then all through the second: %r" % got)
        check(len(hits1) == before1, "and none through the first")
        tools = wait_for(lambda: named(["MENU"], "ツール(T)"))
        Atspi.Action.do_action(tools, 0)
        Atspi.Action.do_action(wait_for(lambda: named(["MENU"], "プロキシ サーバー(X)")), 0)
        time.sleep(0.5)
        second, direct = named(["CHECK_MENU_ITEM"], "2 second"), named(["CHECK_MENU_ITEM"], "ダイレクトに接続(D)")
        check(second is not None and checked(second) and direct is not None and not checked(direct),
              "the menu checks the second proxy only")
        screenshot(env, OUT_DIR, "gui-proxy-menu.png")
        xdo(env, "key", "Escape", "Escape", "Escape")
        time.sleep(0.3)

        mark, before1, before2 = len(seen), len(hits1), len(hits2)
        choose_proxy("ダイレクトに接続(D)")
        got = refresh_all_and_wait(mark, want)
        check(got and all(via == "" for _, via in got), "direct again: no request through a proxy: %r" % got)
        check(len(hits1) == before1 and len(hits2) == before2, "and neither proxy was asked")

        mark = len(seen)
        choose_proxy("3 refuses")
        choose_menu("タブ(T)", "すべて更新(A)")
        time.sleep(3)
        check(since(mark) == [], "nothing reaches the page server past a refusing proxy")
        check(wait_for(lambda: tab_texts() is not None and "A" not in tab_texts(), 20),
              "the tab shows the engine's error page instead of waiting: %r" % tab_texts())
        screenshot(env, OUT_DIR, "gui-proxy-refused.png")
        check(fern.poll() is None, "the browser runs on")

        # The dialog: a new entry with its own port, saved in four-line groups.
        choose_menu("ツール(T)", "プロキシ サーバー(X)", "プロキシ サーバーの設定(O)")
        dialog = wait_for(lambda: (showing_windows(["DIALOG"], "プロキシ サーバーの設定") or [None])[0], 10)
        check(dialog is not None, "the proxy dialog opens")
        if dialog is not None:
            press(dialog, "追加(A)")
            time.sleep(0.3)
            fields = {n: named(["TEXT"], n, dialog) for n in ("タイトル(T)", "HTTP サーバー", "HTTP ポート", "Secure ポート")}
            check(all(fields.values()), "its fields are named: %r" % [k for k, v in fields.items() if not v])
            if all(fields.values()):
                Atspi.EditableText.set_text_contents(fields["タイトル(T)"], "追加した")
                Atspi.EditableText.set_text_contents(fields["HTTP サーバー"], "127.0.0.1")
                Atspi.EditableText.insert_text(fields["HTTP ポート"], 0, "%d" % p2.server_address[1], -1)
                Atspi.EditableText.insert_text(fields["Secure ポート"], 0, "12ab", -1)
            exceptions = named(["TEXT"], "次で始まるアドレスにはプロキシを使用しない(N)", dialog)
            if exceptions is not None:
                Atspi.EditableText.set_text_contents(exceptions, "*.bad.*;intra.example")
            time.sleep(0.3)
            check(any("適用できない例外" in t and "*.bad.*" in t and "intra" not in t for t in labels(dialog)),
                  "an exception the engine cannot apply is named: %r" % labels(dialog)[-3:])
            screenshot(env, OUT_DIR, "gui-proxy-dialog.png")
            press(dialog, "OK")
            check(wait_for(lambda: not showing_windows(["DIALOG"], "プロキシ サーバーの設定"), 10), "OK closes it")
            ini = read_file(data + "/proxy.ini")
            want = ("[Proxy_3]\r\nProxyName=追加した\r\nProxyServer=http=127.0.0.1:%d\r\nProxyOverride=*.bad.*;intra.example\r\n"
                    % p2.server_address[1]).encode("cp932")
            check(ini.endswith(want) and ini.startswith(b"[Proxy_0]\r\nProxyName=first\r\n"),
                  "proxy.ini is written with the new entry, no port made of letters: %r" % ini[-120:])
            mark = len(seen)
            check(choose_proxy("4 追加した"), "the menu has the new entry")
            got = refresh_all_and_wait(mark, want_pages)
            check(got and all(via == "second" for _, via in got), "and it applies: %r" % got)
    finally:
        code = stop(fern)
        for server in (pages, p1, p2):
            server.shutdown()
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
