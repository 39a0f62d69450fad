"""velmora-cli's csv, json and ics read back by Python's own parsers.

    /usr/bin/python3 formats_test.py [EMULATOR...] VELMORA-CLI

Every feast of every year 1583..4099 is checked with Python's date
arithmetic: its days from the Easter Sunday that --iso gives, a Sunday.
"""
import csv
import datetime
import io
import json
import os
import re
import subprocess
import sys

import icalendar

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "cmake"))
import messages  # noqa: E402  the catalogues' reader

PROGRAM = sys.argv[1:]
DAY = datetime.timedelta(days=1)
FEASTS = {  # name: days from Easter Sunday, display name; in calendar order
    "clean-monday": (-48, "Clean Monday"), "ash-wednesday": (-46, "Ash Wednesday"),
    "palm-sunday": (-7, "Palm Sunday"), "maundy-thursday": (-3, "Maundy Thursday"),
    "good-friday": (-2, "Good Friday"), "holy-saturday": (-1, "Holy Saturday"),
    "easter": (0, "Easter Sunday"), "easter-monday": (1, "Easter Monday"),
    "ascension": (39, "Ascension Day"), "pentecost": (49, "Pentecost"),
    "whit-monday": (50, "Whit Monday"), "trinity-sunday": (56, "Trinity Sunday"),
    "corpus-christi": (60, "Corpus Christi"),
}


def expect(ok, what):
    if not ok:
        sys.exit(f"formats_test: {what}")


def run(*args, code=0, env=None):
    p = subprocess.run(PROGRAM + list(args), capture_output=True, timeout=600, env=env)
    expect(p.returncode == code, f"{args}: exit {p.returncode}; stderr {p.stderr!r}")
    return p.stdout, p.stderr.decode()


def expected(method):
    """(year, feast, date) of every feast of 1583..4099, year by year."""
    easters = [datetime.date.fromisoformat(d) for d in
               run("--iso", f"--method={method}", "1583..4099")[0].decode().split()]
    expect(len(easters) == 2517 and all(e.weekday() == 6 for e in easters), "Easter Sundays")
    return [(e.year, name, e + days * DAY) for e in easters for name, (days, _) in FEASTS.items()]


def calendar(*args):
    raw = run("--format=ics", "--feast=all", *args)[0]
    lines = raw.split(b"\r\n")
    expect(lines[-1] == b"" and not any(b"\n" in line or b"\r" in line for line in lines),
           "ics lines end in CRLF")
    expect(max(map(len, lines)) <= 75 and any(line.startswith(b" ") for line in lines),
           "ics lines folded at 75 octets")
    return raw, icalendar.Calendar.from_ical(raw)


out = run("--format=csv", "--feast=all", "--method=2", "1583..4099")[0]
expect(out.endswith(b"\r\n") and out.count(b"\n") == out.count(b"\r\n"), "csv lines end in CRLF")
rows = list(csv.reader(io.StringIO(out.decode(), newline="")))
expect(rows[0] == ["year", "feast", "date"], f"csv header {rows[0]}")
expect([(int(y), f, datetime.date.fromisoformat(d)) for y, f, d in rows[1:]] == expected(2),
       "csv rows")

gregorian = expected(3)
doc = json.loads(run("--format=json", "--feast=all", "1583..4099")[0])
expect(all(set(o) == {"year", "feast", "date", "method"} and o["method"] == 3 for o in doc),
       "json objects")
expect([(o["year"], o["feast"], datetime.date.fromisoformat(o["date"])) for o in doc] == gregorian,
       "json dates")
# Refused years are left out of a document that stays whole.
out, err = run("--format=json", "--feast=good-friday", "1582..1584", "4100", code=1)
expect([o["year"] for o in json.loads(out)] == [1583, 1584], "json without the refused years")
expect(err.splitlines() == [f"velmora-cli: {y}: Gregorian calendar Easters apply for years "
                            "1583 to 4099 only." for y in (1582, 4100)], f"refusals {err!r}")

version = run("--version")[0].split()[1].decode()
raw, cal = calendar("1583..4099")
expect((cal["VERSION"], cal["CALSCALE"]) == ("2.0", "GREGORIAN"), "VERSION, CALSCALE")
expect(f"velmora-cli {version}" in cal["PRODID"], f"PRODID {cal['PRODID']}")
events = cal.walk("VEVENT")
expect(len(events) == len(gregorian), f"{len(events)} events")
now = datetime.datetime.now(datetime.timezone.utc)
for event, (year, feast, date) in zip(events, gregorian):
    got = (event["DTSTART"].dt, event["DTEND"].dt, event["SUMMARY"])
    expect(got == (date, date + DAY, FEASTS[feast][1]), f"{year} {feast}: {got}")
    expect(str(event["DESCRIPTION"]).endswith("reckoning (velmora-cli --method 3)"),
           f"DESCRIPTION {event['DESCRIPTION']}")
    expect(abs(event["DTSTAMP"].dt - now) < datetime.timedelta(hours=1), "DTSTAMP, UTC")
uids = [str(event["UID"]) for event in events]
expect(len(set(uids)) == len(uids), "UIDs unique")
expect(re.findall(rb"^UID:.*", calendar("1583..4099")[0], re.M) ==
       re.findall(rb"^UID:.*", raw, re.M), "UIDs the same on a second run")
# Method 2's events are others; a year given twice is listed once.
_, cal = calendar("--method=2", "2026", "2025..2027")
julian = cal.walk("VEVENT")
expect(len(julian) == 3 * len(FEASTS) and not {str(e["UID"]) for e in julian} & set(uids),
       "method 2's events")
expect(str(julian[0]["DESCRIPTION"]).endswith("reckoning, in the Gregorian calendar "
                                              "(velmora-cli --method 2)"), "escaped comma")

# In the user's language: natively every language carried (LANGUAGE picks
# the catalogue), under Wine those of the locales fixture
# (VELMORA_TEST_LOCALES), which give the UI language. Each reckoning's
# sentence and a calendar's titles as the catalogue words them, each
# reckoning's its own; iso, csv and json the C locale's bytes; a calendar's
# lines still folded whole.
SENTENCES = {  # method: (Easter's sentence, a feast's), as the program writes them in English
    "julian": ("In the year %1, Easter by the Julian reckoning occurs in day %2, month %3 of the "
               "Julian calendar.",
               "In the year %1, %4 by the Julian reckoning occurs in day %2, month %3 of the "
               "Julian calendar."),
    "orthodox": ("In the year %1, Orthodox Easter occurs in day %2, month %3.",
                 "In the year %1, %4 by the Orthodox reckoning occurs in day %2, month %3."),
    "western": ("In the year %1, Easter holiday occurs in day %2, month %3.",
                "In the year %1, %4 occurs in day %2, month %3."),
}
TITLES = {"orthodox": "%1 (Orthodox)", "western": "%1"}
EASTER_2026 = {"julian": (3, 30), "orthodox": (4, 12), "western": (4, 5)}  # month, day


def fill(pattern, *values):
    return re.sub(r"%([1-9])", lambda m: values[int(m[1]) - 1] if int(m[1]) <= len(values)
                  else m[0], pattern)


podir = os.path.join(os.path.dirname(__file__), "..", "..", "po")
locales = os.environ["VELMORA_TEST_LOCALES"]
if len(PROGRAM) == 1:
    runs = [(n[:-3], dict(os.environ, LOCPATH=locales, LANG="en_US.UTF-8", LC_ALL="",
                          LC_MESSAGES="", LANGUAGE=n[:-3]))
            for n in sorted(os.listdir(podir)) if n.endswith(".po")]
else:
    runs = [(language, dict(os.environ, LOCPATH=locales, LANG=f"{locale}.UTF-8", LC_ALL="",
                            LC_MESSAGES="", LANGUAGE=""))
            for language, locale in (("de", "de_DE"), ("ru", "ru_RU"), ("el", "el_GR"))]
expect(len(runs) >= 3, f"languages: {[language for language, _ in runs]}")
for language, env in runs:
    for args in (("--iso", "2024..2026"), ("--format=csv", "--feast=all", "2026"),
                 ("--format=json", "--feast=all", "--method=2", "2025..2026")):
        expect(run(*args, env=env)[0] == run(*args)[0], f"{language}: {args} differ from C's")
    names = {e["msgid"]: e["msgstr"] for e in messages.read_po(os.path.join(podir, f"{language}.po"))}
    said = set()
    for method, patterns in SENTENCES.items():
        month, day = EASTER_2026[method]
        got = run(f"--method={method}", "--feast=easter", "--feast=good-friday", "2026",
                  env=env)[0].decode().splitlines()
        want = [fill(names[patterns[0]], "2026", str(day), str(month)),
                fill(names[patterns[1]], "2026", str(day - 2), str(month), names["Good Friday"])]
        expect(got == want, f"{language}: --method={method}: {got}, expected {want}")
        said.update((kind, line) for kind, line in enumerate(got))
    expect(len(said) == 2 * len(SENTENCES), f"{language}: two reckonings share a sentence: {said}")
    titles = {}
    for method, title in TITLES.items():
        raw = run("--format=ics", "--feast=all", f"--method={method}", "2026", env=env)[0]
        expect(max(map(len, raw.split(b"\r\n"))) <= 75, f"{language}: ics lines folded at 75 octets")
        titles[method] = [str(e["SUMMARY"]) for e in icalendar.Calendar.from_ical(raw).walk("VEVENT")]
        want = [fill(names[title], names[display]) for _, display in FEASTS.values()]
        expect(titles[method] == want, f"{language}: {method} SUMMARY {titles[method]}")
    expect(not set(titles["orthodox"]) & set(titles["western"]),
           f"{language}: the reckonings share an event's title")
