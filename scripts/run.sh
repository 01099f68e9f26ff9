#!/usr/bin/env bash
# Sets up, builds and starts the player with its built-in synthesizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
build=${KIRIVANE_BUILD_DIR:-$root/build}
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found: starting under xvfb-run."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/kirivane" "$@"
fi
exec "$build/bin/kirivane" "$@"
