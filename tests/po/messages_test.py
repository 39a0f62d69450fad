#!/usr/bin/env python3
"""cmake/messages.py over small catalogues, as every configure runs it
(header) and as each Windows build makes its tables (rc): a table holds
every translation msgfmt compiles, and a translation that takes other
values than its English text stops both, naming the file, the line and
the two texts, whether or not the entry keeps its flag.
  messages_test.py MESSAGES.PY MSGFMT MSGEN
"""
import os
import subprocess
import sys
import tempfile

HEADER = 'msgid ""\nmsgstr ""\n"Content-Type: text/plain; charset=UTF-8\\n"\n\n'
TEMPLATE = HEADER + """#: src/cli/a.cpp
#, qt-format
msgid "In %1, on %2."
msgstr ""

#: src/cli/a.cpp
#, qt-format
msgid "Overflow"
msgstr ""
"""
# A catalogue's entries after its header (whose msgstr "" is line 2, its
# first entry on line 5), and the table it gives (each text of the
# template) or the line of the fault.
CASES = [
    ("an obsolete entry before a live one; the values in another order", """#: src/cli/a.cpp
msgid "In %1, on %2."
msgstr "Am %2, in %1."

#~ msgid "Gone"
#~ msgstr "Weg"
#: src/cli/a.cpp
msgid "Overflow"
msgstr "Überlauf"
""", ["Am %2, in %1.", "Überlauf"]),
    ("%1 dropped, without the flag", """#: src/cli/a.cpp
msgid "In %1, on %2."
msgstr "Am %2."
""", 7),
    ("%2 in the place of %1, without the flag", """#: src/cli/a.cpp
msgid "Overflow"
msgstr "Überlauf"

#: src/cli/a.cpp
msgid "In %1, on %2."
msgstr "Am %2, in %2."
""", 11),
]


def table(path):
    data, texts = open(path, "rb").read(), []
    while data:
        size = int.from_bytes(data[:2], "little")
        texts.append(data[2:2 + size].decode("utf-8"))
        data = data[2 + size:]
    return texts


def main(script, msgfmt, msgen):
    failures = 0
    for name, entries, want in CASES:
        with tempfile.TemporaryDirectory() as folder:
            pot, po = os.path.join(folder, "velmora.pot"), os.path.join(folder, "de.po")
            open(pot, "w", encoding="utf-8").write(TEMPLATE)
            open(po, "w", encoding="utf-8").write(HEADER + entries)
            tools = [sys.executable, script, f"--msgfmt={msgfmt}", f"--msgen={msgen}"]
            runs = {what: subprocess.run(tools + [what, pot, folder] + args, capture_output=True,
                                         text=True)
                    for what, args in (("header", [os.path.join(folder, "h.h")]),
                                       ("rc", [os.path.join(folder, "t.rc"), "src/cli"]))}
            problems = []
            for what, run in runs.items():
                if isinstance(want, int):
                    lines = open(po, encoding="utf-8").read().splitlines()
                    msgid, msgstr = lines[want - 2][6:], lines[want - 1][7:]
                    said = [f"{po}:{want}:", msgid.strip('"'), msgstr.strip('"')]
                    if run.returncode == 0 or not all(s in run.stderr for s in said):
                        problems.append(f"{what}: exit {run.returncode}, expected a fault naming "
                                        f"{said}; it said: {run.stderr.strip()}")
                elif run.returncode != 0:
                    problems.append(f"{what}: exit {run.returncode}: {run.stderr.strip()}")
            if not isinstance(want, int) and not problems:
                got = table(os.path.join(folder, "t.de.bin"))
                if got != want:
                    problems.append(f"rc: the table holds {got}, expected {want}")
        for problem in problems:
            print(f"{name}: {problem}")
        failures += bool(problems)
    print(f"messages.py: {len(CASES) - failures} of {len(CASES)} cases as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
