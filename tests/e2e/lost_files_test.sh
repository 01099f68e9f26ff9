#!/usr/bin/env bash
# No lost files: kirivane-convert writing ".lyr", MIDI and WAVE files over a previous file into a
# folder it may not write to, onto a full disk (a file size limit) and killed with SIGKILL in the
# middle of a long WAVE render. The previous file must stay byte for byte, the converter must
# fail with a clear message, and the next start must clear the temporary file the kill left.
# Args: bin dir, source dir.
set -euo pipefail
bin_dir=$(cd "$1" && pwd)
convert="$bin_dir/kirivane-convert"
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
cd "$work"
passed=0
failed=0
fail() { echo "FAIL: $*" >&2; failed=$((failed + 1)); }
pass() { passed=$((passed + 1)); }
temporaries() { find "$1" -name '.*.kirivane-*.tmp' | wc -l; }

# A performance of half an hour: a note every half second (its WAVE would be 300 MB).
awk 'BEGIN {
  print "0, 0, Header, 0, 1, 480"; print "1, 0, Start_track"; print "1, 0, Tempo, 500000"
  for (i = 0; i < 3600; i++) {
    printf "1, %d, Note_on_c, 0, %d, 100\n", i * 480, 48 + i % 24
    printf "1, %d, Note_off_c, 0, %d, 0\n", i * 480 + 240, 48 + i % 24
  }
  print "1, 1728000, End_track"; print "0, 0, End_of_file" }' | csvmidi > long.mid
"$convert" long.mid long.lyr

# Writes OUT from IN in a fault; checks the exit status, the message, the previous file and the
# folder. Args: case name, out file, command prefix (the fault) ...
expect_kept() {
  local name=$1 out=$2
  shift 2
  local folder before status=0
  folder=$(dirname "$out")
  before=$(sha256sum "$out")
  "$@" "$convert" long.mid "$out" 2> "$work/said" || status=$?
  echo "$name: $(cat "$work/said")"
  if [[ $status -ne 1 ]]; then fail "$name: exit status $status, not 1"; return; fi
  if ! grep -q "^kirivane-convert: $out: " "$work/said"; then
    fail "$name: the user is not told: $(cat "$work/said")"
    return
  fi
  if [[ "$(sha256sum "$out")" != "$before" ]]; then fail "$name: the previous file changed"; return; fi
  if [[ $(temporaries "$folder") -ne 0 ]]; then fail "$name: a temporary file is left"; return; fi
  pass
}

# The previous files, written by the converter itself.
mkdir full locked
printf '%s\r\n' '#FileFormatVer=2' '#ClockTime=1' '#Temp=60' '#Title=Old' '#Copy=' '#List=1' \
  '#BKS=0' '#MODDEP=0' '#MidiToLyr=0' '#Data=0:60:1:121,500:60:0:0,35:60:2:0,' > short.lyr
for ext in lyr mid wav; do
  "$convert" short.lyr "full/old.$ext"
  cp "full/old.$ext" "locked/old.$ext"
done

# A full disk: no file may grow past 8 KiB; SIGXFSZ ignored, so a write fails with EFBIG.
full_disk() { (ulimit -f 8 && trap '' XFSZ && "$@"); }
for ext in lyr mid wav; do expect_kept "full disk, .$ext" "full/old.$ext" full_disk; done

# A folder the converter may not create files in (as root, which may write anywhere, it runs as
# nobody, owning the previous files).
if [[ $(id -u) -eq 0 ]]; then
  chown nobody: locked/*
  as_user() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
else
  as_user() { "$@"; }
fi
chmod 555 locked
for ext in lyr mid wav; do expect_kept "read-only folder, .$ext" "locked/old.$ext" as_user; done
chmod 755 locked

# SIGKILL in the middle of a long WAVE render over a previous file.
before=$(sha256sum full/old.wav)
"$convert" long.mid full/old.wav &
writer=$!
for _ in $(seq 600); do  # up to 30 s for the temporary file to pass 1 MB
  temporary=$(find full -name '.old.wav.kirivane-*.tmp' -size +1M | head -n 1)
  [[ -n "$temporary" ]] && break
  sleep 0.05
done
if [[ -z "$temporary" ]]; then
  fail "kill -9: no temporary file grew"
else
  { kill -9 "$writer" && wait "$writer"; } 2>/dev/null || true
  [[ "$(sha256sum full/old.wav)" == "$before" ]] || fail "kill -9: the previous file changed"
  [[ -e "$temporary" ]] || fail "kill -9: the killed render left no temporary file to clear"
  # The next start, writing another file into the folder, clears what the kill left.
  "$convert" short.lyr full/other.mid
  if [[ $(temporaries full) -ne 0 ]]; then fail "kill -9: the next start left the temporary file"
  else pass; fi
fi

echo "lost files: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
