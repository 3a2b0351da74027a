#!/usr/bin/env bash
# Runs one GUI test on a virtual screen with a session bus and a runtime
# folder of its own, so parallel sessions never share the accessibility bus.
set -euo pipefail
dir=$(mktemp -d /tmp/fern-gui-run-XXXXXX)
chmod 700 "$dir"
trap 'rm -rf "$dir"' EXIT
export XDG_RUNTIME_DIR="$dir"
dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
