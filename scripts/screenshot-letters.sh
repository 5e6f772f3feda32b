#!/usr/bin/env bash
# Makes the pictures of the font generator and the lettered-band editor again: builds the
# program as run.sh does (Release), starts it inside a virtual X server on the sample font
# (tests/data/font_capitals.tvf) and on the sample band (tests/data/lettered_weaving.tvl),
# clicks through the windows and photographs the screen with ImageMagick's `import`.
#
#   scripts/screenshot-letters.sh [FOLDER]
#
# FOLDER defaults to docs/. It receives:
#   font-generator.png         the letter W on the grid, the font's letters beside it
#   font-generator-image.png   the letter W woven
#   lettered-band.png          the word WEAVING generated from its tiles
#   lettered-band-image.png    the word woven
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/scripts/ensure-packages.sh"
. "$root/scripts/shot-home.sh"

ensure_packages cmake ninja-build g++ qt6-base-dev fonts-liberation2 fonts-dejavu-core \
  xvfb xauth imagemagick xdotool

out="$(realpath -m "${1:-$root/docs}")"
mkdir -p "$out"

build="$root/build/run"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVELIN_TESTS=OFF -DTAVELIN_SANITIZE=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target tavelin

# A user's home of its own with the samples in it, as scripts/screenshot.sh makes it.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
home="$scratch/home/weaver"
mkdir -p "$home/Bands"
cp "$root/tests/data/font_capitals.tvf" "$root/tests/data/lettered_weaving.tvl" "$home/Bands/"
prepare_shot_home "$home"
cd "$home"

# Runs the program on a file, plays the clicks of the script and photographs the screen.
# The clicks land where the controls show on this screen (1280 x 900, DejaVu fonts).
shoot() {
  TAVELIN_SHOT_EXE="$build/src/app/tavelin" TAVELIN_SHOT_FILE="$home/Bands/$1" TAVELIN_SHOT_OUT="$out" \
    TAVELIN_SHOT_SCRIPT="$2" xvfb-run -a -s "-screen 0 1280x900x24" bash -c '
    set -euo pipefail
    "$TAVELIN_SHOT_EXE" "$TAVELIN_SHOT_FILE" &
    program=$!
    trap "kill $program 2>/dev/null || true" EXIT
    xdotool search --sync --onlyvisible --name "^Tavelin" >/dev/null
    sleep 4
    window=$(xdotool search --onlyvisible --name "^Tavelin" | head -n 1)
    # No window manager: the window is placed and sized by hand, over the whole screen.
    xdotool windowmove "$window" 0 0 windowsize "$window" 1280 900
    sleep 2
    click() { xdotool mousemove "$1" "$2" click 1; sleep 1; }
    shot() { xdotool mousemove 1270 890; sleep 1; import -window root "$TAVELIN_SHOT_OUT/$1"; }
    zoom_in() { click 277 31; }
    zoom_out() { click 300 31; }
    eval "$TAVELIN_SHOT_SCRIPT"
  '
}

# The letter W chosen in the list, seen closer; then its page of the woven band.
shoot font_capitals.tvf '
  click 30 755; zoom_in; zoom_in; shot font-generator.png
  click 290 156; sleep 1; zoom_in; zoom_in; zoom_in; shot font-generator-image.png
'
# Generate pattern, the question answered Yes; the design seen whole, then woven.
shoot lettered_weaving.tvl '
  click 280 162; xdotool key Return; sleep 2; zoom_out; zoom_out; shot lettered-band.png
  click 284 244; sleep 2; zoom_in; shot lettered-band-image.png
'
echo "Written to $out"
