#!/usr/bin/python3
"""Reads what `lvk export` writes with real parsers: Python's csv module and
html.parser, and the icalendar package (Debian's python3-icalendar).

usage: parser_check.py LVK

The document is written here, byte by byte, in the file format, with what
users type into names and descriptions that other formats give a meaning to.
lvk runs from a copy in a folder of its own, beside a settings file, a
language file and a theme, so that the words and colours are known too.
"""

import csv
import datetime
import html.parser
import io
import os
import re
import shutil
import subprocess
import sys
import tempfile

import icalendar

CP = "cp1252"
QUOTE = "\x1a"  # a double quote inside a stored name or description
BREAK = "\x1b"  # a line break inside a stored description

NAMES = [
    'Say "hi", then; leave',
    "C:\\dir\\file and a\\b",
    "<script>alert(1)</script> &amp; &lt;",
    "caf\u00e9 \u00fcber Stra\u00dfe \u0153uvre 5 \u20ac",
    "</td></tr><tr><td>",
    "x" * 40 + "\u00e9" * 50,
]
DESCRIPTIONS = [
    "",
    'Line one, "quoted"; semi\r\nline two <b>bold</b> &amp;',
    "</td> closes nothing\r\n\r\nafter an empty line",
    "\u00e9 \u00fc \u00df \u0153 \u20ac\r\nback\\slash, comma",
    "<img src=x onerror=alert(1)> 'single' \"double\"",
]
# (start, due): valid, empty, malformed, the start after the due date.
DATES = [
    ("01/05/2026", "15/05/2026"),
    ("", ""),
    ("31/02/2026", "2026-05-01"),
    ("20/05/2026", "10/05/2026"),
    ("10/05/2026", "10/05/2026"),
    ("1/5/2026", "29/02/2024"),
    ("", "31/12/2026"),
    ("29/02/2028", "garbage"),
]

STATUS_TEXTS = {16: "\u00c0 faire <now>", 17: "Started & going", 18: "Waiting \"on\" you",
                19: "Done; nearly", 20: "Stopped, dead"}
URGENCY_TEXTS = {21: "Later </th>", 22: "Soon", 23: "Normal & so", 24: "High", 25: "Urgent!"}
HEADINGS = {179: "Name <n>", 180: "Status", 181: "Urgency & such", 182: "Start",
            183: "Due", 66: "Progress"}
# Each urgency's text and background colour, as red + 256 * green + 65536 * blue.
THEME = {1: (0x010203, 0x0A0B0C), 2: (0x112233, 0x445566), 3: (0x0000FF, 0x00FF00),
         4: (0x778899, 0xAABBCC), 5: (0xFFFFFF, 0x800000)}


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)


def equal(got, wanted, what):
    if got != wanted:
        fail(f"{what}:\n  got    {got!r}\n  wanted {wanted!r}")


class Row:
    def __init__(self, kind, level, name, description, **task):
        self.kind, self.level, self.name, self.description = kind, level, name, description
        self.start = task.get("start", "")
        self.due = task.get("due", "")
        self.progress = task.get("progress", 0)
        self.status = task.get("status", 1)
        self.importance = task.get("importance", 1)


def hostile_rows():
    rows = [Row("categorie", 0, NAMES[0], DESCRIPTIONS[1])]
    n = 0
    for progress in range(11):
        start, due = DATES[n % len(DATES)]
        level = 1 if n % 3 else 2
        if n % 4 == 2:
            rows.append(Row("categorie", 1, NAMES[(n + 3) % len(NAMES)],
                            DESCRIPTIONS[(n + 2) % len(DESCRIPTIONS)]))
            level = 2
        rows.append(Row("task", level, NAMES[n % len(NAMES)], DESCRIPTIONS[n % len(DESCRIPTIONS)],
                        start=start, due=due, progress=progress, status=1 + n % 5,
                        importance=1 + n % 5))
        n += 1
    # Values outside their range, and a row far deeper than its parent.
    rows.append(Row("task", 30, NAMES[2], DESCRIPTIONS[3], start=DATES[0][0], due=DATES[0][1],
                    progress=4, status=9, importance=0))
    rows.append(Row("categorie", 0, "Second \"top\"", ""))
    rows.append(Row("task", 1, NAMES[3], DESCRIPTIONS[2], start=DATES[3][0], due=DATES[3][1],
                    progress=10, status=5, importance=5))
    return rows


def stored(text):
    return text.replace("\r\n", BREAK).replace('"', QUOTE).encode(CP)


def document_bytes(rows):
    out = b'<xml version="2.1" logiciel="Lumvik">\r\n'
    for row in rows:
        common = b' nom="' + stored(row.name) + b'" designation="' + stored(row.description)
        common += b'" level="%d"' % row.level
        if row.kind == "categorie":
            out += b"<categorie" + common + b' avancement="0">\r\n'
        else:
            out += (b"<task" + common + b' importance="%d" datedebut="%s" dateecheance="%s" '
                    b'statut="%d" avancement="%d">\r\n'
                    % (row.importance, row.start.encode(CP), row.due.encode(CP), row.status,
                       row.progress))
    return out


def paths(rows):
    """The names of the rows above each row, " / " between, as a tree shows them."""
    stack, result = [], []
    for row in rows:
        while stack and stack[-1][0] >= row.level:
            stack.pop()
        result.append(" / ".join(name for _, name in stack))
        stack.append((row.level, row.name))
    return result


def value_text(texts, first, value):
    return texts.get(first + value - 1, str(value)) if 1 <= value <= 5 else str(value)


def calendar_date(text):
    try:
        if not re.fullmatch(r"\d\d/\d\d/\d\d\d\d", text):
            return None
        return datetime.datetime.strptime(text, "%d/%m/%Y").date()
    except ValueError:
        return None


def install_program_folder(folder, lvk):
    shutil.copy(lvk, folder)
    with open(os.path.join(folder, "Lumvik.ini"), "wb") as f:
        f.write(b"[Application]\r\nlangage=english\r\n[Image]\r\nskin=hostile\r\n")
    texts = {**STATUS_TEXTS, **URGENCY_TEXTS, **HEADINGS, 54: "Lumvik"}
    with open(os.path.join(folder, "Lumvik.lng.ini"), "wb") as f:
        f.write(b"[english]\r\n")
        for number, text in sorted(texts.items()):
            f.write(b"%d=%s\r\n" % (number, text.encode(CP)))
    with open(os.path.join(folder, "hostile.lvs"), "wb") as f:
        f.write(b"[Theme]\r\n")
        for urgency, (text, background) in THEME.items():
            f.write(b"urg_%d_tc=%d\r\nurg_%d_bc=%d\r\n" % (urgency, text, urgency, background))
    return os.path.join(folder, os.path.basename(lvk))


def export(lvk, fmt, path):
    run = subprocess.run([lvk, "export", "--format", fmt, path], capture_output=True)
    check(run.returncode == 0, f"lvk export --format {fmt} failed: {run.stderr!r}")
    try:
        return run.stdout.decode("utf-8")
    except UnicodeDecodeError as error:
        fail(f"lvk export --format {fmt} is not UTF-8: {error}")


def table_rows(rows):
    """Each row as the table formats give it, but for a category's progress,
    which the reader recomputes from the category's tasks."""
    table = []
    for row, path in zip(rows, paths(rows)):
        if row.kind == "task":
            table.append([path, "task", row.name,
                          value_text(STATUS_TEXTS, 16, row.status),
                          value_text(URGENCY_TEXTS, 21, row.importance),
                          row.start, row.due, f"{row.progress * 10} %", row.description])
        else:
            table.append([path, "categorie", row.name, "", "", "", "", None, row.description])
    return table


def same_row(got, wanted, what):
    equal(len(got), len(wanted), what + " cell count")
    for i, (g, w) in enumerate(zip(got, wanted)):
        if w is None:
            check(re.fullmatch(r"\d+ %", g), f"{what} cell {i}: {g!r}")
        else:
            equal(g, w, f"{what} cell {i}")


def check_csv(text, rows):
    read = list(csv.reader(io.StringIO(text, newline="")))
    equal(read[0], ["path", "kind", "name", "status", "importance", "start", "due", "progress",
                    "description"], "CSV headings")
    equal(len(read) - 1, len(rows), "CSV row count")
    for n, (got, wanted) in enumerate(zip(read[1:], table_rows(rows))):
        same_row(got, wanted, f"CSV row {n}")


class Page(html.parser.HTMLParser):
    """The text of each table cell, its line breaks as typed, and every
    element and attribute the page holds. A cell is the list of its <div>
    blocks, or of its one text when it has none."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.elements, self.attributes = set(), set()
        self.rows = []  # (class of the row, [cells])
        self.texts = {}  # text of title and h1
        self.style = ""
        self._cell = None
        self._in = None

    def handle_starttag(self, tag, attrs):
        self.elements.add(tag)
        self.attributes.update((tag, name, value) for name, value in attrs)
        if tag == "tr":
            self.rows.append((dict(attrs).get("class"), []))
        elif tag in ("td", "th"):
            self._cell = []
            self.rows[-1][1].append(self._cell)
        elif tag == "div" and self._cell is not None:
            self._cell.append("")
        elif tag in ("title", "h1", "style"):
            self._in = tag

    def handle_endtag(self, tag):
        if tag == self._in:
            self._in = None
        elif tag in ("td", "th"):
            if not self._cell:
                self._cell.append("")
            self._cell = None

    def handle_data(self, data):
        if self._in == "style":
            self.style += data
        elif self._in:
            self.texts[self._in] = self.texts.get(self._in, "") + data
        elif self._cell is not None:
            self._add(data.replace("\n", "\r\n"))
        elif data.strip():
            fail(f"text outside the cells: {data!r}")

    def _add(self, text):
        check(self._cell is not None, "a line break outside the cells")
        if not self._cell:
            self._cell.append("")
        self._cell[-1] += text


def parse_page(text):
    page = Page()
    page.feed(text)
    page.close()
    return page


def check_html_table(text, rows):
    page = parse_page(text)
    equal(page.elements, {"html", "head", "meta", "title", "style", "body", "table", "tr", "th",
                          "td"}, "HTML elements")
    equal(page.attributes, {("meta", "charset", "utf-8")}, "HTML attributes")
    cells = [[cell[0] for cell in row_cells] for _, row_cells in page.rows]
    equal(cells[0], ["path", "kind", "name", "status", "importance", "start", "due", "progress",
                     "description"], "HTML headings")
    equal(len(cells) - 1, len(rows), "HTML row count")
    for n, (got, wanted) in enumerate(zip(cells[1:], table_rows(rows))):
        same_row(got, wanted, f"HTML row {n}")


def check_printable_view(text, rows, title):
    page = parse_page(text)
    equal(page.elements, {"html", "head", "meta", "title", "style", "body", "h1", "table",
                          "colgroup", "col", "thead", "tbody", "tr", "th", "td", "div"},
          "printable elements")
    for tag, name, value in page.attributes:
        allowed = (tag, name) in {("meta", "charset"), ("col", "class"), ("tr", "class"),
                                  ("td", "class"), ("div", "class")}
        check(allowed and re.fullmatch(r"[a-z0-9 -]+", value), f"attribute {tag} {name}={value!r}")
    equal(page.texts.get("title"), title, "page title")
    equal(page.texts.get("h1"), title, "page heading")
    equal([cell[0] for cell in page.rows[0][1]], [HEADINGS[n] for n in (179, 180, 181, 182, 183, 66)],
          "printable headings")
    body = page.rows[1:]
    equal(len(body), len(rows), "printable row count")
    for n, ((row_class, cells), row, wanted) in enumerate(zip(body, rows, table_rows(rows))):
        depth = min(max(row.level, 0), 16)
        if row.kind == "task":
            urgency = f" u{row.importance}" if 1 <= row.importance <= 5 else ""
            equal(row_class, f"task{urgency} d{depth}", f"printable row {n} class")
        else:
            equal(row_class, f"category d{depth}", f"printable row {n} class")
        name_cell = cells[0]
        equal(name_cell, [row.name] + ([row.description] if row.description else []),
              f"printable row {n} name and description")
        values = [cell[0] for cell in cells[1:]]
        if row.kind == "task":
            same_row(values, wanted[3:8], f"printable row {n}")
        else:
            same_row(values, ["", "", "", "", None], f"printable row {n}")
    for urgency, (text_colour, background) in THEME.items():
        def css(c):
            return "#%02x%02x%02x" % (c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)
        rule = f"tr.u{urgency} td{{color:{css(text_colour)};background-color:{css(background)}}}"
        check(rule in page.style, f"no rule {rule}")
    check("@media print" in page.style and "print-color-adjust:exact" in page.style,
          "the page does not print its colours")


# A TEXT value as the standard writes it: no bare backslash, semicolon, comma
# or control character other than the tab. This icalendar reads values that
# break it without complaint, so they are checked here first.
TEXT_VALUE = re.compile(r'(?:[^\\;,\x00-\x08\x0a-\x1f\x7f]|\\[\\;,nN])*')


def check_text_values(text):
    unfolded = re.sub(r"\r\n[ \t]", "", text)
    for line in unfolded.split("\r\n"):
        name, _, value = line.partition(":")
        if name in ("SUMMARY", "DESCRIPTION", "CATEGORIES"):
            check(TEXT_VALUE.fullmatch(value), f"badly escaped text value in {line!r}")


def check_icalendar(text, rows):
    raw = text.encode("utf-8")
    for line in raw.split(b"\r\n")[:-1]:
        check(b"\n" not in line and b"\r" not in line, f"bare line end in {line!r}")
        check(len(line) <= 75, f"line of {len(line)} bytes: {line!r}")
    check(raw.endswith(b"END:VCALENDAR\r\n"), "the calendar is not closed")
    check_text_values(text)
    calendar = icalendar.Calendar.from_ical(raw)
    equal(str(calendar["VERSION"]), "2.0", "VERSION")
    check(str(calendar.get("PRODID", "")), "no PRODID")
    todos = calendar.walk("VTODO")
    tasks = [(row, path) for row, path in zip(rows, paths(rows)) if row.kind == "task"]
    equal(len(todos), len(tasks), "one to-do per task")
    check(not calendar.walk("VEVENT"), "events in the calendar")
    equal(len({str(todo["UID"]) for todo in todos}), len(todos), "unique UIDs")
    for n, (todo, (row, path)) in enumerate(zip(todos, tasks)):
        what = f"to-do {n}"
        equal(todo.errors, [], what + " parse errors")
        equal(str(todo["SUMMARY"]), row.name, what + " SUMMARY")
        equal(str(todo["DESCRIPTION"]) if "DESCRIPTION" in todo else "",
              row.description.replace("\r\n", "\n"), what + " DESCRIPTION")
        check(isinstance(todo.decoded("DTSTAMP"), datetime.datetime), what + " DTSTAMP")
        start, due = calendar_date(row.start), calendar_date(row.due)
        if start and due and start > due:
            start = None
        for key, wanted in (("DTSTART", start), ("DUE", due)):
            got = todo.decoded(key) if key in todo else None
            check(got is None or not isinstance(got, datetime.datetime), f"{what} {key} has a time")
            equal(got, wanted, f"{what} {key}")
        percent = row.progress * 10
        equal(int(todo["PERCENT-COMPLETE"]), percent, what + " PERCENT-COMPLETE")
        status = "COMPLETED" if percent == 100 else "IN-PROCESS" if percent else "NEEDS-ACTION"
        equal(str(todo["STATUS"]), status, what + " STATUS")
        # This icalendar splits the list at escaped commas as well, so the
        # category path is compared with its parts joined again.
        categories = getattr(todo.get("CATEGORIES"), "cats", [])
        equal(",".join(str(category) for category in categories), path, what + " CATEGORIES")


def main():
    if len(sys.argv) != 2:
        fail(__doc__)
    rows = hostile_rows()
    with tempfile.TemporaryDirectory() as folder:
        lvk = install_program_folder(folder, sys.argv[1])
        title = "Hostile caf\u00e9 & <list>.lvk"
        path_arg = os.fsencode(folder) + b"/" + title.encode(CP)
        with open(path_arg, "wb") as f:
            f.write(document_bytes(rows))
        check_csv(export(lvk, "csv", path_arg), rows)
        check_html_table(export(lvk, "html", path_arg), rows)
        check_icalendar(export(lvk, "ical", path_arg), rows)
        check_printable_view(export(lvk, "print", path_arg), rows, title)
    print(f"{len(rows)} rows read back from CSV, HTML, iCalendar and the printable view")


if __name__ == "__main__":
    main()
