#!/usr/bin/env bash
# Compares the core benchmarks of this checkout with those of an earlier revision: both built
# with the bench preset (optimised, no sanitizers), run in turn ROUNDS times (default 9), the
# order swapping from round to round. Prints, for each benchmark both have, the median time per
# iteration of each and their ratio (this checkout / the revision). Run it on a quiet machine.
#   scripts/compare-core-bench.sh REVISION [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
revision=$1
rounds=${2:-9}
work=$(mktemp -d)
trap 'git worktree remove --force "$work/before" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
git worktree add --detach "$work/before" "$revision" >/dev/null 2>&1
# Each function starts on a cache line of its own, in both builds: otherwise the same machine
# code runs up to a third faster or slower by where the linker happens to place it.
for tree in before after; do
  source=.; [ $tree = before ] && source=$work/before
  cmake --preset bench -S "$source" -B "$work/$tree-build" -DCMAKE_CXX_FLAGS=-falign-functions=64 >/dev/null
  cmake --build "$work/$tree-build" --target core_bench >/dev/null
done
# Without address randomisation, so that each round lays the code out alike and the rounds
# differ by the machine's noise only.
norandom=(); setarch "$(uname -m)" -R true 2>/dev/null && norandom=(setarch "$(uname -m)" -R)
run() { "${norandom[@]}" "$work/$1-build/core_bench" --benchmark_format=csv 2>/dev/null | grep '^"' >>"$2"; }
for round in $(seq 1 "$rounds"); do
  if (( round % 2 )); then run before "$work/before.csv"; run after "$work/after.csv"
  else run after "$work/after.csv"; run before "$work/before.csv"; fi
done
python3 - "$work/before.csv" "$work/after.csv" "$revision" <<'EOF'
import csv, statistics, sys
def medians(path):  # benchmark name -> median of its real time per iteration
    times = {}
    for row in csv.reader(open(path)):
        times.setdefault(row[0], []).append(float(row[2]))
    return {name: statistics.median(values) for name, values in times.items()}
before, after = medians(sys.argv[1]), medians(sys.argv[2])
print(f"{'benchmark':58} {sys.argv[3][:10]:>12} {'now':>12} {'ratio':>7}")
for name in sorted(before.keys() & after.keys()):
    print(f"{name:58} {before[name]:12.1f} {after[name]:12.1f} {after[name] / before[name]:7.3f}")
for name in sorted(before.keys() ^ after.keys()):
    print(f"{name:58} only in {'the revision' if name in before else 'this checkout'}")
EOF
