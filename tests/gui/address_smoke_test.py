#!/usr/bin/python3
"""The address bar and the session logs of the real browser, driven as a person would
under Xvfb: an address typed and opened with Enter, a bare name completed with
Ctrl+Enter, a new tab with Shift+Enter, a closed tab reopened from the menu
"最近閉じたURL(&E)", and a restart with SUStyle 3 that brings the same tabs back in
the same order. Run inside dbus-run-session and xvfb-run."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
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
    subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2), "click", "1"],
                   env=env, timeout=10)
    Atspi.EditableText.set_text_contents(entry, text)
    time.sleep(0.2)
    subprocess.run(["xdotool", "key", "--clearmodifiers", keys], env=env, timeout=10)


def menu_item(name):
    app = fern_app()
    return find(app, lambda a: a.get_role() in (Atspi.Role.MENU_ITEM, Atspi.Role.MENU) and a.get_name() == name)


def start(cmd, env):
    return subprocess.Popen(cmd, env=env, stderr=subprocess.DEVNULL)


def stop(fern):
    fern.send_signal(signal.SIGTERM)
    try:
        return fern.wait(timeout=20)
    except subprocess.TimeoutExpired:
        fern.kill()
        return None


def main():
    server, base = serve(PAGES)

    work = tempfile.mkdtemp(prefix="fern-address-")
    env = dict(os.environ, HOME=work + "/home", XDG_RUNTIME_DIR=work + "/run")
    data = work + "/data"
    os.makedirs(data)
    with open(data + "/fern.ini", "wb") as f:
        f.write(("[Startup]\r\nSUStyle=3\r\n[AddressBar]\r\nABAddUrlF=%s/\r\nABAddUrlB=.html\r\n" % base)
                .encode("cp932"))
    cmd = [FERN, "--data-dir", data]

    fern = start(cmd + [base + "/a.html"], env)
    code = None
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
        subprocess.run(["xdotool", "mousemove", "500", "400", "key", "--clearmodifiers", "ctrl+w"],
                       env=env, timeout=10)
        check(wait_for(lambda: tab_texts() == ["ページC"]), "Ctrl+W closes it: %r" % tab_texts())
        file_menu = wait_for(lambda: menu_item("ファイル(F)"))
        Atspi.Action.do_action(file_menu, 0)
        entry = wait_for(lambda: menu_item("1 ページB"))
        check(entry is not None, "the closed tab is listed under 最近閉じたURL(E)")
        if entry is not None:
            Atspi.Action.do_action(entry, 0)
        check(wait_for(lambda: tab_texts() == ["ページC", "ページB"]),
              "choosing it reopens the tab: %r" % tab_texts())
        subprocess.run(["xdotool", "key", "Escape"], env=env, timeout=10)
        subprocess.run(["import", "-window", "root", os.path.join(OUT_DIR, "gui-address.png")], env=env, timeout=20)
    finally:
        if fern.poll() is None:
            code = stop(fern)
    check(code == 0, "SIGTERM ends the browser cleanly (exit %r)" % code)
    state = open(data + "/state.fbl", "rb").read() if os.path.exists(data + "/state.fbl") else b""
    check(b"NAME=laststate" in state and state.find(b"/c.html") < state.find(b"/b.html"),
          "the state log holds the tabs in order")
    typed = open(data + "/typed.fbl", "rb").read() if os.path.exists(data + "/typed.fbl") else b""
    check(b"NAME=typedhs" in typed and (base + "/c.html").encode() in typed, "typed.fbl holds the typed addresses")

    fern = start(cmd, env)
    try:
        check(wait_for(lambda: tab_texts() == ["ページC", "ページB"]),
              "a restart with SUStyle 3 brings back the same tabs in the same order: %r" % tab_texts())
    finally:
        code = stop(fern)
        server.shutdown()
    check(code == 0, "the second run ends cleanly (exit %r)" % code)
    shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
