#!/usr/bin/python3
"""The task tray's hot key through a stand-in GlobalShortcuts portal on the test's session
bus (shortcuts_portal.py), with FERN_HOTKEY_BACKEND=portal as no Wayland display runs
here: the browser asks for its key in the desktop's trigger format, the View menu shows
the trigger the desktop names, the desktop's Activated puts the window into the tray
(a stand-in StatusNotifierWatcher shows the item) and back; Activated for another id or
an old session does nothing; the options page says what the desktop did: bound, refused,
answered nonsense, never answered, or there is no portal. Run inside dbus-run-session
and xvfb-run."""

import os
import subprocess
import sys
import time

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio  # noqa: E402

from fernui import *  # noqa: F401,F403,E402  (the shared test helpers)

FERN, OUT_DIR = sys.argv[1], sys.argv[2]
HERE = os.path.dirname(os.path.abspath(__file__))
CTRL_ALT_F = (0x46 << 16) | 0x3


def window_showing():
    app = fern_app()
    f = find(app, lambda a: a.get_role() == Atspi.Role.FRAME) if app else None
    return f is not None and f.get_state_set().contains(Atspi.StateType.SHOWING)


def lines(path):
    return read_file(path).decode().splitlines()


def helper(env, script, *args):
    process = subprocess.Popen(["/usr/bin/python3", os.path.join(HERE, script)] + list(args), env=env)
    check(wait_for(lambda: os.path.exists(args[0]), 10), "%s is on the bus" % script)
    return process


def end(process):
    process.terminate()
    process.wait(timeout=10)


def activate(session, shortcut):
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop", "org.fern.TestPortal",
                  "Activate", GLib.Variant("(ss)", (session, shortcut)), None, Gio.DBusCallFlags.NONE, 5000, None)


def menu_key():
    Atspi.Action.do_action(wait_for(lambda: named(["MENU"], "表示(V)")), 0)
    item = wait_for(lambda: named(["MENU_ITEM"], "タスク トレイ(T)"), 10)
    text = item.get_description() if item else None
    Atspi.Action.do_action(wait_for(lambda: named(["MENU"], "表示(V)")), 0)  # closes it again
    return text


def page_note(wanted, env=None, shot=None):
    """The texts of the task tray page's labels once one holds `wanted` (or after 10 s)."""
    check(choose_menu("ツール(T)", "オプション(P)..."), "the options dialog opens")
    dialog = wait_for(lambda: named(["DIALOG"], "オプション"), 10)
    tree = find(dialog, lambda a: a.get_name() == "ページ" and a.get_role() in (Atspi.Role.TREE_TABLE, Atspi.Role.TABLE))
    names = [Atspi.Table.get_accessible_at(tree, r, 0).get_name() for r in range(Atspi.Table.get_n_rows(tree))]
    Atspi.Table.add_row_selection(tree, names.index("タスク トレイ"))
    texts = wait_for(lambda: [t for t in labels_of(dialog) if wanted in t], 10) or labels_of(dialog)
    if shot:
        screenshot(env, OUT_DIR, shot)
    press(dialog, "キャンセル")
    wait_for(lambda: named(["DIALOG"], "オプション") is None, 10)
    return texts


def started(env, data):
    process = start(FERN, data, env)
    check(wait_for(window_showing, 60), "the window shows")
    time.sleep(1)
    return process


def bound(work, env, data):
    log = os.path.join(work, "portal-bind.log")
    items = os.path.join(work, "items.txt")
    watcher = helper(env, "sni_watcher.py", items)
    portal = helper(env, "shortcuts_portal.py", log, "bind")
    process = started(env, data)
    check(wait_for(lambda: [l for l in lines(log) if l.startswith("BindShortcuts")], 10),
          "the browser asks the portal for its key: %r" % lines(log))
    binding = ([l for l in lines(log) if l.startswith("BindShortcuts")] or [""])[0].split(" ")
    check(binding[2:] == ["tray", "CTRL+ALT+f"], "... as the desktop writes a trigger: %r" % binding)
    check(wait_for(lambda: menu_key() == "Strg+Alt+G", 10), "the View menu shows the trigger the desktop bound")

    activate("", "tray")
    check(wait_for(lambda: not window_showing(), 10), "the desktop's Activated puts the window into the tray")
    check(wait_for(lambda: lines(items), 5), "... with the item on the watcher")
    activate("", "tray")
    check(wait_for(window_showing, 10), "Activated again brings it back")
    activate("", "another")
    activate("/org/freedesktop/portal/desktop/session/1_1/old", "tray")
    time.sleep(1.5)
    check(window_showing(), "Activated for another id or an old session does nothing")
    texts = page_note("デスクトップが割り当てたキー", env, "portal-hotkey-page.png")
    check("デスクトップが割り当てたキー: Strg+Alt+G" in texts, "the options page names the desktop's trigger: %r" % texts)

    stop(process)
    end(portal)
    end(watcher)


def declined(work, env, data, mode, wanted, what):
    log = os.path.join(work, "portal-%s.log" % mode)
    portal = helper(env, "shortcuts_portal.py", log, mode) if mode else None
    process = started(env, data)
    if portal:
        check(wait_for(lambda: "CreateSession" in lines(log), 10), "%s: the portal is asked" % what)
    check(wait_for(lambda: menu_key() == "Ctrl+Alt+F", 10), "%s: the menu shows the key configured" % what)
    if portal and mode != "garbage":
        activate("", "tray")
        time.sleep(1.5)
        check(window_showing(), "%s: an Activated does nothing" % what)
    texts = page_note(wanted)
    check([t for t in texts if wanted in t], "%s: the page says %s: %r" % (what, wanted, texts))
    check(process.poll() is None, "%s: the browser runs on" % what)
    stop(process)
    if portal:
        end(portal)


def main():
    work, env, data = scratch("fern-portal-", FERN_HOTKEY_BACKEND="portal")
    write_file(os.path.join(data, "fern.ini"), "[TaskTray]\nTTHotKey=%d\n" % CTRL_ALT_F)
    bound(work, env, data)
    write_file(os.path.join(data, "fern.ini"), "[TaskTray]\nTTHotKey=%d\n" % CTRL_ALT_F)
    declined(work, env, data, "refuse", "デスクトップがホット キーを断りました", "cancelled by the user")
    declined(work, env, data, "garbage", "デスクトップがホット キーを登録できませんでした", "answers of a wrong shape")
    declined(work, env, data, None, "このデスクトップではホット キーを登録できません", "no portal")
    # Never answered (the call taken, or not even replied to): the page says so once
    # the wait is over (ten seconds).
    for mode in ("silent", "mute"):
        log = os.path.join(work, "portal-%s.log" % mode)
        portal = helper(env, "shortcuts_portal.py", log, mode)
        process = started(env, data)
        texts = page_note("返事を待っています")
        check([t for t in texts if "返事を待っています" in t], "%s: at first the page says it waits: %r" % (mode, texts))
        time.sleep(11)
        texts = page_note("返事がありません")
        check([t for t in texts if "返事がありません" in t], "%s: then that no answer came: %r" % (mode, texts))
        check(process.poll() is None, "%s: the browser runs on" % mode)
        stop(process)
        end(portal)
    return finish(work)


sys.exit(main())
