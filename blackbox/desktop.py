"""The programs seen from outside: started under Wine on the Xvfb display of
$LUMVIK_WINE_DIR, driven by xdotool's keyboard and mouse, and read back only
through what a user sees or keeps: window titles, screenshots, saved files
(through lvk dump), the registry."""

import glob
import json
import os
import shutil
import subprocess
import sys
import time
from contextlib import contextmanager

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


class StepFailed(Exception):
    pass


def wine_environment():
    """The environment of scripts/wine-env.sh for $LUMVIK_WINE_DIR."""
    listing = subprocess.run(
        ["bash", "-c", f'. "{ROOT}/scripts/wine-env.sh" && env -0'],
        check=True, capture_output=True).stdout
    env = dict(entry.split("=", 1) for entry in listing.decode().split("\0") if "=" in entry)
    # Start-menu entries and associations stay inside the prefix.
    env["WINEDLLOVERRIDES"] += ";winemenubuilder.exe=d"
    return env


class Picture:
    """Pixels taken from the screen: rows of (r, g, b) bytes."""

    def __init__(self, pixels, width, height):
        self.pixels = pixels
        self.width = width
        self.height = height

    def at(self, x, y):
        start = (y * self.width + x) * 3
        return tuple(self.pixels[start:start + 3])

    def boxes(self, colour, left=0, top=0, right=None, bottom=None):
        """The bounding boxes (x, y, width, height) of the areas drawn in
        exactly COLOUR inside the given part, in reading order: a
        highlighted row, a selected day, a title band."""
        right = self.width if right is None else right
        bottom = self.height if bottom is None else bottom
        wanted = bytes(colour)
        # The runs of the colour on each line join the boxes of the line
        # above that they touch.
        growing, done = [], []
        for y in range(top, bottom):
            runs = list(self._runs(wanted, y, left, right))
            still_growing = []
            for box in growing:
                touching = [run for run in runs if run[0] < box[2] and run[1] > box[0]]
                if not touching:
                    done.append(box)
                    continue
                for run in touching:
                    runs.remove(run)
                    box = [min(box[0], run[0]), box[1], max(box[2], run[1]), y + 1]
                box[3] = y + 1
                still_growing.append(box)
            growing = still_growing + [[start, y, end, y + 1] for start, end in runs]
        done.extend(growing)
        return sorted(((x0, y0, x1 - x0, y1 - y0) for x0, y0, x1, y1 in done),
                      key=lambda box: (box[1], box[0]))

    def _runs(self, wanted, y, left, right):
        """(start, end) of each stretch of the line Y drawn in WANTED."""
        row = self.pixels[y * self.width * 3:(y + 1) * self.width * 3]
        x = left
        while x < right:
            if row[x * 3:x * 3 + 3] != wanted:
                x += 1
                continue
            start = x
            while x < right and row[x * 3:x * 3 + 3] == wanted:
                x += 1
            yield start, x


class Desktop:
    """One scenario's view of the display: its programs, its steps, its
    screenshots (kept in OUT, numbered in the order taken)."""

    def __init__(self, name, program_folder, out):
        self.name = name
        self.env = wine_environment()
        self.wine = self.env["WINE"]
        self.out = out
        shutil.rmtree(out, ignore_errors=True)
        os.makedirs(out)
        self.source_program = program_folder
        self.shots = 0
        self.current_step = "start"
        self.started = []
        # Nothing of an earlier scenario stays open.
        self.kill_all()
        # Copies kept by an earlier scenario's killed Lumvik would be offered
        # back at start.
        for folder in self.recovery_folders():
            shutil.rmtree(folder)

    def recovery_folders(self):
        return glob.glob(os.path.join(self.env["WINEPREFIX"], "drive_c", "users", "*",
                                      "AppData", "Local", "Lumvik", "recovery"))

    def recovery_copies(self):
        """The copies of unsaved changes that Lumvik keeps for the user."""
        return sorted(name for folder in self.recovery_folders()
                      for name in os.listdir(folder) if name.endswith(".lvkr"))

    # --- Steps -----------------------------------------------------------

    @contextmanager
    def step(self, what):
        """A named step: when it fails, the scenario says which step and what
        it saw, and keeps a screenshot of the moment."""
        self.current_step = what
        print(f"{self.name}: {what}", flush=True)
        try:
            yield
        except StepFailed as failure:
            self.shot("failed")
            raise StepFailed(f"step \"{what}\": {failure}") from None
        self.shot(what)

    def shot(self, label):
        self.shots += 1
        safe = "".join(c if c.isalnum() else "-" for c in label)[:50]
        taken = subprocess.run(["import", "-window", "root",
                                os.path.join(self.out, f"{self.shots:02d}-{safe}.png")],
                               env=self.env, capture_output=True)
        if taken.returncode != 0:
            raise StepFailed(f"no screenshot: {taken.stderr.decode(errors='replace')}")

    def wait_for(self, test, what, seconds=20, seen=None):
        """Waits until test() is true; on time-out, fails saying what was
        expected and what seen() shows instead."""
        deadline = time.monotonic() + seconds
        while True:
            if test():
                return
            if time.monotonic() > deadline:
                shown = seen() if seen else self.titles()
                raise StepFailed(f"expected {what}; saw {shown!r}")
            time.sleep(0.2)

    def expect(self, actual, expected, what):
        if actual != expected:
            raise StepFailed(f"expected {what} {expected!r}; saw {actual!r}")

    # --- Programs --------------------------------------------------------

    def fresh_program_folder(self, where="program"):
        """A copy of the program folder as delivered, in this scenario's
        folder, with nothing of an earlier run."""
        folder = os.path.join(self.out, where)
        shutil.rmtree(folder, ignore_errors=True)
        shutil.copytree(self.source_program, folder)
        return folder

    @staticmethod
    def windows_path(path):
        """The path as Wine's programs see it: drive Z: is the root."""
        return "Z:" + os.path.abspath(path).replace("/", "\\")

    def start(self, program, *args, cwd=None):
        """Starts a program of Wine in the background, as a double click
        would."""
        process = subprocess.Popen([self.wine, program] + list(args), env=self.env,
                                   cwd=cwd or os.path.dirname(program),
                                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True)
        self.started.append(process)
        return process

    def wait_until_ended(self):
        """Waits until every program the scenario started has ended."""
        self.wait_for(lambda: all(p.poll() is not None for p in self.started),
                      "the programs ended")

    def kill_all(self):
        """Ends every program of the session (as a power cut would) and
        waits until their windows are gone."""
        subprocess.run(["/usr/lib/wine/wineserver", "-k"], env=self.env)
        subprocess.run(["/usr/lib/wine/wineserver", "-w"], env=self.env)
        for process in self.started:
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
        self.started.clear()
        # The server and Wine's own services start again here, with no
        # output of ours to hold open: a command whose output is read (lvk
        # dump) would otherwise wait for them to end.
        subprocess.run(["/usr/lib/wine/wineserver", "-p"], env=self.env,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        subprocess.run([self.wine, "cmd", "/c", "exit"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    # --- Windows ---------------------------------------------------------

    def xdotool(self, *args, check=True):
        done = subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env,
                              capture_output=True)
        if check and done.returncode != 0 and args[0] != "search":
            raise StepFailed(f"xdotool {' '.join(map(str, args))}: {done.stderr.decode()}")
        return done.stdout.decode(errors="replace")

    def window_ids(self, name=None):
        pattern = name if name is not None else "."
        out = self.xdotool("search", "--onlyvisible", "--name", pattern)
        return [int(line) for line in out.split()]

    def title(self, window):
        return self.xdotool("getwindowname", window, check=False).strip()

    def titles(self):
        return sorted({self.title(w) for w in self.window_ids()} - {""})

    def window_titled(self, exact, seconds=60):
        """The window whose title is EXACT, once it is shown."""
        found = []

        def shown():
            found[:] = [w for w in self.window_ids() if self.title(w) == exact]
            return bool(found)
        self.wait_for(shown, f"a window titled {exact!r}", seconds)
        return found[0]

    def window_title_starting(self, prefix, seconds=60):
        found = []

        def shown():
            found[:] = [w for w in self.window_ids() if self.title(w).startswith(prefix)]
            return bool(found)
        self.wait_for(shown, f"a window titled {prefix!r}...", seconds)
        return found[0]

    def no_window_titled(self, exact, seconds=20):
        self.wait_for(lambda: exact not in self.titles(), f"no window titled {exact!r}", seconds)

    def answer(self, title, key):
        """Answers the message titled TITLE with KEY (a button's letter,
        Return or Escape) once it shows, and waits until it is gone."""
        self.focus(self.window_titled(title, seconds=15))
        self.shot(f"message in {self.current_step}")
        self.keys(key)
        self.no_window_titled(title)

    def geometry(self, window):
        """(x, y, width, height) of a window's inner area on the screen."""
        values = {}
        for line in self.xdotool("getwindowgeometry", "--shell", window).split():
            key, value = line.split("=")
            values[key] = int(value)
        return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]

    # --- Keyboard and mouse ----------------------------------------------

    def focus(self, window):
        self.xdotool("windowfocus", window)
        time.sleep(0.2)

    def keys(self, *keys, pause=0.15):
        for key in keys:
            self.xdotool("key", "--delay", "60", key)
            time.sleep(pause)

    def type(self, text):
        self.xdotool("type", "--delay", "40", text)
        time.sleep(0.2)

    def click(self, window, x, y, button=1, double=False):
        """A click at (x, y) inside the window's inner area."""
        left, top, _, _ = self.geometry(window)
        self.xdotool("mousemove", left + x, top + y)
        time.sleep(0.1)
        self.xdotool("click", "--repeat", 2 if double else 1, "--delay", 80, button)
        time.sleep(0.3)

    def drag(self, window, start, end):
        left, top, _, _ = self.geometry(window)
        self.xdotool("mousemove", left + start[0], top + start[1])
        self.xdotool("mousedown", 1)
        for i in range(1, 9):
            x = start[0] + (end[0] - start[0]) * i // 8
            y = start[1] + (end[1] - start[1]) * i // 8
            self.xdotool("mousemove", left + x, top + y)
            time.sleep(0.08)
        self.xdotool("mouseup", 1)
        time.sleep(0.4)

    def picture(self, window, x=0, y=0, width=None, height=None):
        """What is drawn in a part of the window's inner area (the rest of
        it from (x, y) by default)."""
        left, top, full_width, full_height = self.geometry(window)
        width = full_width - x if width is None else width
        height = full_height - y if height is None else height
        pixels = subprocess.run(["import", "-window", "root", "-crop",
                                 f"{width}x{height}+{left + x}+{top + y}", "-depth", "8", "rgb:-"],
                                env=self.env, check=True, capture_output=True).stdout
        return Picture(pixels, width, height)

    def system_colour(self, name):
        """A colour of the Windows colour scheme (Hilight, ActiveTitle...)
        as (r, g, b)."""
        value = self.reg_value(r"HKCU\Control Panel\Colors", name)
        if value is None:
            raise StepFailed(f"no system colour {name}")
        return tuple(int(part) for part in value.split())

    def log_geometry(self, what, value):
        """Says what the scenario measured on the screen, and keeps it in
        geometry.txt beside the screenshots, so that runs with other fonts
        or another resolution can be compared."""
        line = f"{self.current_step}: {what} = {value}"
        print(f"{self.name}: geometry: {line}", flush=True)
        with open(os.path.join(self.out, "geometry.txt"), "a") as log:
            log.write(line + "\n")

    # --- What is kept ----------------------------------------------------

    def dump(self, lvk, document):
        """The document as lvk dump reads it: (exit status, parsed JSON or
        the error text)."""
        done = subprocess.run([self.wine, lvk, "dump", self.windows_path(document)],
                              env=self.env, stdin=subprocess.DEVNULL, capture_output=True)
        text = done.stdout.decode("utf-8", errors="replace").replace("\r", "")
        if done.returncode != 0:
            return done.returncode, done.stderr.decode(errors="replace")
        return 0, json.loads(text)

    def reg_value(self, key, name=None):
        """The data of a registry value (the key's default value without
        NAME) as reg query shows it, or None."""
        option, shown = (["/v", name], name) if name else (["/ve"], "(Default)")
        done = subprocess.run([self.wine, "reg", "query", key] + option, env=self.env,
                              stdin=subprocess.DEVNULL, capture_output=True)
        if done.returncode != 0:
            return None
        for line in done.stdout.decode(errors="replace").replace("\r", "").split("\n"):
            parts = line.strip().split("    ")
            if len(parts) >= 3 and parts[0] == shown:
                return parts[2]
        return None


def main(scenario):
    """Runs SCENARIO(desktop) for the program folder of argv[1], keeping its
    screenshots in argv[2]; exits 1 with the failed step's account."""
    name = os.path.splitext(os.path.basename(sys.argv[0]))[0]
    desktop = Desktop(name, sys.argv[1], sys.argv[2])
    try:
        scenario(desktop)
    except (StepFailed, KeyError, ValueError, StopIteration,
            subprocess.CalledProcessError) as failure:
        print(f"FAIL {name} after step \"{desktop.current_step}\": {failure}", file=sys.stderr)
        print(f"screenshots in {desktop.out}", file=sys.stderr)
        sys.exit(1)
    finally:
        desktop.kill_all()
    print(f"{name}: passed ({desktop.shots} screenshots in {desktop.out})")
