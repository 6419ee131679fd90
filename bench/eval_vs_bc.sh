#!/usr/bin/env bash
# Pipes N generated arithmetic statements through orvane-eval and through bc,
# checks that the answers agree, and times both side by side with hyperfine
# (or /usr/bin/time when hyperfine is missing).
set -euo pipefail
cd "$(dirname "$0")/.."
N=${1:-100000}
EVAL=${EVAL:-build/bin/orvane-eval}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk -v n="$N" 'BEGIN { srand(42); for (i = 0; i < n; i++)
  printf "(%d+%d+%d*%d)*%d\n", int(rand()*1000), int(rand()*1000), int(rand()*1000), int(rand()*1000), 1+int(rand()*9) }' \
  > "$work/in.txt"
"$EVAL" < "$work/in.txt" > "$work/eval.txt"
bc < "$work/in.txt" > "$work/bc.txt"
if cmp -s "$work/eval.txt" "$work/bc.txt"; then
  echo "answers: all $N equal to bc's"
else
  echo "answers differ from bc's:"; diff "$work/eval.txt" "$work/bc.txt" | head; exit 1
fi
if command -v hyperfine >/dev/null; then
  hyperfine --warmup 1 --runs 10 "$EVAL < $work/in.txt > /dev/null" "bc < $work/in.txt > /dev/null"
else
  /usr/bin/time -f "orvane-eval: %e s" "$EVAL" < "$work/in.txt" > /dev/null
  /usr/bin/time -f "bc: %e s" bc < "$work/in.txt" > /dev/null
fi
