#!/usr/bin/env bash
# Builds and runs every test: the pure core natively (under ASan+UBSan), then the Windows
# program and its tests under Wine on a private Xvfb display when there is no display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh

cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

cmake --preset win >/dev/null
cmake --build --preset win
eval "$(scripts/wine-run --session-start)"
trap 'scripts/wine-run --session-end' EXIT
ctest --preset win
