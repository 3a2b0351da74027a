#!/usr/bin/python3
"""The options pages of the start, the browser, the address bar, the filters, mail and
the tray in the real browser under Xvfb: on each page one setting is changed and OK
pressed, and exactly the expected key of fern.ini changes (the whole file is compared
before and after); the browser follows without a restart: a close-URL pattern added on
the page blocks the next window.open to it, the user agent reaches the next request of a
page, images switched off in the default set stay off in a new tab, a menu switch turned
while the dialog is open keeps its new value, and a mailto: address is ignored once the
mail page says so. Run inside dbus-run-session and xvfb-run."""

import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]
USER_AGENT = "FernOptions/2.0 (page test)"
PNG = bytes.fromhex("89504e470d0a1a0a0000000d49484452000000010000000108060000001f15c489"
                    "0000000d4944415478da63f8cfc0f01f0005000201a5f1c9a60000000049454e44ae426082")
PAGES = {
    "/a.html": "<title>A</title><img src=/one.png>",
    "/ua.html": "<title>UA</title><p>agent",
    "/img.html": "<title>IMG</title><img src=/two.png>",
    "/opener.html": "<title>OPENER</title><script>window.open('/blocked.html')</script>",
    "/blocked.html": "<title>BLOCKED</title><p>blocked",
}
FILES = {"/one.png": (PNG, "image/png"), "/two.png": (PNG, "image/png")}
seen = []  # (path, user agent)
# Every key of the sections the pages write, with its default: a section is written
# whole, so a key that was missing would show up as a change although it is none.
INI = ("[Startup]\r\nSUStyle=0\r\n"
       "[Browser]\r\nBOStyle=853\r\nBODLCDefault=112\r\nBODLCDefault1=112\r\nBODLCDefault2=112\r\n"
       "BODLCDefault3=112\r\nBODLCDefault4=112\r\nBOHostUIFlags=16384\r\nBOHostUIDblClk=0\r\n"
       "BOHomePageUrl=about:blank\r\nBOCookie=2\r\nBOInetCpl=0\r\nBOUserAgent=\r\nBODDESrvName=FBROWSER\r\n"
       "[AddressBar]\r\nABStyle=10\r\nABUrlLimit=128\r\nABGoBtnText=移動\r\nABAddUrlF=http://www.\r\n"
       "ABAddUrlB=.co.jp\r\n"
       "[FileDlg]\r\nFDStyle=4\r\n"
       "[CloseUrl]\r\nCOUStyle=0\r\nCOTStyle=0\r\nCOCount=0\r\n"
       "[Mail]\r\nMLStyle=0\r\nMLMailerPath=\r\n"
       "[TaskTray]\r\nTTStyle=0\r\nTTIconPath=\r\nTTIconIndex=0\r\nTTInfoTip=unknown\r\nTTHotKey=0\r\n")


def asked(path):
    return [agent for p, agent in list(seen) if p == path]


def changes(before, after):
    return {k: after.get(k) for k in set(before) | set(after) if before.get(k) != after.get(k)}


def showing(acc):
    return acc.get_state_set().contains(Atspi.StateType.SHOWING)


def on_page(dialog, roles, name):
    """The control of the page shown (the other pages are in the dialog too)."""
    wanted = [getattr(Atspi.Role, r) for r in roles]
    return find(dialog, lambda a: a.get_role() in wanted and a.get_name() == name and showing(a))


def open_page(label):
    tools = wait_for(lambda: named(["MENU"], "ツール(T)"))
    Atspi.Action.do_action(tools, 0)
    item = wait_for(lambda: named(["MENU_ITEM"], "オプション(P)..."))
    Atspi.Action.do_action(item, 0)
    dialog = wait_for(lambda: named(["DIALOG"], "オプション"))
    if dialog is None:
        return None, []
    tree = find(dialog, lambda a: a.get_name() == "ページ" and a.get_role() in (Atspi.Role.TREE_TABLE, Atspi.Role.TABLE))
    rows = Atspi.Table.get_n_rows(tree) if tree else 0
    names = [Atspi.Table.get_accessible_at(tree, r, 0).get_name() for r in range(rows)]
    if label in names:
        Atspi.Table.add_row_selection(tree, names.index(label))
        time.sleep(0.5)
    return dialog, names


def press_ok(dialog):
    Atspi.Action.do_action(named(["PUSH_BUTTON"], "OK", dialog), 0)
    return wait_for(lambda: named(["DIALOG"], "オプション") is None, 5)


def toggle(dialog, name):
    box = wait_for(lambda: on_page(dialog, ["CHECK_BOX"], name), 5)
    check(box is not None, "the page shows %s" % name)
    if box is not None:
        Atspi.Action.do_action(box, 0)
    return box


def type_into(dialog, name, text):
    field = wait_for(lambda: on_page(dialog, ["TEXT", "ENTRY"], name), 5)
    check(field is not None, "the page has the field %s" % name)
    if field is not None:
        Atspi.EditableText.set_text_contents(field, text)
    return field


def main():
    server, base = serve(PAGES, FILES, seen)
    work, env, data = scratch("fern-option-pages-")
    write_file(data + "/fern.ini", INI)
    fern = start(FERN, data, env, base + "/a.html")
    ini = data + "/fern.ini"
    try:
        check(wait_for(lambda: tab_texts() == ["A"]), "the first page opens: %r" % tab_texts())
        check(wait_for(lambda: asked("/one.png"), 10), "with images on, the page's image is fetched")

        # OK with nothing changed writes no value that was not there.
        before = ini_values(ini)
        dialog, names = open_page("起動/終了")
        check(names == ["起動/終了", "スタートアップURL", "ブラウザ", "その他", "セキュリティ", "タブ/タブ バー", "表示",
                        "アドレス バー", "ブックマーク", "リンク バー", "ファーン バー", "制止URL", "制止タイトル",
                        "電子メール", "タスク トレイ"], "the page tree: %r" % names)
        check(dialog is not None and press_ok(dialog), "OK closes the dialog")
        after = ini_values(ini)
        check(set(changes(before, after)) <= {("OptionDlg", "ODIndex")},
              "OK with nothing changed changes nothing: %r" % changes(before, after))

        # (page, what to do, the keys that must change to these values)
        def ua_page(d):
            type_into(d, "UserAgent [再起動] (U)", USER_AGENT)

        def startup_page(d):
            toggle(d, "起動時に以下のURLを開く(S)")
            type_into(d, "スタートアップURL", base + "/ua.html")
            press(d, "追加(A)")

        def close_page(d):
            toggle(d, "以下のURLは読み込まない [ワイルドカード(*)有効] (U)")
            type_into(d, "制止URL", base + "/blocked*")
            add = wait_for(lambda: on_page(d, ["PUSH_BUTTON"], "追加(A)"), 5)
            if add is not None:
                Atspi.Action.do_action(add, 0)

        def browser_page(d):
            # A menu used while the dialog is open: OK keeps what it changed.
            for name in ("ツール(T)", "警告ダイアログは閉じる(K)"):
                item = wait_for(lambda: named(["MENU", "MENU_ITEM", "CHECK_MENU_ITEM"], name), 10)
                check(item is not None, "the menu %s is there while the dialog is open" % name)
                if item is not None:
                    Atspi.Action.do_action(item, 0)
                    time.sleep(0.3)
            toggle(d, "リンクのターゲット名を解決(T)")

        def limit_page(d):
            spin = wait_for(lambda: on_page(d, ["SPIN_BUTTON"], "アドレス バーに記憶するURLの数(N)"), 5)
            check(spin is not None, "the address page has its limit")
            if spin is not None:
                Atspi.Value.set_current_value(spin, 50)

        steps = [
            ("起動/終了", lambda d: toggle(d, "終了時にタブのURLをログに保存(S)"), {("Startup", "SUStyle"): "1"}),
            ("スタートアップURL", startup_page, {("Startup", "SUStyle"): "17"}),
            ("ブラウザ", browser_page, {("Browser", "BOStyle"): str(0x355 & ~0x4 | 0x400)}),
            ("その他", ua_page, {("Browser", "BOUserAgent"): USER_AGENT}),
            ("セキュリティ", lambda d: toggle(d, "画像のダウンロード(I)"), {("Browser", "BODLCDefault"): str(0x60)}),
            ("アドレス バー", limit_page, {("AddressBar", "ABUrlLimit"): "50"}),
            ("制止URL", close_page, {("CloseUrl", "COUStyle"): "1"}),
            ("制止タイトル", lambda d: toggle(d, "以下のタイトルは閉じる(C)"), {("CloseUrl", "COTStyle"): "1"}),
            ("電子メール", lambda d: toggle(d, "mailto:は無視(I)"), {("Mail", "MLStyle"): "1"}),
            ("タスク トレイ", lambda d: toggle(d, "最小化時にタスク トレイ(M)"), {("TaskTray", "TTStyle"): "2"}),
        ]
        for label, act, expected in steps:
            before = ini_values(ini)
            dialog, _ = open_page(label)
            check(dialog is not None, "the dialog opens on %s" % label)
            if dialog is None:
                continue
            act(dialog)
            time.sleep(0.3)
            screenshot(env, OUT_DIR, "gui-options-page%d.png" % steps.index((label, act, expected)))
            check(press_ok(dialog), "OK closes the dialog (%s)" % label)
            got = changes(before, ini_values(ini))
            got.pop(("OptionDlg", "ODIndex"), None)
            check(got == expected, "%s changed exactly %r: %r" % (label, expected, got))

        startup = read_file(data + "/startup.fbl").decode("cp932", errors="replace")
        check("NAME=startupurl" in startup and base + "/ua.html" in startup, "startup.fbl holds the added URL")
        close = read_file(data + "/close.fbl").decode("cp932", errors="replace")
        check(base + "/blocked*" in close, "close.fbl holds the added pattern")

        # The browser follows at once.
        check(hand_off(FERN, data, env, base + "/ua.html") == 0, "a later start hands over the page")
        agents = wait_for(lambda: asked("/ua.html"), 10)
        check(bool(agents) and agents[-1] == USER_AGENT, "the new tab's request carries the user agent: %r" % agents)
        check(hand_off(FERN, data, env, base + "/img.html") == 0, "and the image page")
        check(wait_for(lambda: "IMG" in (tab_texts() or []), 10), "the image page opens: %r" % tab_texts())
        time.sleep(1.5)
        check(not asked("/two.png"), "its image is not fetched: the default set has images off")
        check(hand_off(FERN, data, env, base + "/opener.html") == 0, "and the page that opens a pop-up")
        check(wait_for(lambda: "OPENER" in (tab_texts() or []), 10), "the opener loads: %r" % tab_texts())
        time.sleep(1.5)
        check("BLOCKED" not in (tab_texts() or []) and not asked("/blocked.html"),
              "its window.open to the listed address is blocked: %r" % tab_texts())
        tabs = tab_texts()
        check(hand_off(FERN, data, env, "mailto:someone@example.com") == 0, "and a mailto: address")
        time.sleep(1.5)
        check(tab_texts() == tabs, "with mailto: ignored it opens nothing: %r" % tab_texts())
        screenshot(env, OUT_DIR, "gui-options-pages.png")
    finally:
        code = stop(fern)
        server.shutdown()
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
