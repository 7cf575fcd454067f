"""The question about unsaved changes on New, Open, a recent file, Quit and
closing the window, with each of its answers: Yes saves first, No drops the
changes, Cancel keeps the document open with them."""

import os
import time

import desktop
from lumvik_window import FILE_MENU, FIRST_ROW_ICON, SAMPLE_TOP, saved_rows


def scenario(d):
    program = d.fresh_program_folder()
    lvk = os.path.join(program, "lvk.exe")
    sample = os.path.join(program, "Sample.lvk")
    title = "Lumvik - " + d.windows_path(sample)
    untitled = "Lumvik - Untitled"
    original = open(sample, "rb").read()

    def top_level():
        return saved_rows(d, lvk, sample).top_level()

    def add_category(window):
        # After Open, no row is selected until one is clicked.
        d.click(window, *FIRST_ROW_ICON)
        d.keys("shift+Insert")

    def ask(keys, answer):
        d.keys(keys)
        d.answer("Save", answer)

    with d.step("New: Cancel keeps the changed document, No drops the changes"):
        d.start(os.path.join(program, "Lumvik.exe"), d.windows_path(sample))
        w = d.window_titled(title)
        add_category(w)
        ask("ctrl+n", "Escape")
        d.window_titled(title)
        ask("ctrl+n", "n")
        d.window_titled(untitled)
        d.expect(open(sample, "rb").read() == original, True, "the document untouched")

    with d.step("a recent file: Cancel stays, No opens it without saving"):
        add_category(w)
        d.click(w, *FILE_MENU)
        d.keys("1")
        d.answer("Save", "Escape")
        d.window_titled(untitled)
        d.click(w, *FILE_MENU)
        d.keys("1")
        d.answer("Save", "n")
        d.window_titled(title)

    with d.step("Open: Yes saves first, then the open dialog shows"):
        add_category(w)
        ask("ctrl+o", "y")
        d.window_titled("Open a document")
        d.keys("Escape")
        d.no_window_titled("Open a document")
        d.expect(top_level(), SAMPLE_TOP + ["New category"], "the saved document's categories")

    with d.step("Quit: Cancel keeps Lumvik open, No ends it without saving"):
        add_category(w)
        ask("ctrl+q", "Escape")
        d.window_titled(title)
        ask("ctrl+q", "n")
        d.no_window_titled(title)
        d.expect(top_level(), SAMPLE_TOP + ["New category"], "the document as last saved")

    with d.step("closing the window: Yes saves, then Lumvik ends"):
        d.start(os.path.join(program, "Lumvik.exe"))
        w = d.window_titled(title)
        add_category(w)
        ask("alt+F4", "y")
        d.no_window_titled(title)
        d.wait_for(lambda: all(p.poll() is not None for p in d.started), "Lumvik ended")
        d.expect(top_level(), SAMPLE_TOP + ["New category"] * 2, "the saved document's categories")
        time.sleep(0.2)


if __name__ == "__main__":
    desktop.main(scenario)
