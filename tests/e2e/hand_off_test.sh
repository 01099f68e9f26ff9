#!/usr/bin/env bash
# One player per user on a plain Xvfb server: a second start with a file hands it to the
# running player and ends at once with status 0, without a window of its own; a second start
# without a file only brings the first to the front; whatever else is written to the player's
# socket changes nothing, and a proper hand-off still works after it.
# Usage: hand_off_test.sh <bin dir> <source dir>
set -euo pipefail
bin=$1

source "$(dirname "$0")/lib/player_work.sh"
prepare_player_work "$bin"
fail() {
  echo "FAIL: $*" >&2
  cat "$work/player.out" >&2 || true
  exit 1
}

capture=$work/capture.log
export KIRIVANE_MIDI_CAPTURE=$capture

socket=$XDG_RUNTIME_DIR/kirivane.socket

windows() { xdotool search --onlyvisible --name 'Kirivane' 2>/dev/null | wc -l; }
handed() { grep -c "handed over by a later start: $1\$" "$work/player.out" || true; }

# A second start: runs the program with the arguments, sets status and elapsed (ms).
second_start() {
  local begin end
  begin=$(date +%s%N)
  status=0
  timeout 10 "$work/program/kirivane" "$@" >"$work/second.out" 2>&1 || status=$?
  end=$(date +%s%N)
  elapsed=$(((end - begin) / 1000000))
}

# Writes raw bytes (given as a Perl string expression) to the player's socket and closes.
write_socket() {
  perl -MIO::Socket::UNIX -e '
    my $s = IO::Socket::UNIX->new(Peer => $ARGV[0]) or die "connect: $!";
    print $s eval $ARGV[1]; close $s;' "$socket" "$1"
}

"$work/program/kirivane" >"$work/player.out" 2>&1 &
player=$!
for _ in $(seq 100); do (($(windows) > 0)) && break; sleep 0.1; done
(($(windows) == 1)) || fail "no main window"
sleep 1.5
[[ -S "$socket" ]] || fail "the player does not listen at $socket"
[[ "$(stat -c %a "$socket")" == 700 || "$(stat -c %a "$socket")" == 600 ]] ||
  fail "the socket is open to others: mode $(stat -c %a "$socket")"

# A short performance: two notes, over in half a second once handed over.
song=$work/song.lyr
printf '%s\r\n' '#FileFormatVer=2' '#ClockTime=1' '#Temp=60' \
  '#Data=0:60:1:100,200:60:0:0,0:64:1:90,200:64:0:0,0:60:2:0,' >"$song"
second_start "$song"
((status == 0)) || fail "the second start ended with status $status"
((elapsed < 1000)) || fail "the second start took $elapsed ms"
for _ in $(seq 20); do (($(handed "$song") == 1)) && break; sleep 0.1; done
(($(handed "$song") == 1)) || fail "the running player did not receive $song"
(($(windows) == 1)) || fail "a second window appeared"
played() { tr -d '\r' <"$capture" | grep -cE '^[0-9]+ 9. (3C 64|40 5A)$' || true; }
for _ in $(seq 50); do (($(played) == 2)) && break; sleep 0.1; done
(($(played) == 2)) || fail "the running player did not play $song"
sleep 0.5  # the end of the performance and its notes-off
echo "ok: second start with a file: status 0 in $elapsed ms, the first player played it"

# Without a file: the first player only comes to the front.
second_start
((status == 0 && elapsed < 1000)) || fail "second start without a file: status $status, $elapsed ms"
(($(windows) == 1)) || fail "a second window appeared"
echo "ok: second start without a file: status 0 in $elapsed ms"

# Malformed blocks: junk, a wrong list offset, a relative name, a list without its end, a block
# too large. None of them is received, and the player keeps running.
lines_before=$(wc -l <"$capture")
write_socket '"garbage that is no block at all"'
write_socket 'pack("V5", 24, 0, 0, 0, 0) . "/tmp/x.lyr\0\0\0"'
write_socket 'pack("V5", 20, 0, 0, 0, 0) . "x.lyr\0\0\0"'
write_socket 'pack("V5", 20, 0, 0, 0, 0) . "/tmp/x.lyr"'
write_socket 'pack("V5", 20, 0, 0, 0, 0) . "/" x 70000 . "\0\0\0"'
sleep 1
kill -0 "$player" 2>/dev/null || fail "the player ended after malformed blocks"
grep -q "handed over by a later start: .*x.lyr" "$work/player.out" &&
  fail "a malformed block was taken as a hand-off"
(($(wc -l <"$capture") == lines_before)) || fail "a malformed block made the player send MIDI"

# A well-formed block written by hand is received like a second start's.
write_socket 'pack("V5", 20, 0, 0, 0, 0) . "'"$work"'/other.mid\0\0\0"'
for _ in $(seq 20); do (($(handed "$work/other.mid") == 1)) && break; sleep 0.1; done
(($(handed "$work/other.mid") == 1)) || fail "a proper block after the malformed ones was lost"
echo "ok: malformed blocks change nothing; a proper one still arrives"
