"""A list changed elsewhere while Lumvik has it open is merged, never
overwritten: by another Lumvik that saves first, and by lvk writing to the
file while Lumvik holds unsaved changes, whether the two touch different rows
or the same field of one task."""

import os
import shutil
import subprocess

import desktop
from desktop import StepFailed
from lumvik_window import MainWindow, save_with_ctrl_s, saved_rows


def scenario(d):
    program = d.fresh_program_folder()
    lumvik = os.path.join(program, "Lumvik.exe")
    lvk = os.path.join(program, "lvk.exe")

    def copy_of_sample(name):
        path = os.path.join(program, name)
        shutil.copyfile(os.path.join(program, "Sample.lvk"), path)
        return path, "Lumvik - " + d.windows_path(path)

    def windows_titled(title):
        return [w for w in d.window_ids() if d.title(w) == title]

    def add_last_category(window, name):
        """Adds a category after the last top-level one and names it."""
        window.click_tree()
        d.keys("Home", "Down", "Down", "shift+Insert", "Down", "F2")
        d.type(name)
        d.keys("Return")

    def lvk_writes(*arguments):
        done = subprocess.run([d.wine, lvk] + list(arguments), env=d.env,
                              stdin=subprocess.DEVNULL, capture_output=True)
        if done.returncode != 0:
            raise StepFailed(f"lvk {' '.join(arguments)}: {done.stderr.decode(errors='replace')}")

    def quit_lumvik():
        d.shot(f"saved in {d.current_step}")
        d.keys("ctrl+q")
        d.wait_until_ended()

    with d.step("a script adds a task while Lumvik has an unsaved change: Save keeps both"):
        path, title = copy_of_sample("script.lvk")
        d.start(lumvik, d.windows_path(path))
        w = MainWindow(d, d.window_titled(title))
        add_last_category(w, "Added here")
        lvk_writes("add", d.windows_path(path), "--in", "Work/Year-end report",
                   "--name", "Call the printer")
        save_with_ctrl_s(d, path)
        rows = saved_rows(d, lvk, path)
        d.expect(rows.top_level(), ["Work", "Home", "Personal", "Added here"], "top-level rows")
        d.expect(rows.children("Year-end report")[-1], "Call the printer",
                 "the last task of the year-end report")
        quit_lumvik()

    with d.step("the same task's progress set in Lumvik and done by a script: both kept"):
        path, title = copy_of_sample("same-field.lvk")
        d.start(lumvik, d.windows_path(path))
        w = MainWindow(d, d.window_titled(title))
        w.click_tree()
        # Home, opened; its rows: Winter holidays, then the boiler's task.
        d.keys("Home", "Down", "Right", "Down", "Down")
        # Tab to the description, Ctrl+Tab to the progress slider, to 0.
        d.keys("Tab", "ctrl+Tab", "Home")
        lvk_writes("done", d.windows_path(path), "--task", "Home/Service the boiler")
        save_with_ctrl_s(d, path)
        rows = saved_rows(d, lvk, path)
        ours = rows.named("Service the boiler")
        theirs = rows.named("Service the boiler (changed elsewhere)")
        d.expect((ours["statut"], ours["avancement"]), (4, 0),
                 "the task: the script's status, the progress set here")
        d.expect((theirs["statut"], theirs["avancement"]), (4, 10),
                 "their version of the task beside it")
        quit_lumvik()

    with d.step("two Lumviks on one list each add a category and save: both are kept"):
        path, title = copy_of_sample("two.lvk")
        d.start(lumvik, d.windows_path(path))
        first = d.window_titled(title)
        add_last_category(MainWindow(d, first), "From the first")
        # The second window opens over the first one.
        d.start(lumvik, d.windows_path(path))
        d.wait_for(lambda: len(windows_titled(title)) == 2, "a second Lumvik on the list")
        second = next(w for w in windows_titled(title) if w != first)
        add_last_category(MainWindow(d, second), "From the second")
        save_with_ctrl_s(d, path)
        d.keys("ctrl+q")
        d.wait_for(lambda: windows_titled(title) == [first], "the second Lumvik ended")
        # Back in the first one, which saves last.
        d.focus(first)
        MainWindow(d, first).click_tree()
        save_with_ctrl_s(d, path)
        rows = saved_rows(d, lvk, path)
        d.expect(rows.top_level(),
                 ["Work", "Home", "Personal", "From the second", "From the first"],
                 "top-level rows")
        quit_lumvik()


if __name__ == "__main__":
    desktop.main(scenario)
