#!/usr/bin/python3
"""The address bar and the session logs of the real browser, driven as a person would
under Xvfb: an address typed and opened with Enter, a bare name completed with
Ctrl+Enter, a new tab with Shift+Enter, a closed tab reopened from the menu
"最近閉じたURL(&E)", and a restart with SUStyle 3 that brings the same tabs back in
the same order. Run inside dbus-run-session and xvfb-run."""

import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR = sys.argv[1], sys.argv[2]

PAGES = {
    "/a.html": "<title>ページA</title><p>A",
    "/b.html": "<title>ページB</title><p>B",
    "/c.html": "<title>ページC</title><p>C",
}


def address_entry():
    app = fern_app()
    return find(app, lambda a: a.get_name() == "アドレス" and a.get_role() in (Atspi.Role.TEXT, Atspi.Role.ENTRY))


def type_address(env, text, keys):
    entry = wait_for(address_entry)
    box = entry.get_extents(Atspi.CoordType.SCREEN)
    # No window manager runs: the keyboard follows the pointer.
    xdo(env, "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2), "click", "1")
    Atspi.EditableText.set_text_contents(entry, text)
    time.sleep(0.2)
    xdo(env, "key", "--clearmodifiers", keys)


def main():
    server, base = serve(PAGES)

    work, env, data = scratch("fern-address-")
    write_file(data + "/fern.ini",
               "[Startup]\r\nSUStyle=3\r\n[AddressBar]\r\nABAddUrlF=%s/\r\nABAddUrlB=.html\r\n" % base)

    fern = start(FERN, data, env, base + "/a.html")
    try:
        check(wait_for(lambda: tab_texts() == ["ページA"]), "the first page opens: %r" % tab_texts())
        type_address(env, base + "/b.html", "Return")
        check(wait_for(lambda: tab_texts() == ["ページB"]), "Enter opens the address in the tab: %r" % tab_texts())
        type_address(env, "c", "ctrl+Return")
        check(wait_for(lambda: tab_texts() == ["ページC"]),
              "Ctrl+Enter puts ABAddUrlF and ABAddUrlB around a bare name: %r" % tab_texts())
        type_address(env, "b", "ctrl+shift+Return")
        check(wait_for(lambda: tab_texts() == ["ページC", "ページB"]),
              "Ctrl+Shift+Enter opens a new tab: %r" % tab_texts())

        # Close the new tab, then reopen it from the File menu.
        tabs = find(fern_app(), lambda a: a.get_role() == Atspi.Role.PAGE_TAB_LIST)
        Atspi.Action.do_action(tabs.get_child_at_index(1), 0)
        time.sleep(0.5)
        xdo(env, "mousemove", "500", "400", "key", "--clearmodifiers", "ctrl+w")
        check(wait_for(lambda: tab_texts() == ["ページC"]), "Ctrl+W closes it: %r" % tab_texts())
        file_menu = wait_for(lambda: named(["MENU_ITEM", "MENU"], "ファイル(F)"))
        Atspi.Action.do_action(file_menu, 0)
        entry = wait_for(lambda: named(["MENU_ITEM", "MENU"], "1 ページB"))
        check(entry is not None, "the closed tab is listed under 最近閉じたURL(E)")
        if entry is not None:
            Atspi.Action.do_action(entry, 0)
        check(wait_for(lambda: tab_texts() == ["ページC", "ページB"]),
              "choosing it reopens the tab: %r" % tab_texts())
        xdo(env, "key", "Escape")
        screenshot(env, OUT_DIR, "gui-address.png")
    finally:
        code = stop(fern)
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    state = read_file(data + "/state.fbl")
    check(b"NAME=laststate" in state and state.find(b"/c.html") < state.find(b"/b.html"),
          "the state log holds the tabs in order")
    typed = read_file(data + "/typed.fbl")
    check(b"NAME=typedhs" in typed and (base + "/c.html").encode() in typed, "typed.fbl holds the typed addresses")

    fern = start(FERN, data, env)
    try:
        check(wait_for(lambda: tab_texts() == ["ページC", "ページB"]),
              "a restart with SUStyle 3 brings back the same tabs in the same order: %r" % tab_texts())
    finally:
        code = stop(fern)
        server.shutdown()
    check(code == 0, "the second run ends cleanly (exit %r)" % code)
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
