#!/usr/bin/env bash
# Starts the player under Xvfb, in English and in Japanese (the language follows the locale),
# opens its three dialogs and saves a picture of each into docs/screenshots/.
# Usage: scripts/dialog_screenshots.sh [bin dir] (default: build/bin).
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

cp -r "$bin" "$work/program"
rm -f "$work/program/kirivane.ini"
source "$root/tests/e2e/lib/virtual_display.sh"
start_virtual_display "$work" 1280x1024x24
xvfb=$virtual_display_pid
export KIRIVANE_MIDI_CAPTURE=$work/capture.log

window() { xdotool search --sync --onlyvisible --name "$1" | head -1; }
# The visible window of the player other than its main window (xdotool matches no Japanese
# names, so the dialogs are found this way).
dialog() {
  local main w
  main=$(window "$main_title")
  for _ in $(seq 50); do
    for w in $(xdotool search --onlyvisible --pid "$player" 2>/dev/null); do
      [[ $w != "$main" ]] && { echo "$w"; return; }
    done
    sleep 0.1
  done
  return 1
}
press() {  # window, key
  xdotool windowfocus --sync "$1" key "$2"
}
shoot() {  # window, file
  sleep 1
  import -window "$1" "$out/$2"
  echo "saved $out/$2"
}
# The popup menu's item n (counted among the visible items from the top), by the keyboard.
menu_item() {
  local w
  w=$(window "$main_title")
  xdotool windowfocus --sync "$w" mousemove --window "$w" 6 560 click 3
  sleep 0.5
  xdotool key --repeat "$1" Down key Return
}

for language in ${LANGUAGES:-en ja}; do
  locale=en_US.UTF-8 main_title='Kirivane$'
  [[ $language == ja ]] && locale=ja_JP.UTF-8
  LANG=$locale LC_ALL=$locale "$work/program/kirivane" >/dev/null 2>&1 &
  player=$!
  window "$main_title" >/dev/null
  sleep 1
  press "$(window "$main_title")" F12
  w=$(dialog)
  shoot "$w" "about-$language.png"
  press "$w" Escape
  sleep 0.5
  menu_item 3  # MIDI in, Panels, chord select
  w=$(dialog)
  # Press a chord button (D major): the picture shows its chord and markers.
  xdotool mousemove --window "$w" 80 80 click 1
  xdotool windowfocus --sync "$w" key Tab  # away from the button
  shoot "$w" "chord-select-$language.png"
  press "$w" Escape
  sleep 0.5
  menu_item 4  # ... options
  w=$(dialog)
  shoot "$w" "options-$language.png"
  kill "$player"
  wait "$player" 2>/dev/null || true
  player=
done
