#!/usr/bin/env bash
# Builds a Release build in build-bench/ and prints what an equation costs at each minimization
# level and step, what the examples cost, and the IDE against kemc on the same compilation:
# and what reading chips back costs (kemc --compare and --decompile):
#   ./bench.sh [--limit SECONDS] [--min-v V] [--max-v V] [--kinds K,K..] [--levels L,L..]
# (--no-ide leaves out the IDE comparison; it needs Qt and runs on the offscreen platform)
set -euo pipefail
cd "$(dirname "$0")"
. scripts/ensure-packages.sh

ide=1
args=()
for arg in "$@"; do
  if [ "$arg" = --no-ide ]; then ide=0; else args+=("$arg"); fi
done

groups=(build)
[ "$ide" = 1 ] && groups+=(gui)
kem_ensure_packages "${groups[@]}"
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKEM_BUILD_TESTS=OFF \
  -DKEM_BUILD_BENCH=ON >/dev/null
targets=(kem_bench kem_import_bench kem_read_back_bench)
if [ "$ide" = 1 ] && cmake --build build-bench --target help | grep -q '^kem_ide_bench:'; then
  targets+=(kem_ide_bench kem_editor_bench)
else
  ide=0
fi
cmake --build build-bench -j"$(nproc)" --target "${targets[@]}" >&2
build-bench/bench/kem_bench --examples examples "${args[@]}"
echo
build-bench/bench/kem_import_bench
build-bench/bench/kem_read_back_bench --examples examples
if [ "$ide" = 1 ]; then
  echo
  QT_QPA_PLATFORM=offscreen build-bench/bench/kem_ide_bench --kind parity --v 17 --level 2 2>/dev/null
  # Many statements: one log line each, and the log keeps the lines of the runs before.
  for statements in 1000 5000 20000; do
    echo
    QT_QPA_PLATFORM=offscreen build-bench/bench/kem_ide_bench --statements "$statements" \
      --runs 3 2>/dev/null
  done
  echo
  QT_QPA_PLATFORM=offscreen build-bench/bench/kem_editor_bench 2>/dev/null
fi
