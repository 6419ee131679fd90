#!/usr/bin/env bash
# Digests one 256 MiB file with the template function MD5_FILE through
# orvane-eval (the whole process) and with md5sum, checks that both give the same digest, and times them side by side
# with hyperfine (or /usr/bin/time when hyperfine is missing). The file sits
# in the page cache for both, so the disk does not take part.
#   bench/md5_vs_md5sum.sh [size in MiB]      (EVAL=path overrides orvane-eval)
set -euo pipefail
cd "$(dirname "$0")/.."
MIB=${1:-256}
EVAL=${EVAL:-build/bin/orvane-eval}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
file="$work/data.bin"
head -c "$((MIB * 1024 * 1024))" /dev/urandom > "$file"

ours=$("$EVAL" --no-shared -t --field "P=$file" "['P':MD5_FILE([all])]")
theirs=$(md5sum "$file" | cut -d' ' -f1 | tr 'a-f' 'A-F')
if [ "$ours" != "$theirs" ]; then
  echo "digests differ: $ours (orvane) vs $theirs (md5sum)" >&2
  exit 1
fi
echo "digest: $ours (both)"

if command -v hyperfine >/dev/null; then
  hyperfine --warmup 2 --runs 15 --export-json "$work/times.json" \
    -n orvane "$EVAL --no-shared -t --field P=$file \"['P':MD5_FILE([all])]\"" -n md5sum "md5sum $file"
  python3 - "$work/times.json" <<'PY'
import json, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
o, m = r["orvane"], r["md5sum"]
print(f"ratio orvane/md5sum: mean {o['mean'] / m['mean']:.3f}, median {o['median'] / m['median']:.3f}")
PY
else
  /usr/bin/time -f "orvane: %e s" "$EVAL" --no-shared -t --field "P=$file" "['P':MD5_FILE([all])]" > /dev/null
  /usr/bin/time -f "md5sum: %e s" md5sum "$file" > /dev/null
fi
