#!/usr/bin/env bash
# Starts the player under Xvfb in each display mode, then Clavimap, and saves a picture of each
# window into docs/screenshots/. Usage: scripts/screenshots.sh [bin dir] (default: build/bin).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$root/build/bin}
out=$root/docs/screenshots
mkdir -p "$out"

work=$(mktemp -d)
cleanup() {
  [[ -n "${player:-}" ]] && kill "$player" 2>/dev/null || true
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A copy of the program folder, so the settings file the player writes stays out of the build.
cp -r "$bin" "$work/program"
rm -f "$work/program/kirivane.ini"  # the default settings, whatever ran before
source "$root/tests/e2e/lib/virtual_display.sh"
start_virtual_display "$work" 1024x768x24
xvfb=$virtual_display_pid

export KIRIVANE_MIDI_CAPTURE=$work/capture.log
# The picture shows the English texts: /E chooses the English language file.
"$work/program/kirivane" /E >/dev/null 2>&1 &
player=$!

window() { xdotool search --sync --onlyvisible --name "$1" | head -1; }
shoot() {
  sleep 1
  import -window "$(window "$1")" "$out/$2"
  echo "saved $out/$2"
}
key() {  # press and release separately: the window may be rebuilt between the two
  local w
  w=$(window Kirivane)
  xdotool keydown --window "$w" "$1"
  sleep 0.3
  xdotool keyup --window "$w" "$1" 2>/dev/null || true
}

w=$(window Kirivane)
sleep 1
# Hold a chord of three keys, so the picture shows keys pressed.
xdotool keydown --window "$w" z c b
shoot 'Kirivane$' mode0-full-window.png
xdotool keyup --window "$w" z c b
key F3
shoot 'Compact' mode1-compact-keyboard.png
key F2
w=$(window '128')
xdotool keydown --window "$w" q
shoot '128' mode2-128-key-bar.png
xdotool keyup --window "$w" q 2>/dev/null || true

# Clavimap with a key being edited: key 5 picked on the keyboard, A and Backspace in its slots.
LANG=C.UTF-8 LC_ALL= "$work/program/clavimap" >/dev/null 2>&1 &
editor=$!
w=$(window 'Clavimap')
sleep 1
xdotool windowfocus --sync "$w"
xdotool mousemove --window "$w" 34 143 click 1 # key 1
xdotool key 52                                 # Z
xdotool mousemove --window "$w" 74 143 click 1 # key 5
xdotool key 38 Tab 22                          # A, then Backspace in the second slot
shoot 'Clavimap' clavimap-key-map-editor.png
kill "$editor"

# The record/playback strip after a short take: Ctrl+F5 opens it and records, the stop button
# ends the take; a click on its handle closes it again.
key F4
w=$(window 'Kirivane$')
sleep 1
xdotool keydown --window "$w" ctrl+F5
sleep 0.3
xdotool keyup --window "$w" ctrl+F5 2>/dev/null || true
for k in z c b; do
  xdotool keydown --window "$w" "$k"
  sleep 0.2
  xdotool keyup --window "$w" "$k"
done
xdotool mousemove --window "$w" 297 538 click 1
xdotool mousemove --window "$w" 300 250
shoot 'Kirivane$' mode0-transport-panel.png
xdotool mousemove --window "$w" 235 556 click 1
sleep 1

# The full window with its panels open: the side frames with the scale tuning (middle button
# on the note under the strip), the lantern pulled down, the record/playback strip opened.
key F4
w=$(window 'Kirivane$')
sleep 1
xdotool mousemove --window "$w" 300 528 click 2
xdotool mousemove --window "$w" 430 170 mousedown 1 mousemove --window "$w" 430 200
xdotool mouseup 1
xdotool mousemove --window "$w" 235 504 click 1
xdotool mousemove --window "$w" 240 300
xdotool keydown --window "$w" e
shoot 'Kirivane$' mode0-panels-open.png
xdotool keyup --window "$w" e


# And with every panel closed: the score panel and the lantern switched off in the settings.
kill "$player"
wait "$player" 2>/dev/null || true
printf '[Option]\r\nScoreMode=0\r\nccMode=99\r\n' >"$work/program/kirivane.ini"
"$work/program/kirivane" /E >/dev/null 2>&1 &
player=$!
window 'Kirivane$' >/dev/null
shoot 'Kirivane$' mode0-panels-closed.png
