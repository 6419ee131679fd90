#!/usr/bin/env bash
# Runs orvane-eval once on each of a set of pathological 10 MB inputs and reports the elapsed time
# and peak memory (/usr/bin/time -v) of each. Every one must be answered or rejected within 3 s
# and 600 MB; the script exits non-zero when one is not.
set -euo pipefail
cd "$(dirname "$0")/.."
EVAL=${EVAL:-build/bin/orvane-eval}
SIZE=${SIZE:-10000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work" "$SIZE" <<'PY'
import sys
d, n = sys.argv[1], int(sys.argv[2])
cases = {
  "nested_parens": "(" * (n // 2) + "1" + ")" * (n // 2),
  "nested_parens_blanks": "( " * (n // 4) + "1" + " )" * (n // 4),
  "nested_brackets": "[" * (n // 2) + "1" + "]" * (n // 2),
  "nested_braces": "{" * (n // 2) + "1" + "}" * (n // 2),
  "x1016_chain": "X1016(" * (n // 7) + "1" + ")" * (n // 7),
  "abs_chain": "ABS(" * (n // 5) + "1" + ")" * (n // 5),
  "long_sum": "1+" * (n // 2) + "1",
  "long_power": "1^" * (n // 2) + "1",
  "199_levels_long_sum": "(" * 199 + "1+" * (n // 2 - 200) + "1" + ")" * 199,
  "many_groups": "(1)+" * (n // 4) + "1",
  "max_many_args": "MAX(" + "1," * (n // 2 - 3) + "1)",
  "open_parens": "(" * n,
  "digits": "1" * n,
}
for name, text in cases.items():
    with open(f"{d}/{name}", "w") as f:
        f.write(text + "\n")
PY
status=0
printf '%-22s %9s %11s  %s\n' input seconds "max RSS MB" "outcome"
for f in "$work"/*; do
  name=$(basename "$f")
  /usr/bin/time -v -o "$work/.time" "$EVAL" --no-shared < "$f" > "$work/.out" 2> "$work/.err" || true
  secs=$(awk -F': ' '/Elapsed/ { n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i]; print s }' "$work/.time")
  kb=$(awk -F': ' '/Maximum resident/ { print $2 }' "$work/.time")
  outcome=$(tail -n 1 "$work/.err" | cut -c1-60)
  [ -n "$outcome" ] || outcome="answer $(head -c 40 "$work/.out" | tr -d '\n')"
  printf '%-22s %9.2f %11.1f  %s\n' "$name" "$secs" "$(echo "$kb / 1024" | bc -l)" "$outcome"
  if awk -v s="$secs" -v k="$kb" 'BEGIN { exit !(s > 3 || k > 600 * 1024) }'; then status=1; fi
done
rm -f "$work/.time" "$work/.out" "$work/.err"
exit $status
