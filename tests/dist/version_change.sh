#!/usr/bin/env bash
# A new version in CMakeLists.txt reaches every file made from it on the
# next build of an existing build folder, as it happens to a developer: a
# copy of the sources is configured and velmora-cli built, the version is
# changed, the same folder built again.
#   version_change.sh SOURCE-DIR WORK-DIR
set -euo pipefail
src=$1
work=$2
rm -rf "$work"
mkdir -p "$work/src"
tar -C "$src" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$work/src" -xf -
build=$work/build
status=0
fail() { echo "version_change: $*"; status=1; }

# Every file made from the version, and what each says.
check() {
  local v=$1
  [ "$("$build/velmora-cli" --version)" = "velmora-cli $v" ] || fail "velmora-cli --version: $("$build/velmora-cli" --version), expected $v"
  grep -q "VELMORA_FV_STRING \"$v\"" "$build/generated/velmora_version.h" || fail "velmora_version.h is not $v"
  grep -q "version=\"$v\"" "$build/generated/velmora.manifest" || fail "the manifest is not $v"
  grep -q "CPACK_PACKAGE_VERSION \"$v\"" "$build/CPackConfig.cmake" || fail "the Debian package is not $v"
  grep -q "velmora-cli ($v)" "$build/packaging/changelog" || fail "the changelog is not $v"
  local listed
  listed=$(ctest --test-dir "$build" -N -V -R "^cli_program\\.version$")
  grep -qF "velmora-cli $v" <<<"$listed" || fail "the test of --version does not expect $v"
}

old=$(sed -n "s/^set(VELMORA_FILE_VERSION \"\([0-9.]*\)\".*/\1/p" "$work/src/CMakeLists.txt")
[ -n "$old" ] || { echo "version_change: no version in CMakeLists.txt"; exit 1; }
cmake -S "$work/src" -B "$build" >/dev/null
cmake --build "$build" --target velmora-cli -j2 >/dev/null
check "$old"
sed -i "s/^set(VELMORA_FILE_VERSION \"$old\"/set(VELMORA_FILE_VERSION \"9.8.7.6\"/" "$work/src/CMakeLists.txt"
cmake --build "$build" --target velmora-cli -j2 >/dev/null
check 9.8.7.6
[ $status = 0 ] && rm -rf "$work"
exit $status
