"""The options window used as a user would: language, icon skin and theme
chosen and seen in the main window, start with Windows and the ".lvk"
association seen in the registry, and a document opened through `start`."""

import configparser
import os
import shutil
import subprocess

import desktop
from desktop import StepFailed
from lumvik_window import FIRST_BAR

# Inner-area coordinates in the options window.
GENERAL_TAB, SKINS_TAB, THEMES_TAB = (30, 15), (90, 15), (148, 15)
START_WITH_WINDOWS = (45, 101)
LANGUAGE_LIST = (290, 161)
ASSOCIATE = (178, 236)
LIST_ON_PAGE = (290, 61)  # the skin list and the theme list
OK = (392, 367)

RUN_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Run"
# The main window's toolbar: x, y, width, height.
TOOLBAR_AREA = (5, 25, 380, 45)


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


def scenario(d):
    program = d.fresh_program_folder()
    lumvik = os.path.join(program, "Lumvik.exe")
    sample = os.path.join(program, "Sample.lvk")
    title = "Lumvik - " + d.windows_path(sample)

    with d.step("choose German, another icon skin, another theme and start with Windows"):
        d.start(lumvik, d.windows_path(sample))
        w = d.window_titled(title)
        d.focus(w)
        toolbar = d.picture(w, *TOOLBAR_AREA)
        d.keys("ctrl+p")
        o = d.window_titled("Options")
        d.click(o, *START_WITH_WINDOWS)
        d.click(o, *LANGUAGE_LIST)
        d.keys("Down", "Down", "Return")
        d.click(o, *SKINS_TAB)
        d.click(o, *LIST_ON_PAGE)
        d.keys("End", "Return")
        d.click(o, *THEMES_TAB)
        d.click(o, *LIST_ON_PAGE)
        d.keys("Home", "Return")
        d.shot("the options chosen")
        d.click(o, *OK)
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
        if d.picture(w, *TOOLBAR_AREA) == toolbar:
            raise StepFailed("the toolbar shows the same pictures as before")
        d.wait_for_pixel(w, FIRST_BAR, bar_colour(program, chosen["Image"]["skin"].strip()),
                         "the first row's bar")

    with d.step("start with Windows and the association are in the registry"):
        d.click(d.window_titled("Optionen"), *ASSOCIATE)
        d.click(d.window_titled("Optionen"), *OK)
        d.no_window_titled("Optionen")
        program_path = d.windows_path(lumvik)
        d.expect(d.reg_value(RUN_KEY, "Lumvik"), program_path, "the start-up value")
        d.expect(d.reg_value(r"HKCR\.lvk"), "lvk_auto_file", "the class of .lvk")
        d.expect(d.reg_value(r"HKCR\lvk_auto_file\shell\open\command"),
                 f'"{program_path}" "%1"', "the open command")

    with d.step("a .lvk document opened through start opens in Lumvik"):
        d.keys("ctrl+q")
        d.no_window_titled(title)
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
