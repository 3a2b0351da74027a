#!/usr/bin/python3
"""Downloads in the real browser under Xvfb, from a page server on 127.0.0.1: a page that
redirects itself to an attachment leaves no file anywhere under HOME until the question is
answered and none after "キャンセル"; an application/octet-stream link asks too, and "保存(S)"
writes exactly the served bytes (50 MB, by hash) through "NAME.part" into the folder used
last (FDSavePath) while the downloads window shows it; names with separators, "..", 10,000
characters or stray bytes are saved under safe names in that folder only; a body shorter
than announced fails, a longer one is cut to the announced size; a connection cut in the middle ends
as 失敗 with no file that looks complete; a download goes on when its tab closes; a page
that starts 100 downloads shows one question, and "すべてキャンセル" ends them all; "終了"
asks while a download runs, and the end of the browser leaves no part file; a full disk
(a 1 MB tmpfs, where one can be mounted) ends as 失敗 with the reason. Run inside
dbus-run-session and xvfb-run. Arguments: FERN OUT_DIR."""

import hashlib
import http.server
import os
import socket
import subprocess
import sys
import threading
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)

FERN, OUT_DIR = sys.argv[1], sys.argv[2]
BIG = 50 * 1024 * 1024
CHUNK = 256 * 1024
BLOCK = os.urandom(CHUNK)
BIG_HASH = hashlib.sha256(BLOCK * (BIG // CHUNK)).hexdigest()

PAGES = {
    # The address bar's own load finishes first; then the page sends itself elsewhere.
    "/redirect.html": "<title>転送</title><script>setTimeout(function(){location='/dropped.sh'}, 1500)</script>",
    "/link.html": "<title>リンク</title><a id=a href='/big.bin'>big</a>"
                  "<script>setTimeout(function(){document.getElementById('a').click()}, 500)</script>",
    # One download after another; clicks in one go would replace each other.
    "/flood.html": "<title>洪水</title><script>var i = 0; var t = setInterval(function(){"
                   "var a = document.createElement('a'); a.href = '/flood/' + i + '.bin'; a.download = 'f' + i + '.bin';"
                   "document.body.appendChild(a); a.click(); if (++i == 100) clearInterval(t);}, 30)</script>",
    "/plain.html": "<title>普通</title><p>plain",
}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def head(self, kind, length, extra=()):
        self.send_response(200)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(length))
        for name, value in extra:
            self.send_header(name, value)
        self.end_headers()

    def do_GET(self):
        path = self.path
        if path in PAGES:
            body = ("<!DOCTYPE html><meta charset=utf-8>" + PAGES[path]).encode("utf-8")
            self.head("text/html; charset=utf-8", len(body))
            self.wfile.write(body)
        elif path == "/dropped.sh":
            body = b"#!/bin/sh\necho dropped\n"
            self.head("application/x-sh", len(body), [("Content-Disposition", 'attachment; filename="dropped.sh"')])
            self.wfile.write(body)
        elif path in ("/big.bin", "/slow.bin"):
            # Slow enough to watch the part file; /slow.bin takes about 25 s.
            pause = 0.012 if path == "/big.bin" else 0.12
            self.head("application/octet-stream", BIG)
            try:
                for _ in range(BIG // CHUNK):
                    self.wfile.write(BLOCK)
                    time.sleep(pause)
            except OSError:
                pass
        elif path == "/cut.bin":
            self.head("application/octet-stream", BIG)
            self.wfile.write(BLOCK * 8)
            self.wfile.flush()
            time.sleep(1.0)
            self.connection.shutdown(socket.SHUT_RDWR)
            self.close_connection = True
        elif path.startswith("/name/"):
            # Names a server may suggest: separators, a dot file above the folder,
            # 10,000 characters, bytes that are no UTF-8.
            names = {"slash": b"a/b\\c.sh", "dots": b"../../.bashrc", "long": b"x" * 10000 + b".bin",
                     "bytes": b"\xff\xfe\x83.bin"}
            disposition = b'attachment; filename="' + names[path[len("/name/"):]] + b'"'
            self.head("application/octet-stream", 5, [("Content-Disposition", disposition.decode("latin-1"))])
            self.wfile.write(b"named")
        elif path == "/lie/short":
            # Announces more than it sends, then closes.
            self.head("application/octet-stream", 100000)
            self.wfile.write(b"s" * 50000)
            self.wfile.flush()
            self.connection.shutdown(socket.SHUT_RDWR)
            self.close_connection = True
        elif path == "/lie/long":
            # Sends more than it announces.
            self.head("application/octet-stream", 10)
            self.wfile.write(b"L" * 20)
        elif path.startswith("/flood/"):
            body = b"flood"
            self.head("application/octet-stream", len(body))
            self.wfile.write(body)
        else:
            self.send_error(404)

    def log_message(self, *args):
        pass


def downloads_window():
    found = showing_windows(["FRAME", "WINDOW", "DIALOG"], "ダウンロード")
    return found[0] if found else None


def row(name_and_state):
    window = downloads_window()
    return named(["LIST_ITEM"], name_and_state, window) if window else None


def files_under(folder):
    found = set()
    for root, dirs, names in os.walk(folder):
        for n in names:
            found.add(os.path.join(root, n))
    return found


def main():
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    # Downloads cancelled mid-way reset their connections: no traceback for that.
    server.handle_error = lambda *args: None
    threading.Thread(target=server.serve_forever, daemon=True).start()
    base = "http://127.0.0.1:%d" % server.server_address[1]
    work, env, data = scratch("fern-download-")
    home, saved = work + "/home", work + "/home/saved"
    os.makedirs(saved)
    write_file(data + "/fern.ini", "[FileDlg]\r\nFDStyle=4\r\nFDSavePath=%s\r\n" % saved)
    fern = start(FERN, data, env, base + "/plain.html")
    try:
        check(wait_for(lambda: tab_texts() == ["普通"]), "the browser shows its first page")
        # 1. A page that sends itself to an attachment: a question, and no file.
        before = files_under(home)
        hand_off(FERN, data, env, base + "/redirect.html")
        check(wait_for(lambda: len(download_questions()) == 1, 20), "an attachment asks first")
        question = download_questions()[0] if download_questions() else None
        texts = labels_of(question)
        check("名前: dropped.sh" in texts and "発信元: 127.0.0.1" in texts and "サイズ: 23 バイト" in texts,
              "the question names the file, its site and size: %r" % texts)
        screenshot(env, OUT_DIR, "gui-download-question.png")
        new = files_under(home) - before
        check(not any("dropped" in f or f.endswith((".part", ".wkdownload")) for f in new),
              "nothing is written while the question waits: %r" % sorted(new))
        press(question, "キャンセル")
        check(wait_for(lambda: not download_questions(), 5), "キャンセル closes the question")
        time.sleep(1)
        new = files_under(home) - before
        check(not any("dropped" in f for f in new) and not os.listdir(saved),
              "nothing is written after キャンセル: %r" % sorted(new))

        # 2. A link to application/octet-stream: saved whole, through a part file.
        hand_off(FERN, data, env, base + "/link.html")
        check(wait_for(lambda: len(download_questions()) == 1, 20), "an application/octet-stream link asks too")
        press(download_questions()[0], "保存(S)")
        check(save_in_chooser(), "the chooser opens in the folder used last with the name proposed")
        saw_part = wait_for(lambda: os.path.exists(saved + "/big.bin.part") and not os.path.exists(saved + "/big.bin"), 10)
        check(saw_part, "while it runs the data goes to big.bin.part, and big.bin does not exist")
        window = wait_for(downloads_window, 10)
        check(window is not None, "the downloads window opens when the download starts")
        check(wait_for(lambda: row("big.bin 進行中"), 10) is not None, "its row says 進行中")
        screenshot(env, OUT_DIR, "gui-downloads-running.png")
        check(wait_for(lambda: row("big.bin 完了"), 60) is not None, "and then 完了")
        digest = hashlib.sha256(read_file(saved + "/big.bin")).hexdigest()
        check(digest == BIG_HASH, "big.bin holds exactly the served 50 MB")
        check(sorted(os.listdir(saved)) == ["big.bin"], "no part file is left: %r" % os.listdir(saved))

        # Bad names and lying sizes: files only in the chosen folder, no crash.
        for kind in ("slash", "dots", "long", "bytes"):
            hand_off(FERN, data, env, base + "/name/" + kind)
            question = wait_for(lambda: (download_questions() or [None])[0], 20)
            name = [t for t in labels_of(question) if t.startswith("名前: ")] if question else []
            check(name and "/" not in name[0] and len(name[0].encode()) <= 255 + len("名前: ".encode()),
                  "the %s name is proposed as one safe name: %r" % (kind, name[0][:60] if name else None))
            if question is not None:
                press(question, "保存(S)")
                save_in_chooser()
            wait_for(lambda: not download_questions(), 10)
        check(wait_for(lambda: len([n for n in os.listdir(saved) if not n.endswith((".part", ".wkdownload"))]) == 5, 20),
              "each is saved in the chosen folder: %r" % [n[:40] for n in os.listdir(saved)])
        check(all(len(n.encode()) <= 255 for n in os.listdir(saved)) and "bashrc" in os.listdir(saved),
              "under its safe name (../../.bashrc as bashrc)")
        check(not os.path.exists(home + "/.bashrc") and not os.path.exists(work + "/.bashrc"),
              "nothing is written above the chosen folder")
        for lie in ("short", "long"):
            hand_off(FERN, data, env, base + "/lie/" + lie)
            question = wait_for(lambda: (download_questions() or [None])[0], 20)
            if question is not None:
                press(question, "保存(S)")
                save_in_chooser()
        check(wait_for(lambda: row("short 失敗"), 20) is not None and not os.path.exists(saved + "/short"),
              "a body shorter than announced ends as 失敗 and leaves no file")
        check(wait_for(lambda: row("long 完了"), 20) is not None and read_file(saved + "/long") == b"L" * 10,
              "a body longer than announced keeps the announced bytes")
        for name in os.listdir(saved):
            if name != "big.bin":
                os.remove(os.path.join(saved, name))

        # 3. A connection cut in the middle.
        hand_off(FERN, data, env, base + "/cut.bin")
        check(wait_for(lambda: len(download_questions()) == 1, 20), "the cut download asks")
        press(download_questions()[0], "保存(S)")
        save_in_chooser()
        failed = wait_for(lambda: row("cut.bin 失敗"), 30)
        check(failed is not None, "a cut connection ends as 失敗")
        check(failed is not None and any("接続が切れました" in t for t in labels_of(failed)),
              "with the reason: %r" % (labels_of(failed) if failed else None))
        check(sorted(os.listdir(saved)) == ["big.bin"], "and no file that looks complete: %r" % os.listdir(saved))
        screenshot(env, OUT_DIR, "gui-downloads-failed.png")

        # 4. A download goes on when its tab closes; closing the browser asks.
        hand_off(FERN, data, env, base + "/slow.bin")
        check(wait_for(lambda: len(download_questions()) == 1, 20), "the slow download asks")
        press(download_questions()[0], "保存(S)")
        save_in_chooser()
        check(wait_for(lambda: row("slow.bin 進行中"), 10) is not None, "the slow download runs")
        tabs = tab_list()
        last = tabs.get_child_at_index(tabs.get_child_count() - 1) if tabs else None
        if last is not None:
            Atspi.Action.do_action(last, 0)
        time.sleep(0.5)
        before_close = tab_texts()
        choose_menu("ファイル(F)", "閉じる(C)")
        check(wait_for(lambda: len(tab_texts() or []) == len(before_close) - 1, 5), "its tab closes")
        time.sleep(1)
        check(row("slow.bin 進行中") is not None and os.path.exists(saved + "/slow.bin.part"),
              "it goes on when its tab closes: %r" % tab_texts())
        choose_menu("ファイル(F)", "終了(X)")
        box = wait_for(exit_question, 10)
        check(box is not None and any("実行中" in t for t in labels_of(box)),
              "終了 asks while a download runs: %r" % (labels_of(box) if box else None))
        if box is not None:
            no = find(box, lambda a: a.get_role() == Atspi.Role.PUSH_BUTTON and a.get_name() in ("No", "いいえ(N)", "いいえ"))
            if no is not None:
                Atspi.Action.do_action(no, 0)
        time.sleep(1)
        check(fern.poll() is None and row("slow.bin 進行中") is not None, "いいえ keeps the browser and the download")

        # 5. One page, 100 downloads: one question at a time.
        hand_off(FERN, data, env, base + "/flood.html")
        check(wait_for(lambda: len(download_questions()) == 1, 20), "a page that starts 100 downloads shows one question")
        time.sleep(5)
        check(len(download_questions()) == 1, "and only one: %d" % len(download_questions()))
        flood = download_questions()[0] if download_questions() else None
        waiting = [t for t in labels_of(flood) if "待っています" in t]
        check(waiting != [], "it says how many wait behind it: %r" % waiting)
        screenshot(env, OUT_DIR, "gui-download-flood.png")
        if flood is not None:
            press(flood, "すべてキャンセル")
        time.sleep(4)
        check(not download_questions(), "すべてキャンセル ends them all, and the page's later ones ask nothing")
        check(not any(n.startswith("f") for n in os.listdir(saved)), "none of them wrote a file")
    finally:
        code = stop(fern)
    check(code == 0, "SIGTERM ends the browser (exit %r)" % code)
    left = sorted(os.listdir(saved))
    check(left == ["big.bin"], "the end of the browser removes the running download's part files: %r" % left)
    full_disk(base)
    server.shutdown()
    return finish(work)


def full_disk(base):
    """A folder on a 1 MB file system: the 50 MB download fails with the reason and
    leaves nothing. Needs the right to mount one; skipped without it."""
    work, env, data = scratch("fern-fulldisk-")
    small = work + "/run/small"
    os.makedirs(small)
    if subprocess.run(["mount", "-t", "tmpfs", "-o", "size=1m", "tmpfs", small],
                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode != 0:
        print("skip a full disk: no tmpfs can be mounted here", flush=True)
        finish(work)
        return
    write_file(data + "/fern.ini", "[FileDlg]\r\nFDStyle=4\r\nFDSavePath=%s\r\n" % small)
    fern = start(FERN, data, env, base + "/big.bin")
    try:
        question = wait_for(lambda: (download_questions() or [None])[0], 20)
        if question is not None:
            press(question, "保存(S)")
            save_in_chooser()
        failed = wait_for(lambda: row("big.bin 失敗"), 30)
        check(failed is not None and any("ファイルを書き込めません" in t for t in labels_of(failed)),
              "a full disk ends as 失敗 with the reason: %r" % (labels_of(failed) if failed else None))
        check(os.listdir(small) == [], "and leaves no file: %r" % os.listdir(small))
    finally:
        stop(fern)
    finish(work)


def exit_question():
    app = fern_app()
    for i in range(app.get_child_count() if app else 0):
        w = app.get_child_at_index(i)
        try:
            if w is not None and w.get_role() == Atspi.Role.ALERT and any("実行中" in t for t in labels_of(w)):
                return w
        except Exception:
            pass
    return None


if __name__ == "__main__":
    sys.exit(main())
