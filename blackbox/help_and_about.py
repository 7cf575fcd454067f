"""The about box and the help window, opened with their keys as a user
would, and closed again; while the about box is open, the main window takes
no click."""

import os

import desktop
from desktop import StepFailed
from lumvik_window import MainWindow


def scenario(d):
    program = d.fresh_program_folder()
    sample = os.path.join(program, "Sample.lvk")
    title = "Lumvik - " + d.windows_path(sample)

    with d.step("F12 shows the about box, the main window takes no click, Return closes it"):
        d.start(os.path.join(program, "Lumvik.exe"), d.windows_path(sample))
        w = MainWindow(d, d.window_titled(title))
        d.focus(w.window)
        d.keys("F12")
        d.window_titled("Lumvik")
        if w.click_changes_tree():
            raise StepFailed("the tree took a click while the about box was open")
        d.answer("Lumvik", "Return")
        d.window_titled(title)

    with d.step("F1 opens the help window, Alt+F4 closes it and leaves Lumvik open"):
        d.keys("F1")
        d.focus(d.window_titled("Help"))
        d.keys("alt+F4")
        d.no_window_titled("Help")
        d.window_titled(title)


if __name__ == "__main__":
    desktop.main(scenario)
