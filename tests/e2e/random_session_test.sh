#!/usr/bin/env bash
# A randomized session under Xvfb: for a while (KIRIVANE_SESSION_SECONDS, 60 by default) keys
# are pressed, held over other actions and released, the keyboard is clicked and dragged on, the
# display modes, octave, transposition, chords, instrument and percussion set change, F5 starts
# and stops recording and the focus goes to another window and back; then the window closes.
# The player must not crash, and every note-on in the MIDI capture log must have its note-off.
# Seeded (KIRIVANE_SEED, else a random seed, printed), so a failing session can be replayed.
# Usage: random_session_test.sh <bin dir> <source dir>
set -euo pipefail
bin=$1
seconds=${KIRIVANE_SESSION_SECONDS:-60}
seed=${KIRIVANE_SEED:-$((($(date +%s%N) / 1000) % 32768))}
RANDOM=$seed
echo "seed $seed (replay with KIRIVANE_SEED=$seed)"

work=$(mktemp -d)
cleanup() {
  [[ -n "${player:-}" ]] && kill "$player" 2>/dev/null || true
  [[ -n "${other:-}" ]] && kill "$other" 2>/dev/null || true
  [[ -n "${answerer:-}" ]] && kill "$answerer" 2>/dev/null || true
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL (seed $seed): $*" >&2
  exit 1
}

cp -r "$bin" "$work/program"
rm -f "$work/program/kirivane.ini"
export XDG_CONFIG_HOME=$work/config
capture=$work/capture.log
export KIRIVANE_MIDI_CAPTURE=$capture
source "$(dirname "$0")/lib/virtual_display.sh"
start_virtual_display "$work"
xvfb=$virtual_display_pid

main_window() { xdotool search --onlyvisible --name '^Kirivane' 2>/dev/null | tail -1; }
"$work/program/kirivane" >"$work/player.out" 2>&1 &
player=$!
for _ in $(seq 100); do [[ -n "$(main_window)" ]] && break; sleep 0.1; done
[[ -n "$(main_window)" ]] || fail "no main window"
xmessage -geometry +0+0 "another window" &
other=$!
for _ in $(seq 50); do xdotool search --onlyvisible --name xmessage >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1

# X keycodes: the typing keys that play, and the keys of the player's commands (function keys,
# the keypad's chords, octave and transposition keys, page keys for the instrument).
play_keys=(10 11 12 13 14 15 16 17 18 19 20 21 24 25 26 27 28 29 30 31 32 33 34 35 38 39 40 41 42
  43 44 45 46 47 48 52 53 54 55 56 57 58 59 60 61 65)
command_keys=(68 69 70 72 73 74 75 82 86 63 106 112 117 90 87 88 89 83 84 85 79 80 81 91)
pick() { local -n list=$1; echo "${list[RANDOM % ${#list[@]}]}"; }
# The window may be rebuilt by a mode switch: find it again before it is used.
find_main='search --onlyvisible --limit 1 --name ^Kirivane'
# The full window, focused: what the clicks at fixed places need.
full_window() {
  echo "$find_main"
  echo "windowfocus --sync %1"
  echo "key 70"
  echo "sleep 0.6"
  echo "$find_main"
  echo "windowfocus --sync %1"
}

# The session is a list of xdotool scripts of 12 actions each, each run by one process: a key
# pressed through XTEST stays down only while the client that pressed it is connected (so no
# hold outlasts its script), and a window rebuilt under a command (an X error ends xdotool)
# cuts one script short, not the session.
script=$work/session.xdo
held=()
elapsed_ms=0
actions=0
while ((elapsed_ms < seconds * 1000)); do
  if ((actions++ % 12 == 0)); then echo "@segment"; held=(); fi
  pause=$((20 + RANDOM % 300))
  case $((RANDOM % 20)) in
    0 | 1 | 2 | 3 | 4 | 5)  # press a key and keep it
      key=$(pick play_keys)
      if [[ " ${held[*]} " != *" $key "* ]]; then
        echo "keydown $key"
        held+=("$key")
      fi ;;
    6 | 7 | 8 | 9)  # release a held key
      if ((${#held[@]} > 0)); then
        index=$((RANDOM % ${#held[@]}))
        echo "keyup ${held[index]}"
        held=("${held[@]:0:index}" "${held[@]:index+1}")
      fi ;;
    10 | 11 | 12)  # a command key, tapped
      key=$(pick command_keys)
      echo "keydown $key"
      echo "sleep 0.05"
      echo "keyup $key" ;;
    13)  # Ctrl+F5 records, F5 plays the take or stops
      if ((RANDOM % 2)); then echo "key ctrl+71"; else echo "key 71"; fi ;;
    14 | 15)  # click or drag on the keyboard of the full window
      full_window
      echo "mousemove --window %1 $((20 + RANDOM % 420)) $((380 + RANDOM % 100))"
      echo "mousedown 1"
      echo "sleep 0.$((RANDOM % 4 + 1))"
      echo "mousemove --window %1 $((20 + RANDOM % 420)) $((380 + RANDOM % 100))"
      echo "sleep 0.1"
      echo "mouseup 1" ;;
    16)  # the percussion set, by its picture in the full window
      full_window
      echo "mousemove --window %1 437 198"
      echo "click 1" ;;
    17)  # the focus goes to another window and comes back
      echo "search --onlyvisible --limit 1 --name xmessage"
      echo "windowfocus %1"
      echo "sleep 0.$((RANDOM % 5 + 1))"
      echo "$find_main"
      echo "windowfocus %1" ;;
    *)  # Space, the damper, tapped
      echo "key 65" ;;
  esac
  echo "sleep 0.$(printf '%03d' "$pause")"
  elapsed_ms=$((elapsed_ms + pause))
done >"$script"
full_window >>"$script"
mkdir "$work/segments"
awk -v dir="$work/segments" '/^@segment$/ { n++; next } { print > sprintf("%s/%04d.xdo", dir, n) }' \
  "$script"

# A message box (F5 with nothing to play, the percussion set's note) is answered, as a user
# would: any window of the player's that is transient for another.
boxes() {
  local window
  for window in $(xdotool search --onlyvisible --pid "$player" 2>/dev/null); do
    xprop -id "$window" WM_TRANSIENT_FOR 2>/dev/null | grep -q 'window id' && echo "$window"
  done
  return 0
}
(
  while sleep 0.5; do
    for box in $(boxes); do xdotool key --window "$box" Return 2>/dev/null || true; done
  done
) &
answerer=$!
for segment in "$work"/segments/*.xdo; do
  timeout 60 xdotool "$segment" >>"$work/xdotool.log" 2>&1 || true
done
sleep 1
kill -0 "$player" 2>/dev/null || fail "the player ended during the session: $(tail -5 "$work/player.out")"
# The exit button closes the window (and stops a take that F5 may have left running).
for _ in $(seq 20); do [[ -z "$(boxes)" ]] && break; sleep 0.5; done
window=$(main_window)
xdotool mousemove --window "$window" 432 541 click 1
for _ in $(seq 100); do kill -0 "$player" 2>/dev/null || break; sleep 0.1; done
kill -0 "$player" 2>/dev/null && fail "the player did not end after the exit button"
kill "$answerer"
status=0
wait "$player" || status=$?
player=
((status == 0)) || fail "the player ended with status $status: $(tail -5 "$work/player.out")"

# Every note-on (9n kk vv, vv > 0) is followed by its note-off (8n kk, or 9n kk 00).
sounding=$(tr -d '\r' <"$capture" | awk '
  { status = toupper($2); key = toupper($3); velocity = toupper($4) }
  status ~ /^9/ && velocity != "00" { on[substr(status, 2) " " key]++; ons++; next }
  status ~ /^8/ || (status ~ /^9/ && velocity == "00") {
    note = substr(status, 2) " " key
    if (on[note] > 0) on[note]--
  }
  END {
    for (note in on) if (on[note] > 0) printf "channel %s key %s (%d)\n", substr(note, 1, 1), substr(note, 3), on[note]
    print ons " note-ons" > "/dev/stderr"
  }')
[[ -z "$sounding" ]] || fail "notes left sounding:"$'\n'"$sounding"
echo "ok: $actions actions, every note-on has its note-off"
