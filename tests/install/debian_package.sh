#!/usr/bin/env bash
# Builds the Debian packages from the build tree and holds the program's to what a user's apt
# needs: runtime dependencies only, and programs that mine once unpacked; the control's headers go
# to libanigif-dev alone. Both free of lintian errors and warnings. Skips (77) on a machine
# without the packaging tools.
# Usage: debian_package.sh BUILD_DIR EXPECTED_LIST
set -euo pipefail
build=$1 expected=$2
for tool in cpack dpkg-shlibdeps lintian; do
  command -v "$tool" >/dev/null || { echo "SKIP: no $tool"; exit 77; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" ||
  fail "cpack: $(cat "$out/cpack.log")"
deb=$(ls "$out"/quelvo_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6webenginewidgets6 qt6-qpa-plugins fonts-wqy-microhei qt6-translations-l10n; do
  [[ $depends == *"$needed"* ]] || fail "$needed missing from Depends"
done
[[ $depends != *-dev* ]] || fail "a -dev package in Depends"
[[ $depends != *libgif* ]] || fail "giflib in Depends: the program decodes GIF itself"
files=$(dpkg-deb -c "$deb")
! grep -q ' ./usr/include/' <<<"$files" || fail "headers in the program's package"
dev=$(ls "$out"/libanigif-dev_*.deb)
grep -q ' ./usr/include/anigif/control/uc_ani_gif.h$' <<<"$(dpkg-deb -c "$dev")" || fail "no headers in $dev"

lintian --fail-on error,warning --tag-display-limit 0 "$deb" "$dev"
# The package's stripped programs run as the build's do.
bash "$(dirname "$0")/installed_mine.sh" "$deb" "$expected"
