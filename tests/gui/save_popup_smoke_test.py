#!/usr/bin/python3
""""名前をつけて保存" and the blocked pop-up bar in the real browser under Xvfb, from a page
server on 127.0.0.1: the command saves an HTML page as one MHTML file (its image inside)
and an image as its own bytes, under the page's title, in the folder used last; the tools
menu opens the downloads window, whose check box stores DLStyle; a page
whose window.open() goes to a listed address shows one bar counting its blocked pop-ups,
with their addresses, and "開く" opens one in a new tab past the filter; the bar goes with
the page's next navigation; close.fbl is not changed by any of it. Run inside
dbus-run-session and xvfb-run. Arguments: FERN OUT_DIR."""

import os
import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)

FERN, OUT_DIR = sys.argv[1], sys.argv[2]
PNG = bytes.fromhex("89504e470d0a1a0a0000000d49484452000000010000000108060000001f15c489"
                    "0000000d4944415478da63f8cfc0f01f0005000201a5f1c9a60000000049454e44ae426082")

PAGES = {
    "/page.html": "<title>保存テスト: ページ</title><h1>保存される本文</h1><img src=/pic.png>",
    # Three refused windows (two to one address), then, later, the page moves on.
    "/opener.html": "<title>開く側</title><p>opener<script>"
                    "window.open('/ad.html'); window.open('/ad.html'); window.open('/ad2.html');"
                    "setTimeout(function(){ location = '/page.html' }, 12000)</script>",
    "/ad.html": "<title>広告</title><p>ad",
    "/ad2.html": "<title>広告2</title><p>ad",
}


def select_tab(text):
    tabs = tab_list()
    for i in range(tabs.get_child_count() if tabs else 0):
        tab = tabs.get_child_at_index(i)
        if tab is not None and tab.get_name() == text:
            Atspi.Action.do_action(tab, 0)
            return True
    return False


def popup_bar():
    bar = named(["INFO_BAR", "ALERT", "PANEL"], "ポップアップ ブロック")
    if bar is None or not bar.get_state_set().contains(Atspi.StateType.SHOWING):
        return None
    return bar


def main():
    server, base = serve(PAGES, {"/pic.png": (PNG, "image/png")})
    work, env, data = scratch("fern-savepopup-")
    saved = work + "/home/saved"
    os.makedirs(saved)
    close = ("#INFO\r\n\tENCODE=SHIFT_JIS\r\n\tVERSION=1\r\n\r\n"
             "#FOLDER\r\n\tNAME=closeurl\r\n\r\n#URL\r\n\tURL=%s/ad*\r\n\r\n-\r\n\r\n"
             "#FOLDER\r\n\tNAME=closetitle\r\n\r\n-\r\n\r\n" % base)
    write_file(data + "/close.fbl", close)
    write_file(data + "/fern.ini", "[FileDlg]\r\nFDStyle=4\r\nFDSavePath=%s\r\n[CloseUrl]\r\nCOUStyle=1\r\n" % saved)
    fern = start(FERN, data, env, base + "/page.html", base + "/pic.png")
    try:
        check(wait_for(lambda: tab_texts() and len(tab_texts()) == 2 and tab_texts()[0] == "保存テスト: ページ"),
              "the page and the image load: %r" % tab_texts())
        # 1. The HTML page: one MHTML file under its title.
        select_tab("保存テスト: ページ")
        time.sleep(0.5)
        choose_menu("ファイル(F)", "名前をつけて保存(A)...")
        check(save_in_chooser(), "名前をつけて保存 opens the chooser in the folder used last")
        mhtml = saved + "/保存テスト: ページ.mhtml"
        check(wait_for(lambda: os.path.exists(mhtml), 15), "the page is saved as its title + .mhtml: %r" % os.listdir(saved))
        body = read_file(mhtml)
        check(b"multipart/related" in body and b"/pic.png" in body,
              "it is one MHTML file with the page's image inside")
        # 2. The image: its own bytes.
        image_tab = [t for t in tab_texts() if t != "保存テスト: ページ"][0]
        select_tab(image_tab)
        time.sleep(0.5)
        choose_menu("ファイル(F)", "名前をつけて保存(A)...")
        check(save_in_chooser(), "the chooser opens for the image")
        check(wait_for(lambda: os.path.exists(saved + "/pic.png"), 15), "the image is saved as pic.png: %r" % os.listdir(saved))
        check(read_file(saved + "/pic.png") == PNG, "with exactly its bytes")
        check(not [n for n in os.listdir(saved) if n.endswith(".part")], "no part file is left")

        # The downloads window from the tools menu, empty so far.
        choose_menu("ツール(T)", "ダウンロード(D)")
        window = wait_for(lambda: (showing_windows(["FRAME", "WINDOW"], "ダウンロード") or [None])[0], 10)
        check(window is not None and "ダウンロードはありません" in labels_of(window),
              "ダウンロード(D) opens the downloads window: %r" % (labels_of(window) if window else None))
        box = named(["CHECK_BOX"], "ダウンロード開始時にこのウィンドウを開く(W)", window) if window else None
        if box is not None:
            Atspi.Action.do_action(box, 0)
        check(wait_for(lambda: b"DLStyle=0" in read_file(data + "/fern.ini"), 5),
              "its check box stores DLStyle at once")

        # 3. The pop-up bar.
        hand_off(FERN, data, env, base + "/opener.html")
        check(wait_for(lambda: "開く側" in (tab_texts() or [])), "the opener loads: %r" % tab_texts())
        select_tab("開く側")
        bar = wait_for(popup_bar, 10)
        check(bar is not None, "a bar tells of the blocked pop-ups")
        texts = labels_of(bar) if bar else []
        check("ポップアップを 3 件ブロックしました" in texts, "it counts them: %r" % texts)
        check("広告" not in (tab_texts() or []), "the pop-ups show no tab: %r" % tab_texts())
        expander = named(["TOGGLE_BUTTON", "PUSH_BUTTON"], "ブロックしたアドレス", bar) if bar else None
        if expander is not None:
            Atspi.Action.do_action(expander, 0)
        row = wait_for(lambda: named(["LIST_ITEM"], base + "/ad.html", bar), 5) if bar else None
        check(row is not None and named(["LIST_ITEM"], base + "/ad2.html", bar) is not None,
              "it lists each address once")
        time.sleep(1)
        screenshot(env, OUT_DIR, "gui-popup-bar.png")
        if row is not None:
            press(row, "開く")
        check(wait_for(lambda: "広告" in (tab_texts() or []), 10), "開く opens it in a new tab past the filter: %r" % tab_texts())
        check(wait_for(lambda: named(["LIST_ITEM"], base + "/ad.html", bar) is None, 5),
              "and it leaves the list (it opens once)")
        select_tab("開く側")
        check(wait_for(lambda: popup_bar() is None and "開く側" not in (tab_texts() or []), 20),
              "the bar goes with the page's next navigation: %r" % tab_texts())
    finally:
        code = stop(fern)
        server.shutdown()
    check(code == 0, "SIGTERM ends the browser (exit %r)" % code)
    check(read_file(data + "/close.fbl") == close.encode("cp932"), "close.fbl is as it was")
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
