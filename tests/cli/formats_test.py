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

# In the user's language (a locale of the locales fixture, VELMORA_TEST_LOCALES):
# iso, csv and json the same bytes; a calendar's events named as the
# language's catalogue names the feasts, their lines still folded whole.
for language, locale in (("de", "de_DE"), ("ru", "ru_RU"), ("el", "el_GR")):
    env = dict(os.environ, LOCPATH=os.environ["VELMORA_TEST_LOCALES"], LANG=f"{locale}.UTF-8",
               LC_ALL="", LC_MESSAGES="", LANGUAGE="")
    for args in (("--iso", "2024..2026"), ("--format=csv", "--feast=all", "2026"),
                 ("--format=json", "--feast=all", "--method=2", "2025..2026")):
        expect(run(*args, env=env)[0] == run(*args)[0], f"{language}: {args} differ from C's")
    po = os.path.join(os.path.dirname(__file__), "..", "..", "po", f"{language}.po")
    names = {e["msgid"]: e["msgstr"] for e in messages.read_po(po)}
    raw = run("--format=ics", "--feast=all", "2026", env=env)[0]
    expect(max(map(len, raw.split(b"\r\n"))) <= 75, f"{language}: ics lines folded at 75 octets")
    summaries = [str(e["SUMMARY"]) for e in icalendar.Calendar.from_ical(raw).walk("VEVENT")]
    expect(summaries == [names[display] for _, display in FEASTS.values()],
           f"{language}: SUMMARY {summaries}")
