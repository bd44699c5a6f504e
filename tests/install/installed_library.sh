#!/usr/bin/env bash
# Installs the developer component into a temporary prefix and builds two programs against it, as
# another project would: the example player through find_package(AniGif), and a core-only program
# through pkg-config, whose flags must not pull in Qt; and a form loader finds the installed
# designer plugin and plays a form with it.
# Usage: installed_library.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$(realpath "$1") src=$(realpath "$2") version=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$tmp/usr" --component dev >/dev/null

cmake -S "$src/examples/player" -B "$tmp/player" -G Ninja -DCMAKE_PREFIX_PATH="$tmp/usr" \
  -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror" >"$tmp/log" || fail "configure: $(cat "$tmp/log")"
cmake --build "$tmp/player" >"$tmp/log" || fail "player build: $(cat "$tmp/log")"

export PKG_CONFIG_PATH
PKG_CONFIG_PATH=$(dirname "$(find "$tmp/usr" -name anigif-core.pc)")
[ "$(pkg-config --modversion anigif-core)" = "$version" ] || fail "pkg-config version"
pkg-config --exists --print-errors anigif-widget || fail "anigif-widget.pc does not resolve"
read -ra flags <<<"$(pkg-config --cflags --libs anigif-core)"
[[ ${flags[*]} != *-lQt* && ${flags[*]} != */qt6* ]] || fail "Qt in the core's flags: ${flags[*]}"
c++ -Wall -Wextra -Werror "$src/tests/install/core_consumer.cpp" "${flags[@]}" -o "$tmp/core" ||
  fail "core-only build"
out=$("$tmp/core" "$src/tests/anigif/fixtures/im_optimized.gif") || fail "core-only run"
[[ $out == *"32 x 24" ]] || fail "core-only program printed: $out"
plugin=$(find "$tmp/usr" -path '*/qt6/plugins/designer/libanigif_designer.so')
[ -n "$plugin" ] || fail "no designer plugin in Qt's plugin folder"
ANIGIF_DESIGNER_PLUGIN=$plugin "$build/tests/anigif/anigif_designer_tests" \
  --gtest_filter='*FromUi*' >"$tmp/log" 2>&1 || fail "form with the installed plugin: $(cat "$tmp/log")"
echo "player and core-only program built against the installed package ($out)"
