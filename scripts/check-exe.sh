#!/usr/bin/env bash
# Checks a finished Windows program: a PE of the expected architecture
# (i686: 32-bit x86, x86_64: x64), the expected subsystem, only system DLLs
# imported, and the file version in its version resource.
#   check-exe.sh FILE gui|console VERSION [i686|x86_64]
set -euo pipefail
file=$1 subsystem=$2 version=$3 arch=${4:-i686}
fail() { echo "check-exe: $file: $*" >&2; exit 1; }
case $arch in
  i686) format=pei-i386 kind=PE32 ;;
  x86_64) format=pei-x86-64 kind=PE32+ ;;
  *) fail "unknown architecture $arch" ;;
esac

headers=$("$arch-w64-mingw32-objdump" -p "$file")
grep -q "file format $format\$" <<<"$headers" || fail "not a $kind ($format) program"
case $subsystem in
  gui) grep -qE '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$headers" || fail "not a GUI-subsystem program" ;;
  console) grep -qE '^Subsystem[[:space:]]+0*3[[:space:]]' <<<"$headers" || fail "not a console program" ;;
esac

system_dlls='^(kernel32|user32|gdi32|comctl32|version|msvcrt|advapi32|shell32|ole32|oleaut32|comdlg32|uxtheme|ntdll|ws2_32)\.dll$'
while read -r dll; do
  lower=$(tr 'A-Z' 'a-z' <<<"$dll")
  [[ $lower =~ $system_dlls ]] || fail "imports $dll, which is not a system DLL"
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")

# The version resource: the key "VS_VERSION_INFO" (UTF-16), then, aligned,
# VS_FIXEDFILEINFO: signature 0xFEEF04BD, then struct version, then the file
# version as MS (minor, major) and LS (revision, build) words.
IFS=. read -r ma mi bu re <<<"$version"
found=$(python3 - "$file" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
key = 'VS_VERSION_INFO\0'.encode('utf-16-le')
# The key's text may also stand in the code that reads the resource: the
# resource is the occurrence followed by the signature.
k = data.find(key)
while k >= 0:
    i = (k + len(key) + 3) & ~3
    if data[i:i + 4] == struct.pack('<I', 0xFEEF04BD):
        ms, ls = struct.unpack_from('<II', data, i + 8)
        print(f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}")
        break
    k = data.find(key, k + 1)
PY
)
[ "$found" = "$ma.$mi.$bu.$re" ] || fail "file version is '${found:-missing}', expected $version"
echo "check-exe: $(basename "$file"): $kind $subsystem, system DLLs only, version $found"
