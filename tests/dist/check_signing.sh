#!/usr/bin/env bash
# Checks the signed downloads: a throwaway CA and code-signing certificate
# (openssl), and a time-stamp authority of the same kind answering RFC 3161
# requests on 127.0.0.1 (openssl ts -reply behind python3's http.server, for
# at most five minutes, stopped once the signing is done or the check ends);
# `make dist-files` with them into build/sign-check/dist, then:
#  - a program signed and time-stamped in January 2020 (the signing time and
#    the responder's clock set so) by a certificate valid only that month
#    verifies now, after it expired; signed without a time stamp it fails as
#    expired;
# and for each Windows build:
#  - every program (in the zip and in the MSI) and the MSI verify against the
#    CA (osslsigncode verify, SHA-256), each with a time stamp that verifies
#    against the TSA's CA and not against another; a copy with one byte
#    changed fails;
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
# The tools in English and the C locale, whatever the caller's.
export LC_ALL=C.UTF-8 LANGUAGE=
work=build/sign-check
rm -rf "$work" && mkdir -p "$work/ca"
fail() { echo "check-signing: $*" >&2; exit 1; }
step() { echo "check-signing: $*"; }
[ -s dist/SHA256SUMS ] || fail "no unsigned dist/: run make dist first"

# ---- CAs, code-signing certificates, a time-stamp authority ---------------
# The CAs and the TSA's certificate date from 2020 (faketime) and last long,
# so that a certificate valid only in January 2020 is the CA's too; the
# certificate that signs the dist is valid now, for two days.
ca=$work/ca
in2020() { faketime '2020-01-01 00:00:00' "$@"; }
newca() {  # newca NAME SUBJECT
  in2020 openssl req -x509 -newkey rsa:2048 -nodes -days 36500 -subj "/CN=$2" \
    -addext basicConstraints=critical,CA:true -addext keyUsage=critical,keyCertSign \
    -keyout "$ca/$1.key" -out "$ca/$1.pem" 2>/dev/null
}
issue() {  # issue NAME CA DAYS EXTENDED-KEY-USAGE [CLOCK...]: NAME.key and NAME.pem
  local name=$1 issuer=$2 days=$3 usage=$4 && shift 4
  openssl req -newkey rsa:2048 -nodes -subj "/CN=Velmora test $name" \
    -keyout "$ca/$name.key" -out "$ca/$name.csr" 2>/dev/null
  "$@" openssl x509 -req -in "$ca/$name.csr" -CA "$ca/$issuer.pem" -CAkey "$ca/$issuer.key" -days "$days" \
    -extfile <(printf 'keyUsage=critical,digitalSignature\nextendedKeyUsage=%s\n' "$usage") \
    -out "$ca/$name.pem" 2>/dev/null
}
newca ca "Velmora test CA"
newca tsa-ca "Velmora test TSA CA"
issue signer ca 2 codeSigning
issue expired ca 30 codeSigning in2020
issue tsa tsa-ca 36500 critical,timeStamping in2020
head -c 24 /dev/urandom | base64 >"$ca/password"
openssl pkcs12 -export -inkey "$ca/signer.key" -in "$ca/signer.pem" -certfile "$ca/ca.pem" \
  -passout "file:$ca/password" -out "$ca/signer.p12"

# The time-stamp authority: openssl ts -reply to each POST, by the clock
# of the request's path /at/SECONDS where it has one (faketime), else now.
cat >"$ca/tsa.cnf" <<EOF
[ tsa ]
default_tsa = velmora_test
[ velmora_test ]
serial = $PWD/$ca/tsa.serial
signer_cert = $PWD/$ca/tsa.pem
signer_key = $PWD/$ca/tsa.key
certs = $PWD/$ca/tsa-ca.pem
signer_digest = sha256
default_policy = 1.3.6.1.4.1.32473.1
digests = sha256, sha384, sha512
ess_cert_id_alg = sha256
EOF
echo 01 >"$ca/tsa.serial"
cat >"$ca/tsa.py" <<'EOF'
import http.server, subprocess, sys, time
folder, seconds = sys.argv[1], float(sys.argv[2])
class Responder(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        with open(folder + '/query.tsq', 'wb') as query:
            query.write(self.rfile.read(int(self.headers.get('Content-Length', 0))))
        clock = []
        if self.path.startswith('/at/'):
            clock = ['faketime', '-f', time.strftime('@%Y-%m-%d %H:%M:%S', time.gmtime(int(self.path[4:])))]
        made = subprocess.run(clock + ['openssl', 'ts', '-reply', '-config', folder + '/tsa.cnf',
                                       '-queryfile', folder + '/query.tsq', '-out', folder + '/reply.tsr'],
                              env={'TZ': 'UTC', 'PATH': '/usr/bin:/bin'}, stderr=subprocess.PIPE)
        if made.returncode != 0:
            sys.stderr.write(made.stderr.decode(errors='replace'))
            self.send_error(500)
            return
        reply = open(folder + '/reply.tsr', 'rb').read()
        self.send_response(200)
        self.send_header('Content-Type', 'application/timestamp-reply')
        self.send_header('Content-Length', str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)
server = http.server.HTTPServer(('127.0.0.1', 0), Responder)
server.timeout = 1
print(server.server_address[1], flush=True)
end = time.monotonic() + seconds
while time.monotonic() < end:
    server.handle_request()
EOF
timeout -k 5 300 /usr/bin/python3 "$ca/tsa.py" "$PWD/$ca" 290 >"$work/tsa.log" 2>&1 &
tsa_pid=$!
stop_tsa() { kill "$tsa_pid" 2>/dev/null || true; wait "$tsa_pid" 2>/dev/null || true; }
trap stop_tsa EXIT
for _ in $(seq 100); do [ -s "$work/tsa.log" ] && break; sleep 0.1; done
tsa=http://127.0.0.1:$(head -1 "$work/tsa.log")
[[ $tsa =~ :[0-9]+$ ]] || fail "the time-stamp authority did not start: $(cat "$work/tsa.log")"

VELMORA_SIGN_PKCS12=$ca/signer.p12 VELMORA_SIGN_PASSWORD_FILE=$ca/password VELMORA_SIGN_TIMESTAMP_URL=$tsa \
  make --no-print-directory dist-files DIST="$work/dist" >"$work/dist.log" 2>&1 ||
  { tail -20 "$work/dist.log" >&2; fail "make dist-files with a certificate failed"; }

# ---- Signed in January 2020, verified after the certificate expired -------
# The signing time (-time) and the time stamp inside the certificate's
# validity; the same program signed without a time stamp, as the contrast.
when=$(date -u -d '2020-01-15 12:00:00' +%s)
unzip -p "$(ls dist/velmora-*-win*.zip | head -1)" velmora-cli.exe >"$work/program.exe"
for how in stamped plain; do
  stamp=(-ts "$tsa/at/$when") && [ $how = stamped ] || stamp=()
  osslsigncode sign -certs "$ca/expired.pem" -key "$ca/expired.key" -h sha256 -time "$when" "${stamp[@]}" \
    -in "$work/program.exe" -out "$work/$how.exe" >/dev/null || fail "signing with the expired certificate ($how) failed"
done
stop_tsa

# verify_at WHEN FILE [CA [TSA-CA]]: whether the signature verifies against
# the CA, and its time stamp against the TSA-CA, by osslsigncode's exit
# status, with the clock at WHEN (as faketime takes it) or now; its log in
# verify.log. Only the exit status counts: osslsigncode's words differ from
# version to version (2.5 and 2.9).
verify_at() {
  local clock=() && [ "$1" = now ] || clock=(faketime -f "$1")
  "${clock[@]}" osslsigncode verify -CAfile "$ca/${3:-ca}.pem" -TSA-CAfile "$ca/${4:-tsa-ca}.pem" -in "$2" \
    >"$work/verify.log" 2>&1
}
verify() { verify_at now "$@"; }
# stamped FILE [CA [TSA-CA]]: the same five days on, when the certificate
# that signed the dist (valid for two days) has expired. A certificate is
# then judged at the date of the signature's time stamp, so the file
# verifies only with a time stamp that verifies against the TSA-CA. (While
# the certificate is valid, osslsigncode exits 0 whether or not the time
# stamp verifies.)
stamped() { verify_at +5d "$@"; }

# Valid only in January 2020, the certificate lets the stamped program
# verify only with a time stamp of that month.
verify "$work/stamped.exe" ||
  { cat "$work/verify.log" >&2; fail "a program time-stamped while its certificate was valid does not verify after it expired"; }
! verify "$work/stamped.exe" ca ca || fail "its time stamp verifies against the code-signing CA as the TSA's"
! verify "$work/plain.exe" && verify_at '@2020-01-20 00:00:00' "$work/plain.exe" ||
  { cat "$work/verify.log" >&2; fail "signed by the expired certificate without a time stamp, it does not fail as expired (and only so)"; }
step "time-stamped in January 2020, a program verifies after its certificate expired; without the time stamp it fails"

# A copy of $1 with the byte at $2 changed.
tamper() {
  cp -f "$1" "$work/tampered"
  printf "$(printf '\\%03o' $(( ($(od -An -tu1 -j"$2" -N1 "$1") + 1) % 256 )))" |
    dd of="$work/tampered" bs=1 seek="$2" conv=notrunc status=none
}
# The product code and the package code (the summary information's
# property 9), from the tables msiinfo exports.
code() {
  msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p'
  msiinfo export "$1" _SummaryInformation | tr -d '\r' | awk -F '\t' 'NR > 3 && $1 == 9 { print $2 }'
}

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
    verify "$exe" && stamped "$exe" || { cat "$work/verify.log" >&2; fail "$name.zip: $program does not verify with its time stamp"; }
    cmp -s "$exe" "$(find "$signed/msi" -name "$program")" || fail "$name.msi: $program is not the zip's"
    rm -f "$work/removed" && osslsigncode remove-signature -in "$exe" -out "$work/removed" >/dev/null
    cmp -s "$work/removed" "$unsigned/$program" || fail "$program less its signature is not the unsigned one"
    checked=$((checked + 1))
  done
  verify "$msi" && stamped "$msi" || { cat "$work/verify.log" >&2; fail "$name.msi does not verify with its time stamp"; }
  ! stamped "$msi" ca ca || fail "$name.msi: its time stamp verifies against the code-signing CA as the TSA's"
  tamper "$signed/velmora.exe" 4096
  ! verify "$work/tampered" || fail "velmora.exe with byte 4096 changed still verifies"
  tamper "$msi" $(($(stat -c %s "$msi") / 2))
  ! verify "$work/tampered" || fail "$name.msi with its middle byte changed still verifies"
  step "$name: programs and MSI signed, time-stamped and verified; changed copies fail; unsigned less the signature"

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
