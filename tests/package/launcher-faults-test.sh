#!/usr/bin/env bash
# The launcher's own faults, on a stand-in program that records where it ran
# and ends with $FAKE_STATUS: the program's status comes through when a
# stand-in simulator it did not start already runs (and that one is left
# running); a leftover profile.psv.new link is never written through; a
# missing HOME and an unwritable ~/.config.
# launcher-faults-test.sh <bin folder> <default profile>
set -euo pipefail
bin=$1 default_profile=$2
scratch=$(mktemp -d)
standin=
trap '[ -z "$standin" ] || kill "$standin" 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A build tree's layout around the real launcher and stand-in simulator.
mkdir -p "$scratch/bin" "$scratch/share/quorvane" "$scratch/home" "$scratch/notes"
cp "$bin/quorvane-launcher" "$scratch/bin/"
ln -s "$bin/quorvane-standin-sim" "$scratch/bin/quorvane-standin-sim"
cp "$default_profile" "$scratch/share/quorvane/default-profile.psv"
printf '#!/bin/sh\nsleep 0.5\npwd >"%s/ran-in"\nexit "${FAKE_STATUS:-0}"\n' "$scratch" \
  >"$scratch/bin/quorvane"
# The desktop's notification, as a menu start would show it, and the
# system's account list with a scratch home folder.
printf '#!/bin/sh\necho "$@" >>"%s/notified"\n' "$scratch" >"$scratch/notes/notify-send"
printf '#!/bin/sh\necho "me:x:1:1::%s/listed:/bin/sh"\n' "$scratch" >"$scratch/notes/getent"
chmod +x "$scratch/bin/quorvane" "$scratch/notes/notify-send" "$scratch/notes/getent"
launch() { env -u XDG_CONFIG_HOME "$@" QV_STANDIN_SOCKET="$scratch/standin.sock" \
  PATH="$scratch/notes:$PATH" "$scratch/bin/quorvane-launcher" --standin 2>"$scratch/err"; }

QV_STANDIN_SOCKET="$scratch/standin.sock" "$bin/quorvane-standin-sim" >"$scratch/standin.log" &
standin=$!
for _ in $(seq 50); do [ -S "$scratch/standin.sock" ] && break; sleep 0.1; done

# A leftover link of the temporary file's old name points at a file of the user's.
folder=$scratch/home/.config/quorvane
mkdir -p "$folder"
echo precious >"$scratch/precious"
ln -s "$scratch/precious" "$folder/profile.psv.new"
status=0
launch HOME="$scratch/home" || status=$?
[ "$status" -eq 0 ] || { cat "$scratch/err" >&2; fail "a normal close ended with $status, not 0"; }
FAKE_STATUS=3 launch HOME="$scratch/home" || status=$?
[ "$status" -eq 3 ] || fail "the program's status 3 came back as $status"
kill -0 "$standin" 2>/dev/null || fail "the launcher stopped a stand-in it did not start"
[ "$(cat "$scratch/precious")" = precious ] || fail "the profile was written through profile.psv.new"
[ -f "$folder/profile.psv" ] && [ ! -L "$folder/profile.psv" ] &&
  cmp -s "$folder/profile.psv" "$default_profile" || fail "no default profile.psv of its own"

# No HOME: the home folder the system lists.
launch -u HOME || fail "without HOME: $(cat "$scratch/err")"
[ "$(cat "$scratch/ran-in")" = "$scratch/listed/.config/quorvane" ] ||
  fail "without HOME it ran in $(cat "$scratch/ran-in")"

# A ~/.config that cannot hold the folder (a file here, so that root too
# fails): the reason, on the terminal and as a notification.
mkdir -p "$scratch/ro"
touch "$scratch/ro/.config"
status=0
launch HOME="$scratch/ro" || status=$?
expected="cannot make the profile folder $scratch/ro/.config/quorvane: Not a directory"
[ "$status" -eq 1 ] || fail "a read-only ~/.config ended with $status"
[ "$(cat "$scratch/err")" = "quorvane-launcher: $expected" ] || fail "said: $(cat "$scratch/err")"
grep -qxF -- "--app-name=Quorvane --icon=quorvane Quorvane cannot start $expected" \
  "$scratch/notified" || fail "no notification: $(cat "$scratch/notified" 2>/dev/null)"
echo "launcher: status, links, HOME and folders"
