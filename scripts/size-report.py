#!/usr/bin/env python3
"""Where the bytes of a stripped Windows program go, from its link map.

  size-report.py PROGRAM.exe [MAP]   (MAP defaults to PROGRAM.exe.map)

Each input section the linker placed is counted for the part it came from:
the program's own code (the velmora libraries and the program's objects),
the C runtime and C++ support (libstdc++, libgcc, the MinGW runtime and its
start-up objects, winpthread), the resources (.rsrc), and what the linker
makes itself (import tables, relocations). The rest of the file is headers
and section alignment."""
import os
import re
import sys
from collections import Counter

exe = sys.argv[1]
lines = open(sys.argv[2] if len(sys.argv) > 2 else exe + '.map').read().split('\n')
lines = lines[next(i for i, l in enumerate(lines) if l.startswith('Linker script and memory map')):]

def part(section, origin):
    if section.startswith('.rsrc'):
        return 'resources'
    name = os.path.basename(origin)
    if name.startswith('libvelmora') or name.startswith('objects.a') or name.endswith('.obj'):
        return 'program code'
    if name == 'dll' or section.startswith(('.idata', '.reloc')) or re.match(
            r'lib(kernel32|user32|gdi32|comctl32|ole32|oleaut32|oleacc|uuid|advapi32|shell32)\.a', name):
        return 'imports and relocations'
    return 'C runtime and C++ support'

sizes = Counter()
pending = None
placed = re.compile(r'^\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+(\S+)')
for line in lines:
    if pending is not None:
        m = placed.match(line)
        if m:
            sizes[part(pending, m.group(2))] += int(m.group(1), 16)
        pending = None
        continue
    m = re.match(r'^ (\.[^\s*]+)(.*)$', line)
    if not m or m.group(1).startswith(('.debug', '.bss', '.tls')):
        continue
    rest = placed.match(m.group(2))
    if rest:
        sizes[part(m.group(1), rest.group(2))] += int(rest.group(1), 16)
    elif not m.group(2).strip():
        pending = m.group(1)  # the rest of the line is on the next one

total = os.path.getsize(exe)
print(f'{exe}: {total:,} bytes')
for name in ('C runtime and C++ support', 'program code', 'resources', 'imports and relocations'):
    print(f'  {name:<28} {sizes[name]:>9,}')
print(f'  {"headers and alignment":<28} {total - sum(sizes.values()):>9,}')
