#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (AddressSanitizer + UndefinedBehaviorSanitizer)
# in build-fuzz/ and runs every target for SECONDS (default 60) each, as many at once as there are
# processors. Corpora grow in build-fuzz/corpus/<target>/ from one run to the next; findings land
# in build-fuzz/findings/<target>/ and make the script exit with status 1. FUZZ_PARALLEL sets how
# many targets run at once, FUZZ_BUILD_DIR another build folder.
#
#   ./fuzz.sh [SECONDS] [TARGET...]   targets: compile fit settings jedec vectors invariant (default: all)
set -euo pipefail
cd "$(dirname "$0")"
. scripts/ensure-packages.sh

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(compile fit settings jedec vectors invariant)
case $seconds in '' | *[!0-9]*) echo "usage: $0 [SECONDS] [TARGET...]" >&2; exit 2 ;; esac

kem_ensure_packages build fuzz
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
kem_build "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DKEM_FUZZ=ON -DKEM_BUILD_TESTS=OFF -DKEM_BUILD_BENCH=OFF

root=$PWD/$build_dir
seeds=$root/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/{compile,fit,settings,jedec,vectors,invariant} "$seeds/work"

# Compiler seeds: every design of the examples and the tests, once per minimization level.
for design in examples/*.kem tests/designs/*.kem; do
  for level in 0 1 2; do
    { printf '%s' "$level"; cat "$design"; } >"$seeds/compile/$level-$(basename "$design")"
  done
done
# Fitter seeds: the expected intermediate files; JEDEC seeds: the examples fitted by kemc.
find tests/designs/expected -name '*.boo' | while read -r file; do
  cp "$file" "$seeds/fit/$(echo "${file#tests/designs/expected/}" | tr / _)"
done
cp examples/*.kem "$seeds/work/"
for design in "$seeds"/work/*.kem; do
  ASAN_OPTIONS=detect_leaks=0 "$root/cli/kemc" --fit "$design" >/dev/null || true
done
cp "$seeds"/work/*.jed "$seeds/jedec/"
for vectors in examples/*.vec; do  # device byte, fuse seed, then the file
  { printf '\002\001'; cat "$vectors"; } >"$seeds/vectors/$(basename "$vectors")"
done
cp fuzz/seeds/settings/* "$seeds/settings/"
head -c 64 /dev/zero >"$seeds/invariant/first-choices"  # the generator's plainest design
for target in "${targets[@]}"; do
  cp tests/fuzz-regressions/"$target"/* "$seeds/$target/" 2>/dev/null || true
done

run_target() {
  local target=$1
  local corpus=$root/corpus/$target findings=$root/findings/$target
  mkdir -p "$corpus" "$findings"
  local dict=()
  [ -f "fuzz/$target.dict" ] && dict=(-dict="$PWD/fuzz/$target.dict")
  # Fork mode goes on after a finding, so a long unattended run reports all of them.
  (cd "$findings" && ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 \
    "$root/fuzz/fuzz_$target" "$corpus" "$seeds/$target" "${dict[@]}" \
    -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2560 -max_len=8192 \
    -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -artifact_prefix="$findings/") >"$root/fuzz-$target.log" 2>&1 || true
}

echo "== fuzzing ${targets[*]} for $seconds s each"
running=0
for target in "${targets[@]}"; do
  run_target "$target" &
  running=$((running + 1))
  if [ "$running" -ge "${FUZZ_PARALLEL:-$(nproc)}" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait

status=0
for target in "${targets[@]}"; do
  stats=$(grep -E '^#[0-9]+' "$root/fuzz-$target.log" | tail -1 || true)
  found=$(find "$root/findings/$target" -maxdepth 1 -type f \
    \( -name 'crash-*' -o -name 'timeout-*' -o -name 'oom-*' -o -name 'leak-*' \) | wc -l)
  echo "$target: ${stats:-no statistics (see $build_dir/fuzz-$target.log)}; findings: $found"
  [ "$found" -eq 0 ] || status=1
done
exit $status
