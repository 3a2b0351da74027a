#!/usr/bin/python3
"""The end of the desktop session saves like closing the window: a stand-in
session manager on the test's own D-Bus registers the browser, ends the session,
and the browser must answer, save fern.ini and exit. Run inside dbus-run-session
and xvfb-run."""

import sys

from gi.repository import Gio, GLib

import runtime_dir
from fernui import read_file, scratch, start

FERN = sys.argv[1]

XML = """
<node>
  <interface name="org.gnome.SessionManager">
    <method name="RegisterClient">
      <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="o" direction="out"/>
    </method>
  </interface>
  <interface name="org.gnome.SessionManager.ClientPrivate">
    <method name="EndSessionResponse">
      <arg type="b" direction="in"/><arg type="s" direction="in"/>
    </method>
  </interface>
</node>"""

# Other programs of the session (the accessibility bus) register too; each
# client gets its own path, and only the browser's answers count.
CLIENTS = ["/org/gnome/SessionManager/Client%d" % i for i in range(1, 9)]
state = {"registered": False, "responses": 0, "next": 0, "fern": None}
loop = GLib.MainLoop()


def on_call(conn, sender, path, interface, method, params, invocation):
    if method == "RegisterClient":
        client = CLIENTS[state["next"] % len(CLIENTS)]
        state["next"] += 1
        if params.unpack()[0] == "fern":
            state["registered"] = True
            state["fern"] = client
        invocation.return_value(GLib.Variant("(o)", (client,)))
    else:
        if path == state["fern"]:
            state["responses"] += 1
        invocation.return_value(None)


def main():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    info = Gio.DBusNodeInfo.new_for_xml(XML)
    bus.register_object("/org/gnome/SessionManager", info.interfaces[0], on_call, None, None)
    for client in CLIENTS:
        bus.register_object(client, info.interfaces[1], on_call, None, None)
    Gio.bus_own_name_on_connection(bus, "org.gnome.SessionManager", Gio.BusNameOwnerFlags.NONE, None, None)

    work, env, data = scratch("fern-session-")
    fern = start(FERN, data, env, "about:blank")

    def step():
        if not state["registered"]:
            return True
        # Its signal subscription follows the registration's answer.
        if state.setdefault("waited", 0) < 10:
            state["waited"] += 1
            return True
        for signal in ("QueryEndSession", "EndSession"):
            bus.emit_signal(None, state["fern"], "org.gnome.SessionManager.ClientPrivate", signal,
                            GLib.Variant("(u)", (0,)))
        def exited():
            if fern.poll() is None:
                return True
            GLib.timeout_add(500, loop.quit)  # let its last answer arrive
            return False
        GLib.timeout_add(100, exited)
        return False

    GLib.timeout_add(100, step)
    GLib.timeout_add_seconds(30, loop.quit)
    loop.run()
    code = fern.poll()
    if code is None:
        fern.kill()
    ini = read_file(data + "/fern.ini")
    checks = [
        (state["registered"], "the browser registers with the session manager"),
        (state["responses"] == 2, "it answers the query and the end of the session"),
        (code == 0, "it exits by itself (exit %r)" % code),
        (b"COCount=0" in ini, "it saved its settings before exiting"),
    ]
    for ok, what in checks:
        print(("ok   " if ok else "FAIL ") + what)
    runtime_dir.release(work)
    return 0 if all(ok for ok, _ in checks) else 1


if __name__ == "__main__":
    sys.exit(main())
