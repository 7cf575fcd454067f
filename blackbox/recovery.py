"""Lumvik ended in the middle of an edit (the whole session killed, as by a
power cut) offers the changes back when it starts again; an earlier version
kept by a save opens as any document."""

import os

import desktop
from desktop import StepFailed
from lumvik_window import MainWindow, SAMPLE_TOP, save_with_ctrl_s, saved_rows


def scenario(d):
    program = d.fresh_program_folder()
    lvk = os.path.join(program, "lvk.exe")
    sample = os.path.join(program, "Sample.lvk")
    title = "Lumvik - " + d.windows_path(sample)

    def top_level(path):
        return saved_rows(d, lvk, path).top_level()

    with d.step("edit, then the session is killed before saving"):
        d.start(os.path.join(program, "Lumvik.exe"), d.windows_path(sample))
        w = d.window_titled(title)
        MainWindow(d, w).choose_first_row()
        d.keys("shift+Insert")
        # The copy of the changes is written within seconds of the edit, in
        # the user's own recovery folder.
        d.wait_for(lambda: d.recovery_copies(), "a recovery copy of the changes")
        d.kill_all()
        d.expect(top_level(sample), SAMPLE_TOP, "the document on disk")

    with d.step("started again, Lumvik offers the changes back; Yes takes them"):
        d.start(os.path.join(program, "Lumvik.exe"))
        d.answer("Lumvik", "y")
        w = d.window_titled(title)
        save_with_ctrl_s(d, sample)
        d.expect(top_level(sample), SAMPLE_TOP + ["New category"], "the saved document")

    backups = os.path.join(program, "backup")
    with d.step("an earlier version, kept by the save, opens from the Open dialog"):
        kept = sorted(os.listdir(backups)) if os.path.isdir(backups) else []
        if len(kept) != 1:
            raise StepFailed(f"expected one earlier version in {backups}; saw {kept}")
        earlier = os.path.join(backups, kept[0])
        d.keys("ctrl+o")
        d.window_titled("Open a document")
        d.type(d.windows_path(earlier))
        d.keys("Return")
        d.window_titled("Lumvik - " + d.windows_path(earlier))
        d.expect(top_level(earlier), SAMPLE_TOP, "the earlier version")

    with d.step("started again after a clean quit: no offer, the last document opens"):
        d.keys("ctrl+q")
        d.wait_until_ended()
        d.start(os.path.join(program, "Lumvik.exe"))
        d.window_titled("Lumvik - " + d.windows_path(earlier))
        d.expect(d.recovery_copies(), [], "copies of changes left to offer")
        d.expect("Lumvik" in d.titles(), False, "an offer of changes")


if __name__ == "__main__":
    desktop.main(scenario)
