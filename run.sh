#!/usr/bin/env bash
# Installs what is missing, builds (Release, build/) the programs it starts
# and nothing else (no tests, no benchmarks), and starts Orvane. Without a
# window program or without a display it starts orvane-eval, which reads
# statements from the terminal.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
orvane_install_deps

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DORVANE_QT=ON
# orvane_programs: orvane, orvane-eval and orvane-tool, as far as they exist.
cmake --build build -j"$(nproc)" --target orvane_programs
echo "Command-line tools: build/bin/orvane-eval, build/bin/orvane-tool (see README.md)"

if [ -x build/bin/orvane ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/orvane "$@"
fi
echo "Orvane statement evaluator: type a statement and Enter; Ctrl+D ends."
exec build/bin/orvane-eval "$@"
