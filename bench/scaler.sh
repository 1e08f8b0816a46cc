#!/usr/bin/env bash
# Whether the scaler's SSE2 code pays over what the compiler makes of its plain
# code: bench/ScalerPaths.cpp built three ways with the release build's flags (the
# scaler as it is, the same with GLINTWAKE_PLAIN_SCALER, and the scaler of an older
# commit, BEFORE, default HEAD~) and run in turn, REPETITIONS (5) times each; medians
# of CPU time. Needs g++ and Google Benchmark (the bench preset's packages).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
before=${BEFORE:-HEAD~}
repetitions=${REPETITIONS:-5}
cxx=${CXX:-g++}
flags=(-std=c++20 -O3 -DNDEBUG)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/old/platform"
git -C "$root" show "$before:src/platform/FrameScaler.cpp" >"$work/old/platform/FrameScaler.cpp"
git -C "$root" show "$before:src/platform/FrameScaler.h" >"$work/old/platform/FrameScaler.h"
build() {  # name, scaler source, include folders..., extra flags
  local name=$1 scaler=$2
  shift 2
  "$cxx" "${flags[@]}" "$@" -I"$root/src" "$root/bench/ScalerPaths.cpp" "$scaler" "$root/src/platform/Surface.cpp" "$root/src/platform/KeyedCopy.cpp" \
    -o "$work/$name" -lbenchmark -lpthread
}
build sse2 "$root/src/platform/FrameScaler.cpp"
build plain "$root/src/platform/FrameScaler.cpp" -DGLINTWAKE_PLAIN_SCALER
build before "$work/old/platform/FrameScaler.cpp" -I"$work/old"

echo "load before: $(uptime)"
for ((i = 0; i < repetitions; ++i)); do
  for name in sse2 plain before; do
    "$work/$name" --benchmark_format=csv 2>/dev/null | awk -F, -v n="$name" 'NR > 1 { print n, $1, $4 }' >>"$work/all"
  done
done
echo "load after: $(uptime)"
echo "CPU us per whole present, medians of $repetitions (window width/height/bytes or 30 bits):"
printf '%-24s %10s %10s %10s\n' case sse2 plain "before($before)"
for case in $(awk '{ print $2 }' "$work/all" | sort -u); do
  row=""
  for name in sse2 plain before; do
    m=$(awk -v n="$name" -v c="$case" '$1 == n && $2 == c { print $3 }' "$work/all" | sort -g |
      awk '{ v[NR] = $1 } END { printf "%.1f", v[int((NR + 1) / 2)] }')
    row="$row $m"
  done
  # shellcheck disable=SC2086
  printf '%-24s %10s %10s %10s\n' "${case//\"/}" $row
done
