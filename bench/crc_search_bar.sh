#!/usr/bin/env bash
# Whole-process times of orvane-tool crc-search (both widths, every
# polynomial, reflection and byte order):
#   the bar:  4 frames of 12, 19, 28 and 40 bytes (aim 0.2 s, at most 1.0 s);
#   limits:   inputs at the search's input limits (2048 bytes a frame, 32768
#             bytes in all): 16 frames of 2033 to 2048 bytes (the slowest input found:
#             the first frames of different lengths are read in full for every
#             polynomial), 2048 frames of 16 bytes,
#             and 253 frames of every length from 3 to 255 bytes.
# Every frame ends in its CRC-16/MODBUS (little-endian), after random data.
#   bench/crc_search_bar.sh            (TOOL=path overrides orvane-tool)
set -euo pipefail
cd "$(dirname "$0")/.."
TOOL=${TOOL:-build/bin/orvane-tool}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work" <<'PY'
import sys, random
d = sys.argv[1]
random.seed(15)
def modbus(data):
    reg = 0xFFFF
    for b in data:
        reg ^= b
        for _ in range(8):
            reg = (reg >> 1) ^ 0xA001 if reg & 1 else reg >> 1
    return reg
def frame(n):  # n bytes in all, the last two the CRC
    data = bytes(random.randrange(256) for _ in range(n - 2))
    c = modbus(data)
    return " ".join("%02X" % b for b in data + bytes([c & 0xFF, c >> 8]))
sets = {
    "bar": [12, 19, 28, 40],
    "16x2033-2048": list(range(2033, 2049)),
    "2048x16": [16] * 2048,
    "3to255": list(range(3, 256)),
}
for name, lengths in sets.items():
    with open(f"{d}/{name}.args", "w") as f:
        f.write(" ".join('"%s"' % frame(n) for n in lengths))
PY
# The frames go in as arguments (no shell in the timed command).
bar_cmd="$TOOL crc-search $(cat "$work/bar.args")"
first=$(eval "$bar_cmd" 2>/dev/null | head -n 1)
echo "bar: first model: $first"
[ "$first" = "CRC_16_FFFF_0000_8005_1_1 little CRC-16/MODBUS" ] || { echo "wrong first model" >&2; exit 1; }

run() {  # name command
  hyperfine -N --warmup 3 --runs "${RUNS:-20}" --export-json "$work/t.json" "$2" > /dev/null
  python3 -c "
import json; r = json.load(open('$work/t.json'))['results'][0]
print('%-30s mean %7.1f ms  min %7.1f ms  max %7.1f ms' % ('$1', r['mean'] * 1e3, r['min'] * 1e3, r['max'] * 1e3))"
}
run "bar: 4 frames of 12-40 bytes" "$bar_cmd"
for name in 16x2033-2048 2048x16 3to255; do
  run "limits: $name" "$TOOL crc-search $(cat "$work/$name.args")"
done
