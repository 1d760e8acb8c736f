#!/usr/bin/env bash
# Makes the README's two screenshots from the demo database under Xvfb:
#   docs/images/main-window.png  the main window as it starts (today to today)
#   docs/images/preview.png      the preview of the report after OK
# Prepares the executable's directory like scripts/run.sh (BUILD_DIR passes on), then drives
# the program with xdotool. Needs Xvfb, xdotool and ImageMagick's import.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/run.sh --prepare-only
BUILD_DIR=${BUILD_DIR:-build}
EXEDIR="$BUILD_DIR/exedir"
OUT=docs/images
mkdir -p "$OUT"

# A display number nobody holds.
DISPLAY_NUMBER=$((200 + RANDOM % 100))
while [ -e "/tmp/.X$DISPLAY_NUMBER-lock" ]; do DISPLAY_NUMBER=$((DISPLAY_NUMBER + 1)); done
Xvfb ":$DISPLAY_NUMBER" -screen 0 1280x900x24 -ac -nolisten tcp -noreset >/dev/null 2>&1 &
XVFB_PID=$!
PROGRAM_PID=
cleanup() {
  [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null || true
  kill "$XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=:$DISPLAY_NUMBER
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
kill -0 "$XVFB_PID" 2>/dev/null && xdotool getmouselocation >/dev/null 2>&1 \
  || { echo "screenshots: Xvfb :$DISPLAY_NUMBER did not start or went away" >&2; exit 1; }

# The visible windows of the program with this title, one per line (xdotool's --name does
# not match these characters, so the titles are compared here).
windows_titled() {
  local w
  for w in $(xdotool search --onlyvisible --class cust_prod 2>/dev/null); do
    [ "$(xdotool getwindowname "$w")" = "$1" ] && echo "$w"
  done
  return 0
}

# Shoots one window: its rectangle cut from the screen (there is no window manager).
shoot() {
  local window=$1 file=$2 x y w h
  eval "$(xdotool getwindowgeometry --shell "$window")"
  x=$X y=$Y w=$WIDTH h=$HEIGHT
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$file"
  echo "wrote $file (${w}x${h})"
}

"$EXEDIR/cust_prod" &
PROGRAM_PID=$!
main=
for _ in $(seq 300); do
  main=$(windows_titled '客戶區間商品數量表' | head -n1)
  [ -n "$main" ] && break
  sleep 0.2
done
[ -n "$main" ] || { echo "screenshots: the main window did not appear" >&2; exit 1; }
sleep 2
xdotool windowfocus --sync "$main"
shoot "$main" "$OUT/main-window.png"

# Focus starts in CUST1; six Tabs reach OK, Space presses it. The preview is a second window
# with the report's caption.
xdotool key --delay 100 Tab Tab Tab Tab Tab Tab space
preview=
for _ in $(seq 300); do
  preview=$(windows_titled '客戶區間商品數量表' | grep -vx "$main" | head -n1 || true)
  [ -n "$preview" ] && break
  sleep 0.2
done
[ -n "$preview" ] || { echo "screenshots: the preview did not appear" >&2; exit 1; }
sleep 3
shoot "$preview" "$OUT/preview.png"
# Closing the preview ends the program (a successful report closes the main window).
xdotool windowfocus --sync "$preview"
xdotool key Escape
timeout 30 tail --pid="$PROGRAM_PID" -f /dev/null || echo "screenshots: the program did not end" >&2
