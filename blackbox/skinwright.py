"""Skinwright used as a user would: a new theme made, its bar colour and
label font chosen in the system's dialogs and saved, then chosen in Lumvik's
options, which draws its progress bars with it."""

import os

import desktop
from lumvik_window import MainWindow
from options import ini

# Inner-area coordinates in Skinwright's window: its toolbar's 48-pixel
# buttons and the theme list, which the program places.
NEW_THEME = (28, 29)
SAVE_THEME = (82, 29)
THEME_LIST = (200, 80)
# The buttons of the Progress page after the theme list, in the order Tab
# visits them.
BAR_COLOUR_TABS = 2
LABEL_FONT_TABS = 4

RED, GREEN, BLUE = 200, 120, 40


def replace_field(d, value):
    d.keys("Home", "shift+End")
    d.type(str(value))


def press_page_button(d, w, tabs):
    """Presses the button of the Progress page that Tab reaches TABS times
    from the theme list: the page's place follows the font of its tabs, and
    the focus does not come back to a button once its dialog has closed."""
    d.click(w, *THEME_LIST)
    d.keys("Escape", *["Tab"] * tabs, "space")


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
        press_page_button(d, w, BAR_COLOUR_TABS)
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
        press_page_button(d, w, LABEL_FONT_TABS)
        d.window_titled("Font")
        # The dialog opens in its font name box; Alt+S goes to the size box.
        d.type("DejaVu Sans")
        d.keys("alt+s")
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
        w = MainWindow(d, d.window_titled("Lumvik - " + d.windows_path(sample)))
        d.focus(w.window)
        d.keys("ctrl+p")
        d.window_titled("Options")
        # Ctrl+Tab twice: the theme list; G chooses Garden, Return is OK.
        d.keys("ctrl+Tab", "ctrl+Tab", "G", "Return")
        d.no_window_titled("Options")
        w.wait_for_bars((RED, GREEN, BLUE), "the bars")


if __name__ == "__main__":
    desktop.main(scenario)
