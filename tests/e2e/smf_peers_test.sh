#!/usr/bin/env bash
# Performance files against independent tools: files exported by kirivane-convert are parsed by
# midicsv and played by fluidsynth, files written by csvmidi import to the expected events, and
# .lyr files survive a save-then-load unchanged. Args: bin dir, source dir.
set -euo pipefail
bin_dir=$(cd "$1" && pwd)
convert="$bin_dir/kirivane-convert"
soundfont=/usr/share/sounds/sf2/default-GM.sf2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect_same() {  # name, expected text, actual text
  if [[ "$2" != "$3" ]]; then
    fail "$1"
    diff <(echo "$2") <(echo "$3") >&2 || true
  fi
}
# Prints the peak amplitude of a WAVE file (0..1).
peak() { sox "$1" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}'; }
audible() { awk -v p="$1" 'BEGIN { exit !(p > 0.001) }'; }

for tool in midicsv csvmidi fluidsynth sox; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

# --- export: a performance read by midicsv --------------------------------------------------
printf '%s\r\n' '#FileFormatVer=2' '#ClockTime=1' '#Temp=60' '#Title=Peer' '#Copy=Me' \
  '#List=1' '#BKS=0' '#MODDEP=0' '#MidiToLyr=0' \
  '#Data=0:60:1:121,500:60:0:0,3:64:1:90,0:0:4:0,1000:64:0:0,0:0:3:0,35:60:2:0,' > take.lyr
"$convert" take.lyr take.mid || fail "export exit status"
expected_csv='0, 0, Header, 0, 1, 480
1, 0, Start_track
1, 0, Title_t, "Peer"
1, 0, Copyright_t, "Me"
1, 0, Text_t, "Kirivane (v4.0.2)"
1, 0, Tempo, 1000000
1, 0, Key_signature, 0, "major"
1, 0, Time_signature, 4, 2, 24, 8
1, 0, MIDI_port, 0
1, 0, Control_c, 0, 0, 0
1, 0, Control_c, 0, 32, 0
1, 0, Program_c, 0, 0
1, 0, Note_on_c, 0, 60, 121
1, 240, Note_on_c, 0, 60, 0
1, 242, Note_on_c, 0, 64, 90
1, 242, Control_c, 0, 64, 127
1, 722, Note_on_c, 0, 64, 0
1, 722, Control_c, 0, 64, 0
1, 818, Note_off_c, 0, 0, 0
1, 836, End_track
0, 0, End_of_file'
expect_same "midicsv reads the exported file" "$expected_csv" "$(midicsv take.mid | tr -d '\r')"

# The keyboard channel of a settings file is the exported channel.
printf '[Option]\r\nMidiCh=3\r\nMidiEndTime=0\r\n' > settings.ini
"$convert" --settings settings.ini take.lyr channel3.mid || fail "export with settings"
midicsv channel3.mid | grep -q '^1, 0, Note_on_c, 2, 60, 121' || fail "MidiCh=3 exports channel 3"
midicsv channel3.mid | grep -q 'Note_off_c' && fail "MidiEndTime=0 writes no tail event"

# fluidsynth plays the exported file.
fluidsynth -ni -g 1 -F fluid.wav "$soundfont" take.mid >/dev/null 2>&1 || fail "fluidsynth run"
p=$(peak fluid.wav)
audible "$p" || fail "fluidsynth rendered silence from the export (peak $p)"

# --- import: files written by csvmidi ------------------------------------------------------
cat > peer.csv <<'CSV'
0, 0, Header, 0, 1, 480
1, 0, Start_track
1, 0, Title_t, "Peer song"
1, 0, Copyright_t, "Someone"
1, 0, Unknown_meta_event, 9, 3, 100, 101, 118
1, 0, Tempo, 500000
1, 0, Program_c, 0, 5
1, 0, Note_on_c, 0, 60, 100
1, 0, Note_on_c, 9, 36, 110
1, 240, Note_on_c, 0, 60, 0
1, 240, Note_on_c, 1, 64, 90
1, 480, Note_off_c, 1, 64, 0
1, 20000, Note_on_c, 0, 67, 80
1, 20480, Note_off_c, 0, 67, 0
1, 20480, End_track
0, 0, End_of_file
CSV
csvmidi peer.csv peer.mid
"$convert" peer.mid peer.lyr || fail "import exit status"
expected_lyr='#FileFormatVer=2
#ClockTime=1
#Temp=120
#Title=Peer song
#Copy=Someone
#List=6
#BKS=0
#MODDEP=0
#MidiToLyr=0
#Data=0:60:1:100,249:60:0:0,0:64:1:90,249:64:0:0,20332:67:1:80,499:67:0:0,499:60:2:0,'
expect_same "csvmidi file imports" "$expected_lyr" "$(tr -d '\r' < peer.lyr)"
[[ $(head -c 18 peer.lyr | od -An -c | tr -d ' ') == *'\r\n'* ]] || fail "lines end in CR LF"

# Clock 10 and only channel 10 read.
printf '[Option]\r\nClock=10\r\nMidiReadCh=10\r\n' > drums.ini
"$convert" --settings drums.ini peer.mid drums.lyr || fail "import with settings"
grep -q '^#Data=0:36:1:110,0:60:2:0,' drums.lyr || fail "MidiReadCh=10 reads only the drums"
grep -q '^#ClockTime=10' drums.lyr || fail "Clock=10 sets the clock"

# With --strict a format-1 file is refused: one line on stderr, non-zero status, no output.
sed 's/Header, 0, 1/Header, 1, 1/' peer.csv > format1.csv
csvmidi format1.csv format1.mid
if "$convert" --strict format1.mid format1.lyr 2> err.txt; then fail "format 1 accepted"; fi
[[ $(wc -l < err.txt) -eq 1 ]] || fail "one error line for format 1"
[[ ! -e format1.lyr ]] || fail "no output for a refused file"

# --- format 1: the tracks merged equal the same music written as format 0 --------------------
# A conductor track whose tempo halves at tick 960 and which ends first, and two tracks of
# notes that meet at equal times (running status, a program change, an early End_track).
cat > tracks.csv <<'CSV'
0, 0, Header, 1, 3, 480
1, 0, Start_track
1, 0, Title_t, "Three tracks"
1, 0, Tempo, 500000
1, 960, Tempo, 250000
1, 1000, End_track
2, 0, Start_track
2, 0, Program_c, 0, 12
2, 0, Note_on_c, 0, 60, 100
2, 480, Note_on_c, 0, 60, 0
2, 480, Note_on_c, 0, 62, 90
2, 960, Note_off_c, 0, 62, 0
2, 960, Note_on_c, 0, 64, 80
2, 1920, Note_off_c, 0, 64, 0
2, 3000, End_track
3, 0, Start_track
3, 0, Note_on_c, 1, 48, 70
3, 480, Note_off_c, 1, 48, 0
3, 480, Note_on_c, 1, 52, 71
3, 960, Note_on_c, 1, 52, 0
3, 1440, Note_on_c, 1, 55, 72
3, 2400, Note_off_c, 1, 55, 0
3, 2500, End_track
0, 0, End_of_file
CSV
csvmidi tracks.csv tracks.mid
# The same music as one track, merged with text tools from what midicsv reads: every event by
# time, a lower track first at equal times (a stable sort of midicsv's track-by-track listing),
# and one End_track at the latest.
midicsv tracks.mid | tr -d '\r' > listed.csv
{
  echo "0, 0, Header, 0, 1, $(awk -F', ' '$3 == "Header" {print $6}' listed.csv)"
  echo "1, 0, Start_track"
  awk -F', ' -v OFS=', ' '$3 != "Header" && $3 != "Start_track" && $3 != "End_track" &&
    $3 != "End_of_file" { $1 = 1; print }' listed.csv | sort -s -t, -k2,2n
  echo "1, $(awk -F', ' '$3 == "End_track" {print $2}' listed.csv | sort -n | tail -1), End_track"
  echo "0, 0, End_of_file"
} > one_track.csv
csvmidi one_track.csv one_track.mid
"$convert" tracks.mid merged.lyr || fail "format 1 merged exit status"
"$convert" one_track.mid format0.lyr || fail "format 0 exit status"
cmp -s merged.lyr format0.lyr || {
  fail "the merged tracks differ from the same music as format 0"
  diff merged.lyr format0.lyr >&2 || true
}
# Track 2 before track 3 at equal times; the gap before the tempo change at tick 960 keeps the
# old tempo (480 ticks = 500 ms, stored as 499), the gaps after it take the new one.
grep -q '^#Data=0:60:1:100,0:48:1:70,499:60:0:0,0:62:1:90,0:48:0:0,0:52:1:71,499:62:0:0,0:64:1:80,0:52:0:0,249:55:1:72,249:64:0:0,249:55:0:0,249:60:2:0,' merged.lyr ||
  fail "merged events: $(grep '^#Data=' merged.lyr)"

# A truncated file leaves an existing output untouched.
head -c 60 peer.mid > cut.mid
echo old > keep.lyr
if "$convert" cut.mid keep.lyr 2> err.txt; then fail "truncated file accepted"; fi
[[ $(cat keep.lyr) == old ]] || fail "a failed conversion replaced the output"
[[ $(ls -A | grep -c '\.tmp') -eq 0 ]] || fail "temporary files left behind"

# --- .lyr save-then-load and a round trip through MIDI --------------------------------------
"$convert" peer.lyr again.lyr || fail "lyr to lyr"
cmp -s peer.lyr again.lyr || fail ".lyr save-then-load changed the table"
"$convert" peer.lyr back.mid && "$convert" back.mid back.lyr || fail "lyr -> mid -> lyr"
grep -q '^#Data=0:60:1:100,' back.lyr || fail "velocities kept through MIDI"

# --- rendering ------------------------------------------------------------------------------
"$convert" peer.mid peer.wav || fail "render exit status"
[[ $(soxi -r peer.wav) == 44100 && $(soxi -c peer.wav) == 2 && $(soxi -b peer.wav) == 16 ]] ||
  fail "WAVE format"
p=$(peak peer.wav)
audible "$p" || fail "rendered silence (peak $p)"
duration=$(soxi -D peer.wav)
awk -v d="$duration" 'BEGIN { exit !(d > 22.3 && d < 23.3) }' || fail "render length $duration"

# Performances too long to render, and unreadable settings, are refused before writing.
printf '#FileFormatVer=2\r\n#ClockTime=100\r\n#Data=0:60:1:100,80000:60:0:0,1:60:2:0,\r\n' > long.lyr
if "$convert" long.lyr long.wav 2> err.txt; then fail "a nine-hour render accepted"; fi
[[ ! -e long.wav ]] || fail "no output for a refused render"
if "$convert" --settings missing.ini peer.lyr x.mid 2> err.txt; then fail "missing settings"; fi
[[ ! -e x.mid ]] || fail "no output without settings"

if ((failures > 0)); then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "smf peers: all passed"
