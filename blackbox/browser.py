"""The help pages of every language and the printable view of the sample,
rendered by a real browser (Debian's chromium, headless) 1 024 pixels wide:
a screenshot of each is kept, every picture loads, every link leads to a
page and a place that exist, and nothing is wider than the window.

browser.py LVK DIST_FOLDER OUT
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile
from html.parser import HTMLParser
from urllib.parse import unquote, urlsplit

WIDTH = 1024

# Added to a copy of each page: after loading, it writes what it found into
# the page, where the dumped document shows it.
CHECK = """<script>
window.addEventListener('load', () => {
  const bad = [];
  for (const img of document.images)
    if (!img.complete || img.naturalWidth === 0) bad.push('picture ' + img.getAttribute('src'));
  for (const sheet of document.querySelectorAll('link[rel=stylesheet]'))
    if (!sheet.sheet) bad.push('style sheet ' + sheet.getAttribute('href'));
  const report = document.createElement('pre');
  report.id = 'rendering-report';
  report.textContent = JSON.stringify({bad, wide: document.documentElement.scrollWidth});
  document.body.appendChild(report);
});
</script>"""


class Links(HTMLParser):
    """The links and the named places of one page."""

    def __init__(self):
        super().__init__()
        self.links, self.places = [], set()

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.places.add(attrs["id"])
        if tag == "a" and "name" in attrs:
            self.places.add(attrs["name"])
        if tag == "a" and "href" in attrs:
            self.links.append(attrs["href"])


def parsed(path):
    links = Links()
    with open(path, encoding="cp1252", errors="replace") as file:
        links.feed(file.read())
    return links


def broken_links(page):
    """The links of PAGE to a file or a place that does not exist."""
    broken = []
    for href in parsed(page).links:
        parts = urlsplit(href)
        if parts.scheme or href.startswith("mailto:"):
            continue  # the web site: not part of the delivered help
        target = os.path.normpath(os.path.join(os.path.dirname(page), unquote(parts.path))) \
            if parts.path else page
        if not os.path.isfile(target):
            broken.append(f"{href} (no file)")
        elif parts.fragment and parts.fragment not in parsed(target).places:
            broken.append(f"{href} (no such place)")
    return broken


def render(page, shot, profile):
    """Renders a copy of PAGE beside it; the browser's report."""
    with open(page, "rb") as file:
        text = file.read()
    checked = page + ".rendering.html"
    with open(checked, "wb") as file:
        file.write(text.replace(b"</body>", CHECK.encode() + b"</body>"))
    try:
        done = subprocess.run(
            ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
             f"--user-data-dir={profile}", f"--window-size={WIDTH},1400",
             "--virtual-time-budget=2000", f"--screenshot={shot}", "--dump-dom",
             "file://" + checked], capture_output=True, timeout=60)
    finally:
        os.remove(checked)
    dom = done.stdout.decode("utf-8", errors="replace")
    start = dom.find('<pre id="rendering-report">')
    if start < 0 or not os.path.exists(shot):
        return {"bad": [f"the browser did not render it: {done.stderr.decode()[-300:]}"], "wide": 0}
    report = dom[start:].split(">", 1)[1].split("</pre>", 1)[0]
    return json.loads(report.replace("&quot;", '"').replace("&amp;", "&"))


def main():
    lvk, dist, out = sys.argv[1], sys.argv[2], sys.argv[3]
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    work = tempfile.mkdtemp(prefix="lumvik-browser-")
    try:
        # A program folder of its own: the checking copies of the pages never
        # stand in dist/, and lvk finds the settings, texts and theme beside it.
        shutil.copytree(dist, work, dirs_exist_ok=True)
        shutil.copy(lvk, work)
        help_folder = os.path.join(work, "help")
        pages = sorted(os.path.join(folder, name)
                       for folder, _, names in os.walk(help_folder)
                       for name in names if name.endswith(".html"))
        printable = os.path.join(work, "Sample printable.html")
        with open(printable, "wb") as file:
            subprocess.run([os.path.join(work, os.path.basename(lvk)), "export", "--format",
                            "print", os.path.join(work, "Sample.lvk")], stdout=file, check=True)
        failures = []
        for page in pages + [printable]:
            name = os.path.relpath(page, work).replace("/", "-").replace(" ", "-")
            shot = os.path.join(out, name.replace(".html", ".png"))
            report = render(page, shot, os.path.join(work, "profile"))
            problems = report["bad"] + broken_links(page)
            if report["wide"] > WIDTH:
                problems.append(f"{report['wide']} pixels wide")
            failures += [f"{name}: {problem}" for problem in problems]
        print(f"{len(pages)} help pages and the printable view rendered; screenshots in {out}")
        if failures:
            sys.exit("FAIL:\n" + "\n".join(failures))
    finally:
        shutil.rmtree(work, ignore_errors=True)


main()
