#!/usr/bin/env python3
"""The build's use of the translation catalogues in po/.

  messages.py [--msgfmt=PATH] [--msgen=PATH] header POT PODIR OUT
      velmora_messages.h: the English text of every message of the template
      in its order, for the code's compile-time numbering (runtime/
      messages.hpp), once every catalogue of PODIR has passed the check
      below.
  messages.py [--msgfmt=PATH] [--msgen=PATH] rc POT PODIR OUT FOLDER...
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

Every translation must take the values %1..%9 that its English text takes,
whatever the entry's flags: else the script stops, naming the catalogue,
the line and both texts. The translations are those that gettext's own
msgfmt compiles (so velmora-cli natively and the Windows tables give the
same), read back with Python's gettext module; the order and references of
the template's texts, and each entry's line, from the files themselves,
read by gettext's rules and checked against msgfmt's reading.
"""
import gettext
import io
import json
import os
import re
import struct
import subprocess
import sys
import tempfile

# gettext's tools, found on PATH unless named (--msgfmt=PATH, --msgen=PATH).
TOOLS = {"msgfmt": "msgfmt", "msgen": "msgen"}

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


def parse_po(path):
    """Every entry of a .po or .pot file by gettext's rules, the header and
    obsolete ones included: dicts of msgid, msgstr, flags, refs (file
    names), line (the msgstr's) and obsolete. An entry ends where a comment
    or a keyword follows its msgstr; an obsolete entry's lines begin with
    #~ (and #~| for its previous text, a comment)."""
    entries, entry, field = [], None, None
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            where = f"{path}:{number}"
            line = line.strip()
            obsolete = line.startswith("#~") and not line.startswith("#~|")
            if obsolete:
                line = line[2:].strip()
            if not line:
                continue
            starts = line.startswith("#") or line.startswith("msgctxt") or line.startswith("msgid ")
            if entry is None or (starts and field == "msgstr"):
                entry, field = {"flags": set(), "refs": [], "msgid": None, "msgstr": "",
                                "line": number, "obsolete": False}, None
                entries.append(entry)
            entry["obsolete"] |= obsolete
            if line.startswith("#,"):
                entry["flags"].update(s.strip() for s in line[2:].split(","))
            elif line.startswith("#:"):
                entry["refs"] += [r.rsplit(":", 1)[0] if re.search(r":\d+$", r) else r
                                  for r in line[2:].split()]
            elif line.startswith("#"):
                pass
            elif line.startswith("msgctxt") or line.startswith("msgid_plural"):
                sys.exit(f"{where}: contexts and plurals are not used by this program")
            elif line.startswith("msgid ") and field is None:
                field = "msgid"
                entry["msgid"] = unquote(line[6:].strip(), where)
            elif line.startswith("msgstr ") and field == "msgid":
                field = "msgstr"
                entry["line"] = number
                entry["msgstr"] = unquote(line[7:].strip(), where)
            elif line.startswith('"') and field:
                entry[field] += unquote(line, where)
            else:
                sys.exit(f"{where}: cannot read: {line}")
    return [e for e in entries if e["msgid"] is not None]


def run(tool, *args):
    """One of gettext's tools; its messages go to standard error."""
    try:
        done = subprocess.run([TOOLS[tool], *args])
    except OSError as e:
        sys.exit(f"cannot run {TOOLS[tool]} (gettext): {e}")
    if done.returncode != 0:
        sys.exit(f"{args[-1]}: {tool} failed (above)")


class Missing(gettext.NullTranslations):
    """The fallback of a compiled catalogue: None for a text it lacks."""

    def gettext(self, message):
        return None


def compiled(path, template):
    """The catalogue as gettext's own tools read it: compiled by msgfmt,
    which leaves out the header, obsolete, fuzzy and untranslated entries,
    and read back by Python's gettext module (a template first through
    msgen, which gives every text itself as its translation). Returns the
    catalogue and the number of texts it holds."""
    with tempfile.TemporaryDirectory() as folder:
        mo = os.path.join(folder, "catalogue.mo")
        source = path
        if template:
            source = os.path.join(folder, "catalogue.po")
            run("msgen", "-o", source, path)
        run("msgfmt", "-o", mo, source)
        with open(mo, "rb") as f:
            data = f.read()
    catalogue = gettext.GNUTranslations(io.BytesIO(data))
    catalogue.add_fallback(Missing())
    # The .mo file's header: magic, revision, the number of texts, the
    # catalogue's header entry (msgid "") among them where it has one.
    count = struct.unpack_from("<I" if data[:4] == b"\xde\x12\x04\x95" else ">I", data, 8)[0]
    return catalogue, count - (catalogue.gettext("") is not None)


def read_po(path, template=False):
    """The live entries of a .po or .pot file in its order, with the
    translations that msgfmt gives them (empty where it gives none). Stops
    where this reading and msgfmt's differ."""
    entries = [e for e in parse_po(path) if e["msgid"] and not e["obsolete"]]
    catalogue, count = compiled(path, template)
    kept = 0
    for e in entries:
        ours = e["msgid"] if template else e["msgstr"] if "fuzzy" not in e["flags"] else ""
        theirs = catalogue.gettext(e["msgid"])
        if (theirs or "") != ours:
            sys.exit(f"{path}:{e['line']}: msgfmt reads this entry otherwise: {theirs!r}, not {ours!r}")
        e["msgstr"] = ours
        kept += bool(ours)
    if kept != count:
        sys.exit(f"{path}: msgfmt finds {count} texts translated, this script {kept}")
    return entries


def placeholders(text):
    """The numbers of the values a text takes (%1 .. %9, as Fill reads them)."""
    return sorted(set(re.findall(r"%([1-9])", text)))


def shown(text):
    return " ".join("%" + n for n in placeholders(text)) or "none"


def translations(po, template):
    """The catalogue's translation of each text of the template (empty where
    it has none). Stops, naming the file, the line and both texts, where a
    translation takes other values than its English text: whatever its
    flags say, a dropped or extra %N would lose a value or show another."""
    entries = {e["msgid"]: e for e in read_po(po)}
    faults = []
    for t in template:
        e = entries.get(t["msgid"])
        if e is None or not e["msgstr"]:
            continue
        if placeholders(e["msgstr"]) != placeholders(t["msgid"]):
            faults.append(f"{po}:{e['line']}: the translation takes {shown(e['msgstr'])}, "
                          f"the English text {shown(t['msgid'])}:\n"
                          f"  msgid  {json.dumps(t['msgid'], ensure_ascii=False)}\n"
                          f"  msgstr {json.dumps(e['msgstr'], ensure_ascii=False)}")
    if faults:
        sys.exit("\n".join(faults))
    return {msgid: e["msgstr"] for msgid, e in entries.items()}


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


def catalogues(podir):
    return sorted(os.path.join(podir, n) for n in os.listdir(podir) if n.endswith(".po"))


def header(pot, podir, out):
    entries = read_po(pot, template=True)
    # Every build checks every catalogue, whether or not it carries them.
    for po in catalogues(podir):
        translations(po, entries)
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
    template = read_po(pot, template=True)
    used = [any(r == f or r.startswith(f.rstrip("/") + "/") for r in e["refs"] for f in folders)
            for e in template]
    pos = catalogues(podir)
    stem = os.path.splitext(os.path.basename(out))[0]
    lines, sizes = [], []
    for po in pos:
        name, langid = language_of(po)
        translated = translations(po, template)
        table = bytearray()
        for e, wanted in zip(template, used):
            text = translated.get(e["msgid"], "").encode("utf-8") if wanted else b""
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
    while argv and argv[0].split("=")[0] in ("--msgfmt", "--msgen"):
        tool, path = argv.pop(0)[2:].split("=", 1)
        TOOLS[tool] = path
    if len(argv) == 4 and argv[0] == "header":
        header(argv[1], argv[2], argv[3])
    elif len(argv) >= 5 and argv[0] == "rc":
        rc(argv[1], argv[2], argv[3], argv[4:])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
