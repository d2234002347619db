#!/usr/bin/env bash
# Sets up, builds, then compiles and fits the given design: ./run.sh examples/ampel.kem
# or starts the IDE, opening the file when one is given: ./run.sh --ide [examples/ampel.kem]
set -euo pipefail
cd "$(dirname "$0")"
. scripts/ensure-packages.sh

if [ $# -lt 1 ]; then
  echo "Aufruf: ./run.sh DESIGN.kem | ./run.sh --ide [DESIGN.kem]" >&2
  exit 2
fi

kem_ensure_packages
kem_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
if [ "$1" = "--ide" ]; then
  shift
  exec build/gui/kemwin "$@"
fi
exec build/cli/kemc --fit "$@"
