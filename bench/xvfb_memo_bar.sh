#!/usr/bin/env bash
# Under Xvfb: start a fresh Orvane (its own program folder, working folder and
# shared block), type "6*7" and Enter into the expression box, close the
# window with File > Exit, then show what it wrote: the memo file
# "orvane.txt" of the working folder and the "Table"/"Styles" sections of its
# settings file. Screenshots of the main and CRC pages go to $SHOTS (default:
# the working folder). Needs xdotool and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
ORVANE=${ORVANE:-build/bin/orvane}
work=$(mktemp -d)
mkdir -p "$work/prog" "$work/cwd"
cp "$ORVANE" "$work/prog/orvane"
cp -r "$(dirname "$ORVANE")/help" "$work/prog/" 2>/dev/null || true
SHOTS=${SHOTS:-$work/cwd}
export ORVANE_SHARED_BLOCK_NAME="orvane-bar-$$"
cd "$work/cwd"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -e
  ../prog/orvane 2>/dev/null & pid=$!
  wid=$(xdotool search --sync --onlyvisible --pid $pid | head -1)
  sleep 6   # start-up and the first activation (browser page visit)
  xdotool windowfocus --sync "$wid"
  import -window root "'"$SHOTS"'/main_page.png"
  xdotool type --delay 50 "6*7"
  xdotool key Return
  sleep 1
  import -window root "'"$SHOTS"'/after_enter.png"
  xdotool key ctrl+shift+Tab   # the CRC page, the last one
  sleep 1
  import -window root "'"$SHOTS"'/crc_page.png"
  xdotool key ctrl+Tab         # back to the main page
  sleep 0.5
  sleep 0.5
  xdotool key alt+f
  sleep 0.5
  xdotool key x
  wait $pid
'
echo "== orvane.txt (last 3 of $(wc -l < orvane.txt) lines)"
tail -n 3 orvane.txt
echo "== settings file"
grep -A2 '^\[Table\]' ../prog/orvane.ini || true
grep -A3 '^\[Styles\]' ../prog/orvane.ini || true
echo "work folder: $work"
