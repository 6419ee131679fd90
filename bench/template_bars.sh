#!/usr/bin/env bash
# Whole-process times of orvane-eval on big captures:
#   ['F':CRC16([ALL])] over 1 MiB and 2 MiB of data ("XX " text, 3 and 6 MiB),
#   ['F':M3([1][2])]   over 64 KiB and 128 KiB of data.
# The second size of each must take at most about twice the first.
set -euo pipefail
cd "$(dirname "$0")/.."
EVAL=${EVAL:-build/bin/orvane-eval}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work" <<'PY'
import sys, random
d = sys.argv[1]
random.seed(7)
for name, n in (("1m", 1 << 20), ("2m", 2 << 20), ("64k", 64 << 10), ("128k", 128 << 10)):
    with open(f"{d}/{name}.txt", "w") as f:
        f.write(" ".join("%02X" % random.randrange(256) for _ in range(n)))
PY
run() { hyperfine --warmup 1 --runs "${RUNS:-5}" --export-json "$work/$1.json" "$2" > /dev/null; python3 -c "
import json; r = json.load(open('$work/$1.json'))['results'][0]; print('%-34s %8.1f ms' % ('$1', r['mean'] * 1000))"; }
run "CRC16 over 1 MiB"   "$EVAL --no-shared -t --field F=@$work/1m.txt \"['F':CRC16([ALL])]\""
run "CRC16 over 2 MiB"   "$EVAL --no-shared -t --field F=@$work/2m.txt \"['F':CRC16([ALL])]\""
run "M3 over 64 KiB"     "$EVAL --no-shared -t --field F=@$work/64k.txt \"['F':M3([1][2])]\""
run "M3 over 128 KiB"    "$EVAL --no-shared -t --field F=@$work/128k.txt \"['F':M3([1][2])]\""
