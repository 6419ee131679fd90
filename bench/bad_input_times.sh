#!/usr/bin/env bash
# Times orvane-eval on hostile statements and templates (t_*) of up to 100 KB, one process each,
# and reports the slowest. Every one must be answered or rejected within 1 s.
set -euo pipefail
cd "$(dirname "$0")/.."
EVAL=${EVAL:-build/bin/orvane-eval}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work" <<'PY'
import sys, os
d = sys.argv[1]
cases = {
  "open_parens": "(" * 100000,
  "close_parens": ")" * 100000,
  "nested_groups": "(" * 49999 + "1" + ")" * 49999,
  "abs_chain_open": "ABS(" * 25000,
  "abs_chain_closed": "ABS(" * 12499 + "1" + ")" * 12499,
  "max_chain": "MAX(1," * 14000 + "1" + ")" * 14000,
  "stdevp_chain": "STDEVP(1," * 10000 + "1" + ")" * 10000,
  "sort_chain": "SORT(1," * 12000 + "1" + ")" * 12000,
  "x_chain": "X1016(" * 14000 + "1" + ")" * 14000,
  "sum_50000_terms": "1" + "+1" * 49999,
  "product_50000_terms": "1" + "*1" * 49999,
  "power_50000_terms": "1" + "^1" * 49999,
  "mixed_50000_terms": "1" + "+2*3^1" * 16000,
  "open_plus": "(+" * 50000,
  "name_plus": "x+" * 50000,
  "brackets_open": "[" * 100000,
  "brackets_plus": "[+" * 50000,
  "unbalanced_args": "MAX(" + "(," * 49000 + ")",
  "many_args": "MAX(" + "1," * 49000 + "1)",
  "sort_args": "SORT(" + "9,1," * 24000 + "1)",
  "e_plus": "1E+" * 33000,
  "words": " AND" * 25000,
  "minus": "-" * 100000,
  "datetime_open": "DATETIME(" * 11000,
  "now": "NOW()" * 20000,
  "assignments": "a=" * 50000,
  "padding": "1:" * 50000,
  "huge_digits": "9" * 100000,
  "huge_base_digits": "X1016(" + "F" * 99990 + ")",
}
templates = {
  "t_open_brackets": "[" * 100000,
  "t_close_brackets": "]" * 100000,
  "t_braces_nested": "{" * 50000 + "}" * 50000,
  "t_brace_pairs": "{}" * 50000,
  "t_quotes": "[" + '"' * 99998 + "]",
  "t_single_quotes": "[" + "'" * 99998 + "]",
  "t_30000_selectors": "['Field_A':S(" + "[1]" * 30000 + ")]",
  "t_30000_open_selectors": "['Field_A':S(" + "[1" * 30000 + ")]",
  "t_huge_index": "['Field_A':S([99999999999])]",
  "t_negative_index": "['Field_A':S([-2147483648..2147483647])]",
  "t_bits": "['Field_A':S([1:" + "9" * 90000 + "])]",
  "t_items": "[" + "'Field_A'+" * 9000 + "'Field_A']",
  "t_lines": "['Field_A']\r\n" * 7000,
  "t_chunks": "['Field_A':M1(" + "[1]" * 30000 + ")]",
  "t_var_refs": "['Field_A':S(" + "['&VAR:N']" * 9000 + ")]",
  "t_functions_parens": "['Field_A':" + "(" * 90000 + "]",
}
for name, text in cases.items():
    open(os.path.join(d, name), "w").write(text)
for name, text in templates.items():
    open(os.path.join(d, name), "w").write(text)
PY
worst=0
for f in "$work"/*; do
  start=$(date +%s%N)
  status=0
  mode=()
  case "$(basename "$f")" in t_*) mode=(-t) ;; esac
  timeout 5 "$EVAL" --no-shared "${mode[@]}" -- "$(cat "$f")" > /dev/null 2>&1 || status=$?
  end=$(date +%s%N)
  ms=$(( (end - start) / 1000000 ))
  printf '%-22s %5d ms  exit %d\n' "$(basename "$f")" "$ms" "$status"
  if [ "$status" -gt 1 ]; then echo "FAILED: $(basename "$f") exit $status"; exit 1; fi
  if [ "$ms" -gt "$worst" ]; then worst=$ms; fi
done
echo "slowest: $worst ms"
