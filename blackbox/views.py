"""Views from outside: the sample narrowed with Ctrl+H, a finished category
going and coming back, the line under the tree saying so, the view kept
after a restart, a task set to Done staying until the selection moves, and
a category sorted by due date from its pop-up menu, saved, then undone."""

import os
import time

import desktop
from lumvik_window import TREE, MainWindow, save_with_ctrl_s, saved_rows

# The status line under the tree, 26 pixels above the bottom of the window's
# 600-pixel inner area, as far as the tree is wide.
STATUS_LINE = (TREE[0], 600 - 26, TREE[2], 20)


def scenario(d):
    program = d.fresh_program_folder()
    lumvik = os.path.join(program, "Lumvik.exe")
    lvk = os.path.join(program, "lvk.exe")
    sample = os.path.join(program, "Sample.lvk")
    title = "Lumvik - " + d.windows_path(sample)

    def rows_drawn(w):
        """How far down the tree's rows reach: the last line of the tree
        that holds anything but its background."""
        left, top, width, height = TREE
        picture = d.picture(w.window, *w.inner(left + 4, top + 4), width - 24, height - 8)
        background = picture.at(0, picture.height - 1)
        return max((y for y in range(picture.height)
                    if any(picture.at(x, y) != background for x in range(picture.width))),
                   default=0)

    def status_line_speaks(w):
        left, top, width, height = STATUS_LINE
        picture = d.picture(w.window, *w.inner(left, top), width, height)
        background = picture.at(0, 0)
        return any(picture.at(x, y) != background
                   for y in range(picture.height) for x in range(picture.width))

    def wait_for_rows(w, test, what):
        d.wait_for(lambda: test(rows_drawn(w)), what, seconds=10,
                   seen=lambda: f"rows down to {rows_drawn(w)}")

    with d.step("open the sample and open Work: seven rows, nothing said under the tree"):
        d.start(lumvik, d.windows_path(sample))
        w = MainWindow(d, d.window_titled(title))
        w.click_tree()
        d.keys("Home", "Right")
        wait_for_rows(w, lambda bottom: bottom > 0, "the rows drawn")
        full = rows_drawn(w)
        d.expect(status_line_speaks(w), False, "an empty status line")

    with d.step("Ctrl+H hides Team lunch, whose tasks are all done, and the line speaks"):
        d.keys("ctrl+h")
        wait_for_rows(w, lambda bottom: bottom < full, "fewer rows")
        narrowed = rows_drawn(w)
        d.expect(status_line_speaks(w), True, "the status line says how many tasks show")

    with d.step("Ctrl+H again brings it back; Ctrl+H once more, then quit"):
        d.keys("ctrl+h")
        wait_for_rows(w, lambda bottom: bottom == full, "every row again")
        d.expect(status_line_speaks(w), False, "an empty status line")
        d.keys("ctrl+h")
        wait_for_rows(w, lambda bottom: bottom == narrowed, "the rows narrowed again")
        d.keys("ctrl+q")
        d.no_window_titled(title)
        d.wait_until_ended()

    with d.step("started again, the view is still narrowed"):
        d.start(lumvik)
        w = MainWindow(d, d.window_titled(title))
        w.click_tree()
        d.keys("Home", "Right")
        wait_for_rows(w, lambda bottom: bottom == narrowed, "the narrowed rows")
        d.expect(status_line_speaks(w), True, "the status line says how many tasks show")

    with d.step("a task set to Done stays until the selection moves"):
        # Work's last row is "Order the new desk chairs", Waiting: on the
        # Details page one step down its status list is Done.
        d.type("Order the new")
        d.keys("Tab", "ctrl+Tab", "ctrl+Tab", "Down")
        time.sleep(1)  # time enough for the row to go, were it going
        d.expect(rows_drawn(w), narrowed, "the row still there")
        d.keys("Up")
        wait_for_rows(w, lambda bottom: bottom < narrowed, "the done task gone")

    with d.step("sort Home by due date from its pop-up menu and save: the file holds the order"):
        d.type("Home")
        d.keys("shift+F10")
        d.keys("Up", "Right", "Down", "Return")
        save_with_ctrl_s(d, sample)
        rows = saved_rows(d, lvk, sample)
        d.expect(rows.children("Home"),
                 ["Winter holidays", "Paint the garden shed", "Service the boiler"],
                 "Home's rows, its category first, then the tasks by due date")

    with d.step("Ctrl+Z puts the old order back"):
        d.keys("ctrl+z")
        save_with_ctrl_s(d, sample)
        d.expect(saved_rows(d, lvk, sample).children("Home"),
                 ["Winter holidays", "Service the boiler", "Paint the garden shed"],
                 "Home's rows as they were")
        d.keys("ctrl+q")
        d.no_window_titled(title)
        d.wait_until_ended()


if __name__ == "__main__":
    desktop.main(scenario)
