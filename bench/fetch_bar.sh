#!/usr/bin/env bash
# Whole-process time of `orvane-tool fetch` over three local pages (web engine
# start included; bar: at most 10 s), against one page, and one traced run
# that shows the engine's start and each page's load and capture. The pages
# come from a local HTTP server on 127.0.0.1 that this script starts and stops.
set -euo pipefail
cd "$(dirname "$0")/.."
TOOL=${TOOL:-build/bin/orvane-tool}
RUNS=${RUNS:-5}
work=$(mktemp -d)
server=""
cleanup() {
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/www" "$work/home"
for c in USD JPY EUR; do
  printf '<html><head><meta charset="utf-8"></head><body><p>1 %s = <span class="r">31.5</span> 台幣</p></body></html>\n' \
    "$c" > "$work/www/$c.html"
done
python3 - "$work/www" > "$work/port" <<'PY' &
import functools, http.server, sys
class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass
handler = functools.partial(Quiet, directory=sys.argv[1])
s = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
print(s.server_address[1], flush=True)
s.serve_forever()
PY
server=$!
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
port=$(cat "$work/port")

defs() {  # defs FILE CURRENCY...
  local file=$1 n=1; shift
  : > "$file"
  for c in "$@"; do
    printf '[Web Data %d]\nweb=http://127.0.0.1:%s/%s.html\ntitle 1=%s\nkeyword=1 %s =\nkeyword_start 1=class=r>\nkeyword_end 1=</span>\n' \
      "$n" "$port" "$c" "$c" "$c" >> "$file"
    n=$((n + 1))
  done
}
defs "$work/one.inf" USD
defs "$work/three.inf" USD JPY EUR
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data"

echo "== One traced run over three pages (ms since the command started)"
ORVANE_FETCH_TRACE=1 "$TOOL" fetch --definitions "$work/three.inf" --ini "$work/t.ini" 2>&1 >/dev/null |
  grep -E 'trace: .* (application created|web engine started|loaded|script result|fetch ended)' |
  sed 's/^orvane-tool: trace: /  /'

echo "== Whole process, $RUNS runs each"
hyperfine -N --warmup 1 --runs "$RUNS" --export-json "$work/h.json" \
  -n "one page" "$TOOL fetch --definitions $work/one.inf --ini $work/t.ini" \
  -n "three pages" "$TOOL fetch --definitions $work/three.inf --ini $work/t.ini" > /dev/null
python3 - "$work/h.json" <<'PY'
import json, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
one, three = r["one page"], r["three pages"]
for name, x in (("one page", one), ("three pages", three)):
    print("  %-12s mean %6.2f s  max %6.2f s" % (name, x["mean"], x["max"]))
per_page = (three["mean"] - one["mean"]) / 2
print("  each further page %.2f s (1 s of it is the capture delay); start and stop %.2f s"
      % (per_page, one["mean"] - per_page))
print("  bar: three pages <= 10 s: %s" % ("met" if three["max"] <= 10 else "NOT MET"))
PY
