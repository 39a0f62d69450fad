#!/usr/bin/env python3
"""The build's use of the translation catalogues in po/.

  messages.py header POT OUT
      velmora_messages.h: the English text of every message of the template
      in its order, for the code's compile-time numbering (runtime/
      messages.hpp).
  messages.py rc POT PODIR OUT FOLDER...
      A resource script with a table of texts for each language of PODIR/*.po
      (an RCDATA resource IDR_TEXTS in that language, its data in a file
      beside OUT), holding the messages used by the sources under the
      FOLDERs given (the template's references say where each is used): each
      Windows program carries only its own. Beside each table, an RCDATA
      resource IDR_LANGUAGE in the same language holds the language's name
      as the catalogue's file has it (el, pt_BR). A table holds every message of
      the template by number, each its length in bytes (16 bits, little
      endian) and its text in UTF-8; a message the program does not use, or
      one not translated, is empty, and the program speaks English for it.
      UTF-8, not the UTF-16 of Windows' STRINGTABLE: it holds the Latin
      scripts' texts in half the bytes (ARCHITECTURE.md, the languages).

Python's standard library only; the .po files are read as msgfmt writes and
reads them (UTF-8, C escapes, continued strings).
"""
import os
import re
import sys

# Windows language ids of the catalogues' language names: a language alone
# is Windows' neutral language (its primary language id), a language with a
# country the specific one. A new language needs its line here.
LANGIDS = {
    "bg": 0x0002, "cs": 0x0005, "de": 0x0007, "el": 0x0008, "es": 0x000A,
    "fr": 0x000C, "hr": 0x001A, "hu": 0x000E, "it": 0x0010, "nl": 0x0013,
    "pl": 0x0015, "pt": 0x0016, "pt_BR": 0x0416, "ro": 0x0018, "ru": 0x0019,
    "sk": 0x001B, "sl": 0x0024, "sr": 0x7C1A, "uk": 0x0022,
}

ESCAPES = {"n": "\n", "t": "\t", "r": "\r", '"': '"', "\\": "\\", "a": "\a", "b": "\b",
           "f": "\f", "v": "\v"}


def unquote(text, where):
    """The value of one quoted .po string (UTF-8 text with C escapes)."""
    if len(text) < 2 or text[0] != '"' or text[-1] != '"':
        sys.exit(f"{where}: not a quoted string: {text}")
    out, i, body = [], 0, text[1:-1]
    while i < len(body):
        c = body[i]
        if c == "\\":
            i += 1
            if i >= len(body) or body[i] not in ESCAPES:
                sys.exit(f"{where}: unknown escape in {text}")
            c = ESCAPES[body[i]]
        out.append(c)
        i += 1
    return "".join(out)


def read_po(path):
    """The entries of a .po or .pot file, the header and obsolete ones left
    out: dicts of msgid, msgstr, flags and refs (file names)."""
    entries, entry, field = [], None, None

    def finish():
        if entry is not None and entry.get("msgid"):
            entries.append(entry)

    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            where = f"{path}:{number}"
            if not line.strip():
                continue
            if entry is None or (field == "msgstr" and not line.startswith('"')):
                finish()
                entry, field = {"flags": set(), "refs": [], "msgid": None, "msgstr": ""}, None
            if line.startswith("#~"):
                entry["obsolete"] = True
            elif line.startswith("#,"):
                entry["flags"].update(s.strip() for s in line[2:].split(","))
            elif line.startswith("#:"):
                entry["refs"] += [r.rsplit(":", 1)[0] if re.search(r":\d+$", r) else r
                                  for r in line[2:].split()]
            elif line.startswith("#"):
                pass
            elif line.startswith("msgctxt") or line.startswith("msgid_plural"):
                sys.exit(f"{where}: contexts and plurals are not used by this program")
            elif line.startswith("msgid "):
                field = "msgid"
                entry["msgid"] = unquote(line[6:].strip(), where)
            elif line.startswith("msgstr "):
                field = "msgstr"
                entry["msgstr"] = unquote(line[7:].strip(), where)
            elif line.startswith('"') and field:
                entry[field] += unquote(line.strip(), where)
            else:
                sys.exit(f"{where}: cannot read: {line}")
    finish()
    return [e for e in entries if not e.get("obsolete")]


def c_literal(text):
    """A C++ wide literal of the text, ASCII only (universal character names
    for the rest)."""
    out = []
    for c in text:
        if c in '"\\':
            out.append("\\" + c)
        elif c == "\n":
            out.append("\\n")
        elif c == "\t":
            out.append("\\t")
        elif c == "\r":
            out.append("\\r")
        elif " " <= c <= "~":
            out.append(c)
        elif ord(c) < 0x10000:
            out.append(f"\\u{ord(c):04X}")
        else:
            out.append(f"\\U{ord(c):08X}")
    return 'L"' + "".join(out) + '"'


def write_if_changed(path, data):
    data = data.encode("utf-8") if isinstance(data, str) else data
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return
    except FileNotFoundError:
        pass
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def header(pot, out):
    entries = read_po(pot)
    lines = [
        "// Generated from po/velmora.pot by cmake/messages.py: the English text of",
        "// every message, numbered in the template's order (runtime/messages.hpp).",
        "#pragma once",
        "",
        "namespace velmora::messages {",
        "",
        f"inline constexpr int kCount = {len(entries)};",
        "inline constexpr const wchar_t* kEnglish[kCount] = {",
    ]
    lines += [f"    {c_literal(e['msgid'])}," for e in entries]
    lines += ["};", "", "}  // namespace velmora::messages", ""]
    write_if_changed(out, "\n".join(lines))


def language_of(po_path):
    name = os.path.splitext(os.path.basename(po_path))[0]
    if name not in LANGIDS:
        sys.exit(f"{po_path}: no Windows language id for '{name}' (add it to LANGIDS in {__file__})")
    return name, LANGIDS[name]


def rc(pot, podir, out, folders):
    template = read_po(pot)
    used = [any(r == f or r.startswith(f.rstrip("/") + "/") for r in e["refs"] for f in folders)
            for e in template]
    pos = sorted(os.path.join(podir, n) for n in os.listdir(podir) if n.endswith(".po"))
    stem = os.path.splitext(os.path.basename(out))[0]
    lines, sizes = [], []
    for po in pos:
        name, langid = language_of(po)
        translations = {e["msgid"]: e["msgstr"] for e in read_po(po)
                        if e["msgstr"] and "fuzzy" not in e["flags"]}
        table = bytearray()
        for e, wanted in zip(template, used):
            text = translations.get(e["msgid"], "").encode("utf-8") if wanted else b""
            table += len(text).to_bytes(2, "little") + text
        data = f"{stem}.{name}.bin"
        write_if_changed(os.path.join(os.path.dirname(out), data), bytes(table))
        lines.append(f"LANGUAGE 0x{langid & 0x3FF:02X}, 0x{langid >> 10:02X}")
        lines.append(f'IDR_TEXTS RCDATA "{data}"')
        # The language's name as the catalogue's file has it: the window's
        # Easter follows its readers' tradition.
        lines.append(f'IDR_LANGUAGE RCDATA {{ "{name}" }}')
        sizes.append(f"{name} {len(table)}")
    head = ["/* Generated by cmake/messages.py from po/: the translations of the",
            " * messages this program uses, a table of texts per language.",
            " * Bytes per language: " + (", ".join(sizes) or "none"), " */", ""]
    write_if_changed(out, "\n".join(head + lines) + "\n")


def main(argv):
    if len(argv) == 3 and argv[0] == "header":
        header(argv[1], argv[2])
    elif len(argv) >= 5 and argv[0] == "rc":
        rc(argv[1], argv[2], argv[3], argv[4:])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
