"""What the browser's GUI tests share: a page server on 127.0.0.1, the checks' report,
starting and stopping the real browser in a scratch folder, and reading the real
widgets over AT-SPI as a screen reader does."""

import http.server
import os
import signal
import subprocess
import tempfile
import threading
import time

import gi

import runtime_dir

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402,F401  (re-exported for the tests)

# A call waits at most this long for the browser's main loop. libatspi's own
# 0.8 s fails a test whenever the two processors are shared with a build; a
# real stall of the program still shows as a time-out.
Atspi.set_timeout(5000, 15000)


def serve(pages, files=None, seen=None, address="127.0.0.1"):
    """Serves {path: html body} as UTF-8 pages, and {path: (bytes, type)} in `files` as
    they are, on the loopback `address`; returns (server, base URL). Each request's
    (path, User-Agent) is appended to the list `seen` when one is given."""

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            if seen is not None:
                seen.append((self.path, self.headers.get("User-Agent", "")))
            body = pages.get(self.path)
            data, kind = (files or {}).get(self.path, (None, None))
            if body is None and data is None:
                self.send_error(404)
                return
            if data is None:
                data, kind = ("<!DOCTYPE html><meta charset=utf-8>" + body).encode("utf-8"), "text/html; charset=utf-8"
            self.send_response(200)
            self.send_header("Content-Type", kind)
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer((address, 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, "http://%s:%d" % (address, server.server_address[1])


failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)


def scratch(prefix, **env):
    """A fresh folder for one test: returns (work, env, data) where env has HOME and a
    private XDG_RUNTIME_DIR inside it (plus the `env` given) and data is the data folder
    to pass to --data-dir (not made yet)."""
    work = tempfile.mkdtemp(prefix=prefix)
    os.makedirs(work + "/run", mode=0o700)
    return work, dict(os.environ, HOME=work + "/home", XDG_RUNTIME_DIR=work + "/run", **env), work + "/data"


def write_file(path, text):
    """Writes `text` (str in CP932, or bytes) to `path`, making its folder."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(text.encode("cp932") if isinstance(text, str) else text)


def read_file(path):
    """The bytes of `path`, empty when it does not exist."""
    return open(path, "rb").read() if os.path.exists(path) else b""


def ini_values(path):
    """{(section, key): value} of an INI file in Shift-JIS."""
    values, section = {}, ""
    for line in read_file(path).decode("cp932", errors="replace").splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            section = line[1:-1]
        elif "=" in line:
            key, value = line.split("=", 1)
            values[(section, key.strip())] = value.strip()
    return values


def start(fern, data, env, *args, stderr=subprocess.DEVNULL):
    """Starts the browser on data folder `data` with the command-line `args`."""
    return subprocess.Popen([fern, "--data-dir", data] + list(args), env=env, stderr=stderr)


def hand_off(fern, data, env, *args):
    """A later start with `args`, which hands them to the running browser; its exit code."""
    return subprocess.run([fern, "--data-dir", data] + list(args), env=env, timeout=30,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


def stop(process):
    """Ends the browser with SIGTERM; its exit code, or None when it had ended before
    (SIGTERM did not end it) or did not end within 20 s (then it is killed)."""
    if process.poll() is not None:
        print("note: the browser had already ended (exit %r)" % process.returncode, flush=True)
        return None
    process.send_signal(signal.SIGTERM)
    try:
        return process.wait(timeout=20)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
        return None


def screenshot(env, out_dir, name):
    subprocess.run(["import", "-window", "root", os.path.join(out_dir, name)], env=env, timeout=20)


def finish(work):
    """Removes the test's folder (ending what still runs under its runtime folder and
    unmounting what is mounted there); the exit status of the test."""
    if not runtime_dir.release(work):
        print("note: %s could not be removed" % work, flush=True)
    return 1 if failures else 0


def wait_for(pred, seconds=20):
    deadline = time.time() + seconds
    value = None
    while time.time() < deadline:
        value = pred()
        if value:
            return value
        time.sleep(0.2)
    return value


def find(acc, pred, depth=0):
    if acc is None or depth > 40:
        return None
    try:
        if pred(acc):
            return acc
        for i in range(acc.get_child_count()):
            found = find(acc.get_child_at_index(i), pred, depth + 1)
            if found:
                return found
    except Exception:
        pass
    return None


def find_all(acc, pred, depth=0, found=None):
    """Every accessible below `acc` (itself included) for which `pred` holds."""
    found = [] if found is None else found
    if acc is None or depth > 60:
        return found
    try:
        if pred(acc):
            found.append(acc)
        for i in range(acc.get_child_count()):
            find_all(acc.get_child_at_index(i), pred, depth + 1, found)
    except Exception:
        pass
    return found


def named(roles, name, within=None):
    """The first accessible called `name` whose role is one of `roles` (names of
    Atspi.Role), in the browser or in `within`."""
    root = within if within is not None else fern_app()
    wanted = [getattr(Atspi.Role, r) for r in roles]
    return find(root, lambda a: a.get_role() in wanted and a.get_name() == name) if root else None


def labels(acc):
    """The names of the labels inside `acc`, in tree order."""
    found = []

    def walk(a, depth=0):
        if a is None or depth > 20:
            return
        try:
            if a.get_role() == Atspi.Role.LABEL:
                found.append(a.get_name())
            for i in range(a.get_child_count()):
                walk(a.get_child_at_index(i), depth + 1)
        except Exception:
            pass

    walk(acc)
    return found


def message_window(pred):
    """The browser's first message box or dialog (a window of its own) for which `pred` holds."""
    app = fern_app()
    if app is None:
        return None
    for i in range(app.get_child_count()):
        window = app.get_child_at_index(i)
        try:
            if window.get_role() in (Atspi.Role.ALERT, Atspi.Role.DIALOG) and pred(window):
                return window
        except Exception:
            pass
    return None


def checked(acc):
    return acc.get_state_set().contains(Atspi.StateType.CHECKED)


def fern_app():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == "fern":
            return app
    return None


def tab_list():
    app = fern_app()
    # The side bar's strip of panels is a page tab list too; the tab bar is "タブ".
    return find(app, lambda a: a.get_role() == Atspi.Role.PAGE_TAB_LIST and a.get_name() == "タブ") if app else None


def tab_texts():
    tabs = tab_list()
    if tabs is None:
        return None
    # A tab may go between counting and reading: then the bar is read again later.
    try:
        children = [tabs.get_child_at_index(i) for i in range(tabs.get_child_count())]
        if any(child is None for child in children):
            return None
        return [child.get_name() for child in children]
    except GLib.GError:
        return None


def window_title():
    app = fern_app()
    frame = find(app, lambda a: a.get_role() == Atspi.Role.FRAME) if app else None
    return frame.get_name() if frame else ""


def xdo(env, *args):
    """xdotool; no window manager runs, so the keyboard follows the pointer."""
    subprocess.run(["xdotool"] + list(args), env=env, timeout=10,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def showing_windows(role_names, name=None):
    """The browser's top-level windows called `name` (any name when None), of one of
    `role_names`, on screen."""
    app = fern_app()
    found = []
    wanted = [getattr(Atspi.Role, r) for r in role_names]
    for i in range(app.get_child_count() if app else 0):
        w = app.get_child_at_index(i)
        try:
            if w is not None and w.get_role() in wanted and name in (None, w.get_name()) and \
                    w.get_state_set().contains(Atspi.StateType.SHOWING):
                found.append(w)
        except Exception:
            pass
    return found


def labels_of(acc):
    """The texts of every label in `acc`, depth first."""
    texts = []

    def walk(a, depth=0):
        if a is None or depth > 20:
            return
        try:
            if a.get_role() == Atspi.Role.LABEL:
                texts.append(a.get_name())
            for i in range(a.get_child_count()):
                walk(a.get_child_at_index(i), depth + 1)
        except Exception:
            pass

    walk(acc)
    return texts


def press(within, name):
    """Clicks the push button called `name` inside `within`; False when there is none."""
    button = wait_for(lambda: named(["PUSH_BUTTON"], name, within), 10)
    if button is not None:
        Atspi.Action.do_action(button, 0)
    return button is not None


def choose_menu(*path):
    """Opens the menus along `path` and activates its last item."""
    for name in path:
        item = wait_for(lambda: named(["MENU_ITEM", "MENU"], name), 10)
        if item is None:
            return False
        Atspi.Action.do_action(item, 0)
        time.sleep(0.3)
    return True


def download_questions():
    """The download questions on screen."""
    return showing_windows(["DIALOG"], "ファイルのダウンロード")


def save_in_chooser():
    """Accepts the save chooser as it opens (its folder and name as proposed) and waits
    until it has gone, so the next call finds the next chooser."""
    def choosers():
        return showing_windows(["FILE_CHOOSER", "DIALOG"], "名前を付けて保存")
    chooser = wait_for(lambda: (choosers() or [None])[0], 10)
    if chooser is None:
        return False
    time.sleep(0.5)
    return press(chooser, "保存(S)") and bool(wait_for(lambda: not choosers(), 10))


def web_processes(root):
    """The web processes below `root`, oldest first."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            status = dict(line.split(":", 1) for line in open("/proc/%s/status" % entry).read().splitlines()
                          if ":" in line)
            if not status["Name"].strip().startswith("WebKitWebProces"):
                continue
            pid, depth = int(entry), 0
            while pid > 1 and depth < 16:
                pid = int(dict(line.split(":", 1) for line in open("/proc/%d/status" % pid).read().splitlines()
                               if ":" in line)["PPid"])
                depth += 1
                if pid == root:
                    start = int(open("/proc/%s/stat" % entry).read().rsplit(")", 1)[1].split()[19])
                    found.append((start, int(entry)))
                    break
        except (OSError, KeyError, ValueError):
            continue
    return [pid for _, pid in sorted(found)]


def make_chrome_profile(home):
    """A Chrome profile below `home` whose bookmark bar holds one bookmark "C"."""
    import json
    folder = os.path.join(home, ".config/google-chrome/Default")
    os.makedirs(folder)
    doc = {"roots": {"bookmark_bar": {"children": [{"name": "C", "type": "url", "url": "https://c.example/"}],
                                      "type": "folder", "name": "Bookmarks bar"}}, "version": 1}
    write_file(os.path.join(folder, "Bookmarks"), json.dumps(doc).encode())


LIST_HEADER = "#INFO\r\n\tENCODE=SHIFT_JIS\r\n\tVERSION=1\r\n\r\n#FOLDER\r\n\tNAME=x\r\n\r\n"


def url_list(*urls):
    """A list file's text (Shift-JIS, one folder) naming `urls`."""
    return LIST_HEADER + "".join("#URL\r\n\tURL=%s\r\n\r\n" % u for u in urls) + "-\r\n"
