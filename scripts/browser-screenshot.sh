#!/usr/bin/env bash
# Makes the picture of the pattern browser: builds the program as run.sh does (Release),
# starts it inside a virtual X server on a user's home whose "Bands" folder holds the samples
# of every kind (tests/data and the model-written brocade of the fuzz seeds), opens
# File > Browse, presses Refresh and photographs the screen with ImageMagick's `import`.
#
#   scripts/browser-screenshot.sh [OUTPUT.png]
#
# OUTPUT defaults to docs/pattern-browser.png. The clicks are placed for this screen
# (1280 x 900, DejaVu fonts) and the browser's own layout.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/scripts/ensure-packages.sh"
. "$root/scripts/shot-home.sh"

ensure_packages cmake ninja-build g++ qt6-base-dev fonts-liberation2 fonts-dejavu-core \
  xvfb xauth imagemagick xdotool

out="$(realpath -m "${1:-$root/docs/pattern-browser.png}")"
mkdir -p "$(dirname "$out")"

build="$root/build/run"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVELIN_TESTS=OFF -DTAVELIN_SANITIZE=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target tavelin

# A user's home of its own: the samples in ~/Bands, which the settings name as the folder
# browsed last, and no question about the desktop's file types at start.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
home="$scratch/home/weaver"
bands="$home/Bands"
mkdir -p "$bands"
cp "$root"/tests/data/*.tvl "$bands/"
cp "$root/tests/fuzz/corpus/patterns/gen-brocade-ground.tvl" "$bands/brocade_ground.tvl"
prepare_shot_home "$home" "$bands"
cd "$home"

export TAVELIN_SHOT_OUT="$out" TAVELIN_SHOT_EXE="$build/src/app/tavelin"
xvfb-run -a -s "-screen 0 1280x900x24" bash -c '
  set -euo pipefail
  "$TAVELIN_SHOT_EXE" &
  program=$!
  trap "kill $program 2>/dev/null || true" EXIT
  xdotool search --sync --onlyvisible --name "^Tavelin" >/dev/null
  sleep 3
  window=$(xdotool search --onlyvisible --name "^Tavelin" | head -n 1)
  # No window manager: the window is placed and sized by hand, over the whole screen.
  xdotool windowmove "$window" 0 0 windowsize "$window" 1280 900
  sleep 2
  click() { xdotool mousemove "$1" "$2" click 1; sleep 1; }
  click 20 8      # File
  click 50 97     # Browse
  sleep 1
  click 46 634    # the browser'"'"'s Refresh button
  sleep 3
  xdotool mousemove 1270 890
  sleep 1
  import -window root "$TAVELIN_SHOT_OUT"
'
echo "Written: $out"
