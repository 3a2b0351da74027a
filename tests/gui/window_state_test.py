#!/usr/bin/python3
"""The main window's outer behaviour in the real browser under Xvfb (no window manager):
it reopens where it was closed, a box off every monitor comes back onto the screen, full
screen hides the bars and gives back exactly those that showed (also when entered at
start from wnds.ini), Escape and the command's key leave it; with a stand-in
StatusNotifierWatcher on the bus "タスク トレイ" hides the window to an item whose
Activate brings it back, and the hot key does the same; without a watcher the window
stays on screen; a mailto: address reaches the user's mailer as plain arguments. Run
inside dbus-run-session and xvfb-run."""

import os
import subprocess
import sys
import time

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio  # noqa: E402

from fernui import *  # noqa: F401,F403,E402  (the shared test helpers)

FERN, OUT_DIR = sys.argv[1], sys.argv[2]
SCREEN = (0, 0, 1280, 1024)


EDITOR = "Fern Browser [ List Editor ]"


def frame():
    app = fern_app()
    return find(app, lambda a: a.get_role() == Atspi.Role.FRAME and a.get_name() != EDITOR) if app else None


def editor():
    return named(["FRAME"], EDITOR)


def box():
    f = frame()
    if f is None:
        return None
    e = Atspi.Component.get_extents(f, Atspi.CoordType.SCREEN)
    return (e.x, e.y, e.width, e.height)


def showing(acc):
    return acc is not None and acc.get_state_set().contains(Atspi.StateType.SHOWING)


def window_showing():
    f = frame()
    return showing(f)


def bars():
    """(menu bar shows, status bar shows)."""
    f = frame()
    menu_bar = find(f, lambda a: a.get_role() == Atspi.Role.MENU_BAR) if f else None
    status = find(f, lambda a: a.get_name() == "ステータス バー") if f else None
    return (showing(menu_bar), showing(status))


def key(env, keys):
    # No window manager: the keyboard follows the pointer.
    b = box() or (100, 100, 10, 10)
    xdo(env, "mousemove", str(b[0] + b[2] // 2), str(b[1] + b[3] // 2), "key", "--clearmodifiers", keys)


def wait_box(expected, what):
    got = wait_for(lambda: box() == expected and box(), 10)
    check(got == expected, "%s: %r (wanted %r)" % (what, box(), expected))


def started(env, data):
    process = start(FERN, data, env)
    check(wait_for(window_showing, 60), "the window shows")
    time.sleep(1)
    return process


def fern_ini(data, text):
    write_file(os.path.join(data, "fern.ini"), text)


def wnds(data):
    return ini_values(os.path.join(data, "wnds.ini"))


def placement_and_full_screen(work, env, data):
    # Closed far off the screen on another computer: opens on this monitor.
    write_file(os.path.join(data, "wnds.ini"), "[MainFrame]\nMFWndPlac=0,1,-1,-1,-1,-1,5000,5000,5640,5480\n")
    process = started(env, data)
    b = box()
    check(b is not None and b[2:] == (640, 480) and 0 <= b[0] <= 1280 - 640 and 0 <= b[1] <= 1024 - 480,
          "a window stored off the screen opens on it: %r" % (b,))
    xdo(env, "search", "--onlyvisible", "--name", "Fern Browser", "windowmove", "100", "120",
        "windowsize", "700", "500")
    wait_box((100, 120, 700, 500), "moved and sized by the user")
    stop(process)
    check(wnds(data).get(("MainFrame", "MFWndPlac")) == "0,1,-1,-1,-1,-1,100,120,800,620",
          "the placement is written at the end: %r" % wnds(data).get(("MainFrame", "MFWndPlac")))

    process = started(env, data)
    wait_box((100, 120, 700, 500), "it reopens where it was closed")
    check(bars() == (True, True), "both bars show before full screen")
    Atspi.Action.do_action(wait_for(lambda: named(["MENU"], "表示(V)")), 0)
    item = wait_for(lambda: named(["CHECK_MENU_ITEM"], "全画面表示(F)"), 10)
    check(item is not None and item.get_description() == "F11", "全画面表示 is in the View menu with its key")
    if item is not None:
        Atspi.Action.do_action(item, 0)
    wait_box(SCREEN, "full screen fills the monitor")
    check(wait_for(lambda: bars() == (False, False), 5), "full screen hides the band area and the status bar")
    screenshot(env, OUT_DIR, "window-full-screen.png")
    key(env, "Escape")
    wait_box((100, 120, 700, 500), "Escape leaves full screen to the old box")
    check(wait_for(lambda: bars() == (True, True), 5), "leaving shows both bars again")
    check(wnds(data).get(("MainFrame", "MFFullScrState")) == "6", "MFFullScrState after leaving: %r"
          % wnds(data).get(("MainFrame", "MFFullScrState")))
    key(env, "F11")
    wait_box(SCREEN, "F11 enters full screen")
    check(wnds(data).get(("MainFrame", "MFFullScrState")) == "7", "MFFullScrState is written on entering")
    # Closing works in full screen; the normal box is what is kept.
    check(stop(process) == 0, "the browser closes in full screen")
    check(wnds(data).get(("MainFrame", "MFWndPlac")) == "0,1,-1,-1,-1,-1,100,120,800,620",
          "the normal box is kept through full screen")

    process = started(env, data)
    wait_box(SCREEN, "a window closed in full screen opens in it")
    check(bars() == (False, False), "... without the bars")
    key(env, "F11")
    wait_box((100, 120, 700, 500), "the same key leaves it")
    check(wait_for(lambda: bars() == (True, True), 5), "the bars kept at the last start come back")
    stop(process)

    # Stored: full screen, entered with the bands shown and the status bar hidden.
    ini = read_file(os.path.join(data, "wnds.ini")).decode("cp932").replace("MFFullScrState=6", "MFFullScrState=3")
    write_file(os.path.join(data, "wnds.ini"), ini)
    process = started(env, data)
    wait_box(SCREEN, "MFFullScrState 3 starts in full screen")
    key(env, "Escape")
    check(wait_for(lambda: bars() == (True, False), 5),
          "leaving gives back exactly the stored bars (bands, no status bar): %r" % (bars(),))
    stop(process)


def registered(path):
    return [line for line in read_file(path).decode().splitlines() if line]


def item_call(name, method, args):
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    return bus.call_sync(name, "/StatusNotifierItem", "org.kde.StatusNotifierItem", method, args, None,
                         Gio.DBusCallFlags.NONE, 5000, None)


def item_property(name, prop):
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    reply = bus.call_sync(name, "/StatusNotifierItem", "org.freedesktop.DBus.Properties", "Get",
                          GLib.Variant("(ss)", ("org.kde.StatusNotifierItem", prop)), None,
                          Gio.DBusCallFlags.NONE, 5000, None)
    return reply.unpack()[0]


def tray(work, env, data):
    # Ctrl+Alt+F as the hot key, an icon and tip of the user's.
    icon = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "packaging", "icons", "fern-32.png")
    fern_ini(data, "[TaskTray]\nTTHotKey=%d\nTTStyle=4\nTTIconPath=%s\nTTInfoTip=ファーンの窓\n"
             % ((0x46 << 16) | 0x3, icon))
    items = os.path.join(work, "items.txt")
    watcher = subprocess.Popen(["/usr/bin/python3", os.path.join(os.path.dirname(__file__), "sni_watcher.py"),
                                items], env=env)
    check(wait_for(lambda: os.path.exists(items), 10), "the stand-in watcher is on the bus")
    process = started(env, data)
    check(choose_menu("ツール(T)", "リスト エディタ(L)..."), "the list editor opens")
    check(wait_for(lambda: showing(editor()), 10), "... and shows")
    top = wait_for(lambda: named(["MENU"], "表示(V)"))
    Atspi.Action.do_action(top, 0)
    item = wait_for(lambda: named(["MENU_ITEM"], "タスク トレイ(T)"), 10)
    check(item is not None and item.get_description() == "Ctrl+Alt+F",
          "the View menu shows the hot key: %r" % (item.get_description() if item else None))
    if item is not None:
        Atspi.Action.do_action(item, 0)
    check(wait_for(lambda: registered(items), 10), "タスク トレイ registers an item with the watcher")
    check(wait_for(lambda: not window_showing(), 10), "... and hides the window")
    check(wait_for(lambda: not showing(editor()), 10), "... and the list editor")
    name = (registered(items) or [""])[-1]
    if name:
        tip = item_property(name, "ToolTip")
        check(tip[2] == "ファーンの窓", "the item has the user's tool tip: %r" % (tip[2],))
        pixmaps = item_property(name, "IconPixmap")
        check([(w, h, len(b)) for w, h, b in pixmaps] == [(32, 32, 32 * 32 * 4)],
              "and the user's icon: %r" % [(w, h, len(b)) for w, h, b in pixmaps])
        item_call(name, "Activate", GLib.Variant("(ii)", (0, 0)))
    check(wait_for(window_showing, 10), "the item's Activate brings the window back")
    check(wait_for(lambda: showing(editor()), 10), "... and the list editor")
    if editor() is not None:
        press(editor(), "キャンセル")
    check(wait_for(lambda: not showing(editor()), 10), "the list editor closes")
    wait_box((100, 120, 700, 500), "the window is where it was")

    key(env, "ctrl+alt+f")
    check(wait_for(lambda: not window_showing(), 10), "the hot key puts the window into the tray")
    xdo(env, "key", "--clearmodifiers", "ctrl+alt+f")
    check(wait_for(window_showing, 10), "the hot key again brings it back")

    # The hot key cleared on the options page: gone at once, from the menu and the keyboard.
    Atspi.Action.do_action(wait_for(lambda: named(["MENU"], "ツール(T)")), 0)
    Atspi.Action.do_action(wait_for(lambda: named(["MENU_ITEM"], "オプション(P)...")), 0)
    dialog = wait_for(lambda: named(["DIALOG"], "オプション"), 10)
    tree = find(dialog, lambda a: a.get_name() == "ページ" and a.get_role() in (Atspi.Role.TREE_TABLE, Atspi.Role.TABLE))
    names = [Atspi.Table.get_accessible_at(tree, r, 0).get_name() for r in range(Atspi.Table.get_n_rows(tree))]
    Atspi.Table.add_row_selection(tree, names.index("タスク トレイ"))
    time.sleep(0.5)
    check(press(dialog, "なし(O)") and press(dialog, "OK"), "the hot key is cleared on the page")
    check(wait_for(lambda: ini_values(os.path.join(data, "fern.ini")).get(("TaskTray", "TTHotKey")) == "0", 5),
          "TTHotKey is 0")
    Atspi.Action.do_action(wait_for(lambda: named(["MENU"], "表示(V)")), 0)
    item = wait_for(lambda: named(["MENU_ITEM"], "タスク トレイ(T)"), 10)
    check(item is not None and item.get_description() == "", "the menu shows no hot key now")
    key(env, "Escape")
    key(env, "ctrl+alt+f")
    time.sleep(1.5)
    check(window_showing(), "the old hot key does nothing")

    watcher.terminate()
    watcher.wait(timeout=10)
    time.sleep(0.5)
    before = len(registered(items))
    check(choose_menu("表示(V)", "タスク トレイ(T)"), "タスク トレイ without a watcher")
    time.sleep(2)
    check(window_showing(), "without a watcher the window stays on screen (minimized, not hidden)")
    check(len(registered(items)) == before, "no item is registered")
    stop(process)


def mailer(work, env):
    """A mailto: address handed over by a later start reaches the user's mailer as one
    argument each, byte for byte, with no shell between."""
    data = os.path.join(work, "mail-data")
    args = os.path.join(work, "mailer-args.txt")
    program = os.path.join(work, "my mailer")
    write_file(program, "#!/bin/sh\nfor a in \"$@\"; do printf '%%s\\n' \"$a\"; done > '%s'\n" % args)
    os.chmod(program, 0o755)
    fern_ini(data, '[Mail]\nMLStyle=2\nMLMailerPath=""%s" "%%m" --bare "%%M""\n' % program)
    process = started(env, data)
    address = "mailto:a@example.com?subject=$(touch %s/pwned);`id`|x \"y\" %%M" % work
    hand_off(FERN, data, env, address)
    check(wait_for(lambda: os.path.exists(args), 10), "the mailer starts for a mailto: address")
    lines = read_file(args).decode().splitlines()
    check(lines == [address, "--bare", address[len("mailto:"):]], "its arguments, untouched: %r" % lines)
    check(not os.path.exists(os.path.join(work, "pwned")), "nothing of the address ran")
    check(tab_texts() in ([], None), "no tab opens for the address: %r" % (tab_texts(),))
    os.remove(args)
    check(choose_menu("ツール(T)", "メーラーを起動(E)"), "メーラーを起動 is in the Tools menu")
    check(wait_for(lambda: os.path.exists(args), 10), "メーラーを起動 starts the mailer")
    check(read_file(args).decode().splitlines() == ["mailto:", "--bare", ""], "... with a bare mailto:")
    stop(process)


def main():
    work, env, data = scratch("fern-window-")
    placement_and_full_screen(work, env, data)
    tray(work, env, data)
    mailer(work, env)
    return finish(work)


sys.exit(main())
