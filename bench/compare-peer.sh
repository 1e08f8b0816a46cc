#!/usr/bin/env bash
# Glintwake against Kobo Deluxe (a shooter of the same kind) on the same machine:
# for each picture size, each game runs on its own fresh Xvfb, the two sides
# alternating over several rounds. Printed per run and as medians:
#   game ms/frame and X ms/frame  CPU time (user + system, from /proc) of the game and
#                                 of its X server over the measured window, divided by
#                                 the frames shown in it (Glintwake: 60 per second;
#                                 Kobo: the average of the rates it prints with -fps)
#   RSS MB, threads               the game's, at the end of the window
#   first picture ms              from just before exec to the first non-black pixel
# Settings (environment): ROUNDS (3), RUN_SECONDS (20), SETTLE_SECONDS (2),
# SIZES ("1280x960 640x480"), DEPTH (24), GAME (build/release/glintwake).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
game=${GAME:-$root/build/release/glintwake}
probe=${FIRST_PICTURE:-$root/build/release/tools/first_picture}
rounds=${ROUNDS:-3}
run_seconds=${RUN_SECONDS:-20}
settle_seconds=${SETTLE_SECONDS:-2}
sizes=${SIZES:-"1280x960 640x480"}
depth=${DEPTH:-24}
ours_fps=60
kobo=/usr/games/kobodl
hz=$(getconf CLK_TCK)

[ -x "$kobo" ] || "$root/scripts/bootstrap.sh" kobodeluxe
for tool in "$game" "$probe"; do
  [ -x "$tool" ] || { echo "compare-peer: $tool missing: run 'make build' first" >&2; exit 1; }
done

work=$(mktemp -d)
xpid=""
gpid=""
cleanup() {
  [ -n "$gpid" ] && kill "$gpid" 2>/dev/null || true
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
status_field() { awk -v f="$2:" '$1 == f {print $2}' "/proc/$1/status"; }
now_ns() { date +%s%N; }

wait_for_line() {  # file, pattern: up to 10 s
  for _ in $(seq 1000); do
    grep -q "$2" "$1" 2>/dev/null && return 0
    sleep 0.01
  done
  return 1
}

start_xvfb() {  # size
  : >"$work/displayfd"
  Xvfb -displayfd 5 -screen 0 "${1}x${depth}" -br -nolisten tcp 5>"$work/displayfd" 2>/dev/null &
  xpid=$!
  wait_for_line "$work/displayfd" '[0-9]' || { echo "compare-peer: Xvfb did not start" >&2; exit 1; }
  display=":$(head -1 "$work/displayfd")"
}

stop() {  # pid
  kill -TERM "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# One run of one side: prints "side size game_ms x_ms rss_mb threads first_ms fps".
run_side() {  # side size
  local side=$1 size=$2 width=${2%x*} height=${2#*x}
  start_xvfb "$size"
  DISPLAY=$display "$probe" 15 >"$work/first" &
  local ppid=$!
  wait_for_line "$work/first" ready || { echo "compare-peer: probe did not connect" >&2; exit 1; }
  local t0
  t0=$(now_ns)
  if [ "$side" = glintwake ]; then
    (cd "$root" && DISPLAY=$display exec "$game") >"$work/out" 2>&1 &
  else
    mkdir -p "$work/home"
    HOME=$work/home DISPLAY=$display "$kobo" -nosound -fps -width "$width" -height "$height" \
      >"$work/out" 2>&1 &
  fi
  gpid=$!
  local first_ms="-"
  if wait "$ppid"; then first_ms=$(( ($(tail -1 "$work/first") - t0) / 1000000 )); fi
  sleep "$settle_seconds"
  local g0 x0 s0 g1 x1 s1 rss threads
  g0=$(cpu_ticks "$gpid"); x0=$(cpu_ticks "$xpid"); s0=$(now_ns)
  sleep "$run_seconds"
  g1=$(cpu_ticks "$gpid"); x1=$(cpu_ticks "$xpid"); s1=$(now_ns)
  rss=$(status_field "$gpid" VmRSS); threads=$(status_field "$gpid" Threads)
  stop "$gpid"; gpid=""
  stop "$xpid"; xpid=""
  local fps=$ours_fps
  if [ "$side" = kobo ]; then
    # With -fps Kobo prints its rate of each second on exit ("[t] 98.8 fps"); the
    # first covers its start-up, the rest are averaged.
    fps=$(awk '$NF == "fps" { n++; if (n > 1) { sum += $(NF - 1); m++ } } END { if (m) printf "%.1f", sum / m }' \
      "$work/out")
    [ -n "$fps" ] || { echo "compare-peer: no fps from Kobo:" >&2; cat "$work/out" >&2; exit 1; }
  fi
  awk -v side="$side" -v size="$size" -v g=$((g1 - g0)) -v x=$((x1 - x0)) -v hz="$hz" \
    -v secs="$(( (s1 - s0) / 1000000 ))" -v fps="$fps" -v rss="$rss" -v th="$threads" -v fp="$first_ms" \
    'BEGIN { frames = fps * secs / 1000;
             printf "%s %s %.3f %.3f %.1f %d %s %.1f\n", side, size, g * 1000 / hz / frames,
                    x * 1000 / hz / frames, rss / 1024, th, fp, fps }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "load before: $(uptime)"
results=$work/results
: >"$results"
printf '%-9s %-8s %8s %8s %7s %7s %8s %6s\n' side size game_ms x_ms rss_mb threads first_ms fps
for size in $sizes; do
  for round in $(seq "$rounds"); do
    order="glintwake kobo"
    [ $((round % 2)) -eq 0 ] && order="kobo glintwake"
    for side in $order; do
      line=$(run_side "$side" "$size")
      echo "$line" >>"$results"
      printf '%-9s %-8s %8s %8s %7s %7s %8s %6s\n' $line
    done
  done
done
echo "load after: $(uptime)"

echo
echo "Medians over $rounds rounds of ${run_seconds} s (CPU per frame in ms):"
printf '%-8s %-9s %8s %8s %8s %7s %7s %8s\n' size side game x game+x rss_mb threads first_ms
for size in $sizes; do
  for side in glintwake kobo; do
    col() { awk -v s="$side" -v z="$size" -v c="$1" '$1 == s && $2 == z { print $c }' "$results" | median; }
    sum=$(awk -v s="$side" -v z="$size" '$1 == s && $2 == z { print $3 + $4 }' "$results" | median)
    printf '%-8s %-9s %8s %8s %8s %7s %7s %8s\n' "$size" "$side" "$(col 3)" "$(col 4)" "$sum" "$(col 5)" \
      "$(col 6)" "$(col 7)"
  done
  ours=$(awk -v z="$size" '$1 == "glintwake" && $2 == z { print $3 }' "$results" | median)
  peer=$(awk -v z="$size" '$1 == "kobo" && $2 == z { print $3 }' "$results" | median)
  ours_x=$(awk -v z="$size" '$1 == "glintwake" && $2 == z { print $3 + $4 }' "$results" | median)
  peer_x=$(awk -v z="$size" '$1 == "kobo" && $2 == z { print $3 + $4 }' "$results" | median)
  awk -v z="$size" -v a="$ours" -v b="$peer" -v c="$ours_x" -v d="$peer_x" \
    'BEGIN { printf "%-8s ratio     game %.2fx, game+X %.2fx of Kobo\n", z, a / b, c / d }'
done
