#!/bin/sh
# Start-up time (launch to visible window) and resident memory of sortbars,
# as ratios to a bare Qt window of the same size, launched alternately in the
# same X session; then the CPU time sortbars uses over 5 s of idling.
# Usage: bench/startup.sh [runs]   (default 10 of each)
set -eu
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
[ -x "$BUILD/sortbars" ] || { echo "build first: make test" >&2; exit 1; }
. scripts/session.sh
start_x
WORK=$SESSION_DIR
RUNS=${1:-10}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Launches $1, prints "milliseconds-to-visible resident-kB"; leaves PID set.
launch() {
  start=$(now_ms)
  spawn "$1"
  PID=$SPAWNED
  # Looks every 5 ms, so that the time to the first visible frame is
  # measured closely; bounded at 10 s.
  deadline=$((start + 10000))
  until xdotool search --onlyvisible --pid "$PID" --name '^Form1$' >/dev/null 2>&1; do
    [ "$(now_ms)" -lt "$deadline" ] || fail "$1 showed no window within 10 s"
    sleep 0.005
  done
  visible=$(($(now_ms) - start))
  sleep 0.5
  rss=$(awk '/VmRSS/ { print $2 }' "/proc/$PID/status")
  echo "$visible $rss"
}

total() { awk '{ t += $1; m += $2 } END { printf "%d %d", t / NR, m / NR }' "$1"; }

for i in $(seq "$RUNS"); do
  launch "$BUILD/sortbars" >>"$WORK/app"
  kill "$PID"; wait "$PID" 2>/dev/null || true
  launch "$BUILD/bench/bare_window" >>"$WORK/bare"
  kill "$PID"; wait "$PID" 2>/dev/null || true
done
set -- $(total "$WORK/app") $(total "$WORK/bare")
echo "start-up: sortbars $1 ms, bare window $3 ms (mean of $RUNS)"
awk -v a="$1" -v b="$3" 'BEGIN { printf "start-up / bare window: %.3f (goal <= 1.1)\n", a / b }'
echo "memory: sortbars $2 kB, bare window $4 kB resident"
awk -v a="$2" -v b="$4" 'BEGIN { printf "memory / bare window: %.3f (goal <= 1.2)\n", a / b }'

launch "$BUILD/sortbars" >/dev/null
ticks() { awk '{ print $14 + $15 }' "/proc/$PID/stat"; }
before=$(ticks)
sleep 5
after=$(ticks)
echo "idle CPU over 5 s: $(( (after - before) * 1000 / $(getconf CLK_TCK) )) ms (goal 0)"
kill "$PID"
