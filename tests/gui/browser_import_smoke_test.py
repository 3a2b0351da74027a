#!/usr/bin/python3
"""Direct import in the real browser under Xvfb: with a Firefox profile and a Chrome profile
below HOME, "ブラウザから取り込み(W)..." of the ファイル menu lists both; importing the chosen
Firefox profile tells how many items came and the bookmark file written at the end holds
them in their folders, in their stored order. Run inside dbus-run-session and xvfb-run."""

import os
import sqlite3
import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)

FERN, OUT_DIR = sys.argv[1], sys.argv[2]


def make_firefox(home):
    folder = os.path.join(home, ".mozilla/firefox/x1.default-release")
    os.makedirs(folder)
    write_file(os.path.join(home, ".mozilla/firefox/profiles.ini"),
               "[Profile0]\nName=default-release\nIsRelative=1\nPath=x1.default-release\nDefault=1\n")
    db = sqlite3.connect(os.path.join(folder, "places.sqlite"))
    db.executescript("""
        CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, guid TEXT);
        CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL,
            parent INTEGER, position INTEGER, title LONGVARCHAR, keyword_id INTEGER, folder_type TEXT,
            dateAdded INTEGER, lastModified INTEGER, guid TEXT);
        INSERT INTO moz_places VALUES (1, 'https://first.example/', 'First', 'a'),
                                      (2, 'https://second.example/', 'Second', 'b');
        INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, dateAdded, guid) VALUES
            (1, 2, NULL, 0, 0, '', 0, 'root________'), (2, 2, NULL, 1, 0, 'menu', 0, 'menu________'),
            (3, 2, NULL, 1, 1, 'toolbar', 0, 'toolbar_____'), (4, 2, NULL, 1, 2, 'tags', 0, 'tags________'),
            (5, 2, NULL, 1, 3, 'unfiled', 0, 'unfiled_____'), (6, 2, NULL, 1, 4, 'mobile', 0, 'mobile______'),
            (10, 1, 2, 11, 1, '二番目', 1700000000000000, 'c'),
            (11, 2, NULL, 3, 0, '仕事', 1700000000000000, 'd'),
            (12, 1, 1, 11, 0, '一番目', 1700000000000000, 'e'),
            (13, 1, 1, 6, 0, 'モバイル', 1700000000000000, 'f');
    """)
    db.commit()
    db.close()


def main():
    work, env, data = scratch("fern-bkimport-")
    make_firefox(env["HOME"])
    make_chrome_profile(env["HOME"])
    fern = start(FERN, data, env, "about:blank")
    try:
        check(wait_for(lambda: fern_app() is not None and tab_list() is not None), "the browser is up")
        time.sleep(1)
        check(choose_menu("ファイル(F)", "ブラウザから取り込み(W)..."), "the file menu has ブラウザから取り込み(W)...")
        dialog = wait_for(lambda: (showing_windows(["DIALOG"], "ブラウザから取り込み") or [None])[0], 10)
        check(dialog is not None, "the profile chooser opens")
        if dialog is None:
            return 1
        table = wait_for(lambda: find(dialog, lambda a: a.get_name() == "プロファイル" and
                                      a.get_role() in (Atspi.Role.TABLE, Atspi.Role.TREE_TABLE)), 10)
        rows = [Atspi.Table.get_accessible_at(table, r, 0).get_name()
                for r in range(Atspi.Table.get_n_rows(table))] if table else []
        check(rows == ["Firefox", "Google Chrome"], "both profiles are offered, Firefox first: %r" % rows)
        time.sleep(0.3)
        screenshot(env, OUT_DIR, "gui-browser-import.png")
        press(dialog, "取り込む(I)")
        told = wait_for(lambda: message_window(lambda w: any("取り込みました" in t for t in labels(w))), 10)
        check(told is not None and any("6 個" in t for t in labels(told)),
              "the import tells its count: %r" % (labels(told) if told else None))
        if told is not None:
            press(told, "OK")
    finally:
        code = stop(fern)
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    text = read_file(data + "/bookmark.fbl").decode("cp932", errors="replace")
    names = [line.split("=", 1)[1] for line in text.splitlines() if line.startswith("\tNAME=")]
    want = ["ブックマーク ツールバー", "仕事", "一番目", "二番目", "モバイルのブックマーク", "モバイル"]
    at = names.index(want[0]) if want[0] in names else -1
    check(at > 0 and names[at:at + len(want)] == want, "the bookmark file holds them in order: %r" % names)
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
