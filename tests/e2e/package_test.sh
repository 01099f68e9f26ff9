#!/usr/bin/env bash
# The Debian package: built with CPack from this build, its dependencies resolved by apt against
# the system's package lists (a dry run), unpacked into a throwaway root; there the desktop
# entries and AppStream metadata validate, the converter answers --help and --version and renders
# through its synthesizer module, and the player finds its data in share/kirivane, opens its
# window under Xvfb, hands the English help page to the browser on F1 and, closed by its exit
# button, saves its settings.
# Args: bin dir, source dir.
set -euo pipefail
bin_dir=$(cd "$1" && pwd)
build=$(cd "$bin_dir/.." && pwd)
work=$(mktemp -d)
cleanup() {
  [[ -n "${player:-}" ]] && kill "$player" 2>/dev/null || true
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
for tool in cpack dpkg-deb desktop-file-validate appstreamcli xdotool Xvfb; do
  command -v "$tool" >/dev/null || fail "missing $tool"
done

(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/package/kirivane_*.deb)
echo "built $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends misses Qt: $depends"
# Every dependency exists in the system's package lists in a version that fits.
if command -v apt-get >/dev/null && [[ -n "$(ls /var/lib/apt/lists/ 2>/dev/null | grep Packages)" ]]; then
  apt-get install --simulate --no-download "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; fail "apt cannot install the package"; }
  echo "ok: apt resolves every dependency"
fi

root=$work/root
dpkg-deb -x "$deb" "$root"
usr=$root/usr
for file in bin/kirivane bin/kirivane-convert lib/kirivane/kirivane-synth.so \
  share/kirivane/English.lang share/kirivane/japanese.lang share/kirivane/default.keys \
  share/kirivane/help_en.html share/applications/kirivane.desktop \
  share/icons/hicolor/scalable/apps/kirivane.svg share/icons/hicolor/16x16/apps/kirivane.png \
  share/icons/hicolor/256x256/apps/kirivane.png share/metainfo/org.kirivane.Kirivane.metainfo.xml; do
  [[ -e "$usr/$file" ]] || fail "the package lacks /usr/$file"
done
desktop-file-validate "$usr"/share/applications/*.desktop || fail "desktop entry"
appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log" >&2; fail "AppStream metadata"; }

convert=$usr/bin/kirivane-convert
"$convert" --help | grep -q '^usage: kirivane-convert' || fail "--help"
[[ "$("$convert" --version)" =~ ^kirivane-convert\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version"
"$convert" --bogus a b 2>/dev/null && fail "an unknown option accepted"
printf '%s\r\n' '#FileFormatVer=2' '#ClockTime=1' '#Temp=60' '#List=1' '#BKS=0' '#MODDEP=0' \
  '#MidiToLyr=0' '#Data=0:60:1:121,500:60:0:0,0:0:4:0,' >"$work/take.lyr"
"$convert" "$work/take.lyr" "$work/take.wav" || fail "WAVE render from the installed converter"
[[ $(stat -c %s "$work/take.wav") -gt 44100 ]] || fail "WAVE file too short"
echo "ok: the installed converter"

# The player: its data from share/kirivane, its settings in the data folder when that is
# writable (as for root), else under XDG_CONFIG_HOME.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config LANG=en_US.UTF-8 LC_ALL=
export KIRIVANE_MIDI_CAPTURE=$work/capture.log
mkdir -p "$HOME"
source "$(dirname "$0")/lib/virtual_display.sh"
start_virtual_display "$work" || fail "no virtual display"
xvfb=$virtual_display_pid
if ((EUID != 0)); then chmod a-w "$usr/share/kirivane"; fi
# F1 hands the help page to the desktop's opener: a stand-in records what it was given.
mkdir -p "$work/opener"
printf '#!/bin/sh\necho "$@" >> "%s"\n' "$work/opened.txt" >"$work/opener/xdg-open"
chmod +x "$work/opener/xdg-open"
PATH=$work/opener:$PATH "$usr/bin/kirivane" >"$work/player.out" 2>&1 &
player=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$player" 2>/dev/null | head -1) ||
  { cat "$work/player.out" >&2; fail "no window from the installed player"; }
caption=$(xdotool getwindowname "$window")
[[ "$caption" == Kirivane* ]] || fail "caption '$caption' (language file not found?)"
xdotool key --window "$window" F1
for _ in $(seq 50); do [[ -s "$work/opened.txt" ]] && break; sleep 0.1; done
grep -q "share/kirivane/help_en.html" "$work/opened.txt" 2>/dev/null ||
  fail "F1 opened '$(cat "$work/opened.txt" 2>/dev/null)', expected the English help page"
xdotool mousemove --window "$window" 432 541 click 1
for _ in $(seq 100); do kill -0 "$player" 2>/dev/null || break; sleep 0.1; done
kill -0 "$player" 2>/dev/null && fail "the player did not end"
wait "$player" || true
player=
if ((EUID != 0)); then
  chmod u+w "$usr/share/kirivane"
  [[ -f "$XDG_CONFIG_HOME/kirivane/kirivane.ini" ]] || fail "no settings under XDG_CONFIG_HOME"
else
  [[ -f "$usr/share/kirivane/kirivane.ini" ]] || fail "no settings in the data folder"
fi
echo "ok: the installed player started as '$caption' and saved its settings on closing"
