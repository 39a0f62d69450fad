#!/usr/bin/env bash
# Checks what `make dist` made in dist/, as users get it:
#  - the checksums hold; the zip holds exactly its three files, README.txt
#    with CRLF line ends;
#  - the .deb extracts to a tree whose velmora-cli runs, whose man page
#    renders and whose bash completion completes, and lintian finds no error
#    in it;
#  - under Wine, in a fresh prefix, the MSI installs silently, the installed
#    velmora.exe shows its window and closes (the end-to-end driver), the
#    Start-menu shortcut and the Add/Remove Programs entry exist; a later
#    version replaces it; uninstalling removes files, shortcut and entry.
# Run from the repository root after `make dist` (make test-dist).
set -euo pipefail
cd "$(dirname "$0")/../.."
version=$(sed -n 's/^#define VELMORA_FV_STRING "\(.*\)"/\1/p' build/native/generated/velmora_version.h)
work=build/dist-check
rm -rf "$work" && mkdir -p "$work"
fail() { echo "check-dist: $*" >&2; exit 1; }
step() { echo "check-dist: $*"; }

(cd dist && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
[ "$(cd dist && ls | sort | tr '\n' ' ')" = "SHA256SUMS velmora-$version-win32.msi velmora-$version-win32.zip velmora-cli_${version}_amd64.deb " ] ||
  fail "dist/ holds: $(ls dist | tr '\n' ' ')"

zip=dist/velmora-$version-win32.zip
[ "$(unzip -Z1 "$zip" | sort | tr '\n' ' ')" = "README.txt velmora-cli.exe velmora.exe " ] ||
  fail "$zip holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"
unzip -p "$zip" README.txt | grep -qv $'\r$' && fail "README.txt has a line without CRLF"
# The zip's program is the build's, padded with zeros to a multiple of 8 bytes
# and with its PE checksum (4 bytes at 88 past the PE header) set.
unzip -p "$zip" velmora.exe >"$work/velmora.exe"
sum_at=$(($(od -An -tu4 -j60 -N4 build/win32/velmora.exe) + 88))
{ cmp -l build/win32/velmora.exe "$work/velmora.exe" 2>/dev/null || true; } | awk -v at=$sum_at '$1 <= at || $1 > at + 4 { bad = 1 } END { exit bad }' &&
  [ "$(tail -c +$(($(stat -c %s build/win32/velmora.exe) + 1)) "$work/velmora.exe" | tr -d '\0' | wc -c)" = 0 ] &&
  [ $(($(stat -c %s "$work/velmora.exe") % 8)) = 0 ] || fail "the zip's velmora.exe is not the build's"
step "checksums and zip: as they should be"

deb=dist/velmora-cli_${version}_amd64.deb
dpkg-deb -x "$deb" "$work/deb"
[ "$("$work/deb/usr/bin/velmora-cli" 2026)" = "In the year 2026, Easter holiday occurs in day 5, month 4." ] ||
  fail "the packaged velmora-cli does not answer for 2026"
man -l "$work/deb/usr/share/man/man1/velmora-cli.1.gz" 2>&1 >/dev/null | grep . && fail "the man page renders with warnings"
page=$(man -l "$work/deb/usr/share/man/man1/velmora-cli.1.gz" 2>/dev/null)
grep -q "velmora-cli \[--method N\]" <<<"$page" || fail "the man page does not render the synopsis"
for code in "0 +every +year" "1 +the +method +refused" "2 +the +command +line"; do
  grep -Eq "^ *$code" <<<"$page" || fail "the man page does not say what exit code ${code%% *} means"
done
[ -s "$work/deb/usr/share/doc/velmora-cli/copyright" ] || fail "no copyright file"
bash tests/cli/completion_test.sh "$work/deb/usr/share/bash-completion/completions/velmora-cli" \
  "$work/deb/usr/bin/velmora-cli" >/dev/null || fail "the packaged bash completion"
lintian --fail-on error "$deb" 2>&1 | { grep -v 'root privileges' || true; } | sed 's/^/  lintian: /'
step "deb: velmora-cli runs, its man page renders, its bash completion completes, lintian reports no error"

# ---- The MSI under Wine ----------------------------------------------------
prefix=$PWD/$work/wineprefix
wine() { scripts/wine-run.sh --prefix "$prefix" --desktop none --timeout 120 "$@"; }
msi() { wine msiexec "$1" "Z:$(realpath "$2" | tr / '\\')" /qn || fail "msiexec $1 $2 failed"; }
apps() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r'; }
installed="$prefix/drive_c/Program Files/Velmora"
shortcuts() { find "$prefix/drive_c" -path '*Start Menu/Programs/Velmora.lnk' 2>/dev/null; }

msi /i "dist/velmora-$version-win32.msi"
[ "$(ls "$installed" | tr '\n' ' ')" = "velmora-cli.exe velmora.exe " ] || fail "installed: $(ls "$installed")"
[ -n "$(shortcuts)" ] || fail "no Start-menu shortcut Velmora"
entry=$(apps | grep -A30 'DisplayName *REG_SZ *Velmora$' || true)
for want in "DisplayVersion *REG_SZ *$version" "Publisher *REG_SZ *Velmora developers"; do
  grep -q "$want" <<<"$entry" || fail "Add/Remove Programs entry without '$want'"
done
wine reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | grep -q 'ProductIcon.*velmora.ico' ||
  fail "the product has no icon"
wine build/win32/e2e_driver.exe year_behind 'C:\Program Files\Velmora\velmora.exe' || fail "the installed velmora.exe"
step "msi: installed, shortcut and Add/Remove entry present, velmora.exe shows its window"

# A later version (the installer compares the first three numbers) replaces it.
IFS=. read -r major minor build _ <<<"$version"
later=$major.$minor.$((build + 1)).0
(cd build/win32/dist-stage && wixl -a x86 -D Version="$later" -D ProductCode="$(cat /proc/sys/kernel/random/uuid)" \
  -o "$PWD/../../../$work/later.msi" ../../../packaging/velmora.wxs)
msi /i "$work/later.msi"
[ "$(apps | grep -c 'DisplayName *REG_SZ *Velmora$')" = 1 ] || fail "two versions installed side by side"
apps | grep -q "DisplayVersion *REG_SZ *$later" || fail "the later version did not replace $version"
msi /x "$work/later.msi"
[ ! -e "$installed" ] || fail "left behind: $(find "$installed")"
[ -z "$(shortcuts)" ] || fail "shortcut left behind: $(shortcuts)"
apps | grep -q 'DisplayName *REG_SZ *Velmora$' && fail "Add/Remove Programs entry left behind"
step "msi: version $later replaced $version; uninstalling removed files, shortcut and entry"
