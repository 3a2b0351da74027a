#!/usr/bin/python3
"""Kill tests: SIGKILL at random moments while user files and the session are saved.

Browser rounds: the browser starts on one data folder (the start after the last kill must
come up and, when that session was open, show its restore page), gets one to three new tabs
handed over by later starts, and is then killed with SIGKILL either at a random moment while it
runs (the session is being kept) or at a random moment after SIGTERM (its exit saves every
user file and marks the session closed). After each kill:

- every session generation present is whole (its checksum agrees);
- every tab the browser had answered for more than 1 s before the kill is in the newest one;
- every list file (.fbl) is its old bytes or a complete new list; every INI file its old
  bytes or complete (every line ended, no section or key of the old one gone).

fernctl rounds: `fernctl list write` replaces a 1 MB bookmark file and is killed at a random
moment; the file must be exactly the old or exactly the new one.

Usage (inside dbus-run-session and xvfb-run, as tests/gui/run_gui.sh gives):
    kill_harness.py FERN FERNCTL --browser-kills N --fernctl-kills M [--seed S]
Prints the figures and exits 1 when a check failed."""

import argparse
import hashlib
import json
import os
import random
import signal
import subprocess
import sys
import time

from fernui import scratch, serve, write_file
import runtime_dir

LIST_FILES = ["state.fbl", "typed.fbl", "rcu.fbl", "bookmark.fbl", "close.fbl", "startup.fbl"]
INI_FILES = ["fern.ini", "wnds.ini"]
LIST_HEADER = b"#INFO\r\n\tENCODE=SHIFT_JIS\r\n\tVERSION=1\r\n\r\n"
RESTORE_PAGE = "fern-session:restore"
LOSS_LIMIT = 1.0


def session_generation(path):
    """(whole, closed, set of urls of its tabs and pending tabs) of one generation file."""
    data = open(path, "rb").read()
    urls, closed = set(), False
    end = data.rfind(b"\nEND=")
    whole = False
    if data.startswith(b"FERNSESSION 1\n") and end >= 0 and data.endswith(b"\n"):
        fields = data[end + 5:-1].split(b" ")
        records = data.count(b"\n#TAB\n") + data.count(b"\n#PENDING\n")
        whole = (len(fields) == 2 and fields[0] == str(records).encode()
                 and fields[1] == hashlib.sha256(data[:end + 1]).hexdigest().encode())
    for line in data.split(b"\n"):
        if line.startswith(b"URL="):
            urls.add(line[4:].decode("cp932", "replace"))
        elif line == b"CLOSED=1":
            closed = True
    return whole, closed, urls


def list_whole(data):
    """A list file as the program writes it: the header, every folder closed, the end."""
    if not data.startswith(LIST_HEADER) or not data.endswith(b"\r\n"):
        return False
    lines = data.split(b"\r\n")
    depth = 0
    for line in lines:
        if line.startswith(b"#FOLDER"):
            depth += 1
        elif line == b"-":
            depth -= 1
    return depth == 0


def ini_names(data):
    names, section = set(), b""
    for line in data.replace(b"\r\n", b"\n").split(b"\n"):
        if line.startswith(b"[") and b"]" in line:
            section = line[1:line.index(b"]")]
            names.add((section, None))
        elif b"=" in line:
            names.add((section, line.split(b"=", 1)[0].strip()))
    return names


def ini_whole(data, old):
    if data and not data.endswith(b"\n"):
        return False
    return old is None or ini_names(old) <= ini_names(data)


class Harness:
    def __init__(self, args):
        self.args = args
        self.rng = random.Random(args.seed)
        self.work, self.env, self.data = scratch("fern-kill-")
        self.server, self.base = serve({"/p%d.html" % i: "<title>p%d</title>p" % i for i in range(10)})
        # A killed browser drops its connections; that is no news here.
        self.server.handle_error = lambda request, address: None
        self.fig = {"browser kills": 0, "kills while running": 0, "kills after SIGTERM": 0,
                    "fernctl kills": 0, "files neither old nor new": 0, "failed starts": 0,
                    "restore pages missing": 0, "tabs lost (answered > 1 s before the kill)": 0,
                    "largest loss (s)": 0.0, "generations not whole": 0,
                    "fernctl files neither old nor new": 0, "fernctl old": 0, "fernctl new": 0}
        self.problems = []
        self.serial = 0

    def problem(self, text):
        self.problems.append(text)
        print("FAIL " + text, flush=True)

    def ctl(self, *args):
        try:
            run = subprocess.run([self.args.fernctl] + list(args), env=self.env, timeout=30,
                                 capture_output=True)
        except subprocess.TimeoutExpired:
            return 4, ""
        return run.returncode, run.stdout.decode("utf-8", "replace")

    def tab_urls(self):
        code, out = self.ctl("windows")
        urls = []
        for window in out.split() if code == 0 else []:
            c, info = self.ctl("info", window)
            if c == 0:
                urls.append(info.split("\n")[0])
        return urls

    def snapshot(self):
        files = {}
        for name in LIST_FILES + INI_FILES:
            path = os.path.join(self.data, name)
            files[name] = open(path, "rb").read() if os.path.exists(path) else None
        return files

    def newest_session(self):
        for g in (1, 2, 3):
            path = os.path.join(self.data, "session%d.fss" % g)
            if os.path.exists(path):
                whole, closed, urls = session_generation(path)
                if whole:
                    return closed, urls
        return None

    def check_files(self, before):
        for g in (1, 2, 3):
            path = os.path.join(self.data, "session%d.fss" % g)
            if os.path.exists(path) and not session_generation(path)[0]:
                self.fig["generations not whole"] += 1
                self.problem("session%d.fss is not whole" % g)
        for name in LIST_FILES + INI_FILES:
            path = os.path.join(self.data, name)
            now = open(path, "rb").read() if os.path.exists(path) else None
            old = before[name]
            if now == old:
                continue
            ok = now is not None and (list_whole(now) if name.endswith(".fbl") else ini_whole(now, old))
            if not ok:
                self.fig["files neither old nor new"] += 1
                self.problem("%s is neither the old nor a whole new file (%r bytes)" % (name, None if now is None else len(now)))

    def start(self, expect_restore):
        fern = subprocess.Popen([self.args.fern, "--data-dir", self.data], env=self.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 30
        while time.time() < deadline:
            if fern.poll() is not None:
                break
            code, _ = self.ctl("windows")
            if code in (0, 1):  # answered (1: no tab open yet)
                if not expect_restore:
                    return fern
                if any(u.startswith(RESTORE_PAGE) for u in self.tab_urls()):
                    return fern
            time.sleep(0.1)
        if fern.poll() is None and expect_restore:
            self.fig["restore pages missing"] += 1
            self.problem("the start after a kill shows no restore page")
            return fern
        self.fig["failed starts"] += 1
        self.problem("the browser did not start (exit %r)" % fern.poll())
        if fern.poll() is None:
            fern.kill()
            fern.wait()
        return None

    def browser_round(self):
        last = self.newest_session()
        expect_restore = last is not None and not last[0] and any(
            not u.startswith(RESTORE_PAGE) for u in last[1])
        fern = self.start(expect_restore)
        if fern is None:
            return
        before = self.snapshot()
        answered = []
        for _ in range(self.rng.randint(1, 3)):
            self.serial += 1
            url = "%s/p%d.html?n=%d" % (self.base, self.serial % 10, self.serial)
            # A later start hands the address over; it is answered once its tab exists.
            handed = subprocess.run([self.args.fern, "--data-dir", self.data, url], env=self.env, timeout=30,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if handed.returncode == 0:
                answered.append((url, time.time()))
            time.sleep(self.rng.uniform(0, 0.3))
        if self.rng.random() < 0.5:
            time.sleep(self.rng.uniform(0, 1.5))
            self.fig["kills while running"] += 1
        else:
            fern.send_signal(signal.SIGTERM)
            time.sleep(self.rng.uniform(0, 0.15))
            self.fig["kills after SIGTERM"] += 1
        killed = time.time()
        try:
            fern.send_signal(signal.SIGKILL)
        except ProcessLookupError:
            pass
        fern.wait()
        self.fig["browser kills"] += 1
        # Its web and network processes end with it; what lingers is ended here.
        runtime_dir.end_processes(self.env["XDG_RUNTIME_DIR"], seconds=2)
        self.check_files(before)
        newest = self.newest_session()
        saved = newest[1] if newest else set()
        for url, when in answered:
            if url not in saved:
                age = killed - when
                self.fig["largest loss (s)"] = max(self.fig["largest loss (s)"], round(age, 3))
                if age > LOSS_LIMIT:
                    self.fig["tabs lost (answered > 1 s before the kill)"] += 1
                    self.problem("a tab answered %.2f s before the kill is not in the session" % age)

    def fernctl_rounds(self, count):
        folder = os.path.join(self.work, "fernctl")
        os.makedirs(folder, exist_ok=True)
        target = os.path.join(folder, "bookmark.fbl")

        def tree(tag, n):
            children = [{"type": 1, "name": "%s ブックマーク %d" % (tag, i), "url": "http://%s.example/%d" % (tag, i),
                         "desc": "", "style": 112, "exstyle": 1, "created": i} for i in range(n)]
            return json.dumps({"root": {"type": 2, "name": "Fern Browser BookMark", "children": children},
                               "trash": {"type": 2, "name": "ゴミ箱", "children": []}}, ensure_ascii=False)

        old_json, new_json = tree("old", 12000), tree("new", 14000)
        versions = {}
        for tag, text in (("old", old_json), ("new", new_json)):
            path = os.path.join(folder, tag + ".fbl")
            subprocess.run([self.args.fernctl, "list", "write", path, "--kind", "bookmark"], input=text.encode(),
                           check=True, env=self.env)
            versions[tag] = open(path, "rb").read()
        started = time.time()
        subprocess.run([self.args.fernctl, "list", "write", os.path.join(folder, "timing.fbl"), "--kind", "bookmark"],
                       input=new_json.encode(), check=True, env=self.env)
        span = max(time.time() - started, 0.01)
        for _ in range(count):
            write_file(target, versions["old"])
            p = subprocess.Popen([self.args.fernctl, "list", "write", target, "--kind", "bookmark"],
                                 stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=self.env)
            try:
                p.stdin.write(new_json.encode())
                p.stdin.close()
            except BrokenPipeError:
                pass
            time.sleep(self.rng.uniform(0, span * 1.2))
            p.send_signal(signal.SIGKILL)
            p.wait()
            self.fig["fernctl kills"] += 1
            now = open(target, "rb").read()
            if now == versions["old"]:
                self.fig["fernctl old"] += 1
            elif now == versions["new"]:
                self.fig["fernctl new"] += 1
            else:
                self.fig["fernctl files neither old nor new"] += 1
                self.problem("fernctl list write left %d bytes, neither old nor new" % len(now))
        self.fig["fernctl write (s)"] = round(span, 3)

    def run(self):
        write_file(self.data + "/fern.ini", "[Startup]\r\nSUStyle=1\r\n")
        started = time.time()
        for i in range(self.args.browser_kills):
            self.browser_round()
            if (i + 1) % 50 == 0:
                print("%d browser kills, %d problems" % (i + 1, len(self.problems)), flush=True)
        # The start after the last kill.
        fern = self.start(False)
        if fern is not None:
            fern.send_signal(signal.SIGTERM)
            fern.wait(timeout=30)
        self.fernctl_rounds(self.args.fernctl_kills)
        self.fig["seconds"] = round(time.time() - started)
        self.server.shutdown()
        for key, value in self.fig.items():
            print("%s: %s" % (key, value), flush=True)
        runtime_dir.release(self.work)
        return 1 if self.problems else 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("fern")
    parser.add_argument("fernctl")
    parser.add_argument("--browser-kills", type=int, default=20)
    parser.add_argument("--fernctl-kills", type=int, default=20)
    parser.add_argument("--seed", type=int, default=None)
    args = parser.parse_args()
    if args.seed is None:
        args.seed = random.randrange(1 << 30)
    print("seed %d" % args.seed, flush=True)
    return Harness(args).run()


if __name__ == "__main__":
    sys.exit(main())
