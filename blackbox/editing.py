"""A day's editing from outside: the sample opened from the command line,
rows added, renamed, set, moved, deleted, undone and found with the keyboard,
the mouse and the toolbar, saved with Ctrl+S, and Lumvik started again on
the same document with every value as it was."""

import os

import desktop
from lumvik_window import (DESCRIPTION, DETAILS_TAB, DUE_CALENDAR, PROGRESS_SLIDER,
                           START_CALENDAR, STATUS_LIST, TASK_TAB, TOOLBAR, TREE_EMPTY,
                           URGENCY_LIST, day_point, row_point, save_with_ctrl_s, saved_rows)


def scenario(d):
    program = d.fresh_program_folder()
    lvk = os.path.join(program, "lvk.exe")
    sample = os.path.join(program, "Sample.lvk")
    title = "Lumvik - " + d.windows_path(sample)

    def save_and_read():
        save_with_ctrl_s(d, sample)
        return saved_rows(d, lvk, sample)

    with d.step("open the sample from the command line"):
        d.start(os.path.join(program, "Lumvik.exe"), d.windows_path(sample))
        w = d.window_titled(title)

    with d.step("select the last row with the keyboard and add a category with Shift+Insert"):
        d.click(w, *TREE_EMPTY)
        d.keys("Home", "Down", "Down", "shift+Insert", "Down", "F2")
        d.type("Garden")
        d.keys("Return")

    with d.step("add a sub-category from the pop-up menu and rename it with F2"):
        d.click(w, *row_point(3, 0), button=3)
        d.keys("Down", "Down", "Down", "Down", "Return", "Down", "F2")
        d.type("Beds")
        d.keys("Return")

    with d.step("add a task from the pop-up menu and one with Insert"):
        d.click(w, *row_point(4, 1), button=3)
        d.keys("Down", "Down", "Down", "Down", "Down", "Return")
        d.keys("Insert")

    with d.step("rename a task with a double click and another with F2"):
        d.click(w, *row_point(6, 2), double=True)
        d.type("Water the roses")
        d.keys("Return", "Up", "F2")
        d.type("Plant the bulbs")
        d.keys("Return")

    with d.step("set status, urgency, progress and description in the panel"):
        d.click(w, *DETAILS_TAB)
        d.click(w, *STATUS_LIST)
        d.keys("Down", "Return")
        d.click(w, *URGENCY_LIST)
        d.keys("End", "Return")
        d.click(w, *TASK_TAB)
        d.click(w, *PROGRESS_SLIDER)
        d.keys("Home", *["Right"] * 7)
        d.click(w, *DESCRIPTION)
        d.type("Tulips by the fence")

    with d.step("save with Ctrl+S: the file holds the new rows and values"):
        rows = save_and_read()
        d.expect(rows.top_level(), ["Work", "Home", "Personal", "Garden"], "top-level rows")
        d.expect(rows.children("Garden"), ["Beds"], "rows under Garden")
        d.expect(rows.children("Beds"), ["Plant the bulbs", "Water the roses"],
                 "rows under Beds")
        d.expect(rows.kinds(["Garden", "Beds", "Plant the bulbs", "Water the roses"]),
                 ["categorie", "categorie", "task", "task"], "kinds of the new rows")
        bulbs = rows.named("Plant the bulbs")
        d.expect((bulbs["statut"], bulbs["importance"], bulbs["avancement"],
                  bulbs["designation"]), (2, 5, 7, "Tulips by the fence"),
                 "status, urgency, progress, description")

    with d.step("move up with the toolbar and with Alt+Up, drag a category onto another"):
        d.click(w, *TREE_EMPTY)
        d.keys("Home", "Down", "Down")
        d.click(w, *TOOLBAR["up"])
        d.click(w, *TREE_EMPTY)
        d.keys("Home", "Down", "Down", "Down", "alt+Up")
        d.drag(w, row_point(3, 0), row_point(1, 0))
        rows = save_and_read()
        d.expect(rows.top_level(), ["Work", "Personal", "Garden"], "top-level rows")
        d.expect(rows.children("Personal")[-1], "Home", "the last row under Personal")

    def garden_there():
        return "Garden" in save_and_read().top_level()

    with d.step("delete with the Delete key, answering No, then Yes"):
        d.click(w, *TREE_EMPTY)
        d.type("Gard")
        d.keys("Delete")
        d.answer("Lumvik", "n")
        d.expect(garden_there(), True, "Garden kept")
        d.keys("Delete")
        d.answer("Lumvik", "y")
        d.expect(garden_there(), False, "Garden kept after Yes")

    with d.step("undo with Ctrl+Z, redo with Ctrl+Y, undo again"):
        for key, kept in (("ctrl+z", True), ("ctrl+y", False), ("ctrl+z", True)):
            d.keys(key)
            d.expect(garden_there(), kept, f"Garden kept after {key}")
        d.expect(save_and_read().children("Beds"), ["Plant the bulbs", "Water the roses"],
                 "rows under Beds after undo")

    with d.step("find a task with Ctrl+F and give it dates on the month calendars"):
        d.keys("ctrl+f")
        d.window_titled("Find")
        d.type("DESK CHAIRS")
        d.keys("Return", "Escape")
        d.no_window_titled("Find")
        d.click(w, *DETAILS_TAB)
        # The calendars show December 2026, the month of the task's dates,
        # whose first week row starts on Sunday 29 November.
        d.click(w, *day_point(START_CALENDAR, 2, 2))  # Tuesday 15
        d.click(w, *day_point(DUE_CALENDAR, 3, 4))  # Thursday 24
        chairs = save_and_read().named("Order the new desk chairs")
        d.expect((chairs["datedebut"], chairs["dateecheance"]), ("15/12/2026", "24/12/2026"),
                 "start and due date")

    with d.step("save with Ctrl+S and quit with Ctrl+Q"):
        save_with_ctrl_s(d, sample)
        saved = open(sample, "rb").read()
        d.keys("ctrl+q")
        d.no_window_titled(title)
        d.wait_for(lambda: all(p.poll() is not None for p in d.started), "Lumvik ended")

    with d.step("start again without a document: the last one comes back as it was"):
        d.start(os.path.join(program, "Lumvik.exe"))
        w = d.window_titled(title)
        d.click(w, *TREE_EMPTY)
        d.type("Gard")
        d.keys("Right", "Down", "Right", "Down")
        d.click(w, *TASK_TAB)
        # Saved again in place of a removed file, the document it holds is
        # the one it read, byte for byte.
        os.remove(sample)
        save_with_ctrl_s(d, sample)
        d.expect(open(sample, "rb").read() == saved, True, "the same document saved again")


if __name__ == "__main__":
    desktop.main(scenario)
