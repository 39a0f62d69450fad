#!/usr/bin/env python3
"""cmake/messages.py over small catalogues, as every configure (header) and
each Windows build's tables (rc) run it: a table holds what msgfmt compiles,
and a translation that takes other values than its English text stops both,
naming the file, the line and both texts, with or without its flag.
  messages_test.py MESSAGES.PY MSGFMT MSGEN
"""
import os
import subprocess
import sys
import tempfile

HEADER = 'msgid ""\nmsgstr ""\n"Content-Type: text/plain; charset=UTF-8\\n"\n'
IN, OVERFLOW = "In %1, on %2.", "Overflow"


def entry(msgid, msgstr, extra="", flag="#, qt-format\n"):
    return f'\n{extra}#: src/cli/a.cpp\n{flag}msgid "{msgid}"\nmsgstr "{msgstr}"\n'


# A catalogue's entries (after the header's 3 lines), and the table it gives
# or the line of its fault.
CASES = [
    ("an obsolete entry before a live one; the values in another order",
     entry(IN, "Am %2, in %1.") + entry(OVERFLOW, "Überlauf", '#~ msgid "Gone"\n#~ msgstr "Weg"\n'),
     ["Am %2, in %1.", "Überlauf"]),
    ("%1 dropped, without the flag", entry(IN, "Am %2.", flag=""), 7),
    ("%2 in the place of %1, without the flag",
     entry(OVERFLOW, "Überlauf") + entry(IN, "Am %2, in %2.", flag=""), 12),
]


def main(script, msgfmt, msgen):
    failures = 0
    for name, entries, want in CASES:
        with tempfile.TemporaryDirectory() as folder:
            pot, po = os.path.join(folder, "velmora.pot"), os.path.join(folder, "de.po")
            open(pot, "w", encoding="utf-8").write(HEADER + entry(IN, "") + entry(OVERFLOW, ""))
            open(po, "w", encoding="utf-8").write(HEADER + entries)
            lines = (HEADER + entries).splitlines()
            problems = []
            for what, args in (("header", ["h.h"]), ("rc", ["t.rc", "src/cli"])):
                run = subprocess.run([sys.executable, script, f"--msgfmt={msgfmt}", f"--msgen={msgen}",
                                      what, pot, folder, os.path.join(folder, args[0])] + args[1:],
                                     capture_output=True, text=True)
                said = [f"{po}:{want}:", lines[want - 2][7:-1], lines[want - 1][8:-1]] if isinstance(
                    want, int) else []
                if (run.returncode == 0) == bool(said) or not all(s in run.stderr for s in said):
                    problems.append(f"{what}: exit {run.returncode}, {run.stderr.strip()!r}")
            if not isinstance(want, int) and not problems:
                data, got = open(os.path.join(folder, "t.de.bin"), "rb").read(), []
                while data:  # each text: its length (2 bytes, little endian), its UTF-8
                    size = int.from_bytes(data[:2], "little")
                    got, data = got + [data[2:2 + size].decode()], data[2 + size:]
                if got != want:
                    problems.append(f"the table holds {got}, expected {want}")
        for problem in problems:
            print(f"{name}: {problem}")
        failures += bool(problems)
    print(f"messages.py: {len(CASES) - failures} of {len(CASES)} cases as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
