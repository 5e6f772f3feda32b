#!/usr/bin/env bash
# Makes the README's picture of the threaded-in editor again: builds the program as run.sh
# does (Release), starts it on a pattern file inside a virtual X server and photographs the
# screen with ImageMagick's `import`.
#
#   scripts/screenshot.sh [OUTPUT.png] [PATTERN.tvl]
#
# OUTPUT defaults to docs/threaded-editor.png, PATTERN to the large sample of the tests
# (tests/data/threaded_large.tvl). With VIEWS=1 it also photographs the other views of the
# band, clicking through the menus: OUTPUT-reverse.png (front and reverse side),
# OUTPUT-chart.png (the block chart), OUTPUT-zoomed.png (the chart zoomed in) and
# OUTPUT-real-zoomed.png (the real image zoomed in).
#
# Other editors and views are photographed by telling the script what to do before the
# picture, in screen pixels of the 1280 x 900 screen:
#   CLICKS="x,y x,y"    left clicks, in order (a tab, a tool button)
#   ZOOM=n              then Design > Zoom In n times (default 1)
#   DRAG="x1,y1,x2,y2"  then a left-button drag (an area selected on a grid)
#   POINTER="x,y"       where the pointer rests for the picture (default 420,560)
# for example, the double-face editor's band on its Image page:
#   CLICKS="66,156" ZOOM=3 scripts/screenshot.sh shot.png tests/data/doubleface_small.tvl
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/scripts/ensure-packages.sh"
. "$root/scripts/shot-home.sh"

ensure_packages cmake ninja-build g++ qt6-base-dev fonts-liberation2 fonts-dejavu-core \
  xvfb xauth imagemagick xdotool

out="$(realpath -m "${1:-$root/docs/threaded-editor.png}")"
file="$(realpath "${2:-$root/tests/data/threaded_large.tvl}")"
mkdir -p "$(dirname "$out")"

build="$root/build/run"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVELIN_TESTS=OFF -DTAVELIN_SANITIZE=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target tavelin

# A user's home of its own, with the pattern in it: the picture shows what a user would see
# (not the checkout's path) and depends on no settings or palettes an earlier run left.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
home="$scratch/home/weaver"
mkdir -p "$home/Bands"
cp "$file" "$home/Bands/"
file="$home/Bands/$(basename "$file")"
prepare_shot_home "$home"
cd "$home"

export TAVELIN_SHOT_OUT="$out" TAVELIN_SHOT_FILE="$file" TAVELIN_SHOT_EXE="$build/src/app/tavelin" VIEWS="${VIEWS:-0}"
export ZOOM="${ZOOM:-1}" CLICKS="${CLICKS:-}" DRAG="${DRAG:-}" POINTER="${POINTER:-420,560}"
xvfb-run -a -s "-screen 0 1280x900x24" bash -c '
  set -euo pipefail
  "$TAVELIN_SHOT_EXE" "$TAVELIN_SHOT_FILE" &
  program=$!
  trap "kill $program 2>/dev/null || true" EXIT
  # The main window, then the pattern drawn in it.
  xdotool search --sync --onlyvisible --name "^Tavelin" >/dev/null
  sleep 4
  window=$(xdotool search --onlyvisible --name "^Tavelin" | head -n 1)
  # No window manager: the window is placed and sized by hand, over the whole screen.
  xdotool windowmove "$window" 0 0 windowsize "$window" 1280 900
  sleep 2
  # The menus are clicked where they show on this screen (1280 x 900, DejaVu fonts).
  click() { xdotool mousemove "$1" "$2" click 1; sleep 1; }
  zoom_in() { click 200 8; click 205 117; }          # Design > Zoom In
  reverse_side() { click 150 8; click 220 161; }     # View > Show Reverse Side
  block_chart() {                                    # View > Display > Show Block Pattern
    click 150 8
    xdotool mousemove 200 73; sleep 1
    click 410 341
  }
  # By default one step closer than at start, so that the band fills the view; the pointer
  # rests on the band, where the editor names the card, pick and hole under it.
  for at in $CLICKS; do click "${at%,*}" "${at#*,}"; done
  for ((step = 0; step < ZOOM; step++)); do zoom_in; done
  if [ -n "$DRAG" ]; then
    IFS=, read -r x1 y1 x2 y2 <<<"$DRAG"
    xdotool mousemove "$x1" "$y1" mousedown 1; sleep 0.5
    xdotool mousemove $(( (x1 + x2) / 2 )) $(( (y1 + y2) / 2 )); sleep 0.5
    xdotool mousemove "$x2" "$y2"; sleep 0.5
    xdotool mouseup 1; sleep 1
  fi
  xdotool mousemove "${POINTER%,*}" "${POINTER#*,}"; sleep 1
  import -window root "$TAVELIN_SHOT_OUT"
  if [ "$VIEWS" = 1 ]; then
    base="${TAVELIN_SHOT_OUT%.png}"
    reverse_side; xdotool mousemove 1270 890; sleep 1
    import -window root "$base-reverse.png"
    reverse_side
    block_chart; xdotool mousemove 1270 890; sleep 1
    import -window root "$base-chart.png"
    zoom_in; zoom_in; xdotool mousemove 1270 890; sleep 1
    import -window root "$base-zoomed.png"
    block_chart; xdotool mousemove 1270 890; sleep 1
    import -window root "$base-real-zoomed.png"
  fi
'
echo "Written: $out"
