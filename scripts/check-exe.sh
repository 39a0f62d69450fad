#!/usr/bin/env bash
# Checks a finished Windows program: a 32-bit (i386) PE, the expected
# subsystem, only system DLLs imported, and the file version in its version
# resource.   check-exe.sh FILE gui|console VERSION
set -euo pipefail
file=$1 subsystem=$2 version=$3
objdump=i686-w64-mingw32-objdump
fail() { echo "check-exe: $file: $*" >&2; exit 1; }

headers=$($objdump -p "$file")
grep -q 'file format pei-i386' <<<"$headers" || fail "not a 32-bit PE"
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
# version as MS (minor, major) and LS (revision, build) words. (The
# signature alone also occurs in the code that reads the resource.)
IFS=. read -r ma mi bu re <<<"$version"
found=$(python3 - "$file" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
key = 'VS_VERSION_INFO\0'.encode('utf-16-le')
k = data.find(key)
if k < 0:
    sys.exit(0)
i = (k + len(key) + 3) & ~3
if data[i:i + 4] != struct.pack('<I', 0xFEEF04BD):
    sys.exit(0)
ms, ls = struct.unpack_from('<II', data, i + 8)
print(f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}")
PY
)
[ "$found" = "$ma.$mi.$bu.$re" ] || fail "file version is '${found:-missing}', expected $version"
echo "check-exe: $(basename "$file"): PE32 $subsystem, system DLLs only, version $found"
