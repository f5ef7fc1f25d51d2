#!/usr/bin/env bash
# Runs every fuzz target of the core for longer than the tests do, one after the other on one
# core, and prints executions and findings per target. New inputs go to build/fuzz/corpus/,
# failing inputs to build/fuzz/findings/ (one file each; reproduce with build/fuzz/NAME_fuzz FILE).
#   scripts/fuzz.sh [RUNS] [TARGET...]   RUNS executions per target (default 10000000)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10000000}
shift || true
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" _fuzz.cpp)"); done
fi
mkdir -p build/fuzz/logs build/fuzz/findings
summary=()
for name in "${targets[@]}"; do
  mkdir -p "build/fuzz/corpus/$name"
  dictionary=(); [ -f "fuzz/$name.dict" ] && dictionary=("-dict=fuzz/$name.dict")
  log=build/fuzz/logs/$name.log
  before=$(ls build/fuzz/findings | grep -c "^$name-" || true)
  echo "== $name: $runs runs (log: $log)"
  rc=0
  build/fuzz/"${name}"_fuzz -runs="$runs" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="build/fuzz/findings/$name-" "${dictionary[@]}" \
    "build/fuzz/corpus/$name" "fuzz/corpus/$name" >"$log" 2>&1 || rc=$?
  after=$(ls build/fuzz/findings | grep -c "^$name-" || true)
  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  seconds=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")
  line="$name: ${executed:-?} executions in ${seconds:-?} s, $((after - before)) findings (exit $rc)"
  echo "$line"
  summary+=("$line")
done
echo "== summary"
printf '%s\n' "${summary[@]}"
