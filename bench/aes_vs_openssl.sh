#!/usr/bin/env bash
# Encodes one 64 MiB text with orvane-tool aes-encode (text on standard input)
# and with openssl enc -aes-128-cbc -a -A (the same key and IV as hex, the
# same PKCS #7 padding, Base64 on one line), checks that both give the same
# Base64 text, and times them side by side with hyperfine. The text sits in
# the page cache for both; both write to /dev/null.
#   bench/aes_vs_openssl.sh [size in MiB]      (TOOL=path overrides orvane-tool)
set -euo pipefail
cd "$(dirname "$0")/.."
MIB=${1:-64}
TOOL=${TOOL:-build/bin/orvane-tool}
KEY=1234567890123456  # the tools page's placeholder, the tool's default key and IV
HEX=$(printf '%s' "$KEY" | od -An -tx1 | tr -d ' \n')
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
text="$work/text.txt"
# Printable text without a final line break (the tool would drop one).
head -c "$((MIB * 1024 * 1024 * 3 / 4 + 3))" /dev/urandom | base64 -w 0 | head -c "$((MIB * 1024 * 1024))" > "$text"

ours=$("$TOOL" aes-encode --key "$KEY" --iv "$KEY" < "$text" | md5sum | cut -d' ' -f1)
theirs=$( (openssl enc -aes-128-cbc -K "$HEX" -iv "$HEX" -a -A < "$text"; echo) | md5sum | cut -d' ' -f1)
if [ "$ours" != "$theirs" ]; then
  echo "Base64 texts differ: $ours (orvane-tool) vs $theirs (openssl)" >&2
  exit 1
fi
echo "same Base64 text from both (md5 $ours)"

hyperfine --warmup 2 --runs "${RUNS:-20}" --export-json "$work/times.json" \
  -n orvane-tool "$TOOL aes-encode --key $KEY --iv $KEY < $text" \
  -n openssl "openssl enc -aes-128-cbc -K $HEX -iv $HEX -a -A < $text"
python3 - "$work/times.json" <<'PY'
import json, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
o, s = r["orvane-tool"], r["openssl"]
print(f"orvane-tool: mean {o['mean']*1e3:.1f} ms, median {o['median']*1e3:.1f} ms")
print(f"openssl:     mean {s['mean']*1e3:.1f} ms, median {s['median']*1e3:.1f} ms")
print(f"ratio orvane-tool/openssl: mean {o['mean'] / s['mean']:.3f}, median {o['median'] / s['median']:.3f} (bar: 1.5)")
PY
