#!/usr/bin/env bash
# The player in a real window under Xvfb: typed keys, a chord and the damper reach the MIDI
# capture log byte for byte; F3, F2 and F4 switch the display modes and their client sizes;
# closing writes the settings file with every key in order, and a restart reads it back.
# Usage: window_test.sh <bin dir> <source dir>
# With KIRIVANE_KEEP_CAPTURE_DIR set, the capture logs of both runs are kept there
# (capture-1.log, capture-2.log), so that two builds can be compared message by message.
set -euo pipefail
bin=$1
keep=${KIRIVANE_KEEP_CAPTURE_DIR:-}
keep_capture() { [[ -n "$keep" ]] && mkdir -p "$keep" && cp "$capture" "$keep/$1" || true; }

work=$(mktemp -d)
cleanup() {
  [[ -n "${player:-}" ]] && kill "$player" 2>/dev/null || true
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  [[ -f "$capture" ]] && tail -20 "$capture" >&2
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

visible_windows() { xdotool search --onlyvisible --name . 2>/dev/null || true; }
main_window() { xdotool search --onlyvisible --name 'Kirivane' 2>/dev/null | tail -1; }
client_size() { xwininfo -id "$(main_window)" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
lines() { wc -l <"$capture"; }
# Bytes of the capture log after line $1, without the time stamps.
bytes_after() { tail -n +"$(($1 + 1))" "$capture" | tr -d '\r' | cut -d' ' -f2-; }
logged() { tr -d '\r' <"$capture" | grep -q "^[0-9]* $1\$"; }
wait_for_lines() {  # until the log has more than $1 lines
  for _ in $(seq 50); do (($(lines) > $1)) && return 0; sleep 0.1; done
  return 1
}
key_down() { xdotool keydown --window "$(main_window)" "$@"; }
key_up() { xdotool keyup --window "$(main_window)" "$@" 2>/dev/null || true; }
tap() {  # a mode key: the window may be rebuilt between press and release
  key_down "$1"
  sleep 0.5
  key_up "$1"
  sleep 0.5
}

start_player() {
  "$work/program/kirivane" >"$work/player.out" 2>&1 &
  player=$!
  for _ in $(seq 100); do [[ -n "$(main_window)" ]] && break; sleep 0.1; done
  [[ -n "$(main_window)" ]] || fail "no main window"
  sleep 1.5
}

start_player

# A normal start asks nothing: the main window is the only window shown.
count=$(visible_windows | wc -l)
((count == 1)) || fail "expected only the main window, found $count windows"
size=$(client_size)
[[ $size == 682x565 || $size == 472x565 ]] || fail "full window client size $size"

# The device opened at start: channel volume, GS reset, bank and program 0.
logged 'B0 07 40' || fail "no channel volume at start"
logged 'F0 41 10 42 12 40 00 7F 00 41 F7' || fail "no GS reset at start"
logged 'C0 00' || fail "no program change at start"

# Z is the lowest key of the standard key map: note 55 (37h) with velocity 121 (79h).
before=$(lines)
key_down z
wait_for_lines "$before" || fail "no note-on for Z"
sleep 0.2
key_up z
wait_for_lines $((before + 1)) || fail "no note-off for Z"
sleep 0.2
expected=$'90 37 79\n80 37 40'
[[ "$(bytes_after "$before")" == "$expected" ]] || fail "Z sent: $(bytes_after "$before")"

# F7 selects chord 1, the major triad: one key sounds three notes, and releases three.
key_down F7
sleep 0.3
key_up F7
sleep 0.3
before=$(lines)
key_down z
sleep 0.4
key_up z
sleep 0.4
expected=$'90 37 79\n90 3B 79\n90 3E 79\n80 37 40\n80 3B 40\n80 3E 40'
[[ "$(bytes_after "$before")" == "$expected" ]] || fail "chord sent: $(bytes_after "$before")"
key_down F6
sleep 0.3
key_up F6

# Space holds the damper pedal.
sleep 0.5
before=$(lines)
key_down space
sleep 0.3
key_up space
sleep 0.3
expected=$'B0 40 7F\nB0 40 00'
[[ "$(bytes_after "$before")" == "$expected" ]] || fail "damper sent: $(bytes_after "$before")"

# The mouse plays the on-screen keyboard: the lowest white key, hit low, at full velocity.
before=$(lines)
xdotool mousemove --window "$(main_window)" 24 470 mousedown 1
sleep 0.3
xdotool mouseup 1
sleep 0.3
[[ "$(bytes_after "$before")" == $'90 37 79\n80 37 40' ]] || fail "mouse play: $(bytes_after "$before")"

# The key monitor: with the system-wide hook on, keys typed anywhere play, each exactly once.
xdotool mousemove --window "$(main_window)" 38 82 click 1
sleep 0.5
[[ "$(xdotool getwindowname "$(main_window)")" != Kirivane ]] || fail "hook not on"
before=$(lines)
xdotool keydown z
sleep 0.3
xdotool keyup z
sleep 0.3
[[ "$(bytes_after "$before")" == $'90 37 79\n80 37 40' ]] || fail "hooked Z: $(bytes_after "$before")"
xdotool mousemove --window "$(main_window)" 38 82 click 1
sleep 0.5
[[ "$(xdotool getwindowname "$(main_window)")" == Kirivane ]] || fail "hook still on"

# Display modes: compact keyboard, 128-key bar, full window again.
tap F3
[[ "$(client_size)" == 669x120 ]] || fail "compact keyboard client size $(client_size)"
tap F2
[[ "$(client_size)" == 669x33 ]] || fail "128-key bar client size $(client_size)"
before=$(lines)
key_down q
sleep 0.3
key_up q
sleep 0.3
[[ "$(bytes_after "$before")" == $'90 48 79\n80 48 40' ]] || fail "Q in the bar: $(bytes_after "$before")"
tap F4
size=$(client_size)
[[ $size == 682x565 || $size == 472x565 ]] || fail "full window again: client size $size"

# Dragging by the client area moves the window; the sound is muted while it moves.
position() { xwininfo -id "$(main_window)" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x "," y}'; }
old_position=$(position)
before=$(lines)
xdotool mousemove --window "$(main_window)" 250 290 mousedown 1
sleep 0.2
xdotool mousemove_relative --sync 120 60
sleep 0.2
xdotool mouseup 1
sleep 0.5
moved=$(position)
[[ "$moved" != "$old_position" ]] || fail "window not dragged (still at $moved)"
[[ "$(bytes_after "$before" | head -1)" == "B0 07 00" ]] || fail "not muted while dragged"
[[ "$(bytes_after "$before" | tail -1)" == "B0 07 40" ]] || fail "volume not restored after the drag"

# The exit button closes the program after its farewell; the device is closed on the way.
xdotool mousemove --window "$(main_window)" 432 541 click 1
for _ in $(seq 100); do kill -0 "$player" 2>/dev/null || break; sleep 0.1; done
kill -0 "$player" 2>/dev/null && fail "the player did not end"
wait "$player" || true
player=
tail -4 "$capture" | tr -d '\r' | grep -q ' B9 79 00$' || fail "device not closed with a controller reset"

ini=$work/program/kirivane.ini
[[ -f $ini ]] || fail "no settings file written"
order=$(tr -d '\r' <"$ini" | grep -v '^$' | sed 's/=.*//' | tr '\n' ' ')
expected_order="[Window] dx dy mx my [Option] Device MainVol ccMode WheelBand MidiCh MidiVol PlayCh \
PlayVol Loop Effect MouseVel MidiReadCh MidiEndTime C3TO60 FilePath KeysFile ImagePath ScoreMode MidiInPort \
[Chord] 1Num 2Num 3Num 4Num 5Num 6Num 7Num 8Num 9Num "
[[ "$order" == "$expected_order" ]] || fail "settings keys: $order"
grep -q $'^1Num=0,4,7(Major Triad)\r$' "$ini" || fail "chord 1 not saved"
[[ -z "$(ls -A "$work/config" 2>/dev/null)" ]] || fail "settings written outside the program folder"

# The settings survive a restart: keyboard play on channel 3, as the file now says.
sed -i 's/^MidiCh=1\r$/MidiCh=3\r/' "$ini"
keep_capture capture-1.log
: >"$capture"
start_player
[[ "$(position)" == "$moved" ]] || fail "window reopened at $(position), not at $moved"
before=$(lines)
key_down z
sleep 0.3
key_up z
sleep 0.3
[[ "$(bytes_after "$before")" == $'92 37 79\n82 37 40' ]] || fail "after restart: $(bytes_after "$before")"
grep -q $'^MidiCh=3\r$' "$ini" || fail "the changed key lost its place"
kill "$player"
wait "$player" 2>/dev/null || true
player=
keep_capture capture-2.log
echo "window test passed"
