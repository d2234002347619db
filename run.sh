#!/usr/bin/env bash
# Sets up, builds kemc, then compiles and fits the given design: ./run.sh examples/ampel.kem
# or sets up, builds kemwin and starts it, opening the file when one is given:
# ./run.sh --ide [examples/ampel.kem]
# Each installs and builds only what its program needs, in build-run/.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/ensure-packages.sh

if [ $# -lt 1 ]; then
  echo "Aufruf: ./run.sh DESIGN.kem | ./run.sh --ide [DESIGN.kem]" >&2
  exit 2
fi

if [ "$1" = "--ide" ]; then
  shift
  kem_ensure_packages build gui
  kem_build_program kemwin >&2
  exec build-run/gui/kemwin "$@"
fi
kem_ensure_packages build
kem_build_program kemc >&2
exec build-run/cli/kemc --fit "$@"
