#!/usr/bin/env bash
# Installs what is missing, builds (Release, build/: the window, orvane-eval and
# orvane-tool) and starts Orvane. Without a window program or without a display
# it starts orvane-eval, which reads statements from the terminal.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
orvane_install_deps

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DORVANE_QT=ON
cmake --build build -j"$(nproc)"
echo "Command-line tools: build/bin/orvane-eval, build/bin/orvane-tool (see README.md)"

if [ -x build/bin/orvane ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/orvane "$@"
fi
echo "Orvane statement evaluator: type a statement and Enter; Ctrl+D ends."
exec build/bin/orvane-eval "$@"
