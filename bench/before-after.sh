#!/usr/bin/env bash
# Two bench builds side by side in one run, for a change's before and after: each
# round runs the frame ratios (frame-ratios.sh) and the medians of the benchmarks
# FILTER names, first of BEFORE then of AFTER, so that a busy moment on the
# machine falls on both alike. ROUNDS (2) rounds, REPETITIONS (10) repetitions.
#   bench/before-after.sh BEFORE_BENCH AFTER_BENCH [FILTER]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -ge 2 ] || { echo "usage: $0 BEFORE_BENCH AFTER_BENCH [FILTER]" >&2; exit 2; }
before=$1
after=$2
filter=${3:-BM_(KeyedSprites|FrameText26Cached|FrameText26Uncached|ParticleUpdate)$}
rounds=${ROUNDS:-2}
repetitions=${REPETITIONS:-10}

run_side() {
    local name=$1 bench=$2
    echo "== $name: $bench"
    BENCH=$bench REPETITIONS=$repetitions "$root/bench/frame-ratios.sh"
    (cd "$root" && "$bench" --benchmark_filter="$filter" --benchmark_repetitions="$repetitions" \
        --benchmark_report_aggregates_only=true --benchmark_enable_random_interleaving=true \
        --benchmark_min_time=0.1 2>/dev/null) | grep '_median' || true
}

for round in $(seq "$rounds"); do
    echo "==== round $round, load: $(uptime)"
    run_side before "$before"
    run_side after "$after"
done
