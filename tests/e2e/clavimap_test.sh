#!/usr/bin/env bash
# Clavimap on a plain Xvfb server: keys picked with the mouse, computer keys pressed into the
# slots, the map saved through the save dialog and its bytes checked; then the player plays that
# map. The maps for French and German keyboards, each under its own layout, play every key
# position with the note the standard map gives it on a US layout. Clavimap links no MIDI or
# audio library.
# Usage: clavimap_test.sh <bin dir> <source dir>
set -euo pipefail
bin=$1

work=$(mktemp -d)
cleanup() {
  [[ -n "${editor:-}" ]] && kill "$editor" 2>/dev/null || true
  [[ -n "${player:-}" ]] && kill "$player" 2>/dev/null || true
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

linked=$(ldd "$bin/clavimap" | grep -Ei 'rtmidi|fluidsynth|jack|asound' || true)
[[ -z "$linked" ]] || fail "clavimap links MIDI or audio libraries: $linked"

cp -r "$bin" "$work/program"
rm -f "$work/program/kirivane.ini"
export HOME=$work/home XDG_CONFIG_HOME=$work/config LANG=C.UTF-8 LC_ALL= LC_MESSAGES=
mkdir -p "$HOME/Documents"
capture=$work/capture.log
export KIRIVANE_MIDI_CAPTURE=$capture

source "$(dirname "$0")/lib/virtual_display.sh"
start_virtual_display "$work"
xvfb=$virtual_display_pid

window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1; }
wait_window() {
  for _ in $(seq 100); do [[ -n "$(window "$1")" ]] && return 0; sleep 0.1; done
  fail "no window named $1"
}
press() {  # X keycodes, one after the other
  for keycode in "$@"; do
    xdotool keydown "$keycode" sleep 0.05 keyup "$keycode"
    sleep 0.15
  done
}
# A click on the keyboard picture, x and y in the picture: its top-left corner sits 24 pixels in
# from the window's left edge and 24 below the menu bar (about 19 high; the clicks aim at the
# middle of the keys, so a few pixels either way do not matter).
click_key() {
  xdotool mousemove --window "$(window Clavimap)" $((24 + $1)) $((19 + 24 + $2)) click 1
  sleep 0.3
}

# --- a map built in the editor ---------------------------------------------------------------
"$work/program/clavimap" >"$work/editor.out" 2>&1 &
editor=$!
wait_window 'Clavimap Ver.1.01'
sleep 1
xdotool windowfocus --sync "$(window Clavimap)"
# White keys are 20 pixels wide from G: the third is B (key 5), the fourth C (key 6).
click_key 50 100
press 38 23 22 23 36 23 65  # A; Tab, Backspace; Tab, Enter; Tab, Space (refused)
click_key 70 100            # key 6 gets A too: a duplicate of key 5, its caption dropped
press 38
click_key 10 100  # key 1
press 52          # Z
xdotool key alt+f
sleep 0.5
xdotool key Down Down Return  # New, Read, Write
wait_window 'Write key layout'
sleep 0.5
xdotool type --delay 50 mymap
xdotool key Return
for _ in $(seq 50); do [[ -s "$HOME/Documents/mymap.keys" ]] && break; sleep 0.1; done
saved=$(od -An -c "$HOME/Documents/mymap.keys" | tr -s ' \n' ' ')
expected=$(printf '1\tZ\t90\r\n5\tA\t65\r\n5\tA\t8\r\n5\tA\t13\r\n' | od -An -c | tr -s ' \n' ' ')
[[ "$saved" == "$expected" ]] || fail "saved map: $saved, expected: $expected"
kill "$editor"
wait "$editor" 2>/dev/null || true
editor=

# --- maps played by the player ---------------------------------------------------------------
# Starts the player with key map $1, presses X keycodes $2.. and prints the notes (hex) begun.
play_map() {
  local map=$1
  shift
  printf '[Option]\r\nKeysFile=%s\r\n' "$map" >"$work/program/kirivane.ini"
  : >"$capture"
  "$work/program/kirivane" >>"$work/player.out" 2>&1 &
  player=$!
  wait_window Kirivane
  sleep 1.5
  xdotool mousemove --window "$(window Kirivane)" 300 30 windowfocus --sync "$(window Kirivane)"
  sleep 0.3
  press "$@"
  sleep 0.5
  kill "$player"
  wait "$player" 2>/dev/null || true
  player=
  tr -d '\r' <"$capture" | awk '$2 ~ /^9/ && $4 != "00" { printf "%s ", $3 }'
}

notes=$(play_map "$HOME/Documents/mymap.keys" 38 52 53 22)
[[ "$notes" == "3B 37 3B " ]] || fail "the saved map played: $notes (expected 3B 37 3B)"

# The keys in the order of the standard map: bottom and home rows, then top and digit rows.
positions=(52 39 53 40 54 55 42 56 43 57 58 45 59 46 60 47 61
  24 11 25 12 26 27 14 28 15 29 16 30 31 18 32 19 33 34 21 35)
all_notes=$(for n in $(seq 55 91); do printf '%X ' "$n"; done)
check_layout() {  # layout, map, keycodes in key order
  local layout=$1 map=$2 got
  shift 2
  setxkbmap "$layout"
  sleep 0.5
  got=$(play_map "$work/program/$map" "$@")
  [[ "$got" == "$all_notes" ]] || fail "$map on layout $layout played: $got"
  echo "$map on layout $layout: every key position plays its note"
}
check_layout us default.keys "${positions[@]}"
check_layout fr azerty.keys "${positions[@]}"
# On a German keyboard the key right of the digit row's last shares its code with "+": the
# map puts key 36 on the key of "Ä" (keycode 48) instead.
check_layout de qwertz.keys "${positions[@]:0:35}" 48 35
setxkbmap us
echo "clavimap test passed"
