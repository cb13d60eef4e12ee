#!/usr/bin/env bash
# Checks the Debian package: lintian without errors (its whole report is
# printed), the exact file list, the control fields, the maintainer scripts,
# and an install and removal in a scratch root (dpkg --root) that leave the
# host's udev alone.
# The installed program finds the stand-in's client library only through
# `quorvane-launcher --standin`; started plainly, it finds none. Needs an X
# server ($DISPLAY).
# check-deb.sh <package.deb>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
deb=$(readlink -f "$1")
scratch=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

echo "== $(basename "$deb"): $(stat -c %s "$deb") bytes"
echo "== lintian"
# lintian fails on errors (and on its own failures); warnings it only shows.
lintian --tag-display-limit 0 --info --fail-on error "$deb" || fail "lintian reports errors"

echo "== files"
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./|/|; s|/$||' | grep -v '^/\?$' | sort >"$scratch/files.txt"
diff -u "$here/expected-files.txt" "$scratch/files.txt" || fail "the file list differs from expected-files.txt"
dpkg-deb --fsys-tarfile "$deb" | tar -tv | awk '$2 != "root/root" { print; bad = 1 } END { exit bad }' ||
  fail "files not owned by root"

echo "== AppStream metadata and licence"
dpkg-deb -x "$deb" "$scratch/files"
appstreamcli validate --no-net "$scratch/files/usr/share/metainfo/io.github.quorvane.Quorvane.metainfo.xml" ||
  fail "appstreamcli finds fault with the metadata"
grep -qx "License: MIT" "$scratch/files/usr/share/doc/quorvane/copyright" || fail "copyright names no MIT licence"

echo "== hardening"
# Debian's flags: relocations read-only (relro) and bound at start (bindnow),
# and the program's string and memory calls fortified.
for elf in usr/bin/quorvane usr/lib/quorvane/libSimConnect.so usr/lib/quorvane/quorvane-standin-sim; do
  grep -q GNU_RELRO <<<"$(readelf -lW "$scratch/files/$elf")" || fail "$elf: no relro"
  grep -q "BIND_NOW\|Flags:.* NOW" <<<"$(readelf -dW "$scratch/files/$elf")" || fail "$elf: no bindnow"
done
grep -q "_chk@" <<<"$(readelf --dyn-syms -W "$scratch/files/usr/bin/quorvane")" ||
  fail "quorvane: no fortified calls"

echo "== control"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quorvane ] || fail "package name $(field Package)"
for dep in libqt6widgets6 libhidapi-hidraw0 libudev1 libxtst6 libc6 qt6-qpa-plugins \
  fonts-crosextra-carlito fonts-crosextra-caladea; do
  field Depends | tr ',' '\n' | grep -q "^ *$dep\b" || fail "Depends lacks $dep: $(field Depends)"
done
dpkg-deb -e "$deb" "$scratch/control"
for script in postinst postrm; do
  [ -x "$scratch/control/$script" ] || fail "$script missing or not executable"
  sh -n "$scratch/control/$script" || fail "$script does not parse"
done

echo "== install and remove in a scratch root"
# udevadm stands in for the host's: the maintainer scripts must not call it
# when the package goes into another root.
mkdir -p "$scratch/fakebin"
printf '#!/bin/sh\necho "$@" >>%s/udevadm.log\n' "$scratch" >"$scratch/fakebin/udevadm"
chmod +x "$scratch/fakebin/udevadm"
target=$scratch/root
mkdir -p "$target/var/lib/dpkg/info" "$target/var/lib/dpkg/updates"
touch "$target/var/lib/dpkg/status"
in_root() { PATH="$scratch/fakebin:$PATH" dpkg --root="$target" --log=/dev/null \
  --force-script-chrootless --force-depends "$@"; }

# The scratch root has none of the dependencies: dpkg's complaints about
# them are shown only when the install fails.
in_root -i "$deb" >"$scratch/dpkg.log" 2>&1 || { cat "$scratch/dpkg.log" >&2; fail "dpkg -i"; }
[ "$(in_root -s quorvane | sed -n 's/^Status: //p')" = "install ok installed" ] || fail "not installed"
for rules in 70-quorvane-switch-panel.rules 70-quorvane-uinput.rules; do
  cmp -s "$target/usr/lib/udev/rules.d/$rules" "$root/platform/linux/$rules" ||
    fail "$rules missing or changed after the install"
done
[ -x "$target/usr/bin/quorvane-launcher" ] || fail "the launcher is not executable"
cmp -s "$target/usr/share/quorvane/default-profile.psv" "$root/tests/data/default-profile.psv" ||
  fail "the default profile is missing or changed"
[ "$(wc -l <"$target/usr/share/quorvane/default-profile.psv")" -eq 38 ] || fail "default profile length"

# The installed launcher, its program and stand-in, on the host's libraries.
# The stand-in prints "client connected" once the program has opened it.
run_installed() { # <seconds> <launcher arguments...>
  local seconds=$1 child
  shift
  HOME=$scratch/home QV_STANDIN_SOCKET=$scratch/standin.sock XDG_RUNTIME_DIR=$scratch \
    "$target/usr/bin/quorvane-launcher" "$@" >"$scratch/run.log" 2>&1 &
  pid=$!
  for _ in $(seq "$((seconds * 10))"); do
    grep -q "client connected" "$scratch/run.log" && break
    sleep 0.1
  done
  # The program is the launcher itself, or with --standin its child.
  for child in $(pgrep -P "$pid" -x quorvane) "$pid"; do kill "$child" 2>/dev/null || true; done
  wait "$pid" 2>/dev/null || true
  pid=
}
run_installed 30 --standin
grep -q "client connected" "$scratch/run.log" || { cat "$scratch/run.log" >&2; fail "the program did not reach the stand-in"; }
! pgrep -f "^$target/usr/lib/quorvane/quorvane-standin-sim" >/dev/null ||
  fail "the stand-in outlived the window"
QV_STANDIN_SOCKET=$scratch/standin.sock "$target/usr/lib/quorvane/quorvane-standin-sim" \
  >"$scratch/standin-alone.log" 2>&1 &
standin=$!
run_installed 5
kill "$standin"
wait "$standin" 2>/dev/null || true
grep -q "client connected" "$scratch/standin-alone.log" && fail "the plain start loaded the stand-in's library"

in_root -r quorvane >"$scratch/dpkg.log" 2>&1 || { cat "$scratch/dpkg.log" >&2; fail "dpkg -r"; }
[ -z "$(find "$target/usr" -type f 2>/dev/null)" ] || fail "files left after removal: $(find "$target/usr" -type f)"
[ ! -e "$scratch/udevadm.log" ] || fail "the maintainer scripts ran the host's udevadm: $(cat "$scratch/udevadm.log")"
echo "package checked"
