"""Skinwright used as a user would: a new theme made, its bar colour and
label font chosen in the system's dialogs and saved, then chosen in Lumvik's
options, which draws its progress bars with it."""

import os

import desktop
from lumvik_window import FIRST_BAR
from options import LIST_ON_PAGE, OK, THEMES_TAB, ini

EDITOR_TITLE = "Skinwright - theme editor for Lumvik"
# Inner-area coordinates in Skinwright's window.
NEW_THEME = (28, 29)
SAVE_THEME = (82, 29)
BAR_COLOUR = (83, 515)
LABEL_FONT = (323, 515)
# In the font dialog, relative to Skinwright's window beneath it.
FONT_SIZE_BOX = (313, 109)

RED, GREEN, BLUE = 200, 120, 40


def replace_field(d, value):
    d.keys("Home", "shift+End")
    d.type(str(value))


def scenario(d):
    program = d.fresh_program_folder()

    with d.step("make a theme named Garden"):
        d.start(os.path.join(program, "Skinwright.exe"))
        w = d.window_title_starting("Skinwright")
        d.click(w, *NEW_THEME)
        d.window_titled("New theme")
        d.type("Garden")
        d.keys("Return")
        d.no_window_titled("New theme")

    with d.step("choose the bar colour in the colour dialog"):
        d.click(w, *BAR_COLOUR)
        d.window_titled("Color")
        # The dialog opens in its Red box; Tab goes on to Green and Blue.
        replace_field(d, RED)
        d.keys("Tab")
        replace_field(d, GREEN)
        d.keys("Tab")
        replace_field(d, BLUE)
        d.keys("Return")
        d.no_window_titled("Color")

    with d.step("choose the label font in the font dialog"):
        d.click(w, *LABEL_FONT)
        d.window_titled("Font")
        d.type("DejaVu Sans")
        d.click(w, *FONT_SIZE_BOX)
        replace_field(d, 12)
        d.keys("Return")
        d.no_window_titled("Font")

    with d.step("save the theme: its file holds the choices"):
        d.click(w, *SAVE_THEME)
        path = os.path.join(program, "Garden.lvs")
        d.wait_for(lambda: os.path.exists(path), "Garden.lvs in the program folder",
                   seen=lambda: sorted(os.listdir(program)))
        theme = ini(path)
        d.expect((theme["Theme"]["avancement_fgc"], theme["Theme"]["police"],
                  theme["Theme"]["police_size"]),
                 (str(BLUE << 16 | GREEN << 8 | RED), "DejaVu Sans", "12"),
                 "bar colour, label font and size")
        d.kill_all()

    with d.step("Lumvik draws its bars with the theme chosen in its options"):
        sample = os.path.join(program, "Sample.lvk")
        d.start(os.path.join(program, "Lumvik.exe"), d.windows_path(sample))
        w = d.window_titled("Lumvik - " + d.windows_path(sample))
        d.focus(w)
        d.keys("ctrl+p")
        o = d.window_titled("Options")
        d.click(o, *THEMES_TAB)
        d.click(o, *LIST_ON_PAGE)
        d.type("G")
        d.keys("Return")
        d.click(o, *OK)
        d.no_window_titled("Options")
        d.wait_for_pixel(w, FIRST_BAR, (RED, GREEN, BLUE), "the first row's bar")


if __name__ == "__main__":
    desktop.main(scenario)
