#!/usr/bin/env bash
# Installs what is missing, builds the program (Release, without the tests) and starts it:
#   ./run.sh [FILE...]
# It works from any directory: the files are opened as named, relative to where it was
# called from. Pattern (.tvl) and font (.tvf) files are opened; other arguments are ignored.
# The program needs a display; without one, run it as `xvfb-run -a ./run.sh [FILE...]`.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$root/scripts/ensure-packages.sh"

ensure_packages cmake ninja-build g++ libpq-dev qt6-base-dev fonts-liberation2 fonts-dejavu-core

build="$root/build/run"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVELIN_TESTS=OFF -DTAVELIN_SANITIZE=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target tavelin

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display to show the program on. Without one, run: xvfb-run -a $0 $*" >&2
  exit 1
fi
exec "$build/src/app/tavelin" "$@"
