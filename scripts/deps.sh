#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the browser need,
# and those named as arguments (`make bench` adds the browsers it compares
# with). Does nothing when every package is already installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libglib2.0-dev libgtk-3-dev libgtkmm-3.0-dev libwebkit2gtk-4.1-dev libsoup-3.0-dev
  bubblewrap xdg-dbus-proxy xdg-utils
  libsqlite3-dev libkeybinder-3.0-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick fonts-noto-cjk adwaita-icon-theme
  python3 python3-gi gir1.2-atspi-2.0 at-spi2-core dbus-x11 xdotool
  clang libclang-rt-dev clang-format
  dpkg-dev
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "deps: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
