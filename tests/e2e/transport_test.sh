#!/usr/bin/env bash
# Recording and playback in a real window under Xvfb, read back from the MIDI capture log:
# 1. a ".lyr" given on the command line plays at once, each gap within 2 ms of the file's;
# 2. keys typed with known gaps are recorded (Ctrl+F5, the stop button), saved through the save
#    dialog, and the saved file given to a new player plays the same notes with the same gaps.
# Usage: transport_test.sh <bin dir> <source dir>
set -euo pipefail
bin=$1

source "$(dirname "$0")/lib/player_work.sh"
prepare_player_work "$bin"
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

export HOME=$work LANG=en_US.UTF-8

main_window() { xdotool search --onlyvisible --name 'Kirivane' 2>/dev/null | tail -1; }
start_player() {  # capture log, then the arguments of the player
  export KIRIVANE_MIDI_CAPTURE=$1
  shift
  "$work/program/kirivane" "$@" >"$work/player.out" 2>&1 &
  player=$!
  for _ in $(seq 100); do [[ -n "$(main_window)" ]] && break; sleep 0.1; done
  [[ -n "$(main_window)" ]] || fail "no main window"
}
stop_player() {
  kill "$player"
  wait "$player" 2>/dev/null || true
  player=
}
# The notes of a capture log as "time bytes": note-ons and the note-offs of keys and playback
# (velocity 40h); the all-notes-off sweep (velocity 7Fh) is left out.
notes() { tr -d '\r' <"$1" | grep -E '^[0-9]+ (9. .. ..|8. .. 40)$' || true; }
# Gaps between consecutive notes, in milliseconds, one a line.
gaps() { awk 'NR > 1 { print $1 - last } { last = $1 }'; }
# Fails unless two lists of gaps have as many lines and differ by at most $3 ms each.
compare_gaps() {
  paste -d' ' <(echo "$1") <(echo "$2") | awk -v tolerance="$3" '
    NF != 2 { bad = 1 }
    NF == 2 { d = $1 - $2; if (d < 0) d = -d; if (d > tolerance) bad = 1; if (d > worst) worst = d }
    END { printf "worst gap error %d ms\n", worst; exit bad }'
}

# A process at normal priority on a busy machine can be kept off the processor for a few
# milliseconds: the 2 ms bound is reported, and judged only with KIRIVANE_STRICT_TIMING=1 (an
# idle machine, or the player at real-time priority). A gross error (a wrong speed, a lost
# gap) always fails: no gap may be off by more than 30 ms.
timing_missed() {
  local load
  load=$(cut -d' ' -f1 /proc/loadavg)
  if [[ "${KIRIVANE_STRICT_TIMING:-0}" == 1 ]]; then
    fail "$1 (load $load)"
  fi
  echo "timing reported, not judged ($1): load $load on $(nproc) processors"
}

# --- 1. a file on the command line plays at once, on time -------------------------------------
song=$work/song.lyr
printf '%s\r\n' '#FileFormatVer=2' '#ClockTime=1' '#Temp=60' \
  '#Data=0:60:1:100,300:60:0:0,0:64:1:90,150:64:0:0,250:67:1:80,0:72:1:80,400:67:0:0,0:72:0:0,120:62:1:70,80:62:0:0,0:60:2:0,' \
  >"$song"
expected_notes=$'90 3C 64\n80 3C 40\n90 40 5A\n80 40 40\n90 43 50\n90 48 50\n80 43 40\n80 48 40\n90 3E 46\n80 3E 40'
expected_gaps=$'300\n0\n150\n250\n0\n400\n0\n120\n80'
# Up to three runs; the notes are always judged, the gaps as said above.
on_time=
for attempt in 1 2 3; do
  rm -f "$work/file.log"
  start_player "$work/file.log" "$song"
  for _ in $(seq 60); do (($(notes "$work/file.log" | wc -l) >= 10)) && break; sleep 0.1; done
  stop_player
  played=$(notes "$work/file.log")
  [[ "$(cut -d' ' -f2- <<<"$played")" == "$expected_notes" ]] || fail "file played: $played"
  echo "run $attempt, gaps: $(gaps <<<"$played" | tr '\n' ' ')"
  compare_gaps "$(gaps <<<"$played")" "$expected_gaps" 30 >/dev/null || fail "gaps far off"
  if compare_gaps "$(gaps <<<"$played")" "$expected_gaps" 2; then
    on_time=1
    break
  fi
done
[[ -n "$on_time" ]] || timing_missed "no run kept the file's gaps within 2 ms"

# --- 2. record typed keys, stop, save through the dialog, play the file back -----------------
start_player "$work/take.log"
sleep 1.5
w=$(main_window)
xdotool keydown --window "$w" ctrl+F5
sleep 0.2
xdotool keyup --window "$w" ctrl+F5 2>/dev/null || true
sleep 0.5
# Z is note 55, Q note 72 in the standard key map; the gaps are whatever the typing took, as
# the capture log saw the notes leave.
for key_and_hold in z:0.3 q:0.45 z:0.2; do
  key=${key_and_hold%%:*}
  xdotool keydown --window "$w" "$key"
  sleep "${key_and_hold##*:}"
  xdotool keyup --window "$w" "$key"
  sleep 0.25
done
xdotool mousemove --window "$w" 297 538 click 1  # CmdStop
sleep 0.5
typed=$(notes "$work/take.log")
(($(wc -l <<<"$typed") == 6)) || fail "typed notes: $typed"
xdotool mousemove --window "$w" 261 513 click 1  # CmdSave
dialog=
for _ in $(seq 50); do
  dialog=$(xdotool search --onlyvisible --name '^Save performance$' 2>/dev/null | tail -1 || true)
  [[ -n "$dialog" ]] && break
  sleep 0.1
done
[[ -n "$dialog" ]] || fail "no save dialog"
sleep 0.5
xdotool type --window "$dialog" --delay 20 "$work/take"
# Qt's dialog may replace its window while the name is typed: Return goes to the focus.
xdotool key Return
for _ in $(seq 50); do [[ -s "$work/take.lyr" ]] && break; sleep 0.1; done
[[ -s "$work/take.lyr" ]] || fail "take.lyr not written (the performance filter appends .lyr)"
stop_player

start_player "$work/replay.log" "$work/take.lyr"
for _ in $(seq 60); do (($(notes "$work/replay.log" | wc -l) >= 6)) && break; sleep 0.1; done
stop_player
replayed=$(notes "$work/replay.log")
[[ "$(cut -d' ' -f2- <<<"$replayed")" == "$(cut -d' ' -f2- <<<"$typed")" ]] ||
  fail "replayed: $replayed, typed: $typed"
# The typed gaps are stamped to the millisecond twice (recording, capture) before playback
# adds its own: one millisecond more than a file's gaps may take.
echo "typed gaps: $(gaps <<<"$typed" | tr '\n' ' '), replayed: $(gaps <<<"$replayed" | tr '\n' ' ')"
compare_gaps "$(gaps <<<"$replayed")" "$(gaps <<<"$typed")" 30 >/dev/null || fail "replayed gaps far off"
compare_gaps "$(gaps <<<"$replayed")" "$(gaps <<<"$typed")" 3 || timing_missed "replayed gaps"
echo "transport test passed"
