#!/usr/bin/python3
"""The history in the real browser: a damaged history.db is moved aside with a message
and a new one made; three pages visited from 127.0.0.1 are recorded with their titles
under today's date and their site, the text of each kept; the tools menu clears the
shown site's history and then all of it, text and bytes included. Run inside
dbus-run-session and xvfb-run."""

import glob
import os
import sqlite3
import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

PAGES = {
    "/one.html": "<title>一つ目</title><p>最初のページの本文",
    "/two.html": "<title>二つ目</title><p>二番目のページには合言葉があります",
    "/three.html": "<title>三つ目</title><p>三つ目のページ",
}


def rows(data, sql, *args):
    """Rows of a query on history.db as the browser left it (read only)."""
    try:
        db = sqlite3.connect("file:%s/history.db?mode=ro" % data, uri=True, timeout=5)
        try:
            return db.execute(sql, args).fetchall()
        finally:
            db.close()
    except sqlite3.Error as error:
        print("note: %s" % error, flush=True)
        return None


def message_box(words):
    """Our message box holding `words` (GTK names the box by its kind, not its caption)."""
    return message_window(lambda w: words in dialog_text(w))


def dialog_text(dialog):
    return " ".join(labels(dialog))


def press(dialog, names):
    button = find(dialog, lambda a: a.get_role() == Atspi.Role.PUSH_BUTTON and a.get_name() in names)
    if button is not None:
        Atspi.Action.do_action(button, 0)
    return button is not None


def clear_from_menu(item):
    tools = wait_for(lambda: named(["MENU"], "ツール(T)"))
    Atspi.Action.do_action(tools, 0)
    clear = wait_for(lambda: named(["MENU"], "履歴を消去(H)"))
    Atspi.Action.do_action(clear, 0)
    entry = wait_for(lambda: named(["MENU_ITEM"], item))
    Atspi.Action.do_action(entry, 0)
    return wait_for(lambda: message_box("消去します"))


def file_bytes(data):
    return read_file(data + "/history.db") + read_file(data + "/history.db-wal")


def main():
    server, base = serve(PAGES)
    work, env, data = scratch("fern-history-")
    write_file(data + "/history.db", b"\0" * 8192)
    write_file(data + "/typed.fbl", "#INFO\r\n\tENCODE=SHIFT_JIS\r\n\r\n")

    fern = start(FERN, data, env, base + "/one.html")
    try:
        box = wait_for(lambda: message_box("壊れていた"))
        check(box is not None, "a zero-filled history.db is reported")
        aside = glob.glob(data + "/history.db.broken-*")
        check(len(aside) == 1 and read_file(aside[0]) == b"\0" * 8192, "and moved aside whole: %r" % aside)
        check(read_file(data + "/typed.fbl") == "#INFO\r\n\tENCODE=SHIFT_JIS\r\n\r\n".encode(),
              "nothing else in the data folder is touched")
        if box is not None:
            press(box, ("OK", "_OK"))

        check(wait_for(lambda: tab_texts() == ["一つ目"]), "the first page loads: %r" % tab_texts())
        for page, count in (("/two.html", 2), ("/three.html", 3)):
            check(hand_off(FERN, data, env, base + page) == 0, "a later start hands over %s" % page)
            check(wait_for(lambda c=count: len(tab_texts() or []) == c), "%s opens: %r" % (page, tab_texts()))

        recorded = wait_for(lambda: (rows(data, "SELECT url, title, site, visit_count FROM pages ORDER BY id") or [None] * 9)
                            if len(rows(data, "SELECT 1 FROM pages p JOIN cache c ON c.page = p.id") or []) == 3
                            and len(rows(data, "SELECT 1 FROM pages WHERE title <> ''") or []) == 3 else None)
        check(recorded == [(base + "/one.html", "一つ目", "127.0.0.1", 1),
                           (base + "/two.html", "二つ目", "127.0.0.1", 1),
                           (base + "/three.html", "三つ目", "127.0.0.1", 1)],
              "the three visits with their titles and site: %r" % recorded)
        today = rows(data, "SELECT COUNT(*) FROM pages WHERE date(last_visit, 'unixepoch', 'localtime') = "
                           "date('now', 'localtime')")
        check(today == [(3,)], "all three last visited today: %r" % today)
        kept = rows(data, "SELECT c.code, c.bytes FROM cache c JOIN pages p ON p.id = c.page WHERE p.url = ?",
                    base + "/two.html")
        check(kept and kept[0][0] == 4 and "合言葉".encode("utf-8") in kept[0][1],
              "the second page's bytes are kept, read as UTF-8: %r" % (kept[0][0] if kept else None))
        screenshot(env, OUT_DIR, "gui-history.png")

        dialog = clear_from_menu("表示中のサイトの履歴(S)...")
        check(dialog is not None and "127.0.0.1 の履歴を消去します" in dialog_text(dialog),
              "clearing the shown site asks first: %r" % (dialog_text(dialog) if dialog else None))
        if dialog is not None:
            press(dialog, ("Yes", "_Yes", "はい", "はい(_Y)"))
        check(wait_for(lambda: rows(data, "SELECT COUNT(*) FROM pages") == [(0,)]), "the site's pages are gone")
        check(rows(data, "SELECT COUNT(*) FROM cache") == [(0,)], "with their bytes")
        check(wait_for(lambda: "合言葉".encode("utf-8") not in file_bytes(data)),
              "and no piece of their text is left in the files")

        check(hand_off(FERN, data, env, base + "/one.html") == 0, "a page visited again")
        check(wait_for(lambda: rows(data, "SELECT COUNT(*) FROM pages") == [(1,)]), "is recorded again")
        dialog = clear_from_menu("すべての履歴(A)...")
        if dialog is not None:
            press(dialog, ("Yes", "_Yes", "はい", "はい(_Y)"))
        check(wait_for(lambda: rows(data, "SELECT COUNT(*) FROM pages") == [(0,)]), "clearing all empties the history")
    finally:
        code = stop(fern)
        server.shutdown()
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    check(rows(data, "PRAGMA quick_check") == [("ok",)], "history.db is whole after the end")
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
