"""The question about unsaved changes on New, Open, a recent file, Quit and
closing the window, each with each of its answers: Yes saves first and goes
on, No drops the changes and goes on, Cancel stays with the changed
document."""

import os

import desktop
from lumvik_window import MainWindow, SAMPLE_TOP, saved_rows

UNTITLED = "Lumvik - Untitled"
OPEN_TITLE = "Open a document"


def scenario(d):
    program = d.fresh_program_folder()
    lumvik = os.path.join(program, "Lumvik.exe")
    lvk = os.path.join(program, "lvk.exe")
    sample = os.path.join(program, "Sample.lvk")
    title = "Lumvik - " + d.windows_path(sample)
    saved_top = list(SAMPLE_TOP)
    window = []
    # Categories added to the document shown since it was read or saved.
    pending = [0]

    def lumvik_running():
        return any(p.poll() is None for p in d.started)

    def sample_open_and_changed():
        """The sample shown with a category added since it was saved."""
        if not lumvik_running():
            d.start(lumvik, d.windows_path(sample))
            pending[0] = 0
        window[:] = [d.window_title_starting("Lumvik - ")]
        if d.title(window[0]) == UNTITLED:
            # Unchanged, a recent file opens without a question.
            MainWindow(d, window[0]).open_file_menu()
            d.keys("1")
            pending[0] = 0
        window[:] = [d.window_titled(title)]
        # After Open, no row is selected until one is chosen.
        MainWindow(d, window[0]).choose_first_row()
        d.keys("shift+Insert")
        pending[0] += 1

    def recent_file():
        MainWindow(d, window[0]).open_file_menu()
        d.keys("1")

    commands = {
        "New": (lambda: d.keys("ctrl+n"), lambda: d.window_titled(UNTITLED)),
        "Open": (lambda: d.keys("ctrl+o"), lambda: close_open_dialog()),
        "a recent file": (recent_file, lambda: d.window_titled(title)),
        "Quit": (lambda: d.keys("ctrl+q"), lambda: ended()),
        "closing the window": (lambda: d.keys("alt+F4"), lambda: ended()),
    }

    def close_open_dialog():
        d.window_titled(OPEN_TITLE)
        d.keys("Escape")
        d.no_window_titled(OPEN_TITLE)

    def ended():
        d.no_window_titled(title)
        d.wait_until_ended()

    for name, (command, went_on) in commands.items():
        for answer, key in (("Cancel", "Escape"), ("No", "n"), ("Yes", "y")):
            with d.step(f"{name}, answering {answer}"):
                sample_open_and_changed()
                command()
                d.answer("Save", key)
                if answer == "Cancel":
                    # Still the changed document: the question comes again.
                    d.window_titled(title)
                    command()
                    d.answer("Save", "Escape")
                else:
                    went_on()
                if answer == "Yes":
                    saved_top.extend(["New category"] * pending[0])
                # Open keeps the changes when its dialog is cancelled; the
                # other commands end the document or read it anew.
                if answer == "Yes" or (answer == "No" and name != "Open"):
                    pending[0] = 0
                d.expect(saved_rows(d, lvk, sample).top_level(), saved_top,
                         "the categories of the document on disk")


if __name__ == "__main__":
    desktop.main(scenario)
