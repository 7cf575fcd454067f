"""The options window used as a user would: language, icon skin and theme
chosen and seen in the main window, start with Windows and the ".lvk"
association seen in the registry, the main window deaf to clicks while the
window is open, a read-only settings file, and a document opened through
`start`."""

import configparser
import os
import shutil
import subprocess

import desktop
from desktop import StepFailed
from lumvik_window import MainWindow

RUN_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Run"
# The main window's toolbar in its client area: x, y, width, height.
TOOLBAR_AREA = (5, 5, 380, 45)


def ini(path):
    """The groups and keys of a settings or theme file."""
    parser = configparser.ConfigParser(interpolation=None)
    with open(path, encoding="cp1252") as file:
        parser.read_file(file)
    return parser


def settings(program):
    return ini(os.path.join(program, "Lumvik.ini"))


def bar_colour(program, theme):
    """The bar colour of a theme file of the folder, as (r, g, b)."""
    value = int(ini(os.path.join(program, theme + ".lvs"))["Theme"]["avancement_fgc"])
    return value & 0xFF, value >> 8 & 0xFF, value >> 16 & 0xFF


def toolbar_picture(w):
    return w.d.picture(w.window, *w.inner(*TOOLBAR_AREA[:2]), *TOOLBAR_AREA[2:]).pixels


def scenario(d):
    program = d.fresh_program_folder()
    lumvik = os.path.join(program, "Lumvik.exe")
    sample = os.path.join(program, "Sample.lvk")
    title = "Lumvik - " + d.windows_path(sample)

    with d.step("choose German, another icon skin, another theme and start with Windows"):
        d.start(lumvik, d.windows_path(sample))
        w = MainWindow(d, d.window_titled(title))
        d.focus(w.window)
        toolbar = toolbar_picture(w)
        d.keys("ctrl+p")
        d.window_titled("Options")
        # The window opens on its first check box; Tab goes through the
        # general page, Ctrl+Tab on to the skin list and the theme list.
        d.keys("Tab", "space", "Tab", "Tab", "Down", "Down")
        d.keys("ctrl+Tab", "End")
        d.keys("ctrl+Tab", "Home")
        d.shot("the options chosen")
        d.keys("Return")
        d.no_window_titled("Options")

    with d.step("the main window speaks German, with the new skin and theme"):
        d.keys("ctrl+f")
        d.window_titled("Suchen")
        d.keys("Escape")
        d.keys("ctrl+p")
        d.window_titled("Optionen")
        chosen = settings(program)
        d.expect(chosen["Application"]["langage"].strip(), "deutsch", "the language setting")
        d.expect(chosen["Application"]["demarrage"].strip(), "1", "the start-up setting")
        for group, delivered in (("Icone", "deruv"), ("Image", "strict")):
            if chosen[group]["skin"].strip() == delivered:
                raise StepFailed(f"the {group} setting still names {delivered}")
        # The toolbar shows the other skin's pictures, the bars the theme's colour.
        if toolbar_picture(w) == toolbar:
            raise StepFailed("the toolbar shows the same pictures as before")
        w.wait_for_bars(bar_colour(program, chosen["Image"]["skin"].strip()), "the bars")

    with d.step("start with Windows and the association are in the registry"):
        # From the first check box to the association button, then past
        # the button that removes it to OK.
        d.keys("Tab", "Tab", "Tab", "Tab", "space")
        d.keys("Tab", "Tab", "space")
        d.no_window_titled("Optionen")
        program_path = d.windows_path(lumvik)
        d.expect(d.reg_value(RUN_KEY, "Lumvik"), f'"{program_path}"', "the start-up value")
        d.expect(d.reg_value(r"HKCR\.lvk"), "lvk_auto_file", "the class of .lvk")
        d.expect(d.reg_value(r"HKCR\lvk_auto_file\shell\open\command"),
                 f'"{program_path}" "%1"', "the open command")

    with d.step("a click on the main window while the options window is open changes nothing"):
        d.keys("ctrl+p")
        options = d.window_titled("Optionen")
        if w.click_changes_tree():
            raise StepFailed("the tree took a click while the options window was open")
        d.focus(options)
        d.keys("Escape")
        d.no_window_titled("Optionen")

    with d.step("a settings file that cannot be written is said once; the choice holds until quit"):
        path = os.path.join(program, "Lumvik.ini")
        with open(path, "rb") as file:
            before = file.read()
        os.chmod(path, 0o444)  # what Windows and Wine show as the read-only attribute
        try:
            d.keys("ctrl+p")
            d.window_titled("Optionen")
            # Start with Windows unticked, then OK.
            d.keys("Tab", "space", "Return")
            d.answer("Lumvik", "Return")
            d.wait_for(lambda: d.reg_value(RUN_KEY, "Lumvik") is None,
                       "the start-up value removed, as the choice in memory says",
                       seen=lambda: d.reg_value(RUN_KEY, "Lumvik"))
            # Quitting writes the last document: no second message holds Lumvik.
            d.keys("ctrl+q")
            d.no_window_titled(title)
            d.wait_until_ended()
            with open(path, "rb") as file:
                d.expect(file.read(), before, "Lumvik.ini")
        finally:
            os.chmod(path, 0o644)
        d.start(lumvik, d.windows_path(sample))
        d.focus(d.window_titled(title))

    with d.step("a .lvk document opened through start opens in Lumvik"):
        d.keys("ctrl+q")
        d.no_window_titled(title)
        d.wait_until_ended()
        folder = os.path.join(d.out, "documents")
        os.makedirs(folder)
        document = os.path.join(folder, "My list.lvk")
        shutil.copyfile(sample, document)
        subprocess.Popen([d.wine, "start", d.windows_path(document)], env=d.env, cwd=folder,
                         stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL, start_new_session=True)
        d.window_titled("Lumvik - " + d.windows_path(document))


if __name__ == "__main__":
    desktop.main(scenario)
