#!/usr/bin/env bash
# Sets up, builds and runs every test twice: in a normal build and in an AddressSanitizer +
# UndefinedBehaviorSanitizer build; the long cases (ctest label "long") and the Debian package
# (label "package") run in the normal build only; the randomized tests run a quarter of their
# rounds under the sanitizers, where each test program runs as four processes that share out its
# tests (tests/CMakeLists.txt). The benchmarks are not built (bench.sh has its own build); of the
# fuzz targets only their replay of tests/fuzz-regressions/. The normal build is a release build
# (-O2) without debug information; the files of each library and test program compile together
# (KEM_UNITY_BUILD), so the headers they share are compiled once. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/ensure-packages.sh

kem_ensure_packages build gui test

echo "== normal build"
# Optimized as the programs run.sh builds (-O2): -O3 takes a seventh longer to compile.
kem_build build -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DKEM_BUILD_BENCH=OFF
ctest --test-dir build --output-on-failure -j"$(nproc)"

echo "== sanitizer build"
kem_build build-asan -DCMAKE_BUILD_TYPE=Debug -DKEM_SANITIZE=ON -DKEM_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan -LE 'long|package' --output-on-failure -j"$(nproc)"

echo "== all tests passed"
