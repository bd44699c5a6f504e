#!/usr/bin/env bash
# `quelvo --demo` under X with a window manager, driven by real keys: typed into for 10 s from its
# first moment while the popup rises, Tab to the filter, the folder and the links, Enter and Space
# open them, Enter in the keyword box starts a run whose file must equal `quelvo mine --contains`'s.
# Usage: window_run.sh QUELVO
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu --no-sandbox"
keyword="phone case for the new model with a slim design and a stand in dark blue"
name="长尾关键词：$keyword.txt"

if [ "${1:-}" = "--inside" ]; then
  quelvo=$2 work=$3
  openbox >/dev/null 2>&1 &
  wm=$!
  # The desktop's browser: a script that notes what it opens.
  printf '#!/bin/sh\necho "$1" >>"%s/opened"\n' "$work" >"$work/browser" && chmod +x "$work/browser"
  BROWSER=$work/browser "$quelvo" --demo >"$work/window.log" 2>&1 &
  pid=$!
  trap 'kill "$pid" "$wm" 2>/dev/null || true' EXIT
  # A search that meets a window being destroyed (the browser's start-up windows) dies of an X
  # error, so it is asked again until the window shows or a minute has passed.
  find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true; }
  for _ in $(seq 600); do
    win=$(find_window '^Quelvo关键词助手V2\.3')
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || fail "the main window did not show"
  # No click first: the keyword box has the focus from the start.
  xdotool type --delay 140 "$keyword"
  tip=$(find_window '系统公告')
  [ -n "$tip" ] || fail "the announcement popup did not rise while typing"
  active=$(xdotool getactivewindow 2>/dev/null || true)
  [ "$active" = "$win" ] ||
    fail "the popup took the focus (active: $(xdotool getwindowname "$active" 2>/dev/null || echo none))"
  # Tab from the keyword box: 开始挖掘, 停止挖掘, the filter (ticked), the folder box (typed into),
  # "...", Quelvo6 (Enter), the list, 清除数据, 检查更新, 反馈意见 (Enter), 官方网站 (Space).
  mkdir "$work/window"
  xdotool key --delay 50 Tab Tab Tab space Tab && xdotool type --delay 10 "$work/window"
  xdotool key --delay 50 Tab Tab Return Tab Tab Tab Tab Return Tab space
  for _ in $(seq 100); do [ "$(grep -c . "$work/opened" 2>/dev/null)" = 3 ] && break; sleep 0.1; done
  [ "$(sed 's|^http://127.0.0.1:[0-9]*||' "$work/opened" | sort | tr '\n' ' ')" = "/ / /feedback.php " ] ||
    fail "the links opened: $(cat "$work/opened" 2>/dev/null)"
  xdotool mousemove --window "$tip" --sync 130 60 click 1 sleep 0.5
  [ "$(xdotool getactivewindow)" = "$tip" ] || fail "the popup does not take a click (and the focus)"
  # Back in the keyword box (the centre of TxtKey in pixels), Enter starts the run.
  xdotool mousemove --window "$win" --sync 160 180 click 1 key End Return
  for _ in $(seq 600); do
    cmp -s "$work/window/$name" "$work/headless/$name" && { echo "PASS"; exit 0; }
    kill -0 "$pid" 2>/dev/null || fail "quelvo ended: $(cat "$work/window.log")"
    sleep 0.1
  done
  ls -l "$work/window" >&2
  fail "no complete result file within 60 s of pressing Enter"
fi

quelvo=$1
for tool in xvfb-run xdotool openbox; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup installs it)"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/headless"
"$quelvo" mine "$keyword" --demo --contains --out "$work/headless" >/dev/null 2>&1 ||
  fail "the headless run failed"
[ "$(grep -c $'\r$' "$work/headless/$name")" -gt 100 ] || fail "the headless run listed too little"
xvfb-run -a -s "-screen 0 1280x800x24" bash "$0" --inside "$quelvo" "$work"
