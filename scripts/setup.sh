#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Kirivane needs.
# Does nothing when all of them are present already.
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build pkg-config clang libclang-rt-14-dev clang-format
  # Qt 6: widgets, tests, local sockets, sound effects
  qt6-base-dev qt6-multimedia-dev libgl-dev
  # MIDI: built-in synthesizer and its SoundFont, ALSA and JACK ports
  libfluidsynth-dev fluidsynth timgm6mb-soundfont librtmidi-dev libasound2-dev
  libjack-jackd2-dev jackd2
  # key hook (X11 XInput2)
  libxi-dev libx11-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-utils midicsv sox
  # the ".lyr" association: the desktop and MIME databases it refreshes, and the desktop's own
  # tools its test reads them back with (xdg-mime, gio, desktop-file-validate)
  shared-mime-info desktop-file-utils xdg-utils libglib2.0-bin
  # the package test: AppStream metadata checked with appstreamcli, the .deb built by dpkg tools
  appstream dpkg-dev
  # keyboard layouts switched by the key tests (setxkbmap)
  x11-xkb-utils
  # screenshots of the virtual display (import -window root)
  imagemagick
  # a font with Japanese glyphs for the Japanese interface
  fonts-ipafont-gothic fonts-dejavu-core
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
as_root=()
if ((EUID != 0)); then
  if ! command -v sudo >/dev/null; then
    echo "setup.sh: these packages are missing and installing them needs root (or sudo):" >&2
    echo "  ${missing[*]}" >&2
    exit 1
  fi
  as_root=(sudo)
fi
# sudo resets the environment, so the variable goes on the command line.
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
