#!/usr/bin/env bash
# Checks what `make dist` made in dist/, as users get it:
#  - the checksums hold; BUILDINFO gives the tools' versions; the zip holds
#    exactly its three files and the library's header, README.txt with CRLF
#    line ends;
#  - velmora-cli's .deb extracts to a tree whose velmora-cli runs, in German
#    too (LC_ALL=de_DE.UTF-8, the locale made with localedef), whose man
#    page renders and whose bash, fish and zsh completions, each where its
#    shell looks, complete; libvelmora-dev's holds exactly the header, the
#    CMake package files, velmora.pc of the prefix /usr and the documents;
#    lintian finds no error and no warning in either;
#  - under 64-bit Wine, in a fresh prefix, each MSI installs silently, the
#    Start-menu shortcut and the Add/Remove Programs entry exist, and the
#    installed velmora.exe shows its window and closes (the end-to-end
#    driver; the x86 one where the machine runs 32-bit code); a later
#    version replaces it; x64 replaces x86 of the same version; uninstalling
#    removes files, shortcut and entry.
# Run from the repository root after `make dist` (make test-dist).
set -euo pipefail
cd "$(dirname "$0")/../.."
# The tools in English and the C locale, whatever the caller's.
export LC_ALL=C.UTF-8 LANGUAGE=
version=$(sed -n 's/^#define VELMORA_FV_STRING "\(.*\)"/\1/p' build/native/generated/velmora_version.h)
work=build/dist-check
rm -rf "$work" && mkdir -p "$work"
fail() { echo "check-dist: $*" >&2; exit 1; }
step() { echo "check-dist: $*"; }

(cd dist && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
[ "$(cd dist && ls | sort | tr '\n' ' ')" = "BUILDINFO SHA256SUMS libvelmora-dev_${version}_all.deb velmora-$version-win32.msi velmora-$version-win32.zip velmora-$version-win64.msi velmora-$version-win64.zip velmora-cli_${version}_amd64.deb " ] ||
  fail "dist/ holds: $(ls dist | tr '\n' ' ')"
[ "$(sed 's/.*  //' dist/SHA256SUMS | sort | tr '\n' ' ')" = "$(cd dist && ls | grep -v SHA256SUMS | sort | tr '\n' ' ')" ] ||
  fail "SHA256SUMS does not list every file"
# BUILDINFO names the version, and the compilers, binutils, wixl and
# osslsigncode that made the files at the versions dpkg has.
grep -qx "Velmora $version: the downloads and what made them" dist/BUILDINFO || fail "BUILDINFO names no version"
for p in g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 \
         wixl osslsigncode; do
  grep -qxF "  $p $(dpkg-query -W -f '${Version} ${Architecture}' $p)" dist/BUILDINFO ||
    fail "BUILDINFO does not give $p at its version"
done

for b in win32 win64; do
  zip=dist/velmora-$version-$b.zip exe=build/$b/velmora.exe
  [ "$(unzip -Z1 "$zip" | sort | tr '\n' ' ')" = "README.txt include/velmora/easter.hpp velmora-cli.exe velmora.exe " ] ||
    fail "$zip holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"
  unzip -p "$zip" include/velmora/easter.hpp | cmp -s - include/velmora/easter.hpp || fail "$zip: the header is not the tree's"
  unzip -p "$zip" README.txt | grep -qv $'\r$' && fail "$zip: README.txt has a line without CRLF"
  # The zip's program is the build's, padded with zeros to a multiple of 8
  # bytes and with its PE checksum (4 bytes at 88 past the PE header) set.
  unzip -p "$zip" velmora.exe >"$work/velmora.exe"
  sum_at=$(($(od -An -tu4 -j60 -N4 "$exe") + 88))
  { cmp -l "$exe" "$work/velmora.exe" 2>/dev/null || true; } | awk -v at=$sum_at '$1 <= at || $1 > at + 4 { bad = 1 } END { exit bad }' &&
    [ "$(tail -c +$(($(stat -c %s "$exe") + 1)) "$work/velmora.exe" | tr -d '\0' | wc -c)" = 0 ] &&
    [ $(($(stat -c %s "$work/velmora.exe") % 8)) = 0 ] || fail "$zip: velmora.exe is not the build's"
done
step "checksums and zips: as they should be"

deb=dist/velmora-cli_${version}_amd64.deb
dpkg-deb -x "$deb" "$work/deb"
[ "$("$work/deb/usr/bin/velmora-cli" 2026)" = "In the year 2026, Easter holiday occurs in day 5, month 4." ] ||
  fail "the packaged velmora-cli does not answer for 2026"
# In German from the package's own catalogue, found beside where it is installed.
mkdir -p "$work/locale" && localedef -i de_DE -f UTF-8 "$work/locale/de_DE.UTF-8" >/dev/null 2>&1 || true
[ "$(LOCPATH=$work/locale LC_ALL=de_DE.UTF-8 "$work/deb/usr/bin/velmora-cli" 2026)" = "Im Jahr 2026 fällt Ostern auf den 5.4." ] ||
  fail "the packaged velmora-cli does not speak German (share/locale/de/LC_MESSAGES/velmora-cli.mo)"
man -l "$work/deb/usr/share/man/man1/velmora-cli.1.gz" 2>&1 >/dev/null | grep . && fail "the man page renders with warnings"
page=$(man -l "$work/deb/usr/share/man/man1/velmora-cli.1.gz" 2>/dev/null)
grep -q "velmora-cli \[--method M\]" <<<"$page" || fail "the man page does not render the synopsis"
for code in "0 +every +year" "1 +the +method +refused" "2 +the +command +line"; do
  grep -Eq "^ *$code" <<<"$page" || fail "the man page does not say what exit code ${code%% *} means"
done
[ -s "$work/deb/usr/share/doc/velmora-cli/copyright" ] || fail "no copyright file"
share=$work/deb/usr/share
bash tests/cli/completion_test.sh "$work/deb/usr/bin/velmora-cli" bash="$share/bash-completion/completions/velmora-cli" \
  fish="$share/fish/vendor_completions.d/velmora-cli.fish" zsh="$share/zsh/vendor-completions/_velmora-cli" ||
  fail "the packaged completions"
step "deb: velmora-cli runs, in German too, its man page renders, its bash, fish and zsh completions complete"

dev=dist/libvelmora-dev_${version}_all.deb
dpkg-deb -x "$dev" "$work/dev"
[ "$(cd "$work/dev" && find . -type f | sort | tr '\n' ' ')" = "./usr/include/velmora/easter.hpp ./usr/share/cmake/Velmora/VelmoraConfig.cmake ./usr/share/cmake/Velmora/VelmoraConfigVersion.cmake ./usr/share/cmake/Velmora/VelmoraTargets.cmake ./usr/share/doc/libvelmora-dev/changelog.gz ./usr/share/doc/libvelmora-dev/copyright ./usr/share/pkgconfig/velmora.pc " ] ||
  fail "$dev holds: $(cd "$work/dev" && find . -type f | sort | tr '\n' ' ')"
cmp -s "$work/dev/usr/include/velmora/easter.hpp" include/velmora/easter.hpp || fail "$dev: the header is not the tree's"
[ "$(dpkg-deb -f "$dev" Architecture)" = all ] || fail "$dev is not for all architectures"
pc() { PKG_CONFIG_PATH= PKG_CONFIG_LIBDIR=$work/dev/usr/share/pkgconfig pkg-config "$@" velmora; }
[ "$(pc --variable=includedir)" = /usr/include ] && [ "$(pc --modversion)" = "$version" ] ||
  fail "$dev: velmora.pc gives $(pc --variable=includedir), $(pc --modversion)"
# lintian's exit status judges; what it says is shown (but its word about root).
for package in "$deb" "$dev"; do
  lintian_ok=1 && lintian --fail-on error,warning "$package" >"$work/lintian.log" 2>&1 || lintian_ok=0
  { grep -v 'root privileges' "$work/lintian.log" || true; } | sed 's/^/  lintian: /'
  [ $lintian_ok = 1 ] || fail "lintian finds errors or warnings in $package"
done
step "deb: libvelmora-dev holds the header, the CMake package and velmora.pc of /usr; lintian reports no error and no warning in either package"

# ---- The MSIs under Wine ---------------------------------------------------
# A 64-bit prefix, as on the Windows most users have: the x64 package goes
# to Program Files, the x86 one to Program Files (x86). The two are one
# product: either replaces the other, at the same version too; a later
# version replaces an earlier one; an older one is refused.
prefix=$PWD/$work/wineprefix
wine() { scripts/wine-run.sh --arch win64 --prefix "$prefix" --desktop none --timeout 120 "$@"; }
msi() { wine msiexec "$1" "Z:$(realpath "$2" | tr / '\\')" /qn; }
# A registry key as the .reg file that reg export writes (UTF-16), in
# UTF-8: a [key] line, then its values, "name"="text" or name=type:data,
# until a blank line. Nothing where the key does not exist.
exported() {
  rm -f "$work/exported.reg"
  wine reg export "$1" "Z:$(tr / '\\' <<<"$PWD/$work/exported.reg")" /y >/dev/null 2>&1 || return 0
  iconv -f UTF-16 -t UTF-8 "$work/exported.reg" | tr -d '\r'
}
# The entries of Add/Remove Programs, one paragraph each, in both registry
# views: an x86 product's entry is in the 32-bit one (Wow6432Node).
apps() {
  for view in Software Software\\Wow6432Node; do
    exported "HKLM\\$view\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
  done
}
velmora_entries() { apps | awk -v RS= '/(^|\n)"DisplayName"="Velmora"(\n|$)/'; }
declare -A folder=([win32]="Program Files (x86)" [win64]="Program Files")
shortcuts() { find "$prefix/drive_c" -path '*Start Menu/Programs/Velmora.lnk' 2>/dev/null; }
ia32=$(scripts/ia32.sh)
# The same package at another version, made as make dist makes it.
package() {  # package BUILD VERSION: prints the MSI's path
  local stage=$work/stage-$1-$2
  mkdir -p "$stage" && cp "build/$1/dist-stage/README.txt" "build/$1/dist-stage/velmora.ico" "$stage"
  local arch=x64 && [ "$1" = win64 ] || arch=x86
  packaging/windows-dist.sh "$stage" "$PWD/$work" "velmora-$2-$1" $arch "$2" "$PWD/packaging/velmora.wxs" \
    "build/$1/velmora.exe" "build/$1/velmora-cli.exe" >/dev/null
  echo "$work/velmora-$2-$1.msi"
}
# installed BUILD VERSION: what an install of that package leaves, alone.
installed() {
  local other=win32 && [ "$1" = win64 ] || other=win64
  [ "$(ls "$prefix/drive_c/${folder[$1]}/Velmora" 2>/dev/null | tr '\n' ' ')" = "velmora-cli.exe velmora.exe " ] ||
    fail "$1 $2: installed $(ls "$prefix/drive_c/${folder[$1]}/Velmora" 2>&1 | tr '\n' ' ')"
  [ ! -e "$prefix/drive_c/${folder[$other]}/Velmora" ] || fail "$1 $2: the $other files are still there"
  [ "$(shortcuts | wc -l)" = 1 ] || fail "$1 $2: Start-menu shortcuts: $(shortcuts)"
  local entry && entry=$(velmora_entries)
  [ "$(grep -c '^\[' <<<"$entry")" = 1 ] || fail "$1 $2: not one Add/Remove Programs entry"
  for want in "\"DisplayVersion\"=\"$2\"" '"Publisher"="Velmora developers"'; do
    grep -qxF "$want" <<<"$entry" || fail "$1 $2: the Add/Remove Programs entry has no $want"
  done
  exported 'HKLM\Software\Classes\Installer\Products' | grep -q '^"ProductIcon"=".*\\velmora\.ico"$' ||
    fail "$1 $2: the product has no icon"
}
# shows BUILD: the installed velmora.exe shows its window and closes.
shows() {
  wine build/win64/e2e_driver.exe year_behind "C:\\${folder[$1]}\\Velmora\\velmora.exe" >/dev/null ||
    fail "the installed $1 velmora.exe"
}
removed() {
  [ -z "$(find "$prefix/drive_c" -path '*/Velmora*' 2>/dev/null)" ] ||
    fail "left behind: $(find "$prefix/drive_c" -path '*/Velmora*')"
  [ -z "$(velmora_entries)" ] || fail "the Add/Remove Programs entry is left behind"
  return 0
}

IFS=. read -r major minor build _ <<<"$version"
later=$major.$minor.$((build + 1)).0
x86=dist/velmora-$version-win32.msi x64=dist/velmora-$version-win64.msi
msi /i "$x86" || fail "msiexec /i $x86 failed"
installed win32 "$version"
if [ "$ia32" = native ]; then shown=", its velmora.exe shows its window"; shows win32
else shown=" (its velmora.exe not started: this machine runs no 32-bit code)"; fi
step "x86 msi: installed in ${folder[win32]}, shortcut and Add/Remove entry present$shown"
msi /i "$(package win32 "$later")" || fail "msiexec /i of x86 $later failed"
installed win32 "$later"
msi /x "$work/velmora-$later-win32.msi" || fail "msiexec /x of x86 $later failed"
removed
step "x86 msi: $later replaced $version; uninstalling removed files, shortcut and entry"

msi /i "$x86" && msi /i "$x64" || fail "msiexec /i $x64 over $x86 failed"
installed win64 "$version"
shows win64
step "x64 msi: replaced x86 $version, installed in ${folder[win64]}, shortcut and entry present, velmora.exe shows its window"
msi /i "$(package win64 "$later")" || fail "msiexec /i of x64 $later failed"
installed win64 "$later"
! msi /i "$x86" || fail "x86 $version installed over x64 $later"
installed win64 "$later"
msi /x "$work/velmora-$later-win64.msi" || fail "msiexec /x of x64 $later failed"
removed
step "x64 msi: $later replaced $version; x86 $version refused over it; uninstalling removed files, shortcut and entry"
