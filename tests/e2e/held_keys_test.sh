#!/usr/bin/env bash
# Keys held for 2 s on a plain Xvfb server (its own auto-repeat, keys pressed through XTEST), on
# an idle and on a busy machine: every hold of a typing key gives one note-on and one note-off
# and a held Space one damper down and one up, through the window and through the key monitor.
# On a German layout a key released after Shift ends the note it started, and the keypad
# decimal point selects the octave chord. Nothing is left sounding.
# Usage: held_keys_test.sh <bin dir> <source dir>
set -euo pipefail
bin=$1

work=$(mktemp -d)
# Busy loops on every core keep the player from reading its events at once. An idle player
# reads a repeated release before the press behind it has arrived, a busy one reads both late:
# either way a release that is not one must not end the note.
burners=()
start_load() {
  for _ in 1 2 3 4; do
    yes >/dev/null &
    burners+=($!)
  done
}
stop_load() {
  for pid in "${burners[@]}"; do kill "$pid" 2>/dev/null || true; done
  burners=()
}

cleanup() {
  stop_load
  [[ -n "${player:-}" ]] && kill "$player" 2>/dev/null || true
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The player writes its settings beside itself: run a copy of the program folder.
cp -r "$bin" "$work/program"
rm -f "$work/program/kirivane.ini"
export XDG_CONFIG_HOME=$work/config
capture=$work/capture.log
export KIRIVANE_MIDI_CAPTURE=$capture

source "$(dirname "$0")/lib/virtual_display.sh"
start_virtual_display "$work"
xvfb=$virtual_display_pid

main_window() { xdotool search --onlyvisible --name 'Kirivane' 2>/dev/null | tail -1; }
lines() { wc -l <"$capture"; }
# Bytes of the capture log after line $1, without the time stamps.
bytes_after() { tail -n +"$(($1 + 1))" "$capture" | tr -d '\r' | cut -d' ' -f2-; }

"$work/program/kirivane" >"$work/player.out" 2>&1 &
player=$!
for _ in $(seq 100); do [[ -n "$(main_window)" ]] && break; sleep 0.1; done
[[ -n "$(main_window)" ]] || fail "no main window"
sleep 1.5
# No window manager: the keyboard focus goes to the window, the pointer rests on it.
xdotool mousemove --window "$(main_window)" 300 30 windowfocus --sync "$(main_window)"
sleep 0.5

# Holds X keycode $1 for $2 seconds. One xdotool process presses and releases: the server lets
# go of a key pressed through XTEST when the pressing client disconnects.
hold() {
  xdotool keydown "$1" sleep "$2" keyup "$1"
  sleep 0.6
}

# Holds keycode $1 for 2 s and expects exactly the bytes $2 from it; a mismatch is noted.
mismatches=()
expect_hold() {
  local before got ons
  before=$(lines)
  hold "$1" 2
  got=$(bytes_after "$before")
  ons=$(awk '($1 ~ /^9/ && $3 != "00") || ($1 == "B0" && $2 == "40" && $3 != "00")' <<<"$got" |
    wc -l)
  echo "$3: keycode $1 held 2 s gave $ons note-on(s) or damper down(s)"
  [[ "$got" == "$2" ]] ||
    mismatches+=("$3: keycode $1 held 2 s sent $ons note-on(s) or damper down(s): $(head -4 <<<"$got" | tr '\n' ' ')...")
}

# The standard key map: Z S X Q W play notes 55 56 57 72 74 (37h 38h 39h 48h 4Ah).
check_holds() {
  mismatches=()
  expect_hold 52 $'90 37 79\n80 37 40' "$1"
  expect_hold 39 $'90 38 79\n80 38 40' "$1"
  expect_hold 53 $'90 39 79\n80 39 40' "$1"
  expect_hold 24 $'90 48 79\n80 48 40' "$1"
  expect_hold 25 $'90 4A 79\n80 4A 40' "$1"
  expect_hold 65 $'B0 40 7F\nB0 40 00' "$1"
  ((${#mismatches[@]} == 0)) || fail "$(printf '%s\n' "${mismatches[@]}")"
}

# On a German layout Shift and "." give ":"; the key keeps the code of "." (note 69, 45h).
check_shift_released_first() {
  local before
  before=$(lines)
  xdotool keydown 50 sleep 0.3 keydown 60 sleep 0.3 keyup 50 sleep 0.3 keyup 60
  sleep 0.8
  [[ "$(bytes_after "$before")" == $'90 45 79\n80 45 40' ]] ||
    fail "$1 Shift down, . down, Shift up, . up sent:"$'\n'"$(bytes_after "$before")"
}

# No note is left sounding and the damper is up: the last message of every note is its end.
check_nothing_sounds() {
  local hanging
  hanging=$(tr -d '\r' <"$capture" | awk '
    $2 ~ /^9/ && $4 != "00" { on[substr($2, 2) " " $3] = 1; next }
    $2 ~ /^[89]/ { delete on[substr($2, 2) " " $3] }
    $2 ~ /^B/ && $3 == "40" { damper = ($4 != "00") }
    END { for (n in on) printf "note %s; ", n; if (damper) printf "damper" }')
  [[ -z "$hanging" ]] || fail "left sounding: $hanging"
}

check_holds "window, idle"
start_load
check_holds "window, busy"
stop_load
setxkbmap de
sleep 0.5
check_shift_released_first window
check_nothing_sounds
# NumLock on, keypad decimal point (keycode 91): the octave chord, so Z (keycode 29 on this
# layout) sounds 55 and 67.
xdotool key 77 key 91
sleep 0.3
before=$(lines)
hold 29 0.3
[[ "$(bytes_after "$before")" == $'90 37 79\n90 43 79\n80 37 40\n80 43 40' ]] ||
  fail "keypad decimal point on a German layout: Z sent:"$'\n'"$(bytes_after "$before")"
xdotool key 90 key 77  # keypad 0 clears the chord, NumLock off again
setxkbmap us
sleep 0.5

# The key monitor (the hook button) delivers the keys from the X server's raw key events.
xdotool mousemove --window "$(main_window)" 38 82 click 1
sleep 0.8
[[ "$(xdotool getwindowname "$(main_window)")" != Kirivane ]] || fail "key monitor not on"
start_load
check_holds "key monitor, busy"
stop_load
setxkbmap de
sleep 0.5
check_shift_released_first "key monitor"
check_nothing_sounds
echo "held keys test passed"
