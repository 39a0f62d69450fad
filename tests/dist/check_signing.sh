#!/usr/bin/env bash
# Checks the signed downloads: a throwaway CA and code-signing certificate
# (openssl), `make dist-files` with them into build/sign-check/dist, then for
# each Windows build:
#  - every program (in the zip and in the MSI) and the MSI verify against the
#    CA (osslsigncode verify, SHA-256); a copy with one byte changed fails;
#  - a program less its signature is the unsigned download's byte for byte;
#    the MSI less its signature differs from the unsigned one only where its
#    programs and so its codes differ (tables and streams, msidump);
#  - under 64-bit Wine, in a fresh prefix, the signed MSI installs, the
#    installed program is the signed one and shows its window (the
#    end-to-end driver; the x86 one where the machine runs 32-bit code), and
#    uninstalling removes it.
# Run from the repository root after `make dist` (make test-dist).
set -euo pipefail
cd "$(dirname "$0")/../.."
work=build/sign-check
rm -rf "$work" && mkdir -p "$work/ca"
fail() { echo "check-signing: $*" >&2; exit 1; }
step() { echo "check-signing: $*"; }
[ -s dist/SHA256SUMS ] || fail "no unsigned dist/: run make dist first"

# ---- A CA and a code-signing certificate it issued -------------------------
ca=$work/ca
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Velmora test CA" \
  -addext basicConstraints=critical,CA:true -addext keyUsage=critical,keyCertSign \
  -keyout "$ca/ca.key" -out "$ca/ca.pem" 2>/dev/null
openssl req -newkey rsa:2048 -nodes -subj "/CN=Velmora test signer" \
  -keyout "$ca/signer.key" -out "$ca/signer.csr" 2>/dev/null
openssl x509 -req -in "$ca/signer.csr" -CA "$ca/ca.pem" -CAkey "$ca/ca.key" -days 2 \
  -extfile <(printf 'keyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n') \
  -out "$ca/signer.pem" 2>/dev/null
head -c 24 /dev/urandom | base64 >"$ca/password"
openssl pkcs12 -export -inkey "$ca/signer.key" -in "$ca/signer.pem" -certfile "$ca/ca.pem" \
  -passout "file:$ca/password" -out "$ca/signer.p12"

VELMORA_SIGN_PKCS12=$ca/signer.p12 VELMORA_SIGN_PASSWORD_FILE=$ca/password \
  make --no-print-directory dist-files DIST="$work/dist" >"$work/dist.log" 2>&1 ||
  { tail -20 "$work/dist.log" >&2; fail "make dist-files with a certificate failed"; }

verify() { osslsigncode verify -CAfile "$ca/ca.pem" -in "$1" >"$work/verify.log" 2>&1; }
# A copy of $1 with the byte at $2 changed.
tamper() {
  cp -f "$1" "$work/tampered"
  printf "$(printf '\\%03o' $(( ($(od -An -tu1 -j"$2" -N1 "$1") + 1) % 256 )))" |
    dd of="$work/tampered" bs=1 seek="$2" conv=notrunc status=none
}
code() { msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p'; msiinfo suminfo "$1" | sed -n 's/^Revision number (UUID): //p'; }

checked=0
ia32=$(scripts/ia32.sh)
for zip in "$work"/dist/velmora-*-win*.zip; do
  name=$(basename "$zip" .zip) build=${name##*-}
  msi=$work/dist/$name.msi
  unsigned=$work/$build/unsigned signed=$work/$build/signed
  mkdir -p "$unsigned" "$signed/msi"
  unzip -q "dist/$name.zip" -d "$unsigned"
  unzip -q "$zip" -d "$signed"
  msiextract -C "$signed/msi" "$msi" >/dev/null
  for exe in "$signed"/*.exe; do
    program=$(basename "$exe")
    verify "$exe" || { cat "$work/verify.log" >&2; fail "$name.zip: $program does not verify"; }
    cmp -s "$exe" "$(find "$signed/msi" -name "$program")" || fail "$name.msi: $program is not the zip's"
    rm -f "$work/removed" && osslsigncode remove-signature -in "$exe" -out "$work/removed" >/dev/null
    cmp -s "$work/removed" "$unsigned/$program" || fail "$program less its signature is not the unsigned one"
    checked=$((checked + 1))
  done
  verify "$msi" || { cat "$work/verify.log" >&2; fail "$name.msi does not verify"; }
  tamper "$signed/velmora.exe" 4096
  ! verify "$work/tampered" || fail "velmora.exe with byte 4096 changed still verifies"
  tamper "$msi" $(($(stat -c %s "$msi") / 2))
  ! verify "$work/tampered" || fail "$name.msi with its middle byte changed still verifies"
  step "$name: programs and MSI signed and verified; changed copies fail; unsigned less the signature"

  # The MSI less its signature against the unsigned one, by tables and
  # streams (msidump): the same but for the programs' sizes and hashes, the
  # product and package codes, and the cabinet (whose programs are checked
  # above). The codes must differ, as the content does.
  [ "$(code "$msi")" != "$(code "dist/$name.msi")" ] || fail "$name.msi: signed and unsigned share their codes"
  rm -f "$work/removed.msi" && osslsigncode remove-signature -in "$msi" -out "$work/removed.msi" >/dev/null
  for kind in signed unsigned; do
    dump=$work/$build/dump-$kind && mkdir -p "$dump"
    # (msidump writes binary columns, the Icon table's, into the folder it runs in.)
    source=$PWD/dist/$name.msi && [ $kind = unsigned ] || source=$PWD/$work/removed.msi
    (cd "$dump" && msidump -t -s -d . "$source") >/dev/null
    for table in "$dump"/*.idt; do
      case $(basename "$table") in
        File.idt) cut -f1-3,5- ;;
        MsiFileHash.idt) cut -f1-2 ;;
        Property.idt) grep -v '^ProductCode' ;;
        _SummaryInformation.idt) grep -v $'^9\t' ;;
        *) cat ;;
      esac <"$table" | sed "s/^/$(basename "$table"): /"
    done >"$dump.tables"
    (cd "$dump" && find . -type f ! -name '*.idt' ! -name velmora.cab ! -name '*SummaryInformation' | sort |
       xargs -d '\n' sha256sum) >"$dump.streams"
  done
  diff "$work/$build/dump-signed.tables" "$work/$build/dump-unsigned.tables" &&
    diff "$work/$build/dump-signed.streams" "$work/$build/dump-unsigned.streams" ||
    fail "$name.msi less its signature differs from the unsigned one beyond its programs"
  step "$name: the MSI less its signature is the unsigned one but for its programs and codes"

  # ---- Under Wine: the signed MSI installs and its program starts -----------
  # In one 64-bit prefix, where both packages install; the x86 program is
  # started where the machine runs 32-bit code.
  prefix=$PWD/$work/wineprefix
  wine() { scripts/wine-run.sh --arch win64 --prefix "$prefix" --desktop none --timeout 120 "$@"; }
  wine msiexec /i "Z:$(realpath "$msi" | tr / '\\')" /qn || fail "msiexec /i $name.msi failed"
  installed=$(find "$prefix/drive_c" -path '*/Velmora/velmora.exe')
  cmp -s "$installed" "$signed/velmora.exe" || fail "$name.msi did not install the signed velmora.exe"
  windows_path="C:${installed#"$prefix/drive_c"}"
  started=", its velmora.exe shows its window"
  if [ "$build" = win64 ] || [ "$ia32" = native ]; then
    wine build/win64/e2e_driver.exe year_behind "${windows_path//\//\\}" || fail "the installed signed velmora.exe"
  else
    started=" (its velmora.exe not started: this machine runs no 32-bit code)"
  fi
  wine msiexec /x "Z:$(realpath "$msi" | tr / '\\')" /qn || fail "msiexec /x $name.msi failed"
  [ ! -e "$installed" ] || fail "uninstalling $name.msi left $installed"
  step "$name: the signed MSI installs under Wine$started, it uninstalls"
done
[ "$checked" -gt 0 ] || fail "no Windows program in $work/dist"
