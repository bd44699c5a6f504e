#!/usr/bin/env bash
# Installs the build into a temporary root and mines with the installed quelvo against the
# installed quelvo-sim, as a user of the package would: the files land where the desktop looks for
# them, and the list on stdout and the result file hold the run's keywords.
# Usage: installed_mine.sh BUILD_DIR|PACKAGE.deb EXPECTED_LIST
set -euo pipefail
from=$(realpath "$1") expected=$(realpath "$2")
root=$(mktemp -d)
sim=
cleanup() {
  [ -z "$sim" ] || kill "$sim" 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

if [[ $from == *.deb ]]; then
  dpkg-deb -x "$from" "$root"
else
  cmake --install "$from" --prefix "$root/usr" >/dev/null
fi
cd "$root/usr"
for f in bin/quelvo bin/quelvo-sim bin/anigif share/quelvo/skinh.she \
  share/applications/example.quelvo.Quelvo.desktop share/metainfo/example.quelvo.Quelvo.metainfo.xml \
  share/icons/hicolor/scalable/apps/quelvo.svg share/man/man1/quelvo.1.gz share/doc/quelvo/copyright; do
  [ -s "$f" ] || fail "not installed: $f"
done
for size in 16 22 24 32 48 64 128 256; do
  png=share/icons/hicolor/${size}x$size/apps/quelvo.png
  file "$png" | grep -q "PNG image data, $size x $size" || fail "icon $png: $(file -b "$png")"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate share/applications/example.quelvo.Quelvo.desktop
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net share/metainfo/example.quelvo.Quelvo.metainfo.xml >/dev/null ||
    fail "$(appstreamcli validate --no-net share/metainfo/example.quelvo.Quelvo.metainfo.xml)"
fi

# A GBK locale shows the file is in the locale's charset, not UTF-8; built on the fly when the
# machine has the locale sources, since Debian ships none compiled.
# Only the program runs in it, so this script's own messages stay readable.
locale=(LC_ALL=C.UTF-8) charset=UTF-8
if mkdir "$root/locale" && localedef -i zh_CN -f GBK "$root/locale/zh_CN.GBK" 2>/dev/null; then
  locale=(LOCPATH="$root/locale" LC_ALL=zh_CN.GBK) charset=GB18030
fi

bin/quelvo-sim --fan-out 3 --depth 2 >"$root/sim.out" &
sim=$!
for _ in $(seq 100); do
  base=$(head -n1 "$root/sim.out")
  [[ $base == http://* ]] && break
  sleep 0.1
done
[[ $base == http://* ]] || fail "quelvo-sim printed no address"

mkdir "$root/out"
env "${locale[@]}" bin/quelvo mine 手机 --baidu-host "$base" --out "$root/out" >"$root/list" 2>"$root/err" ||
  fail "quelvo mine exited $?: $(cat "$root/err")"
# stdout and file names are UTF-8 whatever the locale; the file's text is in the locale's charset.
diff -u "$expected" "$root/list" || fail "the list on stdout"

result="$root/out/长尾关键词：手机.txt"
[ -f "$result" ] || fail "no result file: $(ls "$root/out")"
iconv -f "$charset" -t UTF-8 "$result" >"$root/file.utf8" || fail "result file is not $charset"
[ "$(grep -c $'\r$' "$root/file.utf8")" = "$(wc -l <"$expected")" ] || fail "lines without CR LF"
tr -d '\r' <"$root/file.utf8" | diff -u "$expected" - || fail "the result file"
echo "installed quelvo mined $(wc -l <"$expected") keywords ($charset)"
