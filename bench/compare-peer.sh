#!/usr/bin/env bash
# Glintwake against Kobo Deluxe (a shooter of the same kind) on the same machine,
# both playing: Kobo is started into a game (Space, Return, Return a second apart)
# and fires with left Ctrl held; Glintwake fires with Space held. For each picture
# size each game runs on its own fresh `Xvfb -br`, the two sides alternating over
# several rounds. Printed per run and as medians:
#   game and X ms/frame   CPU time (user + system, from /proc) of the game and of its
#                         X server over the measured window, divided by the frames
#                         shown in it (Glintwake: 60 per second; Kobo: the average of
#                         the rates it prints with -fps over the window)
#   game and X ms/s       the same per second of play (10 ms/s is 1 % of a core)
#   RSS MB, threads       the game's, at the end of the window
#   first picture ms      from just before exec to the first non-black pixel
# The machine's load is printed with every run: other work on it inflates both sides.
# Settings (environment): ROUNDS (2), RUN_SECONDS (8), FIRE_SECONDS (0.5),
# SIZES ("640x480 1280x960 2560x1920"), DEPTH (24), GAME (build/release/glintwake).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
game=${GAME:-$root/build/release/glintwake}
probe=${FIRST_PICTURE:-$root/build/release/tools/first_picture}
rounds=${ROUNDS:-2}
run_seconds=${RUN_SECONDS:-8}
fire_seconds=${FIRE_SECONDS:-0.5}
sizes=${SIZES:-"640x480 1280x960 2560x1920"}
depth=${DEPTH:-24}
ours_fps=60
kobo=/usr/games/kobodl
kobo_starts=5  # Kobo's SDL start fails now and then on a fresh server: it is tried again
hz=$(getconf CLK_TCK)

[ -x "$kobo" ] || "$root/scripts/bootstrap.sh" kobodeluxe
command -v xdotool >/dev/null || "$root/scripts/bootstrap.sh" xdotool
for tool in "$game" "$probe"; do
  [ -x "$tool" ] || { echo "compare-peer: $tool missing: run 'make build' first" >&2; exit 1; }
done

work=$(mktemp -d)
xpid=""
display=""
gpid=""
held=""
cleanup() {
  [ -n "$held" ] && DISPLAY=$display xdotool keyup "$held" 2>/dev/null || true
  [ -n "$gpid" ] && kill "$gpid" 2>/dev/null || true
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
status_field() { awk -v f="$2:" '$1 == f {print $2}' "/proc/$1/status"; }
now_ns() { date +%s%N; }
load1() { cut -d' ' -f1 /proc/loadavg; }

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

key() { DISPLAY=$display xdotool "$@"; }

# Starts one side on a fresh server and brings it to firing; sets gpid and first_ms.
# Returns 1 when the game did not come up.
start_side() {  # side size
  local side=$1 width=${2%x*} height=${2#*x}
  start_xvfb "$2"
  DISPLAY=$display "$probe" 15 >"$work/first" &
  local ppid=$!
  wait_for_line "$work/first" ready || { echo "compare-peer: probe did not connect" >&2; exit 1; }
  local t0
  t0=$(now_ns)
  if [ "$side" = glintwake ]; then
    (cd "$root" && DISPLAY=$display exec "$game") >"$work/out" 2>&1 &
  else
    rm -rf "$work/home"
    mkdir -p "$work/home"
    HOME=$work/home DISPLAY=$display "$kobo" -nosound -nomusic -fps -width "$width" -height "$height" \
      >"$work/out" 2>&1 &
  fi
  gpid=$!
  first_ms="-"
  if wait "$ppid"; then first_ms=$(( ($(tail -1 "$work/first") - t0) / 1000000 )); fi
  sleep 1
  kill -0 "$gpid" 2>/dev/null || return 1
  if [ "$side" = kobo ]; then
    # The title screen, the menu, the first stage: then fire.
    key key space; sleep 1; key key Return; sleep 1; key key Return; sleep 1
    held=Control_L
  else
    held=space
  fi
  key keydown "$held"
  sleep "$fire_seconds"
  kill -0 "$gpid" 2>/dev/null
}

# One run of one side: prints "side size game_ms x_ms game_ms_s x_ms_s rss_mb threads first_ms fps load".
run_side() {  # side size
  local side=$1 size=$2 tries=0
  until start_side "$side" "$size"; do
    tries=$((tries + 1))
    stop "$gpid"; gpid=""; held=""
    stop "$xpid"; xpid=""
    ((tries < kobo_starts)) || { echo "compare-peer: $side did not start:" >&2; cat "$work/out" >&2; exit 1; }
  done
  local g0 x0 s0 g1 x1 s1 rss threads load
  g0=$(cpu_ticks "$gpid"); x0=$(cpu_ticks "$xpid"); s0=$(now_ns)
  sleep "$run_seconds"
  g1=$(cpu_ticks "$gpid"); x1=$(cpu_ticks "$xpid"); s1=$(now_ns)
  rss=$(status_field "$gpid" VmRSS); threads=$(status_field "$gpid" Threads); load=$(load1)
  key keyup "$held"; held=""
  stop "$gpid"; gpid=""
  stop "$xpid"; xpid=""
  local fps=$ours_fps
  if [ "$side" = kobo ]; then
    # With -fps Kobo prints the rate of each second on exit ("[t] 98.8 fps"): the
    # last whole seconds are the measured window.
    fps=$(awk -v n="$run_seconds" '$NF == "fps" { r[++m] = $(NF - 1) }
          END { for (i = m - n; i < m; i++) if (i >= 1) { s += r[i]; k++ } if (k) printf "%.1f", s / k }' \
      "$work/out")
    [ -n "$fps" ] || { echo "compare-peer: no fps from Kobo:" >&2; cat "$work/out" >&2; exit 1; }
  fi
  awk -v side="$side" -v size="$size" -v g=$((g1 - g0)) -v x=$((x1 - x0)) -v hz="$hz" \
    -v ms="$(( (s1 - s0) / 1000000 ))" -v fps="$fps" -v rss="$rss" -v th="$threads" -v fp="$first_ms" \
    -v load="$load" \
    'BEGIN { secs = ms / 1000; frames = fps * secs; gms = g * 1000 / hz; xms = x * 1000 / hz;
             printf "%s %s %.3f %.3f %.1f %.1f %.1f %d %s %.1f %s\n", side, size, gms / frames, xms / frames,
                    gms / secs, xms / secs, rss / 1024, th, fp, fps, load }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

header='%-9s %-9s %8s %8s %9s %9s %7s %7s %8s %6s %5s\n'
echo "load before: $(uptime)"
results=$work/results
: >"$results"
printf "$header" side size game_ms x_ms game_ms/s x_ms/s rss_mb threads first_ms fps load
for size in $sizes; do
  for round in $(seq "$rounds"); do
    order="glintwake kobo"
    [ $((round % 2)) -eq 0 ] && order="kobo glintwake"
    for side in $order; do
      line=$(run_side "$side" "$size")
      echo "$line" >>"$results"
      # shellcheck disable=SC2086
      printf "$header" $line
    done
  done
done
echo "load after: $(uptime)"

echo
echo "Medians over $rounds rounds of ${run_seconds} s, both games firing (CPU ms per frame, and per second):"
printf '%-9s %-9s %8s %8s %8s %9s %9s %7s %8s\n' size side game x game+x game/s x/s rss_mb first_ms
col() { awk -v s="$1" -v z="$2" -v c="$3" '$1 == s && $2 == z { print $c }' "$results" | median; }
sum() { awk -v s="$1" -v z="$2" '$1 == s && $2 == z { print $3 + $4 }' "$results" | median; }
for size in $sizes; do
  for side in glintwake kobo; do
    printf '%-9s %-9s %8s %8s %8s %9s %9s %7s %8s\n' "$size" "$side" "$(col $side "$size" 3)" \
      "$(col $side "$size" 4)" "$(sum $side "$size")" "$(col $side "$size" 5)" "$(col $side "$size" 6)" \
      "$(col $side "$size" 7)" "$(col $side "$size" 9)"
  done
  awk -v z="$size" -v a="$(col glintwake "$size" 3)" -v b="$(col kobo "$size" 3)" -v c="$(sum glintwake "$size")" \
    -v d="$(sum kobo "$size")" \
    'BEGIN { if (b > 0 && d > 0) printf "%-9s ratio     game %.2fx, game+X %.2fx of Kobo per frame\n", z, a / b, c / d }'
done
case " $sizes " in
  *" 1280x960 "*" 2560x1920 "* | *" 2560x1920 "*" 1280x960 "*)
    awk -v a="$(sum glintwake 2560x1920)" -v b="$(sum glintwake 1280x960)" \
      'BEGIN { if (b > 0) printf "Glintwake game+X at 2560x1920: %.2fx its own at 1280x960\n", a / b }' ;;
esac
