"""Bad input from outside: files that are no documents, a document cut short,
a read-only document, a document whose folder went away and a full disk.
Each gives its message, and no file and no change is lost."""

import os
import random
import shutil
import stat
import subprocess

import desktop
from desktop import StepFailed
from lumvik_window import MainWindow, SAMPLE_TOP, save_with_ctrl_s, saved_rows


def scenario(d):
    program = d.fresh_program_folder()
    lumvik = os.path.join(program, "Lumvik.exe")
    lvk = os.path.join(program, "lvk.exe")
    sample_bytes = open(os.path.join(program, "Sample.lvk"), "rb").read()
    work = os.path.join(d.out, "documents")
    os.makedirs(work)

    def put(name, data):
        path = os.path.join(work, name)
        with open(path, "wb") as file:
            file.write(data)
        return path

    def refused_at_start(path):
        """Lumvik started on PATH says it cannot open it, and its window
        names no document; the file stays as it was."""
        before = open(path, "rb").read()
        d.start(lumvik, d.windows_path(path))
        d.answer("Lumvik", "Return")
        d.window_titled("Lumvik :-)")
        d.expect(open(path, "rb").read() == before, True, "the file untouched")
        d.kill_all()

    with d.step("a document of another program"):
        refused_at_start(put("planner.lvk", b'<xml version="2.1" logiciel="Planner">\r\n'
                             b'<categorie nom="Theirs" designation="" level="0" avancement="0">\r\n'))

    def opens_untouched(path):
        """A file with no program named in its first line is read for what
        rows it holds; quitting leaves it as it was."""
        before = open(path, "rb").read()
        d.start(lumvik, d.windows_path(path))
        d.window_titled("Lumvik - " + d.windows_path(path))
        d.keys("ctrl+q")
        d.wait_until_ended()
        d.expect(open(path, "rb").read() == before, True, "the file untouched")

    with d.step("a file of random bytes, a letter and a document cut short open untouched"):
        opens_untouched(put("noise.lvk", random.Random(7).randbytes(4096)))
        opens_untouched(put("letter.lvk", b"Dear Anna,\r\nthe kite is in the shed.\r\n"))
        opens_untouched(put("cut.lvk", sample_bytes[:len(sample_bytes) // 2]))

    def edit_then_fail_to_save(path, cause, cure):
        """A changed document that cannot be saved because of CAUSE gives
        the save message, keeps the file, and saves once CURE is done."""
        d.start(lumvik, d.windows_path(path))
        w = d.window_titled("Lumvik - " + d.windows_path(path))
        MainWindow(d, w).choose_first_row()
        d.keys("shift+Insert")
        cause()
        before = open(path, "rb").read() if os.path.exists(path) else None
        d.keys("ctrl+s")
        d.answer("Lumvik", "Return")
        d.window_titled("Lumvik - " + d.windows_path(path))
        now = open(path, "rb").read() if os.path.exists(path) else None
        d.expect(now == before, True, "the file as it was after the failed save")
        cure()
        save_with_ctrl_s(d, path)
        d.expect(saved_rows(d, lvk, path).top_level(), SAMPLE_TOP + ["New category"],
                 "the document saved once it could be")
        d.kill_all()

    with d.step("a read-only document is not replaced, and saves once writable"):
        path = put("read-only.lvk", sample_bytes)
        edit_then_fail_to_save(path, lambda: os.chmod(path, stat.S_IRUSR),
                               lambda: os.chmod(path, stat.S_IRUSR | stat.S_IWUSR))

    with d.step("a document whose folder was deleted saves once the folder is back"):
        folder = os.path.join(work, "gone")
        os.makedirs(folder)
        path = os.path.join(folder, "list.lvk")
        open(path, "wb").write(sample_bytes)
        edit_then_fail_to_save(path, lambda: shutil.rmtree(folder), lambda: os.makedirs(folder))

    with d.step("a full disk: the save fails, the document stays, and saves with room"):
        disk = os.path.join(work, "small disk")
        os.makedirs(disk)
        mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=256k", "tmpfs", disk],
                                 capture_output=True)
        if mounted.returncode != 0:
            raise StepFailed(f"cannot mount a small disk: {mounted.stderr.decode()}")
        try:
            path = os.path.join(disk, "list.lvk")
            open(path, "wb").write(sample_bytes)
            filler = os.path.join(disk, "filler")

            def fill():
                with open(filler, "wb") as file:
                    try:
                        file.write(b"\0" * (256 * 1024))
                    except OSError:
                        pass
            edit_then_fail_to_save(path, fill, lambda: os.remove(filler))
        finally:
            d.kill_all()
            subprocess.run(["umount", disk])


if __name__ == "__main__":
    desktop.main(scenario)
