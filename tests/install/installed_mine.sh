#!/usr/bin/env bash
# Installs the build into a temporary root and mines with the installed quelvo against the
# installed quelvo-sim, as a user of the package would: the files land where the desktop looks for
# them, and the list on stdout and the result file hold the run's keywords.
# Usage: installed_mine.sh BUILD_DIR|PACKAGE.deb EXPECTED_LIST
set -euo pipefail
from=$(realpath "$1") expected=$(realpath "$2")
root=$(mktemp -d) sim=
trap 'rm -rf "$root"; [ -z "$sim" ] || kill "$sim" 2>/dev/null' EXIT
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
# The desktop's validators, where the machine has them.
if_there() { ! command -v "$1" >/dev/null || "$@"; }
if_there desktop-file-validate share/applications/example.quelvo.Quelvo.desktop
if_there appstreamcli validate --no-net share/metainfo/example.quelvo.Quelvo.metainfo.xml >"$root/log" ||
  fail "$(cat "$root/log")"

# A GBK locale shows the file is in the locale's charset, not UTF-8; built on the fly when the
# machine has the locale sources, since Debian ships none compiled.
# Only the program runs in it, so this script's own messages stay readable.
locale=(LC_ALL=C.UTF-8) charset=UTF-8
if mkdir "$root/locale" && localedef -i zh_CN -f GBK "$root/locale/zh_CN.GBK" 2>/dev/null; then
  locale=(LOCPATH="$root/locale" LC_ALL=zh_CN.GBK) charset=GB18030
fi

exec 3< <(exec bin/quelvo-sim --fan-out 3 --depth 2)
sim=$!
read -r -t 10 base <&3 || fail "quelvo-sim printed no address"

mkdir "$root/out"
env "${locale[@]}" bin/quelvo mine 手机 --baidu-host "$base" --out "$root/out" >"$root/list" 2>"$root/err" ||
  fail "quelvo mine exited $?: $(cat "$root/err")"
# stdout and file names are UTF-8 whatever the locale; the file's text is in the locale's charset.
diff -u "$expected" "$root/list" || fail "the list on stdout"

iconv -f "$charset" -t UTF-8 "$root/out/长尾关键词：手机.txt" | diff -u <(sed 's/$/\r/' "$expected") - ||
  fail "the result file, in $charset with CR LF"
echo "installed quelvo mined $(wc -l <"$expected") keywords ($charset)"
