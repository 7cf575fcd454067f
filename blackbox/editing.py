"""A day's editing from outside: the sample opened from the command line,
rows added, renamed, set, moved, deleted, undone and found with the keyboard,
the mouse and the toolbar, saved with Ctrl+S, and Lumvik started again on
the same document with every value as it was."""

import datetime
import os

import desktop
from lumvik_window import MainWindow, save_with_ctrl_s, saved_rows, stored_date


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
        w = MainWindow(d, d.window_titled(title))

    with d.step("select the last row with the keyboard and add a category with Shift+Insert"):
        w.click_tree()
        d.keys("Home", "Down", "Down", "shift+Insert", "Down", "F2")
        d.type("Garden")
        d.keys("Return")

    with d.step("add a sub-category from the pop-up menu and rename it with F2"):
        w.click_selected_row(button=3)
        d.keys("Down", "Down", "Down", "Down", "Return", "Down", "F2")
        d.type("Beds")
        d.keys("Return")

    with d.step("add a task from the pop-up menu and one with Insert"):
        w.click_selected_row(button=3)
        d.keys("Down", "Down", "Down", "Down", "Down", "Return")
        d.keys("Insert")

    with d.step("rename a task with a double click and another with F2"):
        # Work, Home, Personal, Garden, Beds, then the two tasks: the second
        # one is found with the keys, then double-clicked from the first.
        d.keys("Home", *["Down"] * 6)
        second_task = w.selected_row()
        d.keys("Up")
        d.click(w.window, second_task[0] + 10, second_task[1] + second_task[3] // 2,
                double=True)
        d.type("Water the roses")
        d.keys("Return", "Up", "F2")
        d.type("Plant the bulbs")
        d.keys("Return")

    with d.step("set status, urgency, progress and description in the panel"):
        # Tab goes from the tree to the description, Ctrl+Tab on to the
        # slider, then to the Details page's status list; a status or an
        # urgency chosen gives the keyboard back to the tree.
        d.keys("Tab")
        d.type("Tulips by the fence")
        d.keys("ctrl+Tab", "Home", *["Right"] * 7)
        d.keys("ctrl+Tab", "Down")
        d.keys("Tab", "Tab", "End")

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
        w.click_tree()
        d.keys("Home", "Down", "Down")
        w.press("up")
        w.click_tree()
        d.keys("Home", "Down", "Down", "Down", "alt+Up")
        # The third category dragged onto the first.
        d.keys("Home", "Down")
        target = w.selected_row()
        d.keys("Down", "Down")
        dragged = w.selected_row()
        d.drag(w.window, (dragged[0] + 10, dragged[1] + dragged[3] // 2),
               (target[0] + 10, target[1] + target[3] // 2))
        rows = save_and_read()
        d.expect(rows.top_level(), ["Work", "Personal", "Garden"], "top-level rows")
        d.expect(rows.children("Personal")[-1], "Home", "the last row under Personal")

    def garden_there():
        return "Garden" in save_and_read().top_level()

    with d.step("delete with the Delete key, answering No, then Yes"):
        w.click_tree()
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
        # The Details page is still the one shown; its calendars show the
        # task's dates, found here from the day each one highlights.
        chairs = saved_rows(d, lvk, sample).named("Order the new desk chairs")
        start, due = stored_date(chairs["datedebut"]), stored_date(chairs["dateecheance"])
        w.click_day(0, start, datetime.date(2026, 12, 15))
        w.click_day(1, due, datetime.date(2026, 12, 24))
        chairs = save_and_read().named("Order the new desk chairs")
        d.expect((chairs["datedebut"], chairs["dateecheance"]), ("15/12/2026", "24/12/2026"),
                 "start and due date")

    with d.step("save with Ctrl+S and quit with Ctrl+Q"):
        save_with_ctrl_s(d, sample)
        saved = open(sample, "rb").read()
        d.keys("ctrl+q")
        d.no_window_titled(title)
        d.wait_until_ended()

    with d.step("start again without a document: the last one comes back as it was"):
        d.start(os.path.join(program, "Lumvik.exe"))
        w = MainWindow(d, d.window_titled(title))
        w.click_tree()
        d.type("Gard")
        d.keys("Right", "Down", "Right", "Down")
        # Both pages of the task panel shown.
        d.keys("Tab", "ctrl+Tab", "ctrl+Tab")
        # Saved again in place of a removed file, the document it holds is
        # the one it read, byte for byte.
        os.remove(sample)
        save_with_ctrl_s(d, sample)
        d.expect(open(sample, "rb").read() == saved, True, "the same document saved again")


if __name__ == "__main__":
    desktop.main(scenario)
