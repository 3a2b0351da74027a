#!/usr/bin/env bash
# Starts the browser on its start page. Without a display it runs under Xvfb,
# waits until the page has loaded, saves build/screenshot.png and exits.
set -euo pipefail
build=${1:-build}
shift || true
fern="$build/fern"
if [ ! -x "$fern" ]; then
  echo "fern: not built yet"
  exit 0
fi
start="file://$(cd "$(dirname "$0")/.." && pwd)/res/start.html"
[ $# -gt 0 ] || set -- "$start"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$fern" "$@"
fi
shot="$(cd "$build" && pwd)/screenshot.png"
rm -f "$shot"
echo "fern: no display; running under Xvfb, screenshot to $shot"
# A private session bus: without one GTK asks X11 to start a bus, which can
# hang under Xvfb.
dbus-run-session -- xvfb-run -a -s "-screen 0 1280x900x24" "$fern" --screenshot "$shot" "$@"
if [ -f "$shot" ]; then
  echo "fern: saved $shot"
else
  echo "fern: no screenshot was saved" >&2
  exit 1
fi
