#!/usr/bin/env bash
# The window's start-to-shown time under Xvfb: starts a fresh Orvane (its own
# program folder, working folder, settings and shared block) RUNS times and
# takes, for each start, the time from just before the program is started
# until its main window is first exposed on the screen (the program writes
# that moment when ORVANE_SHOWN_TRACE is set). Prints every run and the
# median. The bar: 500 ms.
#   bench/window_start_bar.sh [RUNS]      (ORVANE=path/to/orvane to compare builds)
set -euo pipefail
cd "$(dirname "$0")/.."
ORVANE=${ORVANE:-build/bin/orvane}
RUNS=${1:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/prog" "$work/cwd" "$work/config"
cp "$ORVANE" "$work/prog/orvane"
cp -r "$(dirname "$ORVANE")/help" "$work/prog/" 2>/dev/null || true
export ORVANE_SHARED_BLOCK_NAME="orvane-start-bar-$$" XDG_CONFIG_HOME="$work/config" ORVANE_SHOWN_TRACE=1
export WORK="$work" RUNS
# A display number of its own: other jobs on the machine use the low ones.
xvfb-run -a -n $((200 + $$ % 600)) -s "-screen 0 1280x1024x24" bash -c '
  set -euo pipefail
  cd "$WORK/cwd"
  times=()
  for i in $(seq "$RUNS"); do
    rm -f "$WORK/err"
    start=$(date +%s%N)
    ../prog/orvane 2>"$WORK/err" & pid=$!
    shown=""
    for _ in $(seq 300); do
      shown=$(sed -n "s/^orvane: shown at \([0-9]*\)$/\1/p" "$WORK/err" 2>/dev/null | head -1)
      [ -n "$shown" ] && break
      sleep 0.02
    done
    kill -TERM $pid 2>/dev/null || true
    wait $pid 2>/dev/null || true
    if [ -z "$shown" ]; then echo "run $i: the window was not shown within 6 s"; exit 1; fi
    ms=$(( (shown - start) / 1000000 ))
    echo "run $i: $ms ms"
    times+=("$ms")
  done
  sorted=($(printf "%s\n" "${times[@]}" | sort -n))
  echo "median start-to-shown: ${sorted[$(( ${#sorted[@]} / 2 ))]} ms (bar: 500 ms)"
'
