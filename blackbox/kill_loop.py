"""A document replaced by `lvk rewrite` while the power goes: lvk is killed
(SIGKILL; under Wine, every other time, the whole session through its server)
at random moments of the rewrite of a 100 000-row document, most of them
while it writes. Every time, the
document afterwards reads as exactly the old or exactly the new version, and
the only other file that may be left beside it is the one temporary file that
the next save takes over.

kill_loop.py native LVK WORK RUNS
kill_loop.py wine LVK.EXE WORK RUNS   (in the Wine session of $LUMVIK_WINE_DIR)
"""

import os
import random
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import wine_environment  # noqa: E402


def document(rows, word):
    """A document of categories of 99 tasks, its names telling the version."""
    lines = ['<xml version="2.1" logiciel="Lumvik">']
    for n in range(rows):
        if n % 100 == 0:
            lines.append(f'<categorie nom="{word} category {n}" designation="Block {n}" level="0" '
                         f'avancement="0">')
        else:
            lines.append(f'<task nom="{word} task {n}" designation="Row {n} of the {word} list" '
                         f'level="1" importance="{n % 5 + 1}" datedebut="01/12/2026" '
                         f'dateecheance="24/12/2026" statut="{n % 5 + 1}" avancement="{n % 11}">')
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


class Lvk:
    def __init__(self, kind, program):
        self.kind = kind
        self.program = program
        self.env = wine_environment() if kind == "wine" else dict(os.environ)
        # A Wine program's start varies more from run to run (the server is
        # started again after each whole-session kill), so its kills reach
        # further past the measured end.
        self.late = 1.5 if kind == "wine" else 1.05

    def command(self, *files):
        if self.kind == "native":
            return [self.program, "rewrite"] + list(files)
        return [self.env["WINE"], self.program, "rewrite"] + [
            "Z:" + f.replace("/", "\\") for f in files]

    def start(self, *files):
        return subprocess.Popen(self.command(*files), env=self.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                start_new_session=True)

    def rewrite(self, *files):
        started = time.monotonic()
        if self.start(*files).wait() != 0:
            sys.exit(f"FAIL: lvk rewrite {' '.join(files)} failed")
        return time.monotonic() - started

    def kill(self, process, whole_session=False):
        """SIGKILL of lvk: under Wine the program is the same Unix process as
        its loader, so both die at once. WHOLE_SESSION ends every program of
        the Wine session instead, as a power cut would; it lands later, so
        the kill loop takes turns between the two."""
        if whole_session:
            subprocess.run(["/usr/lib/wine/wineserver", "-k"], env=self.env)
        else:
            process.send_signal(signal.SIGKILL)
        process.wait()


def main():
    kind, program, work, runs = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    lvk = Lvk(kind, program)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    source = os.path.join(work, "source")
    target_folder = os.path.join(work, "documents")
    os.makedirs(source)
    os.makedirs(target_folder)
    # The old and the new version as lvk writes them.
    for word in ("old", "new"):
        with open(os.path.join(source, f"{word}-typed.lvk"), "wb") as file:
            file.write(document(100_000, word))
        lvk.rewrite(os.path.join(source, f"{word}-typed.lvk"), os.path.join(source, f"{word}.lvk"))
    old = open(os.path.join(source, "old.lvk"), "rb").read()
    new = open(os.path.join(source, "new.lvk"), "rb").read()
    target = os.path.join(target_folder, "list.lvk")
    saving = target + ".saving"
    allowed = {"list.lvk", "list.lvk.saving"}

    # An undisturbed rewrite right after a kill (under Wine, each kill ends
    # the session's server, and the next program starts it again) tells when
    # the temporary file appears and when the rewrite ends. The kills fall
    # from as long before the first moment as the writing takes, to the end.
    shutil.copyfile(os.path.join(source, "old.lvk"), target)
    lvk.kill(lvk.start(os.path.join(source, "new.lvk"), os.path.join(source, "spare.lvk")))
    started = time.monotonic()
    process = lvk.start(os.path.join(source, "new.lvk"), target)
    writing = None
    while process.poll() is None:
        if writing is None and os.path.exists(saving):
            writing = time.monotonic() - started
        time.sleep(0.002)
    ended = time.monotonic() - started
    writing = ended if writing is None else writing
    first = max(0.0, 2 * writing - ended)
    print(f"an undisturbed rewrite writes from {writing * 1000:.0f} ms to its end at "
          f"{ended * 1000:.0f} ms; kills fall from {first * 1000:.0f} ms", flush=True)

    outcomes = {"old": 0, "new": 0, "leftover": 0}
    rng = random.Random(int(os.environ.get("LUMVIK_KILL_SEED", "13")))
    for run in range(runs):
        # A rename never writes into the file it replaces, so a hard link is
        # an exact and cheap copy of the old version.
        if os.path.exists(target):
            os.remove(target)
        os.link(os.path.join(source, "old.lvk"), target)
        process = lvk.start(os.path.join(source, "new.lvk"), target)
        time.sleep(rng.uniform(first, ended * lvk.late))
        lvk.kill(process, whole_session=lvk.kind == "wine" and run % 2 == 1)
        found = open(target, "rb").read()
        if found not in (old, new):
            sys.exit(f"FAIL: after kill {run + 1}, the document is neither version "
                     f"({len(found)} bytes; old {len(old)}, new {len(new)})")
        outcomes["old" if found == old else "new"] += 1
        names = set(os.listdir(target_folder))
        if not names <= allowed:
            sys.exit(f"FAIL: after kill {run + 1}, the folder holds {sorted(names - allowed)}")
        if os.path.exists(saving):
            outcomes["leftover"] += 1
    print(f"{runs} kills: {outcomes['old']} left the old version, {outcomes['new']} the new; "
          f"after {outcomes['leftover']} the temporary file stood beside it", flush=True)
    # Enough kills must have fallen on each side of the rename, and within
    # the write, for the loop to have shown anything.
    if runs >= 100 and min(outcomes.values()) == 0:
        sys.exit("FAIL: the kills missed a part of the rewrite; see the counts above")

    # The next save takes over what a killed one left.
    shutil.copyfile(os.path.join(source, "old.lvk"), saving)
    lvk.rewrite(os.path.join(source, "new.lvk"), target)
    if open(target, "rb").read() != new or os.listdir(target_folder) != ["list.lvk"]:
        sys.exit(f"FAIL: a save after a killed one leaves {sorted(os.listdir(target_folder))}")
    print("a later save cleans up: passed")


main()
