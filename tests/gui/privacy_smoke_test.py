#!/usr/bin/python3
"""The cookie menu and our Internet options on the real browser under Xvfb: the check
items follow privacy.ini, a flip writes the preference text, the dialog opens with its
four pages, and its "標準ブラウザに設定(&S)" check box makes Fern the desktop's browser
in a private HOME and gives the handlers back. BOStyle bit 0x20 loads the test's web
extension from extensions/ in the data folder, which marks the page's title.
Run inside dbus-run-session and xvfb-run."""

import os
import shutil
import subprocess
import sys
import time

from fernui import *  # noqa: F401,F403  (the shared test helpers)


FERN, OUT_DIR, EXTENSION = sys.argv[1], sys.argv[2], sys.argv[3]
MARK = "<title>x</title><script>document.title = typeof fernHelperObject == 'undefined' ? 'none' : fernHelperObject"
MARK += "</script>"


def sensitive(acc):
    return acc.get_state_set().contains(Atspi.StateType.SENSITIVE)


def open_cookie_menu():
    tools = wait_for(lambda: named(["MENU"], "ツール(T)"))
    Atspi.Action.do_action(tools, 0)
    cookies = wait_for(lambda: named(["MENU"], "クッキー(C)"))
    Atspi.Action.do_action(cookies, 0)
    time.sleep(0.3)


def cookie_items():
    return [wait_for(lambda n=n: named(["CHECK_MENU_ITEM"], n))
            for n in ("クッキー(C)", "セッションごとのクッキー(S)", "サードパーティのクッキー(T)")]


def main():
    server, base = serve({"/a.html": MARK})
    work, env, data = scratch("fern-privacy-")
    home = env["HOME"]
    env.update(XDG_CONFIG_HOME=home + "/.config", XDG_DATA_HOME=home + "/.local/share")
    os.makedirs(home + "/.config")
    os.makedirs(home + "/.local/share/applications")
    # A browser that was the default before us.
    with open(home + "/.local/share/applications/other.desktop", "w") as f:
        f.write("[Desktop Entry]\nType=Application\nName=Other\nExec=/bin/true %u\n"
                "MimeType=text/html;x-scheme-handler/http;x-scheme-handler/https;\n")
    subprocess.run(["xdg-mime", "default", "other.desktop", "text/html", "x-scheme-handler/http",
                    "x-scheme-handler/https"], env=env, check=True)
    write_file(data + "/fern.ini", b"[Browser]\r\nBOCookie=0\r\nBOStyle=885\r\n")  # 0x355 | 0x20
    os.makedirs(data + "/extensions")
    shutil.copy(EXTENSION, data + "/extensions/libmark.so")

    fern = start(FERN, data, env, base + "/a.html")
    try:
        check(wait_for(lambda: tab_texts() == ["seen"]), "the helper object marked the page: %r" % tab_texts())
        open_cookie_menu()
        first, session, third = cookie_items()
        check(checked(first) and checked(session) and not checked(third),
              "with nothing stored the site's own and session cookies are allowed, other sites' not")
        check(sensitive(third), "third-party cookies can be switched in IE6 mode")
        Atspi.Action.do_action(third, 0)
        check(wait_for(lambda: b"Preference1=IE6-P3PV1/settings: always=a session=a" in read_file(data + "/privacy.ini")),
              "flipping third-party cookies writes the preference text: %r" % read_file(data + "/privacy.ini"))
        open_cookie_menu()
        check(wait_for(lambda: checked(cookie_items()[2])), "the item is checked afterwards")
        xdo(env, "key", "Escape", "Escape", "Escape")

        tools = wait_for(lambda: named(["MENU"], "ツール(T)"))
        Atspi.Action.do_action(tools, 0)
        options = wait_for(lambda: named(["MENU_ITEM"], "インターネット オプション(O)..."))
        Atspi.Action.do_action(options, 0)
        dialog = wait_for(lambda: named(["DIALOG"], "インターネット オプション"))
        check(dialog is not None, "33070 opens the Internet options dialog")
        tabs = wait_for(lambda: find(dialog, lambda a: a.get_role() == Atspi.Role.PAGE_TAB_LIST))
        names = [tabs.get_child_at_index(i).get_name() for i in range(tabs.get_child_count())] if tabs else []
        check(names == ["全般", "セキュリティ", "プライバシー", "プログラム"], "its pages: %r" % names)
        time.sleep(0.5)
        screenshot(env, OUT_DIR, "gui-internet-options.png")

        for index, shot in ((1, "gui-options-security.png"), (2, "gui-options-privacy.png")):
            Atspi.Selection.select_child(tabs, index)
            time.sleep(0.5)
            screenshot(env, OUT_DIR, shot)
        third_box = named(["CHECK_BOX"], "サードパーティのクッキー(T)")
        check(third_box is not None and checked(third_box), "the privacy page mirrors the cookie items")
        Atspi.Selection.select_child(tabs, 3)
        box = wait_for(lambda: named(["CHECK_BOX"], "標準ブラウザに設定(S)"))
        check(box is not None and not checked(box), "the default-browser box starts clear")
        Atspi.Action.do_action(box, 0)
        mime = lambda t: subprocess.run(["xdg-mime", "query", "default", t], env=env, capture_output=True,
                                        text=True).stdout.strip()
        check(wait_for(lambda: mime("x-scheme-handler/https") == "fern.desktop"),
              "checking it makes Fern the handler of https links: %r" % mime("x-scheme-handler/https"))
        entry = read_file(home + "/.local/share/applications/fern.desktop")
        check(b"Exec=" + os.path.realpath(FERN).encode() + b" %u" in entry, "fern.desktop starts this program")
        check(b"Previous text/html=other.desktop" in read_file(data + "/privacy.ini"), "the old handler is remembered")
        screenshot(env, OUT_DIR, "gui-default-browser.png")
        Atspi.Action.do_action(box, 0)
        check(wait_for(lambda: mime("text/html") == "other.desktop" and mime("x-scheme-handler/http") == "other.desktop"),
              "clearing it gives the old handler back: %r" % mime("text/html"))
    finally:
        code = stop(fern)
        server.shutdown()
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    return finish(work)


if __name__ == "__main__":
    sys.exit(main())
