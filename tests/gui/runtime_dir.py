#!/usr/bin/python3
"""Removes a GUI test's runtime folder the way the test left it: the processes started
under it are ended, and file systems mounted in it are unmounted first. With the desktop
portals installed, the web-process sandbox starts the document portal, which mounts a
FUSE file system at $XDG_RUNTIME_DIR/doc; a plain rm -rf cannot remove that.

Only what belongs to this folder is touched: processes of this user whose
XDG_RUNTIME_DIR lies in it (other tests on the machine have folders of their own), and
mounts below it. Usage: runtime_dir.py FOLDER (removes FOLDER)."""

import os
import shutil
import signal
import subprocess
import sys
import time


def _inside(path, folder):
    return path == folder or path.startswith(folder + "/")


def _unescape(field):
    """A mountinfo path: space, tab, newline and backslash come as octal escapes."""
    out, i = [], 0
    while i < len(field):
        octal = field[i + 1:i + 4]
        if field[i] == "\\" and len(octal) == 3 and all(c in "01234567" for c in octal):
            out.append(chr(int(octal, 8)))
            i += 4
        else:
            out.append(field[i])
            i += 1
    return "".join(out)


def mounts_under(folder):
    """Mount points at or below `folder`, deepest first."""
    found = []
    try:
        with open("/proc/self/mountinfo", encoding=sys.getfilesystemencoding(), errors="surrogateescape") as f:
            for line in f:
                fields = line.split(" ")
                if len(fields) > 4 and _inside(_unescape(fields[4]), folder):
                    found.append(_unescape(fields[4]))
    except OSError:
        pass
    return sorted(set(found), key=len, reverse=True)


def _ancestors():
    pids, pid = set(), os.getpid()
    while pid > 1:
        pids.add(pid)
        try:
            with open("/proc/%d/stat" % pid) as f:
                pid = int(f.read().rsplit(")", 1)[1].split()[1])
        except (OSError, ValueError, IndexError):
            break
    return pids


def processes_under(folder):
    """Processes of this user whose XDG_RUNTIME_DIR is `folder` or inside it, but not
    this one or those that started it."""
    spared, uid, found = _ancestors(), os.getuid(), []
    for name in os.listdir("/proc"):
        if not name.isdigit() or int(name) in spared:
            continue
        try:
            if os.stat("/proc/" + name).st_uid != uid:
                continue
            with open("/proc/%s/environ" % name, "rb") as f:
                env = f.read().split(b"\0")
        except OSError:
            continue
        for entry in env:
            if entry.startswith(b"XDG_RUNTIME_DIR="):
                value = os.fsdecode(entry[len(b"XDG_RUNTIME_DIR="):]).rstrip("/")
                if _inside(value, folder):
                    found.append(int(name))
                break
    return found


def _alive(pid):
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def end_processes(folder, seconds=3):
    pids = processes_under(folder)
    for pid in pids:
        try:
            os.kill(pid, signal.SIGTERM)
        except OSError:
            pass
    deadline = time.time() + seconds
    while time.time() < deadline and any(_alive(p) for p in pids):
        time.sleep(0.1)
    for pid in pids:
        if _alive(pid):
            try:
                os.kill(pid, signal.SIGKILL)
            except OSError:
                pass


def unmount(path):
    """FUSE mounts are the user's to unmount with fusermount; lazily, so that a
    process still using it does not keep it."""
    for command in (["fusermount3", "-u", "-z"], ["fusermount", "-u", "-z"], ["umount", "-l"]):
        try:
            if subprocess.run(command + [path], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=10).returncode == 0:
                return True
        except (OSError, subprocess.TimeoutExpired):
            pass
    return False


def release(folder):
    """Ends what runs under `folder`, unmounts what is mounted in it, removes it.
    True when it is gone."""
    folder = os.path.realpath(folder)
    end_processes(folder)
    for path in mounts_under(folder):
        if not unmount(path):
            print("note: could not unmount %s" % path, file=sys.stderr, flush=True)
    shutil.rmtree(folder, ignore_errors=True)
    return not os.path.exists(folder)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: runtime_dir.py FOLDER")
    sys.exit(0 if release(sys.argv[1]) else 1)
