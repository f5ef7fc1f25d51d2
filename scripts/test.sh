#!/usr/bin/env bash
# Builds and runs every test: the pure core natively (under ASan+UBSan), its fuzz targets over
# their seeds and a few seconds of new inputs, then the Windows program and its tests under Wine
# on a private Xvfb display when there is no display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh

cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz

cmake --preset win >/dev/null
cmake --build --preset win
eval "$(scripts/wine-run --session-start)"
trap 'scripts/wine-run --session-end' EXIT
ctest --preset win
