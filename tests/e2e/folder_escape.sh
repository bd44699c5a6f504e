#!/usr/bin/env bash
# Keywords that look like paths: whatever the keyword, nothing is written outside the chosen
# folder; a keyword that cannot be part of a file name there still gets its run and its list, and
# the file it could not have is said (exit status 1).
# Usage: folder_escape.sh QUELVO
set -euo pipefail
quelvo=$1
work=$(mktemp -d)
err=$(mktemp)
trap 'rm -rf "$work" "$err"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The chosen folder sits two levels down, so "../" and "../../" both have somewhere to go.
folder="$work/a/b/chosen"
mkdir -p "$folder"
# keyword | file expected in the folder (empty: none can be named after it)
cases=(
  "..|长尾关键词：...txt"
  "../x|"
  "../../x|"
  "..%2F..%2Fx|长尾关键词：..%2F..%2Fx.txt"
  "/etc/x|"
  "a/../../../x|"
  " .. |长尾关键词： .. .txt"
)
for c in "${cases[@]}"; do
  keyword=${c%%|*}
  expect=${c#*|}
  status=0
  out=$("$quelvo" mine "$keyword" --demo --limit 20 --out "$folder" 2>"$err") || status=$?
  if [ -n "$expect" ]; then
    [ "$status" -eq 0 ] || fail "[$keyword]: exit status $status"
  else
    [ "$status" -eq 1 ] && grep -q '^无法写入结果文件' "$err" || fail "[$keyword]: not said, $status"
  fi
  [ "$(printf '%s\n' "$out" | wc -l)" -eq 20 ] || fail "[$keyword]: the list is not 20 long"
  if [ -n "$expect" ]; then
    [ "$(grep -c $'\r$' "$folder/$expect")" -eq 20 ] || fail "[$keyword]: no 20-line $expect"
    rm "$folder/$expect"
  fi
  stray=$(find "$work" -mindepth 1 -not -type d -print)
  [ -z "$stray" ] || fail "[$keyword] wrote: $stray"
done
echo "PASS"
