#!/usr/bin/env bash
# Sets up, builds and starts the player with its built-in synthesizer; with --clavimap first,
# starts Clavimap, the key map editor, instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
build=${KIRIVANE_BUILD_DIR:-$root/build}
program=kirivane
if [[ "${1:-}" == --clavimap ]]; then
  program=clavimap
  shift
fi
# The player talks to X (on Wayland through XWayland, which sets DISPLAY).
if [[ -z "${DISPLAY:-}" ]]; then
  echo "No X display found: starting $program on a virtual display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/$program" "$@"
fi
exec "$build/bin/$program" "$@"
