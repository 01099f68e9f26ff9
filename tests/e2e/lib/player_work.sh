# Sourced by the window tests: a throwaway folder $work with a copy of the program folder (no
# settings file), the settings kept under it, and a virtual display ($xvfb). When the test
# ends, the player it started ($player), the display and the folder go with it.
prepare_player_work() {  # <bin dir>
  work=$(mktemp -d)
  trap end_player_work EXIT
  cp -r "$1" "$work/program"
  rm -f "$work/program/kirivane.ini"
  export XDG_CONFIG_HOME=$work/config
  source "$(dirname "${BASH_SOURCE[0]}")/virtual_display.sh"
  start_virtual_display "$work"
  xvfb=$virtual_display_pid
}

end_player_work() {
  [[ -n "${player:-}" ]] && kill "$player" 2>/dev/null || true
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
