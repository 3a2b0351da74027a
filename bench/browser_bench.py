#!/usr/bin/python3
"""Whole-browser benchmarks: start-up against the bare-view baseline, 20 tabs
opened by a hand-off, memory of the whole process tree, close all on 50
tabs, and a large download against curl on the same server. Pages come from a server on 127.0.0.1 that this script runs; each page
reports its load event back to it (a request from its onload handler), so the
time a page finished loading is taken the same way for every program.

    /usr/bin/python3 bench/browser_bench.py BUILD_DIR [--runs N] [--only a,b]
        parts: startup, steps, memory, handoff, closeall, restore, download, sleep (default: all but sleep)
        --restore-loads: restore also waits until every restored page has loaded

It starts its own D-Bus session and Xvfb. Every run of a browser gets a fresh
temporary HOME, runtime folder and data folder (one start-up series reuses its
data folder, to show a later start), and everything it started ends before
the next run. Nothing here is a test: no figure fails anything.
"""

import argparse
import http.server
import json
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

INNER = "FERN_BROWSER_BENCH_INNER"


# ---------------------------------------------------------------------------
# Pages and the load reports

def page_html(name):
    title = "bench %s ページ" % name
    paragraphs = "".join("<p>これはベンチマーク用のページです。段落 %d。Fern Browser は 127.0.0.1 から"
                         "このページを読み込みます。</p>" % i for i in range(20))
    return ("<!DOCTYPE html><html lang=ja><head><meta charset=utf-8><title>%s</title>"
            "<style>body{font:14px sans-serif;margin:2em}h1{color:#264}p{line-height:1.5}</style>"
            "</head><body><h1>%s</h1>%s"
            "<script>addEventListener('load',function(){fetch('/loaded/%s',{cache:'no-store'})})</script>"
            "</body></html>" % (title, title, paragraphs, name))


class LoadReports:
    def __init__(self):
        self.times = {}
        self.arrivals = {}  # name -> every arrival, for a page loaded again
        self.cond = threading.Condition()

    def record(self, name):
        now = time.monotonic()
        with self.cond:
            self.times.setdefault(name, now)
            self.arrivals.setdefault(name, []).append(now)
            self.cond.notify_all()

    def wait_after(self, name, after, timeout):
        """The first arrival of `name` after `after`, or None after `timeout` s."""
        deadline = time.monotonic() + timeout
        with self.cond:
            while True:
                later = [t for t in self.arrivals.get(name, []) if t > after]
                if later:
                    return later[0]
                left = deadline - time.monotonic()
                if left <= 0:
                    return None
                self.cond.wait(left)

    def wait(self, names, timeout):
        """The arrival times of all `names`, or None after `timeout` s."""
        deadline = time.monotonic() + timeout
        with self.cond:
            while not all(n in self.times for n in names):
                left = deadline - time.monotonic()
                if left <= 0:
                    return None
                self.cond.wait(left)
            return [self.times[n] for n in names]


REPORTS = LoadReports()


# The body of /bytes/N: N bytes of this block over and over.
BYTES_BLOCK = os.urandom(1 << 20)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        path = self.path.split("?", 1)[0]
        if path.startswith("/bytes/"):
            size = int(path[len("/bytes/"):])
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", str(size))
            self.end_headers()
            view = memoryview(BYTES_BLOCK)
            try:
                while size > 0:
                    n = min(size, len(view))
                    self.wfile.write(view[:n])
                    size -= n
            except OSError:
                pass
            return
        if path.startswith("/loaded/"):
            REPORTS.record(path[len("/loaded/"):])
            self.send_response(204)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if path.startswith("/page/") or path.startswith("/cpage/"):
            # When the page was asked for: the start-up trace compares it
            # across browsers, as only fern traces its own phases.
            REPORTS.record("requested " + path.split("/", 2)[2])
            data = page_html(path.split("/", 2)[2]).encode("utf-8")
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            # /cpage/ pages may come from the cache for an hour.
            self.send_header("Cache-Control", "no-store" if path.startswith("/page/") else "max-age=3600")
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)
            return
        self.send_response(404)
        self.send_header("Content-Length", "0")
        self.end_headers()

    def log_message(self, *args):
        pass


# ---------------------------------------------------------------------------
# Processes

def proc_table():
    """pid -> (ppid, name) of every live process."""
    table = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                stat = f.read()
        except OSError:
            continue
        name = stat[stat.index("(") + 1:stat.rindex(")")]
        fields = stat[stat.rindex(")") + 2:].split()
        if fields[0] != "Z":
            table[int(entry)] = (int(fields[1]), name)
    return table


def tree(pid):
    """`pid` and all its live descendants, with their names."""
    table = proc_table()
    found = [pid] if pid in table else []
    i = 0
    while i < len(found):
        found += [p for p, (pp, _) in table.items() if pp == found[i]]
        i += 1
    return {p: table[p][1] for p in found}


def pss_kib(pid):
    try:
        with open("/proc/%d/smaps_rollup" % pid) as f:
            for line in f:
                if line.startswith("Pss:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def tree_pss(pid):
    """(total MiB, {kind: (count, MiB)}, unreadable count) over the process tree."""
    kinds, total, unreadable = {}, 0, 0
    for p, name in tree(pid).items():
        kib = pss_kib(p)
        if kib is None:
            unreadable += 1
            continue
        total += kib
        count, sub = kinds.get(name, (0, 0))
        kinds[name] = (count + 1, sub + kib)
    return total / 1024, {k: (c, s / 1024) for k, (c, s) in kinds.items()}, unreadable


def end_tree(proc, members, timeout=20):
    """Ends `proc` with SIGTERM and waits until `members` (pids) are gone."""
    if proc.poll() is None:
        proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
    deadline = time.monotonic() + 10
    alive = []
    while time.monotonic() < deadline:
        alive = [p for p in members if p != proc.pid and os.path.exists("/proc/%d" % p)
                 and proc_table().get(p, (0, ""))[1] == members[p]]
        if not alive:
            return
        time.sleep(0.05)
    for p in alive:
        try:
            os.kill(p, signal.SIGKILL)
        except OSError:
            pass


class Profile:
    """A fresh HOME, runtime folder and data folder, removed afterwards."""

    def __init__(self):
        self.work = tempfile.mkdtemp(prefix="fern-bench-")
        self.data = os.path.join(self.work, "data")
        os.makedirs(self.work + "/home")
        os.makedirs(self.work + "/run", mode=0o700)
        self.env = dict(os.environ, HOME=self.work + "/home", XDG_RUNTIME_DIR=self.work + "/run")
        for key in ("XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "FERN_DATA_DIR"):
            self.env.pop(key, None)

    def __enter__(self):
        return self

    def __exit__(self, *args):
        shutil.rmtree(self.work, ignore_errors=True)


# ---------------------------------------------------------------------------
# AT-SPI: the tab texts a screen reader reads

def atspi():
    """The GUI tests' AT-SPI helpers, imported late: only the inner run has the bus."""
    gui_tests = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "gui")
    if gui_tests not in sys.path:
        sys.path.insert(0, gui_tests)
    import fernui
    return fernui


def tab_list(pid):
    ui = atspi()
    Atspi = ui.Atspi
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        try:
            if app is not None and app.get_process_id() == pid:
                return ui.find(app, lambda a: a.get_role() == Atspi.Role.PAGE_TAB_LIST)
        except Exception:
            pass
    return None


def tab_texts(pid):
    tabs = tab_list(pid)
    if tabs is None:
        return None
    try:
        return [tabs.get_child_at_index(i).get_name() for i in range(tabs.get_child_count())]
    except Exception:
        return None


# ---------------------------------------------------------------------------
# The benchmarks

def summary(values):
    values = sorted(values)
    return {"median": statistics.median(values), "min": values[0], "max": values[-1],
            "runs": len(values)}


def fmt(s, unit="ms"):
    f = "%.1f" if s["median"] < 20 else "%.0f"
    return ("median " + f + " %s (min " + f + ", max " + f + ", %d runs)") % (s["median"], unit, s["min"], s["max"],
                                                                             s["runs"])


def start_once(kind, args, base, name, kept=None):
    """One start of `kind` (fern / baseline) on a fresh HOME and runtime
    folder, and a fresh data folder unless `kept` names one: (ms to the
    page's load event, the baseline's own figure or None)."""
    with Profile() as profile:
        url = "%s/page/%s" % (base, name)
        if kind == "fern":
            cmd = [args.fern, "--data-dir", kept or profile.data, url]
        else:
            cmd = [args.baseline, "--linger-ms", "1500", url]
        t0 = time.monotonic()
        out = subprocess.PIPE if kind == "baseline" else subprocess.DEVNULL
        proc = subprocess.Popen(cmd, env=profile.env, stdout=out, stderr=subprocess.DEVNULL, text=True)
        times = REPORTS.wait([name], 60)
        members = tree(proc.pid)
        own = None
        if kind == "baseline":
            try:
                out, _ = proc.communicate(timeout=30)
                m = re.search(r"load finished: ([\d.]+) ms after process start", out or "")
                own = float(m.group(1)) if m else None
            except subprocess.TimeoutExpired:
                pass
        end_tree(proc, members)
        if times is None:
            raise RuntimeError("%s did not load %s within 60 s" % (kind, url))
        return (times[0] - t0) * 1000, own


def bench_startup(args, base, results):
    print("== start-up: process start to the first page's load event", flush=True)
    got = {"fern": [], "baseline": [], "baseline_own": [], "fern_again": []}
    # "fern_again" starts on the data folder of its previous starts: a later
    # start, whose profile files (settings, WebKit's databases) exist.
    kept = tempfile.mkdtemp(prefix="fern-bench-kept-")
    try:
        startup_rounds(args, base, got, kept)
    finally:
        shutil.rmtree(kept, ignore_errors=True)
    res = {k: summary(v) for k, v in got.items() if v}
    res["ratio"] = res["fern"]["median"] / res["baseline"]["median"]
    res["ratio_again"] = res["fern_again"]["median"] / res["baseline"]["median"]
    # Both starts of a round ran back to back, so their difference is less
    # touched by what else the machine was doing at the time.
    res["paired_difference"] = summary([f - b for f, b in zip(got["fern"], got["baseline"])])
    results["startup"] = res
    print("  fern:     " + fmt(res["fern"]))
    print("  baseline: " + fmt(res["baseline"]))
    if "baseline_own" in res:
        print("  baseline, its own load-finished figure: " + fmt(res["baseline_own"]))
    print("  fern, later start on the same data folder: " + fmt(res["fern_again"]))
    print("  fern - baseline, same round: " + fmt(res["paired_difference"]))
    print("  ratio fern / baseline (medians): %.2f, later start %.2f  (target <= 1.2)"
          % (res["ratio"], res["ratio_again"]), flush=True)


def startup_rounds(args, base, got, kept):
    for i in range(args.runs + 1):
        # Alternate the order so that a busy moment of the machine hits all.
        kinds = ("fern", "baseline", "fern_again")
        for kind in (kinds if i % 2 == 0 else kinds[::-1]):
            ms, own = start_once("fern" if kind == "fern_again" else kind, args, base, "start%d%s" % (i, kind),
                                 kept if kind == "fern_again" else None)
            if i == 0:
                print("  warm-up %-10s %6.0f ms" % (kind, ms), flush=True)
                continue
            got[kind].append(ms)
            if own is not None:
                got["baseline_own"].append(own)
            note = "" if own is None else "  (its own figure %.0f ms)" % own
            print("  run %2d  %-10s %6.0f ms%s" % (i, kind, ms, note), flush=True)
            time.sleep(0.3)


TRACE_LINE = re.compile(r"^fern-trace: ([\d.]+) ms (.*)$")
NO_SANDBOX = {"WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS": "1"}


def traced_start(args, base, name, kind):
    """One start with FERN_TRACE=1 (`kind`: fern, fern_nosandbox, fern_other
    or surf): (ms to the page's load event, ms to the page's request, {phase:
    ms} from fern's trace)."""
    with Profile() as profile:
        url = "%s/page/%s" % (base, name)
        env = dict(profile.env, FERN_TRACE="1")
        if kind == "fern_nosandbox":
            env.update(NO_SANDBOX)
        program = args.trace_other if kind == "fern_other" else args.fern
        cmd = ["surf", url] if kind == "surf" else [program, "--data-dir", profile.data, url]
        if args.trace_warm:
            # A start on a profile that an earlier start made, as most starts are.
            first = subprocess.Popen(cmd[:-1] + [url + "-first"], env=env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
            REPORTS.wait([name + "-first"], 60)
            time.sleep(0.5)
            end_tree(first, tree(first.pid))
            time.sleep(0.3)
        err = tempfile.TemporaryFile(mode="w+")
        t0 = time.monotonic()
        proc = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=err, text=True)
        times = REPORTS.wait([name, "requested " + name], 60)
        # The page reports its onload before the engine tells the browser.
        time.sleep(0.5)
        members = tree(proc.pid)
        end_tree(proc, members)
        if times is None:
            raise RuntimeError("%s did not load %s within 60 s" % (kind, url))
        err.seek(0)
        phases = {}
        for line in err:
            m = TRACE_LINE.match(line.strip())
            if m and m.group(2) not in phases:
                phases[m.group(2)] = float(m.group(1))
        return (times[0] - t0) * 1000, (times[1] - t0) * 1000, phases


def bench_trace(args, base, results):
    print("== start-up trace (FERN_TRACE=1), the sandbox's cost, and surf when installed%s"
          % (" (second start on each profile)" if args.trace_warm else ""), flush=True)
    kinds = (["fern", "fern_nosandbox"] + (["fern_other"] if args.trace_other else [])
             + (["surf"] if shutil.which("surf") else []))
    got = {k: [] for k in kinds}
    requested = {k: [] for k in kinds}
    phases = {k: {} for k in kinds}
    for i in range(args.runs + 1):
        for kind in (kinds if i % 2 == 0 else kinds[::-1]):
            ms, request_ms, trace = traced_start(args, base, "trace%d%s" % (i, kind), kind)
            if i == 0:
                continue
            got[kind].append(ms)
            requested[kind].append(request_ms)
            for phase, at in trace.items():
                phases[kind].setdefault(phase, []).append(at)
            print("  run %2d  %-15s %6.0f ms  (page requested at %4.0f ms)" % (i, kind, ms, request_ms), flush=True)
            time.sleep(0.3)
    res = {k: summary(v) for k, v in got.items()}
    res["requested"] = {k: summary(v) for k, v in requested.items()}
    res["phases"] = {k: {p: statistics.median(v) for p, v in ph.items()} for k, ph in phases.items()}
    results["trace"] = res
    for kind in kinds:
        print("  %-15s to onload: %s" % (kind, fmt(res[kind])))
        print("  %-15s to the page's request: %s" % (kind, fmt(res["requested"][kind])))
    for kind in [k for k in kinds if k != "surf"]:
        print("  phases of %s (medians, ms since the process began):" % kind)
        for phase, at in sorted(res["phases"][kind].items(), key=lambda kv: kv[1]):
            print("    %7.1f  %s" % (at, phase))
    print("  the sandbox costs the first page %.0f ms (medians)"
          % (res["fern"]["median"] - res["fern_nosandbox"]["median"]), flush=True)
    if "surf" in res:
        print("  ratio fern / surf (medians): %.2f to onload, %.2f to the request"
              % (res["fern"]["median"] / res["surf"]["median"],
                 res["requested"]["fern"]["median"] / res["requested"]["surf"]["median"]), flush=True)


def print_pss(label, total, kinds, unreadable):
    parts = ", ".join("%s x%d %.0f" % (k, c, m) for k, (c, m) in sorted(kinds.items(), key=lambda kv: -kv[1][1]))
    print("  %s: %.0f MiB PSS  [%s]%s" % (label, total, parts, "  (%d unreadable)" % unreadable if unreadable else ""),
          flush=True)


def bench_memory(args, base, results):
    print("== memory: PSS of the whole process tree with one page loaded (3 s after its load)", flush=True)
    got = {"fern": [], "baseline": []}
    for i in range(args.memory_runs):
        for kind in ("fern", "baseline"):
            with Profile() as profile:
                name = "mem%d%s" % (i, kind)
                url = "%s/page/%s" % (base, name)
                cmd = ([args.fern, "--data-dir", profile.data, url] if kind == "fern"
                       else [args.baseline, "--linger-ms", "8000", url])
                proc = subprocess.Popen(cmd, env=profile.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                ok = REPORTS.wait([name], 60) is not None
                time.sleep(3)
                total, kinds, unreadable = tree_pss(proc.pid)
                members = tree(proc.pid)
                end_tree(proc, members)
                if not ok:
                    raise RuntimeError("%s did not load %s" % (kind, url))
                got[kind].append(total)
                print_pss("run %d %s, 1 tab" % (i + 1, kind), total, kinds, unreadable)
    results["memory_1tab"] = {k: summary(v) for k, v in got.items()}
    print("  fern, 1 tab:     " + fmt(results["memory_1tab"]["fern"], "MiB"))
    print("  baseline, 1 view: " + fmt(results["memory_1tab"]["baseline"], "MiB"), flush=True)


def bench_handoff(args, base, results):
    print("== hand-off: one later start with 20 URLs of %d site(s) to a running browser with no tab" % args.sites,
          flush=True)
    got = {"loaded": [], "titles": [], "pss20": [], "pss0": []}
    for run in range(args.handoff_runs):
        with Profile() as profile:
            cmd = [args.fern, "--data-dir", profile.data]
            proc = subprocess.Popen(cmd, env=profile.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                deadline = time.monotonic() + 30
                while tab_texts(proc.pid) is None and time.monotonic() < deadline:
                    time.sleep(0.1)
                if tab_texts(proc.pid) is None:
                    raise RuntimeError("the browser's tab bar did not appear over AT-SPI")
                time.sleep(1)
                pss0, kinds0, unr0 = tree_pss(proc.pid)
                print_pss("run %d, no tab" % (run + 1), pss0, kinds0, unr0)
                names = ["hand%d-%02d" % (run, k) for k in range(1, 21)]
                titles = sorted("bench %s ページ" % n for n in names)
                t0 = time.monotonic()
                bases = [base] + args.site_bases[:max(0, args.sites - 1)]
                urls = ["%s/page/%s" % (bases[k % len(bases)], n) for k, n in enumerate(names)]
                later = subprocess.run(cmd + urls, env=profile.env,
                                       timeout=60, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                t_later = time.monotonic()
                times = REPORTS.wait(names, 180)
                if times is None:
                    raise RuntimeError("not all 20 pages reported their load within 180 s")
                t_loaded = max(times)
                t_titles = None
                deadline = time.monotonic() + 60
                while time.monotonic() < deadline:
                    texts = tab_texts(proc.pid)
                    if texts is not None and sorted(texts) == titles:
                        t_titles = time.monotonic()
                        break
                    time.sleep(0.1)
                if t_titles is None:
                    raise RuntimeError("the tab bar does not show the 20 titles: %r" % tab_texts(proc.pid))
                print("  run %d: later start ended after %.0f ms (exit %d); 20 load events after %.0f ms; "
                      "20 titles in the tab bar after %.0f ms" % (run + 1, (t_later - t0) * 1000, later.returncode,
                                                                  (t_loaded - t0) * 1000, (t_titles - t0) * 1000),
                      flush=True)
                got["loaded"].append((t_loaded - t0) * 1000)
                got["titles"].append((t_titles - t0) * 1000)
                time.sleep(3)
                total, kinds, unreadable = tree_pss(proc.pid)
                print_pss("run %d, 20 tabs" % (run + 1), total, kinds, unreadable)
                got["pss20"].append(total)
                got["pss0"].append(pss0)
            finally:
                end_tree(proc, tree(proc.pid))
    results["handoff"] = {k: summary(v) for k, v in got.items()}
    print("  all 20 loaded:        " + fmt(results["handoff"]["loaded"]))
    print("  all 20 titles shown:  " + fmt(results["handoff"]["titles"]))
    print("  PSS with 20 tabs:     " + fmt(results["handoff"]["pss20"], "MiB"))
    print("  PSS with no tab:      " + fmt(results["handoff"]["pss0"], "MiB"), flush=True)


def bench_steps(args, base, results):
    print("== start-up steps: WebKit set-up calls on the UI thread (fern_webkit_steps)", flush=True)
    got = {"context": [], "favicons_new": [], "favicons_existing": [], "context_ephemeral": []}
    for i in range(args.steps_runs):
        with Profile() as profile:
            for run in ("first", "later", "ephemeral"):
                cmd = [args.steps] + (["--ephemeral"] if run == "ephemeral" else []) + [profile.data]
                out = subprocess.run(cmd, env=profile.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                     text=True, timeout=60).stdout
                m = re.search(r"context ([\d.]+) ms; favicon database \((\w+)\) ([\d.]+) ms", out)
                if not m:
                    raise RuntimeError("fern_webkit_steps printed %r" % out)
                if run == "ephemeral":
                    got["context_ephemeral"].append(float(m.group(1)))
                    continue
                if run == "first":
                    got["context"].append(float(m.group(1)))
                got["favicons_" + ("new" if m.group(2) == "new" else "existing")].append(float(m.group(3)))
                time.sleep(0.2)
    results["steps"] = {k: summary(v) for k, v in got.items() if v}
    for k, label in (("context_ephemeral", "in-memory profile, context"), ("context", "profile on disk, context"),
                     ("favicons_new", "favicon database, first start"),
                     ("favicons_existing", "favicon database, later start")):
        if k in results["steps"]:
            print("  %-32s %s" % (label + ":", fmt(results["steps"][k])), flush=True)


def state_log(urls):
    """A state log (list "laststate") holding `urls`, as the browser writes it."""
    out = "#INFO\r\n\tENCODE=SHIFT_JIS\r\n\tVERSION=1\r\n\r\n#FOLDER\r\n\tNAME=laststate\r\n\r\n"
    for url in urls:
        out += "#URL\r\n\tURL=%s\r\n\tSTYLE=112\r\n\r\n" % url
    return (out + "-\r\n").encode("ascii")


def bench_restore(args, base, results):
    print("== restore a 100-tab state log at start-up (SUStyle 0x2): until all 100 tabs exist", flush=True)
    got, loads = [], []
    for run in range(args.restore_runs):
        with Profile() as profile:
            os.makedirs(profile.data)
            with open(profile.data + "/fern.ini", "wb") as f:
                f.write(b"[Startup]\r\nSUStyle=2\r\n")
            with open(profile.data + "/state.fbl", "wb") as f:
                f.write(state_log(["%s/page/restore%d-%03d" % (base, run, k) for k in range(100)]))
            t0 = time.monotonic()
            proc = subprocess.Popen([args.fern, "--data-dir", profile.data], env=profile.env,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                t_all = None
                deadline = time.monotonic() + 120
                while time.monotonic() < deadline:
                    texts = tab_texts(proc.pid)
                    if texts is not None and len(texts) >= 100:
                        t_all = time.monotonic()
                        break
                    time.sleep(0.05)
                if t_all is None:
                    raise RuntimeError("100 tabs did not appear: %r" % (len(tab_texts(proc.pid) or [])))
                print("  run %d: 100 tabs exist %.0f ms after the process started" % (run + 1, (t_all - t0) * 1000),
                      flush=True)
                got.append((t_all - t0) * 1000)
                if args.restore_loads:
                    # The pages are made in the background afterwards: until every one has loaded.
                    times = REPORTS.wait(["restore%d-%03d" % (run, k) for k in range(100)], 300)
                    if times is None:
                        print("  run %d: not every page loaded within 300 s" % (run + 1), flush=True)
                    else:
                        loads.append((max(times) - t0) * 1000)
                        print("  run %d: all 100 pages loaded %.1f s after the process started (load average %s)"
                              % (run + 1, loads[-1] / 1000, os.getloadavg()[0]), flush=True)
            finally:
                end_tree(proc, tree(proc.pid))
    results["restore"] = summary(got)
    print("  100 tabs exist:       " + fmt(results["restore"]) + "  (target <= 2 s)", flush=True)
    if loads:
        results["restore_loaded"] = summary(loads)
        print("  100 pages loaded:     " + fmt(results["restore_loaded"]), flush=True)


def bench_closeall(args, base, results):
    for variant in [v.strip() for v in args.closeall_variants.split(",") if v.strip()]:
        closeall_variant(args, base, results, variant)


def closeall_variant(args, base, results, variant):
    label = {"first": "the first tab selected (as after opening them)",
             "last": "the last tab selected"}.get(variant)
    if label is None:
        raise RuntimeError("unknown close-all variant %r" % variant)
    print("== close all on %d loaded tabs, %s (fern_closeall_bench)" % (args.tabs, label), flush=True)
    with Profile() as profile:
        cmd = [args.closeall, "--tabs", str(args.tabs), "--rounds", str(args.closeall_rounds),
               "%s/page/closeall" % base] + (["--select-last"] if variant == "last" else [])
        proc = subprocess.Popen(cmd, env=profile.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        try:
            out, _ = proc.communicate(timeout=900)
        except subprocess.TimeoutExpired:
            end_tree(proc, tree(proc.pid))
            raise RuntimeError("fern_closeall_bench took over 15 minutes")
    rounds = []
    for line in out.splitlines():
        print("  " + line, flush=True)
        m = re.search(r"CloseAll ([\d.]+) ms, \+ pending events ([\d.]+) ms = ([\d.]+) ms.*"
                      r"repainted after (-?[\d.]+) ms.*ended after ([\d.]+) ms", line)
        if m:
            rounds.append([float(g) for g in m.groups()])
    if proc.returncode != 0 or not rounds:
        raise RuntimeError("fern_closeall_bench failed (exit %d)" % proc.returncode)
    key = "closeall_" + variant
    results[key] = {"call": summary([r[0] for r in rounds]), "with_events": summary([r[2] for r in rounds]),
                    "repainted": summary([r[3] for r in rounds]), "processes_ended": summary([r[4] for r in rounds])}
    print("  CloseAll() alone:                  " + fmt(results[key]["call"]), flush=True)
    print("  CloseAll() until the window repainted: " + fmt(results[key]["repainted"]) + "  (target <= 300 ms)",
          flush=True)
    print("  CloseAll() + pending events:       " + fmt(results[key]["with_events"]), flush=True)


def file_size(path):
    try:
        return os.path.getsize(path)
    except OSError:
        return -1


def curl_once(url, size):
    """Seconds `curl -o` takes for the whole body."""
    with Profile() as profile:
        target = profile.work + "/curl.bin"
        t0 = time.monotonic()
        subprocess.run(["curl", "-s", "-o", target, url], check=True, env=profile.env)
        seconds = time.monotonic() - t0
        if file_size(target) != size:
            raise RuntimeError("curl wrote %d bytes of %d" % (file_size(target), size))
        return seconds


def webkit_download_once(args, url, size):
    """Seconds a bare WebKit download takes, from its destination to its end."""
    with Profile() as profile:
        target = profile.work + "/webkit.bin"
        out = subprocess.run([args.webkit_download, url, target], env=profile.env, capture_output=True, text=True,
                             timeout=600)
        m = re.search(r"bytes (\d+) seconds ([\d.]+)", out.stdout)
        if not m or int(m.group(1)) != size or file_size(target) != size:
            raise RuntimeError("the bare WebKit download failed: %s" % (out.stdout + out.stderr).strip())
        return float(m.group(2))


def fern_download_once(args, url, size):
    """(seconds from the chooser's "保存(S)" to the complete file, the longest
    answer of the window to an accessibility request during that time in ms,
    the 99th percentile of those answers in ms, the second at which the
    longest came)."""
    ui = atspi()
    with Profile() as profile:
        saved = profile.work + "/home/saved"
        os.makedirs(saved)
        os.makedirs(profile.data)
        with open(profile.data + "/fern.ini", "wb") as f:
            f.write(("[FileDlg]\r\nFDStyle=4\r\nFDSavePath=%s\r\n" % saved).encode("cp932"))
        proc = subprocess.Popen([args.fern, "--data-dir", profile.data, url], env=profile.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        members = {}
        try:
            questions = ui.wait_for(lambda: ui.download_questions(), 60)
            members = tree(proc.pid)
            if not questions or not ui.press(questions[0], "保存(S)"):
                raise RuntimeError("no download question")
            chooser = ui.wait_for(lambda: ui.showing_windows(["FILE_CHOOSER", "DIALOG"], "名前を付けて保存"), 20)
            if not chooser:
                raise RuntimeError("no file chooser")
            time.sleep(0.5)
            frame = ui.find(ui.fern_app(), lambda a: a.get_role() == ui.Atspi.Role.FRAME)
            target = saved + "/" + url.rsplit("/", 1)[1]
            t0 = time.monotonic()
            ui.press(chooser[0], "保存(S)")
            answers = []
            deadline = t0 + 600
            while file_size(target) != size:
                if time.monotonic() > deadline or proc.poll() is not None:
                    raise RuntimeError("the download did not finish: %s" % os.listdir(saved))
                # A request the main loop answers: its time is how long the window waited.
                a0 = time.monotonic()
                frame.get_extents(ui.Atspi.CoordType.SCREEN)
                answers.append(((time.monotonic() - a0) * 1000, a0 - t0))
                time.sleep(0.01)
            seconds = time.monotonic() - t0
            members.update(tree(proc.pid))
        finally:
            end_tree(proc, members or tree(proc.pid))
        answers.sort()
        return seconds, answers[-1][0], answers[int(len(answers) * 0.99)][0], answers[-1][1]


def bench_download(args, base, results):
    size = args.download_mib << 20
    url = "%s/bytes/%d" % (base, size)
    print("== download: %d MiB from 127.0.0.1, fern against curl -o, side by side" % args.download_mib, flush=True)
    got = {"curl": [], "webkit": [], "fern": [], "ratio": [], "ratio_webkit": [], "stall": [], "p99": []}
    mib = size / (1 << 20)
    for _ in range(args.download_runs):
        curl = curl_once(url, size)
        webkit = webkit_download_once(args, url, size)
        fern, stall, p99, when = fern_download_once(args, url, size)
        got["curl"].append(mib / curl)
        got["webkit"].append(mib / webkit)
        got["fern"].append(mib / fern)
        got["ratio"].append(curl / fern)
        got["ratio_webkit"].append(webkit / fern)
        got["stall"].append(stall)
        got["p99"].append(p99)
        print("  round: curl %.0f, bare WebKit %.0f, fern %.0f MiB/s (%.0f%% of curl, %.0f%% of WebKit);"
              " longest wait of the window %.0f ms at %.1f s, 99th percentile %.0f ms"
              % (got["curl"][-1], got["webkit"][-1], got["fern"][-1], got["ratio"][-1] * 100,
                 got["ratio_webkit"][-1] * 100, stall, when, p99), flush=True)
    res = {k: summary(v) for k, v in got.items()}
    results["download"] = res
    print("  curl:        " + fmt(res["curl"], "MiB/s"))
    print("  bare WebKit: " + fmt(res["webkit"], "MiB/s"))
    print("  fern:        " + fmt(res["fern"], "MiB/s"))
    print("  fern / curl: median %.0f%%; fern / bare WebKit: median %.0f%%"
          % (res["ratio"]["median"] * 100, res["ratio_webkit"]["median"] * 100))
    print("  longest wait of the window: " + fmt(res["stall"]), flush=True)


# ---------------------------------------------------------------------------
# Sleeping tabs: the memory a sleeping tab frees and how soon, and its wake

def tab_bar(pid):
    """The browser's tab bar ("タブ") over AT-SPI, or None."""
    ui = atspi()
    desktop = ui.Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        try:
            if app is not None and app.get_process_id() == pid:
                return ui.find(app, lambda a: a.get_role() == ui.Atspi.Role.PAGE_TAB_LIST and a.get_name() == "タブ")
        except Exception:
            pass
    return None


def tab_states(pid):
    """[(accessible, asleep)] of the tabs, or None while the bar cannot be read."""
    tabs = tab_bar(pid)
    if tabs is None:
        return None
    try:
        children = [tabs.get_child_at_index(i) for i in range(tabs.get_child_count())]
        return [(c, c.get_description() == "休止中") for c in children]
    except Exception:
        return None


def web_process_count(pid):
    return sum(1 for name in tree(pid).values() if name.startswith("WebKitWebProces"))


def load_average():
    return " ".join(open("/proc/loadavg").read().split()[:3])


def loopback_sites(args, count, base):
    """`count` sites: 127.0.0.1, .2, .3 and servers started here on further loopback addresses."""
    bases = [base] + args.site_bases
    for x in range(len(bases) + 1, count + 1):
        other = http.server.ThreadingHTTPServer(("127.0.0.%d" % x, 0), Handler)
        other.daemon_threads = True
        threading.Thread(target=other.serve_forever, daemon=True).start()
        args.site_bases.append("http://127.0.0.%d:%d" % (x, other.server_address[1]))
        bases.append(args.site_bases[-1])
    return bases[:count]


def sleep_round(args, bases, label, tabs):
    """One browser with `tabs` tabs over `bases`, TabSleepMinutes=1: what the background tabs
    free when they sleep, how soon, and how long a woken tab takes to load again."""
    names = ["sleep-%s-%02d" % (label.replace(" ", ""), k) for k in range(tabs)]
    # Every other page may come from the cache: a wake can show either kind.
    kinds = ["page" if k % 2 == 0 else "cpage" for k in range(tabs)]
    urls = ["%s/%s/%s" % (bases[k % len(bases)], kinds[k], n) for k, n in enumerate(names)]
    with Profile() as profile:
        os.makedirs(profile.data)
        with open(profile.data + "/fern.ini", "wb") as f:
            f.write(b"[TabBar]\r\nTabSleepMinutes=1\r\n")
        proc = subprocess.Popen([args.fern, "--data-dir", profile.data] + urls, env=profile.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            if REPORTS.wait(names, 120) is None:
                raise RuntimeError("not all %d pages loaded within 120 s: %s did not; tabs %r"
                                   % (tabs, [n for n in names if n not in REPORTS.times],
                                      [c.get_name() for c, _ in tab_states(proc.pid) or []]))
            time.sleep(3)
            before, kinds_before, unreadable = tree_pss(proc.pid)
            procs_before = web_process_count(proc.pid)
            print_pss("%s, %d tabs awake" % (label, tabs), before, kinds_before, unreadable)
            # A minute unselected, then the sleeper's next round (every 15 s).
            t_asleep, asleep, deadline = None, 0, time.monotonic() + 150
            while time.monotonic() < deadline:
                states = tab_states(proc.pid) or []
                asleep = sum(1 for _, a in states if a)
                if asleep and t_asleep is None:
                    t_asleep = time.monotonic()
                if asleep >= tabs - 1:
                    break
                time.sleep(0.05)
            if t_asleep is None:
                raise RuntimeError("no tab fell asleep within 150 s")
            t_all = time.monotonic()
            # The memory as it goes: sampled until it has not fallen for 3 s.
            samples, t_end = [], time.monotonic() + 20
            while time.monotonic() < t_end:
                total = tree_pss(proc.pid)[0]
                samples.append((time.monotonic(), total, web_process_count(proc.pid)))
                if len(samples) > 1 and samples[-1][0] - min(t for t, m, _ in samples if m <= total + 2) >= 3:
                    break
                time.sleep(0.1)
            after, kinds_after, unreadable = tree_pss(proc.pid)
            procs_after = web_process_count(proc.pid)
            print_pss("%s, %d of them asleep" % (label, asleep), after, kinds_after, unreadable)
            freed = before - after
            # Freed: the first sample within 5 MiB of the final figure.
            t_freed = next(t for t, m, _ in samples if m <= after + 5)
            t_procs = next((t for t, _, n in samples if n <= procs_after), samples[-1][0])
            res = {"before": before, "after": after, "asleep": asleep, "per_tab": freed / max(asleep, 1),
                   "procs_before": procs_before, "procs_after": procs_after,
                   "freed_after_ms": (t_freed - t_asleep) * 1000, "procs_ended_after_ms": (t_procs - t_asleep) * 1000,
                   "marking_ms": (t_all - t_asleep) * 1000, "load": load_average(), "wake": {"page": [], "cpage": []}}
            print("  %s: %d tabs asleep (all marked within %.0f ms); %.0f MiB freed, %.1f MiB a tab; web processes "
                  "%d -> %d, ended %.0f ms and memory freed %.0f ms after the first tab read asleep; load %s"
                  % (label, asleep, res["marking_ms"], freed, res["per_tab"], procs_before, procs_after,
                     res["procs_ended_after_ms"], res["freed_after_ms"], res["load"]), flush=True)
            # Wake the sleeping tabs one by one: selection to the woken page's load event.
            for index in range(tabs):
                states = tab_states(proc.pid) or []
                if index >= len(states) or not states[index][1]:
                    continue
                t0 = time.monotonic()
                atspi().Atspi.Action.do_action(states[index][0], 0)
                shown = REPORTS.wait_after(names[index], t0, 30)
                if shown is None:
                    print("  %s: tab %d did not load within 30 s of its selection" % (label, index), flush=True)
                    continue
                res["wake"][kinds[index]].append((shown - t0) * 1000)
                time.sleep(0.5)
            for kind, got in res["wake"].items():
                if got:
                    print("  %s: woken %s pages load %s" % (label, "no-store" if kind == "page" else "cacheable",
                                                            fmt(summary(got))), flush=True)
            return res
        finally:
            end_tree(proc, tree(proc.pid))


def bench_sleep(args, base, results):
    print("== sleeping tabs: %d background tabs of a browser with TabSleepMinutes=1 fall asleep" % (args.sleep_tabs - 1),
          flush=True)
    for sites in (3, args.sleep_tabs):
        label = "%d sites" % sites
        res = sleep_round(args, loopback_sites(args, sites, base), label, args.sleep_tabs)
        results["sleep_%d_sites" % sites] = res
        print("  %s: %.1f MiB freed a sleeping tab (target >= 40), in %.0f ms (target <= 5000)"
              % (label, res["per_tab"], res["freed_after_ms"]), flush=True)
        woken = res["wake"]["page"] + res["wake"]["cpage"]
        if woken:
            print("  %s: a woken tab's page loaded %s  (target <= 300 ms)" % (label, fmt(summary(woken))), flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("build_dir")
    parser.add_argument("--runs", type=int, default=12, help="start-up runs of each program")
    parser.add_argument("--memory-runs", type=int, default=2)
    parser.add_argument("--handoff-runs", type=int, default=2)
    parser.add_argument("--sites", type=int, default=3, choices=(1, 2, 3),
                        help="hand-off: the 20 pages come from this many sites (127.0.0.1, .2, .3)")
    parser.add_argument("--tabs", type=int, default=50, help="tabs for close all")
    parser.add_argument("--closeall-rounds", type=int, default=2)
    parser.add_argument("--closeall-variants", default="first,last",
                        help="which tab is selected when closing: first, last")
    parser.add_argument("--steps-runs", type=int, default=5)
    parser.add_argument("--trace-warm", action="store_true",
                        help="trace: measure the second start on each profile, not the first")
    parser.add_argument("--trace-other", help="trace: also start this fern binary (e.g. an earlier build), "
                        "alternating with the others")
    parser.add_argument("--only", default="startup,trace,steps,memory,handoff,closeall,restore,download")
    parser.add_argument("--download-mib", type=int, default=1024, help="size of the download")
    parser.add_argument("--download-runs", type=int, default=3)
    parser.add_argument("--restore-runs", type=int, default=3)
    parser.add_argument("--restore-loads", action="store_true",
                        help="restore: also wait until every page has loaded in the background")
    parser.add_argument("--sleep-tabs", type=int, default=11,
                        help="sleep: tabs opened; all but the selected one fall asleep")
    parser.add_argument("--json", help="also write the figures to this file")
    args = parser.parse_args()

    if not os.environ.get(INNER):
        # A private D-Bus session (for the accessibility bus) and X server,
        # with a runtime folder of its own: the accessibility bus puts its
        # socket there, where other sessions of the same user cannot remove it.
        session = tempfile.mkdtemp(prefix="fern-bench-session-")
        env = dict(os.environ, XDG_RUNTIME_DIR=session, **{INNER: "1"})
        env.pop("NO_AT_BRIDGE", None)
        try:
            return subprocess.run(["dbus-run-session", "--", "xvfb-run", "-a", "-s", "-screen 0 1280x1024x24",
                                   "/usr/bin/python3", os.path.abspath(__file__)] + sys.argv[1:], env=env).returncode
        finally:
            shutil.rmtree(session, ignore_errors=True)

    build = os.path.abspath(args.build_dir)
    args.fern = os.path.join(build, "fern")
    args.baseline = os.path.join(build, "bench", "fern_baseline")
    args.closeall = os.path.join(build, "bench", "fern_closeall_bench")
    args.steps = os.path.join(build, "bench", "fern_webkit_steps")
    args.webkit_download = os.path.join(build, "bench", "fern_webkit_download")
    parts = [p.strip() for p in args.only.split(",") if p.strip()]
    for path, needed in ((args.fern, {"startup", "trace", "memory", "handoff", "restore", "download", "sleep"}), (args.baseline, {"startup", "memory"}),
                         (args.closeall, {"closeall"}), (args.steps, {"steps"}),
                         (args.webkit_download, {"download"})):
        if needed & set(parts) and not os.access(path, os.X_OK):
            print("missing %s: build %s first" % (path, build), file=sys.stderr)
            return 2

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    base = "http://127.0.0.1:%d" % server.server_address[1]
    # The same pages from other loopback addresses: other sites to the browser.
    args.site_bases = []
    for address in ("127.0.0.2", "127.0.0.3"):
        other = http.server.ThreadingHTTPServer((address, 0), Handler)
        other.daemon_threads = True
        threading.Thread(target=other.serve_forever, daemon=True).start()
        args.site_bases.append("http://%s:%d" % (address, other.server_address[1]))
    print("pages from %s; load average %s" % (base, open("/proc/loadavg").read().split()[:3]), flush=True)

    results, failed = {}, False
    began = time.monotonic()
    for part in parts:
        try:
            {"startup": bench_startup, "trace": bench_trace, "steps": bench_steps, "memory": bench_memory, "handoff": bench_handoff,
             "closeall": bench_closeall, "restore": bench_restore, "download": bench_download,
             "sleep": bench_sleep}[part](args, base, results)
        except (RuntimeError, KeyError) as e:
            print("  %s: FAILED: %s" % (part, e), flush=True)
            failed = True
    print("took %.0f s; load average %s" % (time.monotonic() - began, open("/proc/loadavg").read().split()[:3]))
    server.shutdown()
    if args.json:
        with open(args.json, "w") as f:
            json.dump(results, f, indent=2)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
