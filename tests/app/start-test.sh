#!/usr/bin/env bash
# The program's start as a user meets it: --help and --version answer
# without a window, even without a display; without a display it says so in
# one line and ends with 1; a second copy of the same user says that
# Quorvane already runs and ends with 0 while the first runs on, with the
# lock in $XDG_RUNTIME_DIR or, unset, in a folder of its own; the window
# carries the logo as its icon. Needs an X server in $DISPLAY.
# start-test.sh <bin folder> <default profile>
set -euo pipefail
program=$(readlink -f "$1")/quorvane
scratch=$(mktemp -d)
first=
trap '[ -z "$first" ] || kill "$first" 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
mkdir -m 700 "$scratch/run"
cp "$2" "$scratch/profile.psv"
cd "$scratch"
headless() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$scratch/run" \
  timeout 20 "$program" "$@" >"$scratch/out" 2>&1; }

headless --help || fail "--help ended with $?: $(cat out)"
[ "$(head -n 1 out)" = "usage: quorvane [--help | --version]" ] || fail "--help said: $(cat out)"
headless --version || fail "--version ended with $?: $(cat out)"
grep -qx "Quorvane [0-9.]*" out || fail "--version said: $(cat out)"
status=0
headless || status=$?
[ "$status" -eq 1 ] || fail "without a display it ended with $status: $(cat out)"
[ "$(cat out)" = "quorvane: no display found (neither DISPLAY nor WAYLAND_DISPLAY names one that answers)" ] ||
  fail "without a display it said: $(cat out)"

# The X window of process $1 with the caption $2.
window_of() {
  local id
  for id in $(xwininfo -root -tree | grep -F "\"$2\"" | awk '{print $1}'); do
    xprop -id "$id" _NET_WM_PID | grep -qx "_NET_WM_PID(CARDINAL) = $1" && echo "$id" && return 0
  done
  return 1
}

twice() { # <env arguments for both copies...>
  env "$@" "$program" >first.log 2>&1 &
  first=$!
  local window=
  for _ in $(seq 200); do
    window=$(window_of "$first" "Quorvane - profile.psv") && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "no window ($*): $(cat first.log)"
  [[ "$(xprop -id "$window" _NET_WM_ICON)" == "_NET_WM_ICON(CARDINAL) = "* ]] ||
    fail "the window has no icon"
  local status=0
  env "$@" timeout 20 "$program" >second.log 2>&1 || status=$?
  [ "$status" -eq 0 ] || fail "the second copy ($*) ended with $status"
  [ "$(cat second.log)" = "Quorvane already runs." ] || fail "the second copy said: $(cat second.log)"
  kill -0 "$first" 2>/dev/null || fail "the first copy ended"
  kill "$first"
  wait "$first" 2>/dev/null || true
  first=
}
twice XDG_RUNTIME_DIR="$scratch/run"
twice -u XDG_RUNTIME_DIR
echo "start: options, no display, one copy, icon"
