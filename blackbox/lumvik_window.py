"""Where things are in Lumvik's main window, as a user finds them, and the
documents that lvk reads back."""

import os

from desktop import StepFailed

# Inner-area coordinates of the main window as Wine shows it at its usual
# place: the tree's first row, the height of a row, a level's indent.
FIRST_ROW_Y = 88
ROW_HEIGHT = 16
LABEL_X = 108
INDENT = 19
TREE_EMPTY = (150, 500)
FIRST_ROW_ICON = (LABEL_X - 20, FIRST_ROW_Y)
# The progress bar of the first row (50 % in the sample: its left half is filled).
FIRST_BAR = (36, 86)
FILE_MENU = (12, 8)
TOOLBAR = {"new": (29, 48), "open": (82, 48), "save": (136, 48), "save as": (192, 48),
           "up": (254, 48), "down": (309, 48), "delete": (364, 48)}
TASK_TAB = (378, 88)
DETAILS_TAB = (430, 88)
DESCRIPTION = (560, 250)
PROGRESS_SLIDER = (579, 545)
STATUS_LIST = (641, 120)
URGENCY_LIST = (641, 145)
# The two month calendars: the centre of the day in week row 0, column 0
# (Sunday), and the distance between days.
START_CALENDAR = (549, 226)
DUE_CALENDAR = (549, 416)
DAY_WIDTH, DAY_HEIGHT = 28, 13


def row_point(visible_row, level):
    """A point on the label of the row shown at VISIBLE_ROW (0 at the top)."""
    return LABEL_X + INDENT * level, FIRST_ROW_Y + ROW_HEIGHT * visible_row


def day_point(calendar, week_row, weekday):
    return calendar[0] + DAY_WIDTH * weekday, calendar[1] + DAY_HEIGHT * week_row


def main_window_title(path_shown):
    return f"Lumvik - {path_shown}"


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
