#!/usr/bin/env bash
# Builds the Debian package from the build tree and holds it to what a user's apt needs: runtime
# dependencies only, no lintian errors, and programs that mine once unpacked. Skips (77) on a
# machine without the packaging tools.
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
dpkg-deb -c "$deb" | grep -q ' ./usr/share/quelvo/skinh.she$' || fail "no skin in the package"

# Errors fail the test; warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb"
# The package's stripped programs run as the build's do.
bash "$(dirname "$0")/installed_mine.sh" "$deb" "$expected"
