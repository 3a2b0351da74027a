#!/usr/bin/env bash
# Runs one GUI test on a virtual screen with a session bus and a runtime
# folder of its own, so parallel sessions never share the accessibility bus.
set -euo pipefail
dir=$(mktemp -d /tmp/fern-gui-run-XXXXXX)
chmod 700 "$dir"
# What the session started under the folder (the desktop portals, with the
# document portal's FUSE mount in it) is ended and unmounted before removal.
trap 'python3 "$(dirname "$0")/runtime_dir.py" "$dir" || rm -rf "$dir"' EXIT
export XDG_RUNTIME_DIR="$dir"
dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
