"""Where things are in Lumvik's main window, as a user finds them, and the
documents that lvk reads back. Controls stand where the program puts them;
whatever follows the fonts (the menu bar, the tree's rows, the panel's tabs,
the days of the month calendars) is found on the screen or reached with the
keyboard."""

import datetime
import os

from desktop import StepFailed

# Client-area places, fixed by the program's layout (x, y, width, height).
TREE = (10, 60, 330, 510)
# Well below the rows of the documents the scenarios open.
TREE_EMPTY = (150, 480)
# The toolbar's 48-pixel buttons.
TOOLBAR = {"new": (29, 28), "open": (82, 28), "save": (136, 28), "save as": (192, 28),
           "up": (254, 28), "down": (309, 28), "delete": (364, 28)}
# The progress bars left of the rows' icons, and the task panel right of the tree.
BAR_COLUMN = (30, 12)
# The first row's icon: a row is never lower than its 16-pixel icon, whatever
# the font, and the tree's border is 2 pixels wide.
FIRST_ROW_ICON = (88, TREE[1] + 2 + 8)
TASK_PANEL_LEFT = 350


class MainWindow:
    """Lumvik's main window seen from outside: its client area starts under
    the menu bar, whose height follows the menu font."""

    def __init__(self, d, window):
        self.d = d
        self.window = window
        self.client_top = self._menu_bar_height()
        d.log_geometry("menu bar height", self.client_top)

    def _menu_bar_height(self):
        # At the bar's right end no title is drawn: its colour runs down to
        # the line that closes it.
        _, _, width, _ = self.d.geometry(self.window)
        column = self.d.picture(self.window, width - 4, 0, 1, 80)
        for y in range(1, column.height):
            if column.at(0, y) != column.at(0, 0):
                return y + 1
        raise StepFailed("no menu bar at the top of the main window")

    def open_file_menu(self):
        """Clicks the File menu's title, the first of the bar, where its
        text begins."""
        _, _, width, _ = self.d.geometry(self.window)
        middle = self.client_top // 2
        line = self.d.picture(self.window, 0, middle, width, 1)
        text = next((x for x in range(width) if line.at(x, 0) != line.at(0, 0)), None)
        if text is None:
            raise StepFailed("no menu title in the menu bar")
        self.d.log_geometry("File menu title starts at x", text)
        self.d.click(self.window, text + 2, middle)

    def inner(self, x, y):
        """A client-area point in the window's inner area, menu bar included."""
        return x, y + self.client_top

    def click(self, x, y, **how):
        self.d.click(self.window, *self.inner(x, y), **how)

    def click_tree(self):
        """Gives the tree the keyboard without choosing a row."""
        self.click(*TREE_EMPTY)

    def choose_first_row(self):
        """Clicks the first row: once a document is opened, no row is
        chosen, and the tree's keys need one."""
        self.click(*FIRST_ROW_ICON)
        self.selected_row()

    def click_changes_tree(self):
        """Clicks the first row and says whether the tree shows anything
        new: nothing while another window holds the main window. Only the
        tree's left part is compared, where no centred window lies."""
        left, top, _, height = TREE
        area = (*self.inner(left, top), 280, height)
        before = self.d.picture(self.window, *area).pixels
        self.click(*FIRST_ROW_ICON)
        return self.d.picture(self.window, *area).pixels != before

    def press(self, button):
        self.click(*TOOLBAR[button])

    def selected_row(self):
        """The highlighted row's label (x, y, width, height) in the inner
        area, once the tree draws it."""
        colour = self.d.system_colour("Hilight")
        left, top, width, height = TREE
        found = []

        def one_row():
            picture = self.d.picture(self.window, *self.inner(left, top), width, height)
            found[:] = [box for box in picture.boxes(colour) if box[2] >= 8 and box[3] >= 8]
            return len(found) == 1
        self.d.wait_for(one_row, "one highlighted row in the tree", seconds=10,
                        seen=lambda: f"highlighted areas {found}")
        x, y, w, h = found[0]
        box = (left + x, self.client_top + top + y, w, h)
        self.d.log_geometry("highlighted row (x, y, width, height)", box)
        return box

    def click_selected_row(self, **how):
        """Clicks the middle of the label of the row chosen with the keys."""
        x, y, w, h = self.selected_row()
        self.d.click(self.window, x + w // 2, y + h // 2, **how)

    def bars_drawn_in(self, colour):
        """Whether the progress bars of the rows in view are drawn in COLOUR."""
        x, width = BAR_COLUMN
        picture = self.d.picture(self.window, *self.inner(TREE[0] + x, TREE[1]), width,
                                 TREE[3])
        return bool(picture.boxes(colour))

    def wait_for_bars(self, colour, what):
        self.d.wait_for(lambda: self.bars_drawn_in(colour), f"{what} drawn in {colour}",
                        seconds=10, seen=lambda: "no bar in that colour")

    def calendar_day(self, calendar, shown, wanted):
        """The point of day WANTED in the task panel's start (0) or due (1)
        calendar, which shows the day SHOWN as selected. The calendar has no
        keys and its days follow the font: they are found from the selected
        day, drawn in the title colour like the month's title band."""
        colour = self.d.system_colour("ActiveTitle")
        left = TASK_PANEL_LEFT
        picture = self.d.picture(self.window, *self.inner(left, 0))
        boxes = picture.boxes(colour)
        bands = [box for box in boxes if box[2] >= 100]
        days = [box for box in boxes if 10 <= box[2] < 100 and box[3] >= 8]
        if len(bands) != 2 or len(days) != 2:
            raise StepFailed(f"expected two calendars, each with a month title and a selected "
                             f"day; saw titles {bands} and days {days}")
        x, y, width, height = days[calendar]
        self.d.log_geometry(f"calendar {calendar}: selected day (x, y, width, height)",
                            (left + x, self.client_top + y, width, height))
        # The weeks start on Sunday.
        shown_column = shown.isoweekday() % 7
        offset = shown_column + (wanted - shown).days
        column, row = offset % 7 - shown_column, offset // 7
        return (left + x + width // 2 + width * column,
                self.client_top + y + height // 2 + height * row)

    def click_day(self, calendar, shown, wanted):
        self.d.click(self.window, *self.calendar_day(calendar, shown, wanted))


def stored_date(text):
    """A date as a document stores it, dd/mm/yyyy."""
    return datetime.datetime.strptime(text, "%d/%m/%Y").date()


class Rows:
    """The rows of a document as lvk dump reads them."""

    def __init__(self, dumped):
        self.rows = dumped["rows"]

    def names(self):
        return [(row["level"], row["nom"]) for row in self.rows]

    def kinds(self, names):
        return [self.named(name)["kind"] for name in names]

    def named(self, name):
        found = [row for row in self.rows if row["nom"] == name]
        if len(found) != 1:
            raise KeyError(f"{len(found)} rows named {name!r}")
        return found[0]

    def children(self, name):
        """The names of the rows directly under the row named NAME."""
        start = next(i for i, row in enumerate(self.rows) if row["nom"] == name)
        level = self.rows[start]["level"]
        found = []
        for row in self.rows[start + 1:]:
            if row["level"] <= level:
                break
            if row["level"] == level + 1:
                found.append(row["nom"])
        return found

    def top_level(self):
        return [row["nom"] for row in self.rows if row["level"] == 0]


SAMPLE_TOP = ["Work", "Home", "Personal"]


def file_state(path):
    """What tells one version of a file from the next: a save puts a new
    file in place."""
    try:
        found = os.stat(path)
    except FileNotFoundError:
        return None
    return found.st_ino, found.st_mtime_ns, found.st_size


def save_with_ctrl_s(d, path):
    """Ctrl+S, then waits until a new file stands at PATH."""
    before = file_state(path)
    d.keys("ctrl+s")
    d.wait_for(lambda: file_state(path) not in (before, None), f"{path} saved anew",
               seen=lambda: "the file as it was")


def saved_rows(d, lvk, path):
    """The rows of the document at PATH as lvk reads them; a step fails when
    lvk cannot read it."""
    status, dumped = d.dump(lvk, path)
    if status != 0:
        raise StepFailed(f"lvk dump fails on {path}: {dumped}")
    return Rows(dumped)
