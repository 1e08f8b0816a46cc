#!/usr/bin/env bash
# The frame budget in one benchmark run: the worst-case frames against the drawing
# floor (clearing the back buffer and the copying flip, the least any frame does),
# held to at most 3x, all with the same copying flip; the typical frame and a frame
# of real play for comparison. Medians of REPETITIONS (10) repetitions, CPU time, the repetitions of
# all five run in a shuffled order so that a busy moment on the machine falls on
# them alike. Needs the bench build (cmake --preset bench).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bench=${BENCH:-$root/build/bench/bench/glintwake_bench}
repetitions=${REPETITIONS:-10}
[ -x "$bench" ] || { echo "frame-ratios: $bench missing: build the bench preset first" >&2; exit 1; }

out=$(mktemp)
trap 'rm -f "$out"' EXIT
echo "load before: $(uptime)"
(cd "$root" && "$bench" --benchmark_filter='BM_(TypicalFrame|WorstFrameShop|WorstFramePlay|PlayedFrame|BareClearAndPresent)/1$' \
  --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
  --benchmark_enable_random_interleaving=true --benchmark_min_time=0.1) >"$out" 2>/dev/null
echo "load after: $(uptime)"
grep '_median' "$out"
# Console columns: name, real time, unit, CPU time, unit.
awk '/_median/ { split($1, n, "/"); cpu[n[1]] = $4 }
     END {
       floor = cpu["BM_BareClearAndPresent"]
       if (floor <= 0) { print "frame-ratios: no floor measured"; exit 1 }
       limit = 3
       play = cpu["BM_WorstFramePlay"] / floor
       shop = cpu["BM_WorstFrameShop"] / floor
       printf "typical / floor      %.2fx\n", cpu["BM_TypicalFrame"] / floor
       printf "worst (play) / floor %.2fx (at most %dx)\n", play, limit
       printf "worst (shop) / floor %.2fx (at most %dx)\n", shop, limit
       printf "played / floor       %.2fx\n", cpu["BM_PlayedFrame"] / floor
       if (play > limit || shop > limit) { print "frame-ratios: a worst frame is over " limit "x the floor"; exit 1 }
     }' "$out"
