#!/usr/bin/env bash
# Start-to-map time and memory of the player beside another program, under one Xvfb, in
# alternating runs: each run starts the program, waits until its first window is mapped (the
# time from the start to then is the start-to-map time), waits one more second and reads its
# resident memory (VmRSS), then ends it.
#   scripts/compare_start.sh PLAYER OTHER [RUNS]     e.g. build/bin/kirivane /usr/bin/vmpk 10
# Prints each run, then the medians and the player's ratios to the other program.
set -euo pipefail
player=$(realpath "$1")
other=$(command -v "$2")
runs=${3:-10}
work=$(mktemp -d)
cleanup() {
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
source "$(dirname "$0")/../tests/e2e/lib/virtual_display.sh"
start_virtual_display "$work"
xvfb=$virtual_display_pid
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$XDG_CONFIG_HOME"
# The player's settings beside a copy of it, fresh for each run.
cp -r "$(dirname "$player")" "$work/player"
player=$work/player/$(basename "$player")

# One run: prints "<milliseconds to map> <kB resident>".
measure() {
  local start pid elapsed rss
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  pid=$!
  until [[ -n "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null)" ]]; do
    kill -0 "$pid" 2>/dev/null || { echo "$* ended before mapping a window" >&2; return 1; }
    sleep 0.005
  done
  elapsed=$((($(date +%s%N) - start) / 1000000))
  sleep 1
  rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  rm -f "$work/player/kirivane.ini"
  echo "$elapsed $rss"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

: >"$work/player.txt"
: >"$work/other.txt"
for run in $(seq "$runs"); do
  measure "$player" >>"$work/player.txt"
  measure "$other" >>"$work/other.txt"
  echo "run $run: $(basename "$player") $(tail -1 "$work/player.txt"), $(basename "$other") $(tail -1 "$work/other.txt") (ms, kB)"
done
player_ms=$(cut -d' ' -f1 "$work/player.txt" | median)
other_ms=$(cut -d' ' -f1 "$work/other.txt" | median)
player_kb=$(cut -d' ' -f2 "$work/player.txt" | median)
other_kb=$(cut -d' ' -f2 "$work/other.txt" | median)
echo "median start-to-map: $player_ms ms against $other_ms ms ($(awk -v a="$player_ms" -v b="$other_ms" 'BEGIN {printf "%.2f", a / b}')x)"
echo "median resident memory: $((player_kb / 1024)) MB against $((other_kb / 1024)) MB ($(awk -v a="$player_kb" -v b="$other_kb" 'BEGIN {printf "%.2f", a / b}')x)"
