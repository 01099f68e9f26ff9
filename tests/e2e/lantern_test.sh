#!/usr/bin/env bash
# The controller lantern on a plain Xvfb server, driven by the real pointer and keys: the wheel
# anywhere on the window, a drag of the lantern's end, the Down key and F10 with the middle
# button in the compact keyboard reach the MIDI capture log.
# Usage: lantern_test.sh <bin dir> <source dir>
set -euo pipefail
bin=$1

source "$(dirname "$0")/lib/player_work.sh"
prepare_player_work "$bin"
fail() {
  echo "FAIL: $*" >&2
  tail -20 "$capture" >&2 || true
  exit 1
}

capture=$work/capture.log
export KIRIVANE_MIDI_CAPTURE=$capture


main_window() { xdotool search --onlyvisible --name 'Kirivane' 2>/dev/null | tail -1; }
# Whether the capture log's last message (without its time) is $1, waiting up to 2 s.
last_is() {
  for _ in $(seq 20); do
    [[ "$(tail -1 "$capture" | tr -d '\r' | cut -d' ' -f2-)" == "$1" ]] && return 0
    sleep 0.1
  done
  return 1
}

"$work/program/kirivane" >"$work/player.out" 2>&1 &
player=$!
for _ in $(seq 100); do [[ -n "$(main_window)" ]] && break; sleep 0.1; done
window=$(main_window)
[[ -n "$window" ]] || fail "no main window"
sleep 1.5

# The wheel over the title: towards the user (button 5) makes the volume lantern longer.
xdotool mousemove --window "$window" 230 240 click 5
last_is "B0 07 48" || fail "wheel towards the user did not send volume 72"
xdotool click --repeat 3 4
last_is "B0 07 30" || fail "three notches away did not send volume 48"

# Drag the lantern's end (at value + 100 = 148) 30 pixels down: 48 + 30 = 78.
xdotool mousemove --window "$window" 430 152 mousedown 1
sleep 0.2
xdotool mousemove --window "$window" 430 167
sleep 0.2
xdotool mousemove --window "$window" 430 182 mouseup 1
last_is "B0 07 4E" || fail "a 30 pixel drag from 48 did not send volume 78"

# The Down key lengthens it by the wheel step.
xdotool key --window "$window" Down
last_is "B0 07 56" || fail "the Down key did not send volume 86"

# F10 switches to pitch bend (a drum on channel 10); in the compact keyboard the middle button
# centres the bend after the wheel moved it.
xdotool key --window "$window" F10
grep -q " 99 3A [0-9A-F][0-9A-F]" "$capture" || fail "F10 played no drum"
xdotool keydown --window "$window" F3
sleep 0.5
xdotool keyup --window "$window" F3 2>/dev/null || true  # the window is rebuilt meanwhile
sleep 1
window=$(main_window)
xdotool mousemove --window "$window" 100 60 click 4
last_is "E0 47 47" || fail "the wheel did not bend up in the compact keyboard"  # 56: word 9159
xdotool mousemove --window "$window" 500 112 click 2  # on the control strip's background
last_is "E0 3F 3F" || fail "the middle button did not centre the bend"
echo "ok: wheel, drag, Down, F10 and the middle button reach the lantern"
