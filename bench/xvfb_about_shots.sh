#!/usr/bin/env bash
# Under Xvfb: screenshots of the about box (Help > About) with a local update
# share answering (a different version on offer) and with no share at all,
# and of the Tool menu's voice submenu opened. A fresh Orvane each time (its
# own program, working and settings folders and shared block). The pictures
# go to $SHOTS (default: a new temporary folder, printed at the end). Needs
# xdotool, ImageMagick and python3.
set -euo pipefail
cd "$(dirname "$0")/.."
ORVANE=${ORVANE:-build/bin/orvane}
work=$(mktemp -d)
SHOTS=${SHOTS:-$work/shots}
mkdir -p "$work/prog" "$work/cwd" "$work/config" "$work/share/NAS_file_Share/orvane" "$SHOTS"
cp "$ORVANE" "$work/prog/orvane"
cp -r "$(dirname "$ORVANE")/help" "$work/prog/" 2>/dev/null || true
cat >"$work/share/NAS_file_Share/orvane/index.json" <<'JSON'
{"file_name": "orvane-2.5.4.0.tar.gz", "version": "2.5.4.0", "website": "https://orvane.example.org/news/"}
JSON
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/share" >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
export ORVANE_SHARED_BLOCK_NAME="orvane-shots-$$" XDG_CONFIG_HOME="$work/config"
export WORK="$work" SHOTS PORT="$port"
# A display number of its own: other jobs on the machine use the low ones.
xvfb-run -a -n $((200 + $$ % 600)) -s "-screen 0 1280x1024x24" bash -c '
  set -euo pipefail
  cd "$WORK/cwd"
  # Starts the window with the update base $1, waits for its start-up.
  start() {
    ORVANE_UPDATE_BASE="$1" ../prog/orvane 2>/dev/null & pid=$!
    wid=$(xdotool search --sync --onlyvisible --pid $pid | head -1)
    sleep 5   # start-up, the voice listing and the first activation
    xdotool windowfocus --sync "$wid"
  }
  stop() { kill -TERM $pid; wait $pid || true; }
  about_shot() {
    xdotool key alt+h
    sleep 0.5
    xdotool key Up Return   # "About", the last item
    sleep 2                 # the box and its update check
    import -window root "$SHOTS/$1"
    xdotool key Escape
    sleep 4   # back in the window: its activation visits the browser page for 3 s
  }
  start "http://127.0.0.1:$PORT/"
  about_shot about_box_update_offered.png
  xdotool windowfocus --sync "$wid"
  xdotool mousemove --window "$wid" 56 9 click 1   # the Tool menu
  sleep 0.5
  xdotool key Down Down Down Down Down Down Down Right   # "Speech Language"
  sleep 3.5   # the browser-page visit of the activation ends
  import -window root "$SHOTS/voice_submenu.png"
  xdotool key Escape Escape
  stop
  start "http://127.0.0.1:1/"
  about_shot about_box_no_share.png
  stop
'
echo "screenshots: $SHOTS"
