#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
build=${KIRIVANE_BUILD_DIR:-$root/build}
cd "$build"
ctest --output-on-failure --timeout 600 -j "$(nproc)"
