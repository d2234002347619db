#!/usr/bin/env bash
# Cross-builds kemc.exe for 64-bit Windows (MinGW-w64, statically linked, no IDE) in
# build-windows/ and runs it under Wine on the end-to-end designs of tests/designs/ and examples/,
# comparing every output byte for byte with what Linux gives:
#
#   designs    each design at levels 0, 1 and 2 against tests/designs/expected{,/level1,/level2}:
#              exit status, log, error file, listing and intermediate file (a file missing there
#              must not be written)
#   again      level 0 once more in the same folder, over the outputs of the first run
#   line ends  level 2 with the source's line ends switched (LF <-> CR LF)
#   names      level 1 with the name in capitals and a letter beyond ASCII ("AMPEL-Ä.KEM"),
#              given as "sub\AMPEL-Ä.KEM"
#   fit        each example with --fit at every level against the Linux kemc (build/cli/kemc, or
#              build-run/cli/kemc, built when missing): every file including the JEDEC file, and
#              the log; then --fit-only over the JEDEC file of level 2, which must come out the same
#   wildcards  "*.kem" in a folder of designs (expanded by kemc.exe, as Windows shells do not)
#              against the Linux kemc given the same files by the shell
#   console    a design with a diagnostic beyond ASCII run on a console (a terminal from script):
#              the diagnostic's line shows its letters whole
#   interrupt  Ctrl+C during a run over many designs: the Ctrl+C exit status, no temporary left,
#              and each design with all three of its outputs or none
#
# No run may leave a temporary behind. Prints a summary and exits non-zero on any difference.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ensure-packages.sh

started=$SECONDS
kem_ensure_packages build windows

build=build-windows
echo "== cross-build of kemc.exe in $build/"
cmake -S . -B "$build" -G Ninja --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEM_BUILD_GUI=OFF -DKEM_BUILD_TESTS=OFF \
  -DKEM_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target kemc -j"$(nproc)"
# The Linux kemc: test.sh's when there is one, else run.sh's.
kemc_linux=$PWD/build/cli/kemc
if [ ! -x "$kemc_linux" ]; then
  echo "== Linux kemc for the fit comparison in build-run/"
  kem_build_program kemc
  kemc_linux=$PWD/build-run/cli/kemc
fi
built=$SECONDS

root=$PWD
kemc_exe=$root/$build/cli/kemc.exe
expected_root=$root/tests/designs/expected

# Debian's wine64 package puts its loader and server under /usr/lib/wine; the wine package, when
# installed, adds commands on PATH.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX=$root/$build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine turns the command line into UTF-16 by the locale: file names are UTF-8.
export LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
# One server serves every run until the end (it must start before the first program, which
# creates the prefix).
echo "== Wine prefix in $WINEPREFIX"
mkdir -p "$WINEPREFIX"
"$wineserver" -k 2>/dev/null || true
"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null || true' EXIT
"$wine" "$kemc_exe" --version </dev/null >/dev/null 2>&1
wine_ready=$SECONDS

work=$root/$build/check
rm -rf "$work"
mkdir -p "$work"
compared=0
failed_runs=0
differences=0

fail() {
  echo "DIFF $*"
  differences=$((differences + 1))
}

# count_run DIFFERENCES_BEFORE: counts one compared run, and a failed one when it added differences.
count_run() {
  compared=$((compared + 1))
  [ "$differences" -eq "$1" ] || failed_runs=$((failed_runs + 1))
}

# run_kemc PROGRAM FOLDER ARGS...: runs kemc in FOLDER; its log goes to FOLDER/.out, its messages
# to FOLDER/.err, its exit status to FOLDER/.status. A run that hangs (a crash can start Wine's
# debugger) ends after two minutes with status 124.
run_kemc() {
  local program=$1 folder=$2
  shift 2
  local command=("$kemc_linux")
  [ "$program" = windows ] && command=("$wine" "$kemc_exe")
  local status=0
  (cd "$folder" && timeout 120 "${command[@]}" "$@" >.out 2>.err </dev/null) || status=$?
  echo "$status" >"$folder/.status"
}

# check_against CASE FOLDER STEM EXPECTED NAME: compares the run in FOLDER (outputs STEM.*) with
# the expected files EXPECTED/NAME.*.
check_against() {
  local case=$1 folder=$2 stem=$3 expected=$4 name=$5
  local before=$differences
  cmp -s "$folder/.status" "$expected/$name.status" \
    || fail "$case: exit status $(cat "$folder/.status"), expected $(cat "$expected/$name.status")"
  cmp -s "$folder/.out" "$expected/$name.out" || fail "$case: log on standard output"
  local extension
  for extension in ERR mds boo; do
    if [ -e "$expected/$name.$extension" ]; then
      if [ ! -e "$folder/$stem.$extension" ]; then
        fail "$case: $stem.$extension was not written"
      elif ! cmp -s "$folder/$stem.$extension" "$expected/$name.$extension"; then
        fail "$case: $stem.$extension differs"
      fi
    elif [ -e "$folder/$stem.$extension" ]; then
      fail "$case: $stem.$extension must not be written"
    fi
  done
  check_no_temporaries "$case" "$folder"
  count_run "$before"
}

check_no_temporaries() {
  if [ -n "$(find "$2" -name '.kem-*.tmp' -print -quit)" ]; then
    fail "$1: a temporary was left behind"
  fi
}

# switch_line_ends FROM TO: LF to CR LF, or CR LF to LF when the file has CR LF already.
switch_line_ends() {
  if grep -q $'\r$' "$1"; then sed 's/\r$//' "$1" >"$2"; else sed 's/$/\r/' "$1" >"$2"; fi
}

echo "== designs under Wine"
designs=()
for source in tests/designs/*.kem; do designs+=("$source:$(basename "$source" .kem)"); done
for source in examples/*.kem; do designs+=("$source:example_$(basename "$source" .kem)"); done

for entry in "${designs[@]}"; do
  source=$root/${entry%%:*}
  name=${entry#*:}
  for level in 0 1 2; do
    expected=$expected_root
    [ "$level" -ne 0 ] && expected=$expected_root/level$level
    folder=$work/$name-m$level
    mkdir -p "$folder"
    cp "$source" "$folder/$name.kem"
    run_kemc windows "$folder" -m "$level" "$name.kem"
    check_against "$name -m $level" "$folder" "$name" "$expected" "$name"
    case $level in
      0)
        run_kemc windows "$folder" -m 0 "$name.kem"
        check_against "$name -m 0 (again)" "$folder" "$name" "$expected" "$name"
        ;;
      1)
        upper=${name^^}-Ä
        folder=$work/$name-names
        mkdir -p "$folder/sub"
        cp "$source" "$folder/sub/$upper.KEM"
        run_kemc windows "$folder" -m 1 "sub\\$upper.KEM"
        mv "$folder/.out" "$folder/.status" "$folder/sub/"
        check_against "$name -m 1 (sub\\$upper.KEM)" "$folder/sub" "$upper" "$expected" "$name"
        ;;
      2)
        folder=$work/$name-line-ends
        mkdir -p "$folder"
        switch_line_ends "$source" "$folder/$name.kem"
        run_kemc windows "$folder" -m 2 "$name.kem"
        check_against "$name -m 2 (line ends switched)" "$folder" "$name" "$expected" "$name"
        ;;
    esac
  done
done

echo "== fitted examples under Wine and on Linux"
for source in examples/*.kem; do
  name=$(basename "$source" .kem)
  for level in 0 1 2; do
    case="$name --fit -m $level"
    before=$differences
    for program in windows linux; do
      mkdir -p "$work/$name-fit$level-$program"
      cp "$source" "$work/$name-fit$level-$program/$name.kem"
      run_kemc "$program" "$work/$name-fit$level-$program" --fit -m "$level" "$name.kem"
    done
    for file in .status .out "$name.ERR" "$name.mds" "$name.boo" "$name.jed"; do
      cmp -s "$work/$name-fit$level-windows/$file" "$work/$name-fit$level-linux/$file" \
        || fail "$case: $file differs from Linux"
    done
    check_no_temporaries "$case" "$work/$name-fit$level-windows"
    count_run "$before"
  done
  # The fit alone, over the JEDEC file of the run before.
  before=$differences
  folder=$work/$name-fit2-windows
  cp "$folder/$name.jed" "$folder/.jed-before"
  run_kemc windows "$folder" --fit-only "$name.kem"
  [ "$(cat "$folder/.status")" = 0 ] || fail "$name --fit-only: exit status $(cat "$folder/.status")"
  cmp -s "$folder/$name.jed" "$folder/.jed-before" || fail "$name --fit-only: $name.jed differs"
  check_no_temporaries "$name --fit-only" "$folder"
  count_run "$before"
done

echo "== wildcards under Wine and on Linux"
before=$differences
for program in windows linux; do
  folder=$work/wildcards-$program
  mkdir -p "$folder"
  cp examples/ampel.kem examples/gal16v8_simple_mux.kem "$folder/"
  cp examples/ampel.kem "$folder/not-a-design.kemx"
done
run_kemc windows "$work/wildcards-windows" --fit '*.kem'
run_kemc linux "$work/wildcards-linux" --fit ampel.kem gal16v8_simple_mux.kem
diff -r "$work/wildcards-windows" "$work/wildcards-linux" -x .err >/dev/null \
  || fail "wildcards: the files or the log differ from Linux"
count_run "$before"

echo "== on a console under Wine"
before=$differences
folder=$work/console
mkdir -p "$folder"
cp tests/designs/eq_19_variables.kem "$folder/"
(cd "$folder" && timeout 120 script -qec "$(printf '%q ' "$wine" "$kemc_exe" eq_19_variables.kem)" \
  /dev/null >.screen </dev/null) || true
# The console draws with cursor movements; without them the letters must be there in UTF-8.
sed 's/\x1b\[[?0-9;]*[a-zA-Z]//g' "$folder/.screen" | grep -aq 'zulässige' \
  || fail "console: the diagnostic's letters beyond ASCII are not shown whole"
count_run "$before"

echo "== interrupted under Wine"
folder=$work/interrupt
mkdir -p "$folder"
for i in $(seq 1 200); do cp tests/designs/eq_18_variables.kem "$folder/d$i.kem"; done
before=$differences
(cd "$folder" && exec "$wine" "$kemc_exe" -m 2 d*.kem >.out 2>.err </dev/null) &
pid=$!
# Once some designs are done, with many still to come.
until [ "$(find "$folder" -name '*.boo' | wc -l)" -ge 10 ] || ! kill -0 "$pid" 2>/dev/null; do
  sleep 0.1
done
kill -INT "$pid" 2>/dev/null || fail "interrupt: the run ended before the interrupt"
status=0
wait "$pid" || status=$?
# STATUS_CONTROL_C_EXIT (0xC000013A), of which a Unix parent sees the low byte.
[ "$status" -eq $((0xC000013A & 0xFF)) ] || fail "interrupt: exit status $status"
check_no_temporaries interrupt "$folder"
for i in $(seq 1 200); do
  outputs=$(find "$folder" -name "d$i.ERR" -o -name "d$i.mds" -o -name "d$i.boo" | wc -l)
  [ "$outputs" -eq 0 ] || [ "$outputs" -eq 3 ] || fail "interrupt: d$i has $outputs of its outputs"
done
count_run "$before"

finished=$SECONDS
echo "== Windows check: ${#designs[@]} designs, $compared runs compared, $failed_runs failed" \
  "($differences differences); $((built - started)) s build, $((wine_ready - built)) s Wine" \
  "start, $((finished - wine_ready)) s runs, $((finished - started)) s in all"
[ "$failed_runs" -eq 0 ] || {
  echo "The runs' folders, each with its .out, .err and .status, are in $work/"
  exit 1
}
