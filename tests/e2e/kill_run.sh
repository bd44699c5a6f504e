#!/usr/bin/env bash
# Kills `quelvo mine` with SIGKILL at random moments of a run, twenty times, always writing into the
# same folder: each time the result file must hold a prefix of a complete run's file (at worst with
# a partial last line), never nothing and never something else. A last complete run must then
# leave exactly the complete file and no temporary file behind.
# Usage: kill_run.sh QUELVO QUELVO-SIM [SEED]
set -euo pipefail
quelvo=$1 sim=$2 seed=${3:-4711}
RANDOM=$seed
echo "seed $seed"

fail() { echo "FAIL: $*" >&2; exit 1; }

# A small latency stretches the run over a couple of seconds; a deep graph and a list limit keep
# the file growing until the end, where a tree's leaf pages would otherwise add nothing for long.
exec 3< <(exec "$sim" --latency 4 --fan-out 6 --depth 5)
sim_pid=$!
work=$(mktemp -d)
trap 'rm -rf "$work"; kill "$sim_pid" 2>/dev/null' EXIT
read -r -t 10 base <&3 || fail "quelvo-sim printed no address"
args=(--limit 1500 --baidu-host "$base" --google-host "$base" --taobao-host "$base")
name="长尾关键词：phone.txt"

mkdir "$work/full" "$work/out"
start=$(date +%s%N)
"$quelvo" mine phone --out "$work/full" "${args[@]}" >/dev/null 2>&1
full_ms=$((($(date +%s%N) - start) / 1000000))
full="$work/full/$name"
lines=$(grep -c $'\r$' "$full")
[ "$lines" -eq 1500 ] || fail "the complete run listed only $lines keywords"
echo "complete run: $lines keywords in $full_ms ms"

for i in $(seq 20); do
  at_ms=$((RANDOM * full_ms / 32768))
  "$quelvo" mine phone --out "$work/out" "${args[@]}" >/dev/null 2>&1 &
  pid=$!
  sleep "$(printf '%d.%03d' $((at_ms / 1000)) $((at_ms % 1000)))"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  got="$work/out/$name"
  if [ ! -e "$got" ]; then
    echo "kill $i at $at_ms ms: no file yet"
    continue
  fi
  size=$(stat -c %s "$got")
  [ "$size" -gt 0 ] || fail "kill $i at $at_ms ms left an empty file"
  cmp -s -n "$size" "$got" "$full" || fail "kill $i at $at_ms ms: the file is not a prefix"
  echo "kill $i at $at_ms ms: $size bytes, $(grep -c $'\r$' "$got") whole lines"
done

"$quelvo" mine phone --out "$work/out" "${args[@]}" >/dev/null 2>&1
cmp -s "$work/out/$name" "$full" || fail "a complete run after the kills wrote another file"
leftover=$(find "$work/out" -name '.quelvo-save-*')
[ -z "$leftover" ] || fail "a temporary file was left behind: $leftover"
echo "PASS"
