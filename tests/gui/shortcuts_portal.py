#!/usr/bin/python3
"""A stand-in for the desktop's GlobalShortcuts portal on the session bus:
shortcuts_portal.py LOG MODE. It answers the interface's `version`, opens sessions and
binds shortcuts as MODE says, and writes what it was asked (one line each) to LOG:
  bind     binds "tray" and names the trigger "Strg+Alt+G"
  refuse   the user cancels the binding (response 1)
  garbage  answers CreateSession with a Response of a wrong shape and sends an Activated
           of a wrong shape before anything is bound
  silent   takes the calls and never answers
  mute     never even replies to the calls
A test interface (org.fern.TestPortal.Activate(session, id) on the same object) emits
Activated for `id` on `session`, the last session opened when it is empty. Ends on
SIGTERM."""

import signal
import sys

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

PATH = "/org/freedesktop/portal/desktop"
XML = """<node>
<interface name='org.freedesktop.portal.GlobalShortcuts'>
<method name='CreateSession'><arg type='a{sv}' direction='in'/><arg type='o' direction='out'/></method>
<method name='BindShortcuts'><arg type='o' direction='in'/><arg type='a(sa{sv})' direction='in'/>
  <arg type='s' direction='in'/><arg type='a{sv}' direction='in'/><arg type='o' direction='out'/></method>
<signal name='Activated'><arg type='o'/><arg type='s'/><arg type='t'/><arg type='a{sv}'/></signal>
<property name='version' type='u' access='read'/>
</interface>
<interface name='org.fern.TestPortal'>
<method name='Activate'><arg type='s' direction='in'/><arg type='s' direction='in'/></method>
</interface>
<interface name='org.freedesktop.portal.Session'><method name='Close'/></interface>
</node>"""

LOG, MODE = sys.argv[1], sys.argv[2]
info = Gio.DBusNodeInfo.new_for_xml(XML)
state = {"session": "", "client": ""}


def log(line):
    with open(LOG, "a") as f:
        f.write(line + "\n")


def handle(sender, kind, token):
    return "%s/%s/%s/%s" % (PATH, kind, sender[1:].replace(".", "_"), token)


def respond(connection, request, parameters):
    def emit():
        connection.emit_signal(state["client"], request, "org.freedesktop.portal.Request", "Response", parameters)
        return False
    GLib.timeout_add(100, emit)


def on_call(connection, sender, path, interface, method, params, invocation):
    if interface == "org.freedesktop.portal.Session":
        log("Close %s" % path)
        invocation.return_value(None)
        return
    if method == "Activate":
        session, shortcut = params.unpack()
        connection.emit_signal(state["client"], PATH, "org.freedesktop.portal.GlobalShortcuts", "Activated",
                               GLib.Variant("(osta{sv})", (session or state["session"], shortcut, 1, {})))
        invocation.return_value(None)
        return
    state["client"] = sender  # the browser, not the test that asks for Activated
    if MODE == "mute":
        log(method)
        state["held"] = invocation  # kept unanswered
        return
    if method == "CreateSession":
        options = params.unpack()[0]
        request = handle(sender, "request", options["handle_token"])
        session = handle(sender, "session", options["session_handle_token"])
        log("CreateSession")
        invocation.return_value(GLib.Variant("(o)", (request,)))
        if MODE == "garbage":
            respond(connection, request, GLib.Variant("(s)", ("no",)))
            connection.emit_signal(sender, PATH, "org.freedesktop.portal.GlobalShortcuts", "Activated",
                                   GLib.Variant("(ss)", (session, "tray")))
        elif MODE != "silent":
            state["session"] = session
            connection.register_object(session, info.interfaces[2], on_call, None, None)
            respond(connection, request, GLib.Variant("(ua{sv})", (0, {"session_handle": GLib.Variant("s", session)})))
        return
    session, shortcuts, parent, options = params.unpack()
    request = handle(sender, "request", options["handle_token"])
    for shortcut, details in shortcuts:
        log("BindShortcuts %s %s %s" % (session, shortcut, details.get("preferred_trigger", "")))
    invocation.return_value(GLib.Variant("(o)", (request,)))
    if MODE == "bind":
        bound = [(shortcut, {"description": GLib.Variant("s", details.get("description", "")),
                             "trigger_description": GLib.Variant("s", "Strg+Alt+G")})
                 for shortcut, details in shortcuts]
        respond(connection, request, GLib.Variant("(ua{sv})", (0, {"shortcuts": GLib.Variant("a(sa{sv})", bound)})))
    elif MODE == "refuse":
        respond(connection, request, GLib.Variant("(ua{sv})", (1, {})))


def on_get(connection, sender, path, interface, prop):
    return GLib.Variant("u", 1)


def on_bus(connection, name):
    connection.register_object(PATH, info.interfaces[0], on_call, on_get, None)
    connection.register_object(PATH, info.interfaces[1], on_call, None, None)


loop = GLib.MainLoop()
Gio.bus_own_name(Gio.BusType.SESSION, "org.freedesktop.portal.Desktop", Gio.BusNameOwnerFlags.NONE,
                 on_bus, lambda *a: log("ready"), lambda *a: loop.quit())
GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, loop.quit)
loop.run()
