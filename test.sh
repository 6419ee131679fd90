#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest: the
# Release build, the Qt-free libraries again with AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short smoke run of each fuzz target.
# Every build treats compiler warnings as errors (ORVANE_WERROR).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
orvane_install_deps

JOBS=$(nproc)

echo "== Release build (build/)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DORVANE_QT=ON -DORVANE_WERROR=ON
cmake --build build -j"$JOBS"
ctest --test-dir build --output-on-failure --no-tests=error -j"$JOBS"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build of the Qt-free parts (build-asan/)"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_SANITIZE=ON \
  -DORVANE_QT=OFF -DORVANE_BENCH=OFF -DORVANE_WERROR=ON
cmake --build build-asan -j"$JOBS"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure --no-tests=error -j"$JOBS"

echo "== Fuzz targets, smoke run (build-fuzz/)"
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_SANITIZE=ON \
  -DORVANE_FUZZ=ON -DORVANE_QT=OFF -DORVANE_BENCH=OFF -DORVANE_WERROR=ON
cmake --build build-fuzz -j"$JOBS" --target expression_fuzz template_fuzz
FUZZ_SECONDS=${FUZZ_SECONDS:-30}
# Crash and timeout inputs land in fuzz/findings/ (git-ignored).
mkdir -p fuzz/findings
for target in expression template; do
  work=$(mktemp -d)
  cp -r "fuzz/corpus/$target/." "$work/"
  "build-fuzz/bin/${target}_fuzz" -max_total_time="$FUZZ_SECONDS" -timeout=1 -rss_limit_mb=2048 \
    -max_len=4096 -print_final_stats=1 -artifact_prefix="fuzz/findings/${target}-" \
    "$work" 2>&1 | tail -n 12
  rm -rf "$work"
done

echo "== All tests passed"
