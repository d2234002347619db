#!/usr/bin/env bash
# Builds a Release build in build-bench/ and prints what an equation costs at each minimization
# level, and what the examples cost: ./bench.sh [--limit SECONDS] [--max-v V]
set -euo pipefail
cd "$(dirname "$0")"
. scripts/ensure-packages.sh

kem_ensure_packages
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKEM_BUILD_TESTS=OFF \
  -DKEM_BUILD_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target kem_bench >&2
exec build-bench/bench/kem_bench --examples examples "$@"
