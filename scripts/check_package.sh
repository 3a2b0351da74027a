#!/usr/bin/env bash
# check_package.sh ROOT DEB: installs the package in ROOT, a fresh Debian 12 root
# made with `debootstrap --variant=minbase bookworm ROOT` (run as root; Debian's
# package registry must be reachable), and checks it as a user would meet it:
# `apt install ./fern_*.deb` brings its dependencies, `fern --version` runs, the
# menu entry and the AppStream file validate, lintian finds no error, fern starts
# from the menu entry's Exec line with its data in ~/.config/fern (on the X
# display $DISPLAY, shared into the root), and `apt remove` leaves none of its
# files. The host needs desktop-file-utils, appstream and lintian.
set -uo pipefail
root=$(realpath "$1")
deb=$(realpath "$2")
failures=0
check() {  # check WHAT COMMAND...: runs the command, reports ok or FAIL
    local what=$1
    shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin "$@"; }

mounted=()
bind() {
    mkdir -p "$root$1"
    mount --bind "$1" "$root$1" && mounted=("$root$1" "${mounted[@]}")
}
cleanup() { for m in "${mounted[@]}"; do umount -l "$m"; done; }
trap cleanup EXIT
mount -t proc proc "$root/proc" && mounted=("$root/proc" "${mounted[@]}")
bind /dev
bind /sys
bind /dev/pts
[ -n "${DISPLAY:-}" ] && bind /tmp/.X11-unix
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null

cp "$deb" "$root/tmp/"
name=$(basename "$deb")
check "apt install ./$name" in_root sh -c "apt-get update -q > /dev/null && DEBIAN_FRONTEND=noninteractive apt-get install -y -q /tmp/$name > /tmp/apt-install.log"
check "fern --version runs" in_root fern --version
check "fernctl --help runs" in_root sh -c "fernctl --help > /dev/null 2>&1; [ \$? -le 2 ]"
check "desktop-file-validate" desktop-file-validate "$root/usr/share/applications/fern.desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$root/usr/share/metainfo/org.fernbrowser.Fern.metainfo.xml"
check "lintian reports no error" sh -c "lintian --fail-on error '$deb' > /tmp/lintian.txt 2>&1; status=\$?; cat /tmp/lintian.txt; exit \$status"

# The menu entry, as the desktop starts it: its Exec line with no address.
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/fern.desktop" | sed 's/ *%[uUfF]//')
if [ -n "${DISPLAY:-}" ]; then
    in_root sh -c "rm -rf /home/tester; mkdir -p /home/tester /tmp/run-tester; chmod 700 /tmp/run-tester"
    # chroot and env exec the program, so $! is fern itself.
    chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/home/tester XDG_RUNTIME_DIR=/tmp/run-tester \
        DISPLAY="$DISPLAY" $exec_line > /tmp/fern-menu.log 2>&1 &
    pid=$!
    for _ in $(seq 60); do [ -f "$root/home/tester/.config/fern/session1.fss" ] && break; sleep 0.5; done
    check "fern started from the menu entry keeps running" kill -0 "$pid"
    check "its data is in ~/.config/fern" test -f "$root/home/tester/.config/fern/fern.ini" -a -f "$root/home/tester/.config/fern/session1.fss"
    kill -TERM "$pid" 2>/dev/null
    wait "$pid"
    check "it exits cleanly on SIGTERM and marks its session closed" grep -q "^CLOSED=1" "$root/home/tester/.config/fern/session1.fss"
    check "no data was written beside the program" sh -c "! ls '$root/usr/bin' | grep -q -e '\\.ini\$' -e '\\.fss\$'"
else
    echo "note: no DISPLAY, the start from the menu entry is not tried"
fi

in_root dpkg -L fern > /tmp/fern-files.txt
check "apt remove fern" in_root sh -c "DEBIAN_FRONTEND=noninteractive apt-get remove -y -q --purge fern > /dev/null"
left=0
while read -r path; do
    if [ -f "$root$path" ] || [ -L "$root$path" ]; then echo "left: $path"; left=$((left + 1)); fi
done < /tmp/fern-files.txt
check "removal leaves none of its files" test "$left" -eq 0
echo "check_package: $failures failed"
exit $((failures > 0))
