#!/usr/bin/python3
"""Checks the core's birthday exchange against real parsers.

Exports made by exchange_tool are read with the icalendar and vobject
packages (and Python's csv module), which must find every entry's name,
date, yearly rule, alarm and UID. Files made by vobject in each BDAY style,
and CSV files in Google's and Outlook's layouts, are imported with the tool
and must give the expected list.

Usage: check_with_real_parsers.py PATH_TO_EXCHANGE_TOOL
"""
import csv
import datetime
import io
import os
import subprocess
import sys
import tempfile

import icalendar
import vobject

TOOL = sys.argv[1]
TODAY = datetime.date(2026, 12, 7)
LEAD_DAYS = 5
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


# name, day, month, year, remind: the list the exports start from.
ENTRIES = [
    ("Anna Schmidt", "14", "2", "1980", "1"),
    ("Ben", "3", "11", "1975", "0"),
    ("Leap Day", "29", "2", "1992", "1"),
    ("No Year", "29", "2", "", "1"),
    ("Great-grandmother", "5", "1", "1850", "1"),
    ("Zo\u00eb; M\u00fcller, Jr. \\ \u20ac", "7", "7", "2001", "1"),
    ("L" + "\u00e9" * 60 + "ngname", "31", "12", "1999", "0"),
    ("No Date", "", "", "", "1"),
    ("April 31", "31", "4", "1990", "1"),
    # Names a spreadsheet would take for formulas.
    ("=1+2", "1", "4", "1990", "0"),
    ("@home Bea", "2", "4", "", "1"),
]

FORMULA_START = ("=", "+", "-", "@", "\t", "\r")


def list_bytes(entries):
    lines = [str(len(entries))]
    for column in range(5):
        lines += [entry[column] for entry in entries]
    lines += ["1"] * len(entries)
    return "\r\n".join(lines).encode("cp1252")


def real_dated(entries):
    return [e for e in entries if e[1] and not (e[1] == "31" and e[2] == "4")]


def expected_start(entry):
    day, month = int(entry[1]), int(entry[2])
    year = int(entry[3]) if entry[3] else 0
    if year >= 1900:
        return datetime.date(year, month, day)
    for candidate in (TODAY.year, TODAY.year + 1):
        last = 29 if month == 2 and day == 29 else day
        while True:
            try:
                date = datetime.date(candidate, month, last)
                break
            except ValueError:
                last -= 1
        if date >= TODAY:
            return date
    raise AssertionError("no next occurrence")


def run(*args):
    done = subprocess.run([TOOL, *args], capture_output=True, text=True)
    return done.returncode, done.stdout


def export(folder, fmt):
    source = os.path.join(folder, "list.txt")
    with open(source, "wb") as out:
        out.write(list_bytes(ENTRIES))
    target = os.path.join(folder, "out." + fmt)
    code, text = run("export", fmt, source, target, str(LEAD_DAYS), TODAY.isoformat())
    check(code == 0, f"export {fmt} ended with {code}: {text}")
    with open(target, "rb") as exported:
        return exported.read(), text


def check_ics(folder):
    data, summary = export(folder, "ics")
    dated = real_dated(ENTRIES)
    check(summary.strip() == f"{len(dated)} entries exported, {len(ENTRIES) - len(dated)} without a date left out.",
          f"ics summary: {summary!r}")
    check(all(len(line) <= 75 for line in data.split(b"\r\n")), "ics lines longer than 75 octets")

    calendar = icalendar.Calendar.from_ical(data)
    events = {str(event.get("summary")): event for event in calendar.walk("VEVENT")}
    check(len(events) == len(dated), f"icalendar found {len(events)} events")
    uids = {}
    for entry in dated:
        event = events.get(entry[0])
        check(event is not None, f"icalendar: no event for {entry[0]!r}")
        if event is None:
            continue
        check(event.get("dtstart").dt == expected_start(entry), f"icalendar: DTSTART of {entry[0]!r}")
        rule = event.get("rrule")
        check(rule.get("FREQ") == ["YEARLY"], f"icalendar: RRULE of {entry[0]!r}: {rule}")
        if entry[1] == "29" and entry[2] == "2":
            check(rule.get("BYMONTH") == [2] and rule.get("BYMONTHDAY") == [-1], f"icalendar: Feb 29 rule {rule}")
        alarms = list(event.walk("VALARM"))
        if entry[4] == "1":
            check(len(alarms) == 1 and alarms[0].get("trigger").dt == datetime.timedelta(days=-LEAD_DAYS),
                  f"icalendar: alarm of {entry[0]!r}")
        else:
            check(not alarms, f"icalendar: {entry[0]!r} is not reminded")
        uids[entry[0]] = str(event.get("uid"))
    check(len(set(uids.values())) == len(dated), "icalendar: UIDs repeat")

    parsed = vobject.readOne(data.decode("utf-8"))
    seen = {}
    for event in parsed.vevent_list:
        seen[event.summary.value] = event
    for entry in dated:
        event = seen.get(entry[0])
        check(event is not None, f"vobject: no event for {entry[0]!r}")
        if event is None:
            continue
        check(event.dtstart.value == expected_start(entry), f"vobject: DTSTART of {entry[0]!r}")
        check(event.rrule.value.startswith("FREQ=YEARLY"), f"vobject: RRULE of {entry[0]!r}")
        check(str(event.uid.value) == uids.get(entry[0]), f"vobject: UID of {entry[0]!r}")
        has_alarm = hasattr(event, "valarm")
        check(has_alarm == (entry[4] == "1"), f"vobject: alarm of {entry[0]!r}")
        if has_alarm:
            check(event.valarm.trigger.value == datetime.timedelta(days=-LEAD_DAYS), f"vobject: trigger {entry[0]!r}")

    again, _ = export(folder, "ics")
    later = icalendar.Calendar.from_ical(again)
    check({str(e.get("uid")) for e in later.walk("VEVENT")} == set(uids.values()), "UIDs change between exports")
    return uids


def check_vcf(folder, event_uids):
    data, _ = export(folder, "vcf")
    cards = list(vobject.readComponents(data.decode("utf-8")))
    check(len(cards) == len(ENTRIES), f"vobject found {len(cards)} cards")
    check(len({card.uid.value for card in cards if hasattr(card, "uid")}) == len(ENTRIES), "vobject: card UIDs repeat")
    by_name = {card.fn.value: card for card in cards}
    for entry in ENTRIES:
        card = by_name.get(entry[0])
        check(card is not None, f"vobject: no card for {entry[0]!r}")
        if card is None:
            continue
        check(card.version.value == "3.0", "vCard version")
        # Every card has a UID, the one of the entry's calendar event.
        uid = card.uid.value if hasattr(card, "uid") else None
        check(uid is not None, f"vobject: no UID for {entry[0]!r}")
        if entry[0] in event_uids:
            check(uid == event_uids[entry[0]], f"vobject: UID of {entry[0]!r} is not its event's")
        check(hasattr(card, "n"), f"vobject: no N for {entry[0]!r}")
        if entry in real_dated(ENTRIES):
            day, month = int(entry[1]), int(entry[2])
            want = f"{entry[3]}-{month:02}-{day:02}" if entry[3] else f"--{month:02}-{day:02}"
            check(card.bday.value == want, f"vobject: BDAY of {entry[0]!r}: {card.bday.value}")
        else:
            check(not hasattr(card, "bday"), f"vobject: {entry[0]!r} has no birthday")


def check_csv(folder):
    data, _ = export(folder, "csv")
    check(data.startswith(b"\xef\xbb\xbf"), "CSV without byte-order mark")
    rows = list(csv.reader(io.StringIO(data.decode("utf-8-sig"), newline="")))
    check(rows[0] == ["Name", "Day", "Month", "Year", "Remind"], f"CSV header {rows[0]}")
    guarded = [["'" + e[0] if e[0].startswith(FORMULA_START) else e[0], *e[1:]] for e in ENTRIES]
    check(rows[1:] == guarded, f"CSV rows differ from the list: {rows[1:]}")
    # Imported again: names unchanged, Remind as exported.
    code, summary, imported = import_list(folder, "csv", data)
    check(code == 0 and imported == [(*e, "1") for e in real_dated(ENTRIES)],
          f"CSV round trip gave {imported}: {summary}")


def import_list(folder, fmt, data, order="mdy"):
    source = os.path.join(folder, "in." + fmt)
    with open(source, "wb") as out:
        out.write(data)
    target = os.path.join(folder, "imported.txt")
    code, text = run("import", fmt, source, target, order)
    if code != 0:
        return code, text, []
    raw = open(target, "rb").read().decode("cp1252").split("\r\n")
    count = int(raw[0])
    rows = [tuple(raw[1 + column * count + row] for column in range(6)) for row in range(count)]
    return code, text, rows


def check_vobject_cards(folder):
    styles = {
        "Basic": ("19800214", ("14", "2", "1980")),
        "Extended": ("1980-02-14", ("14", "2", "1980")),
        "No year basic": ("--0214", ("14", "2", "")),
        "No year": ("--02-14", ("14", "2", "")),
        "With time": ("1980-02-14T00:00:00Z", ("14", "2", "1980")),
        "J\u00fcrgen M\u00fcller": ("1975-11-03", ("3", "11", "1975")),
        "\u0141ukasz": ("1990-05-06", ("6", "5", "1990")),
    }
    text = ""
    for name, (bday, _) in styles.items():
        card = vobject.vCard()
        card.add("fn").value = name
        card.add("n").value = vobject.vcard.Name(family=name)
        card.add("bday").value = bday
        text += card.serialize()
    card = vobject.vCard()
    card.add("fn").value = "Without birthday"
    card.add("n").value = vobject.vcard.Name(family="Without")
    text += card.serialize()
    code, summary, rows = import_list(folder, "vcf", text.encode("utf-8"))
    check(code == 0, f"vobject cards: {summary}")
    expected = []
    for name, (_, (day, month, year)) in styles.items():
        ansi = name.replace("\u0141", "L")
        expected.append((ansi, day, month, year, "1", "1"))
    check(rows == expected, f"vobject cards imported as {rows}")
    check("Added: 7" in summary and "Skipped, without a birthday: 1" in summary and "Lukasz" in summary,
          f"vobject summary: {summary!r}")


def check_csv_layouts(folder):
    google = io.StringIO(newline="")
    writer = csv.writer(google, lineterminator="\r\n")
    writer.writerow(["Name", "Given Name", "Additional Name", "Family Name", "Birthday", "E-mail 1 - Value"])
    writer.writerow(["Anna Schmidt", "Anna", "", "Schmidt", "1980-02-14", "anna@example.org"])
    writer.writerow(["Ben", "Ben", "", "", "--11-03", ""])
    writer.writerow(["Carla", "Carla", "", "", "", ""])
    code, summary, rows = import_list(folder, "csv", google.getvalue().encode("utf-8"))
    check(code == 0 and rows == [("Anna Schmidt", "14", "2", "1980", "1", "1"), ("Ben", "3", "11", "", "1", "1")],
          f"Google CSV imported as {rows}: {summary}")

    outlook = io.StringIO(newline="")
    writer = csv.writer(outlook, quoting=csv.QUOTE_ALL, lineterminator="\r\n")
    writer.writerow(["Title", "First Name", "Middle Name", "Last Name", "Suffix", "Company", "Birthday"])
    writer.writerow(["", "Anna", "Maria", "Schmidt", "", "", "2/14/1980"])
    writer.writerow(["", "Ben", "", "Berg", "", "", "0/0/00"])
    writer.writerow(["", "J\u00fcrgen", "", "", "", "", "11/3/1975"])
    code, summary, rows = import_list(folder, "csv", outlook.getvalue().encode("cp1252"))
    check(code == 0 and rows == [("Anna Maria Schmidt", "14", "2", "1980", "1", "1"),
                                 ("J\u00fcrgen", "3", "11", "1975", "1", "1")],
          f"Outlook CSV imported as {rows}: {summary}")
    # The same file from a system whose short dates put the day first.
    day_first = outlook.getvalue().replace("2/14/1980", "14/2/1980").replace("11/3/1975", "3/11/1975")
    code, summary, rows = import_list(folder, "csv", day_first.encode("cp1252"), "dmy")
    check(code == 0 and [row[1:4] for row in rows] == [("14", "2", "1980"), ("3", "11", "1975")],
          f"Outlook CSV with day first imported as {rows}")

    code, summary, rows = import_list(folder, "csv", b"Name,E-mail\r\nAnna,anna@example.org\r\n")
    check(code == 2 and "NO BIRTHDAY COLUMN" in summary, f"CSV without a birthday column: {code} {summary!r}")


with tempfile.TemporaryDirectory() as work:
    event_uids = check_ics(work)
    check_vcf(work, event_uids)
    check_csv(work)
    check_vobject_cards(work)
    check_csv_layouts(work)

for failure in failures:
    print("FAILED:", failure)
print(f"{len(failures)} failures")
sys.exit(1 if failures else 0)
