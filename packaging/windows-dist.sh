#!/usr/bin/env bash
# Makes one Windows build's downloads, the same bytes from the same sources:
#   windows-dist.sh STAGE OUT NAME ARCH VERSION WXS PROGRAM...
# STAGE holds README.txt, velmora.ico and the library's headers under
# include/velmora/; the PROGRAMs (velmora.exe, velmora-cli.exe) are copied
# there. OUT receives NAME.zip (the programs, README.txt and the headers) and
# NAME.msi (wixl -a ARCH, from WXS: the programs).
#
# Every time in them is SOURCE_DATE_EPOCH (default: the last commit's time):
#  - the programs are padded with zeros to a multiple of 8 bytes and their PE
#    checksum set, the form that signing gives them and that removing the
#    signature leaves (osslsigncode), so a signed program less its
#    signature is the unsigned one;
#  - with VELMORA_SIGN_PKCS12 (a PKCS#12 file), VELMORA_SIGN_PASSWORD_FILE
#    (its password, optional) and VELMORA_SIGN_TIMESTAMP_URL (an RFC 3161
#    time-stamp server, optional) the programs are signed before they go
#    into the zip and the MSI, and the MSI after it is made (Authenticode,
#    SHA-256);
#  - the zip is normalised by strip-nondeterminism: names sorted, every
#    time SOURCE_DATE_EPOCH, permissions 0644/0755, owners 0;
#  - wixl runs under faketime with its clock stopped at SOURCE_DATE_EPOCH
#    (-f; a running clock would put into the summary information how long
#    wixl took), so the MSI's summary information is dated SOURCE_DATE_EPOCH
#    and its cabinet's times too (TZ=UTC); wixl gives the
#    package a random package code, which msibuild replaces;
#  - the product code and the package code are name-based UUIDs (SHA-1,
#    under the UpgradeCode) of the version, the architecture and the
#    checksums of what goes into the MSI: new whenever any of them changes.
set -euo pipefail
[ $# -ge 7 ] || { echo "usage: windows-dist.sh STAGE OUT NAME ARCH VERSION WXS PROGRAM..." >&2; exit 2; }
stage=$1 out=$2 name=$3 arch=$4 version=$5 wxs=$6
shift 6
here=$(cd "$(dirname "$0")" && pwd)
# Debian's python3, for python3-pefile (PATH may find another first).
python=/usr/bin/python3
fail() { echo "windows-dist: $*" >&2; exit 1; }

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$here" log -1 --format=%ct) || fail "SOURCE_DATE_EPOCH unset and no commit to take it from"
fi
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C

signing=()
if [ -n "${VELMORA_SIGN_PKCS12:-}" ]; then
  [ -r "$VELMORA_SIGN_PKCS12" ] || fail "cannot read VELMORA_SIGN_PKCS12=$VELMORA_SIGN_PKCS12"
  signing=(-pkcs12 "$VELMORA_SIGN_PKCS12" -h sha256 -time "$SOURCE_DATE_EPOCH"
           -n Velmora -i https://www.example.org/velmora/about)
  if [ -n "${VELMORA_SIGN_PASSWORD_FILE:-}" ]; then signing+=(-readpass "$VELMORA_SIGN_PASSWORD_FILE"); fi
  if [ -n "${VELMORA_SIGN_TIMESTAMP_URL:-}" ]; then signing+=(-ts "$VELMORA_SIGN_TIMESTAMP_URL"); fi
fi
sign() {  # sign FILE: in place, when a certificate is given
  [ ${#signing[@]} -gt 0 ] || return 0
  osslsigncode sign "${signing[@]}" -in "$1" -out "$1.signed" >/dev/null || fail "signing $1 failed"
  mv "$1.signed" "$1"
}

mkdir -p "$out"
programs=()
for program in "$@"; do
  file=$stage/$(basename "$program")
  cp "$program" "$file"
  "$python" - "$file" <<'PY'
import sys, pefile
data = open(sys.argv[1], 'rb').read()
data += b'\0' * (-len(data) % 8)
pe = pefile.PE(data=data, fast_load=True)
pe.OPTIONAL_HEADER.CheckSum = pe.generate_checksum()
open(sys.argv[1], 'wb').write(pe.write())
PY
  sign "$file"
  chmod 0755 "$file"
  programs+=("$(basename "$file")")
done
headers=()
[ ! -d "$stage/include" ] || mapfile -t headers < <(cd "$stage" && find include -type f | sort)
chmod 0644 "$stage/README.txt" "$stage/velmora.ico" "${headers[@]/#/$stage/}"
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/* "${headers[@]/#/$stage/}"

zip=$out/$name.zip
rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$zip" --format=zip "${programs[@]}" README.txt "${headers[@]}")
strip-nondeterminism -t zip -T "$SOURCE_DATE_EPOCH" "$zip" >/dev/null

# The codes: UUIDs named by what makes the package.
upgrade=$(sed -n 's/.*UpgradeCode="\([^"]*\)".*/\1/p' "$wxs")
content="$version $arch $(cd "$stage" && sha256sum "${programs[@]}" velmora.ico | cut -c1-64 | tr '\n' ' ')"
content+=$(sha256sum "$wxs" | cut -c1-64)
uuid() { "$python" -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' "$upgrade" "$1 $content"; }
product=$(uuid product) package=$(uuid package)

case $arch in
  x86) folders=(-D ProgramFilesFolder=ProgramFilesFolder -D Win64=no) ;;
  x64) folders=(-D ProgramFilesFolder=ProgramFiles64Folder -D Win64=yes) ;;
  *) fail "unknown MSI architecture $arch" ;;
esac
msi=$out/$name.msi
rm -f "$msi"
(cd "$stage" && faketime -f "$(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S')" \
   wixl -a "$arch" -D Version="$version" -D ProductCode="$product" "${folders[@]}" -o "$msi" "$wxs")
# The x86 and x64 packages are one product, and either replaces the other
# at the same version: the row that finds the versions to remove includes
# its maximum, this version (msidbUpgradeAttributesVersionMaxInclusive,
# 512), which wixl's MajorUpgrade leaves out. The Upgrade table's
# attributes are part of its key: the table is imported whole.
msiinfo export "$msi" Upgrade >"$stage/Upgrade.idt"
awk -F '\t' -v OFS='\t' -v max="$version" \
  'NR > 3 && $3 == max && $7 ~ /^WIX_UPGRADE_DETECTED/ && int($5 / 512) % 2 == 0 { $5 += 512; n++ }
   { print } END { exit n == 1 ? 0 : 1 }' "$stage/Upgrade.idt" >"$stage/Upgrade.new" ||
  fail "$msi: no upgrade row up to $version"
(cd "$stage" && mv Upgrade.new Upgrade.idt && msibuild "$msi" -i Upgrade.idt)
# msibuild -s sets the subject, author, template and revision (package
# code) and keeps the rest, times included. The summary information's
# properties by their ids (3 subject, 4 author, 7 template, 9 revision),
# from the table msiinfo exports.
field() { msiinfo export "$msi" _SummaryInformation | tr -d '\r' | awk -F '\t' -v id="$1" 'NR > 3 && $1 == id { print $2 }'; }
msibuild "$msi" -s "$(field 3)" "$(field 4)" "$(field 7)" "{$package}"
[ "$(field 9)" = "{$package}" ] || fail "$msi: the package code did not take"
sign "$msi"
echo "windows-dist: $zip, $msi (product $product, package $package)${signing:+, signed}"
