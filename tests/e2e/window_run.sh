#!/usr/bin/env bash
# The main window driven by real input events: `quelvo --demo` under a virtual X display with a
# window manager, a folder and a keyword typed, Start pressed. The run is complete when its result
# file equals the one `quelvo mine` writes for the same keyword.
# Usage: window_run.sh QUELVO
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu --no-sandbox"
keyword=phone
name="长尾关键词：$keyword.txt"

if [ "${1:-}" = "--inside" ]; then
  quelvo=$2
  work=$3
  openbox >/dev/null 2>&1 &
  wm=$!
  "$quelvo" --demo >"$work/window.log" 2>&1 &
  pid=$!
  trap 'kill "$pid" "$wm" 2>/dev/null || true' EXIT
  win=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quelvo关键词助手V2\.3' | head -1) ||
    fail "the main window did not show"
  # The demo feed opens its popup 3 s after start and the window manager gives a new window the
  # focus, so typing waits until it is up (or plainly not coming).
  timeout 20 xdotool search --sync --onlyvisible --name '系统公告' >/dev/null ||
    echo "no announcement popup; going on"
  xdotool windowactivate --sync "$win"
  # Centres of TxtFile, TxtKey and CmdStart in window pixels: their twips in frm_main.cpp
  # (inside Frame1 at 120,1320) divided by 15.
  mkdir "$work/window"
  xdotool mousemove --window "$win" --sync 116 298 click 1 type --delay 10 "$work/window"
  xdotool mousemove --window "$win" --sync 160 180 click 1 type --delay 10 "$keyword"
  xdotool mousemove --window "$win" --sync 112 212 click 1
  for _ in $(seq 600); do
    cmp -s "$work/window/$name" "$work/headless/$name" && { echo "PASS"; exit 0; }
    kill -0 "$pid" 2>/dev/null || fail "quelvo ended: $(cat "$work/window.log")"
    sleep 0.1
  done
  ls -l "$work/window" >&2
  fail "no complete result file within 60 s of pressing Start"
fi

quelvo=$1
for tool in xvfb-run xdotool openbox; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup installs it)"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/headless"
"$quelvo" mine "$keyword" --demo --out "$work/headless" >/dev/null 2>&1 ||
  fail "the headless run failed"
[ "$(grep -c $'\r$' "$work/headless/$name")" -gt 100 ] || fail "the headless run listed too little"
xvfb-run -a -s "-screen 0 1280x800x24" bash "$0" --inside "$quelvo" "$work"
