#!/usr/bin/env bash
# The launcher with a scratch HOME, on the real program under the X server of
# $DISPLAY: the first start makes ~/.config/quorvane with the default
# profile and the window opens on it; a later start leaves an edited profile
# as it is; $XDG_CONFIG_HOME moves the folder.
# launcher-test.sh <bin folder> <default profile>
set -euo pipefail
bin=$1 default_profile=$2
scratch=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# True once a window of process $1 has the caption $2.
has_window() {
  local id
  for id in $(xwininfo -root -tree | grep -F "\"$2\"" | awk '{print $1}'); do
    xprop -id "$id" _NET_WM_PID | grep -qx "_NET_WM_PID(CARDINAL) = $1" && return 0
  done
  return 1
}

# Starts the launcher with the environment given, waits for the main window
# on profile.psv, then closes the program.
start() { # <VAR=value...>
  env -u XDG_CONFIG_HOME XDG_RUNTIME_DIR="$scratch" "$@" "$bin/quorvane-launcher" \
    >"$scratch/out.log" 2>&1 &
  pid=$!
  for _ in $(seq 300); do
    if has_window "$pid" "Quorvane - profile.psv"; then
      kill "$pid"
      wait "$pid" 2>/dev/null || true
      pid=
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  cat "$scratch/out.log" >&2
  fail "no window 'Quorvane - profile.psv' after starting with $*"
}

home=$scratch/home
mkdir -p "$home"
profile=$home/.config/quorvane/profile.psv

start HOME="$home"
[ -f "$profile" ] || fail "the first start made no $profile"
cmp -s "$profile" "$default_profile" || fail "the first start's profile is not the default one"

# The user maps the gear-up position to G, as "Save" would write it.
sed -i '1s/"N None","0"/"N None","71"/' "$profile"
cmp -s "$profile" "$default_profile" && fail "the test's edit changed nothing"
cp "$profile" "$scratch/edited.psv"
start HOME="$home"
cmp -s "$profile" "$scratch/edited.psv" || fail "the second start changed the edited profile"

start HOME="$home" XDG_CONFIG_HOME="$scratch/config"
cmp -s "$scratch/config/quorvane/profile.psv" "$default_profile" ||
  fail "\$XDG_CONFIG_HOME/quorvane got no default profile"
cmp -s "$profile" "$scratch/edited.psv" || fail "a start elsewhere changed the edited profile"
echo "launcher: first start copies, later starts keep the profile"
