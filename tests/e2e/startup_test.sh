#!/usr/bin/env bash
# Starts the player on a virtual X server and checks the caption of its window: the desktop's
# language by default (Japanese for a "ja" locale, else English), English with "/E" or with Ctrl
# held at start, the random key map's suffix with "/R"; English with "/E" when japanese.lang is
# missing, and an error with exit status 1 when no language file is there.
# Arguments: the folder of the built programs, the source folder.
set -euo pipefail

bin=${1:?usage: startup_test.sh BIN_DIR SOURCE_DIR}
bin=$(cd "$bin" && pwd)

started=()
scratch=$(mktemp -d)
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Entry n of a language file (line n + 1), decoded to UTF-8, without its line end.
entry() {
  local file=$1 n=$2 line
  line=$(sed -n "$((n + 1))p" "$file" | tr -d '\r')
  if ! iconv -f UTF-8 -t UTF-8 <<<"$line" >/dev/null 2>&1; then
    line=$(iconv -f CP932 -t UTF-8 <<<"$line")
  fi
  printf '%s' "$line"
}

# Always on a virtual display of our own, so that held keys never reach a real desktop.
source "$(dirname "$0")/lib/virtual_display.sh"
start_display() {
  start_virtual_display "$scratch" || fail "no virtual display"
  started+=("$virtual_display_pid")
}

# Starts a program in the background and records its pid in $last_pid.
start() {
  "$@" >"$scratch/output.txt" 2>&1 &
  last_pid=$!
  started+=("$last_pid")
}

# The first visible window of a process; waits for it up to 20 seconds.
window_of() {
  local pid=$1 ids
  ids=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" 2>/dev/null) || return 1
  head -n 1 <<<"$ids"
}

# Waits up to 10 seconds for a process to end; its exit status goes to $exit_status.
wait_for_exit() {
  local pid=$1
  for _ in $(seq 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
      exit_status=0
      wait "$pid" || exit_status=$?
      return 0
    fi
    sleep 0.1
  done
  return 1
}

stop() {
  local pid=$1
  kill "$pid" 2>/dev/null || true
  wait_for_exit "$pid" || kill -9 "$pid" 2>/dev/null || true
}

# The desktop locale the player is started in.
desktop=ja_JP.UTF-8

# Starts the player with the given arguments and checks the caption of its window.
expect_caption() {
  local expected=$1 window caption
  shift
  start env LC_ALL= LC_MESSAGES= LANG="$desktop" "$bin/kirivane" "$@"
  local pid=$last_pid
  window=$(window_of "$pid") || fail "no window appeared for: kirivane $*"
  caption=$(xdotool getwindowname "$window")
  stop "$pid"
  # The sound libraries keep quiet; only the player's own line about a device may appear.
  if grep -v '^kirivane: \|^QStandardPaths: ' "$scratch/output.txt" | grep -q .; then
    fail "'kirivane $*' printed: $(cat "$scratch/output.txt")"
  fi
  (($(grep -c '^kirivane: ' "$scratch/output.txt") <= 1)) || fail "more than one line of its own"
  [[ "$caption" == "$expected" ]] ||
    fail "caption of 'kirivane $*' is '$caption', expected '$expected'"
  echo "ok: LANG=$desktop kirivane $* -> '$caption'"
}

start_display

japanese="$bin/japanese.lang"
english="$bin/English.lang"
[[ -f "$japanese" && -f "$english" ]] || fail "language files missing beside the program in $bin"
japanese_title=$(entry "$japanese" 0)
english_title=$(entry "$english" 0)
[[ -n "$japanese_title" && -n "$english_title" ]] || fail "entry 0 is empty in a language file"
# The program's name may read the same in both languages; the random key map's caption suffix
# (entry 186) tells the loaded language apart.
japanese_random="$japanese_title$(entry "$japanese" 186)"
english_random="$english_title$(entry "$english" 186)"
[[ "$japanese_random" != "$english_random" ]] || fail "entry 186 does not differ between languages"

expect_caption "$japanese_title"
expect_caption "$english_title" /E
expect_caption "$japanese_random" /R
expect_caption "$english_random" /r /E
# /k starts the key monitor, whose caption suffix (entry 8) replaces that of /R.
expect_caption "$english_title$(entry "$english" 8)" /e /k /R
expect_caption "$japanese_title" "$scratch/not a performance.txt"
desktop=de_DE.UTF-8 expect_caption "$english_random" /R

# Ctrl held at start selects English. The X server lets go of a key pressed through XTEST
# when the pressing client disconnects, so xdotool holds it in the background.
xdotool keydown Control_L sleep 15 keyup Control_L &
holder=$!
started+=("$holder")
sleep 0.5
expect_caption "$english_random" /R
kill "$holder" 2>/dev/null || true
xdotool keyup Control_L

# English needs no japanese.lang; without any language file the player shows an error and
# ends with status 1.
mkdir "$scratch/bare"
cp "$bin/kirivane" "$english" "$bin"/*.keys "$scratch/bare/"
bin="$scratch/bare" expect_caption "$english_random" /R /E
rm "$scratch/bare/English.lang"
start "$scratch/bare/kirivane"
pid=$last_pid
window=$(window_of "$pid") || fail "no error message appeared without a language file"
[[ "$(xdotool getwindowname "$window")" == "Kirivane" ]] || fail "unexpected error box title"
xdotool windowfocus --sync "$window" key Return
wait_for_exit "$pid" || fail "the player did not end after the error message"
[[ "$exit_status" == 1 ]] || fail "exit status without a language file is $exit_status, expected 1"
echo "ok: missing language file -> error message, exit status 1"
