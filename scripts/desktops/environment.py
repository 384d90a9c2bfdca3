# Runs ぽこたま's user paths in one real desktop environment, with real key and mouse input
# (XTest), and prints one line per check: "ok ENVIRONMENT: CHECK (seconds)" or
# "FAIL ENVIRONMENT: CHECK: what went wrong". Sets up everything the environment needs (X
# server, window manager or compositor, accessibility bus, the program) and ends it all on the
# way out. Reads the program's state as a screen reader does, through AT-SPI.
#
#   environment.py ENVIRONMENT PROGRAM      (in a D-Bus session of its own: dbus-run-session)
import os
import subprocess
import sys
import tempfile
import time
import traceback
from pathlib import Path

import pyatspi

from accessible import (Failure, application, check, descendants, expect_lines, find, focused,
                        has_state, role, showing, top_window, wait_for)
from session import Processes, XServer, a11y_bus

MAIN, ABOUT = "ぽこたま", "ﾊﾞｰｼﾞｮﾝ情報"


class Run:
    def __init__(self, environment, program, work):
        self.environment = environment
        self.program = program
        self.work = Path(work)
        self.processes = Processes(work)
        self.failures = 0
        self.program_process = None

    def check(self, name, body, own_program=False):
        started = time.monotonic()
        try:
            body()
        except Failure as failure:
            self.failures += 1
            print(f"FAIL {self.environment}: {name}: {failure}", flush=True)
            return False
        finally:
            if own_program and self.program_process is not None:
                self.stop_program()
        print(f"ok {self.environment}: {name} ({time.monotonic() - started:.1f} s)", flush=True)
        return True

    # Starts the program and waits for its window; a check that started it ends it.
    def start_program(self, **env):
        environment = dict(os.environ, **env)
        for name, value in env.items():
            if value is None:
                del environment[name]
        self.program_process = self.processes.start("program", [self.program], environment)
        app = wait_for("the program on the accessibility bus", application, 30)
        window = wait_for("its window", lambda: top_window(app, "frame", MAIN), 30)
        return app, window

    def stop_program(self):
        self.processes.stop(self.program_process)
        self.program_process = None
        wait_for("the program to leave the accessibility bus", lambda: application() is None)


def described(node):
    return (role(node), node.name) if node is not None else None


def wait_focus(app, wanted_role, name):
    try:
        wait_for(f"the focus on {name}", lambda: described(focused(app)) == (wanted_role, name))
    except Failure:
        raise Failure(f"the focus is on {described(focused(app))}, not {(wanted_role, name)}") \
            from None


def wait_active(window, what):
    wait_for(f"{what} to be active", lambda: has_state(window, pyatspi.STATE_ACTIVE))


# Keypad keys work the calculator's keys, whichever line has the focus.
def keypad_sum(x, app, window):
    x.keys("KP_1", "KP_2", "KP_Add", "KP_3", "KP_Enter")
    expect_lines(window, "12＋3=15", "15")


def keypad_product(x, app, window):
    x.keys("KP_7", "KP_Multiply", "KP_6", "KP_Enter")
    expect_lines(window, "7×6=42", "42")


# The menu opens the About window from the keyboard; it comes active with the focus on its
# picture, Tab and Space close it, and the main window is active again with the focus where
# it was.
def about_window_by_keyboard(x, app, window):
    wait_focus(app, "text", "しき")
    x.keys("Alt_L")
    wait_focus(app, "menu item", "バージョン")  # the menu bar's
    x.keys("Down")
    item = next(d for d in descendants(window)
                if role(d) == "menu item" and d.name == "バージョン" and d.childCount == 0)
    wait_for("the menu to open", lambda: showing(item))
    x.keys("Return")
    about = wait_for("the About window", lambda: top_window(app, "frame", ABOUT))
    wait_active(about, "the About window")
    if x.managed_windows(ABOUT):
        wait_for("the window manager's active window", lambda: x.active_window_name() == ABOUT)
    wait_focus(app, "image", MAIN)
    x.keys("Tab")
    wait_focus(app, "push button", "閉じる")
    x.keys("space")
    wait_for("the About window to hide", lambda: not showing(about))
    wait_active(window, "the main window")
    wait_focus(app, "text", "しき")


# Dividing by zero shows the message box, which takes the focus; Return closes it and the
# main window has the focus back.
def division_by_zero_box(x, app, window):
    x.keys("KP_8", "KP_Divide", "KP_0", "KP_Enter")
    box = wait_for("the message box", lambda: top_window(app, "alert", MAIN))
    check(find(box, "label", "0でわれないよ") is not None, "the box does not say 0でわれないよ")
    wait_active(box, "the message box")
    wait_focus(app, "push button", "OK")
    x.keys("Return")
    wait_for("the message box to close", lambda: not showing(box))
    wait_active(window, "the main window")
    wait_focus(app, "text", "しき")


def window_manager(*command):
    def run(session):
        x = XServer.start(session.processes)
        os.environ["DISPLAY"] = x.name
        # Before the window manager, which would otherwise have D-Bus start one with
        # accessibility off.
        a11y_bus(session.processes)
        session.processes.start("window-manager", list(command))
        wait_for("the window manager",
                 lambda: x.property(x.root, "_NET_SUPPORTING_WM_CHECK"), 20)
        x.num_lock()
        app, window = session.start_program(QT_QPA_PLATFORM="xcb")
        wait_active(window, "the main window")
        for name, body in (("keypad 12＋3＝ gives 15", keypad_sum),
                           ("About opens active, Tab and Space close it", about_window_by_keyboard),
                           ("8÷0＝: the box takes the focus, Return closes it",
                            division_by_zero_box)):
            session.check(name, lambda: body(x, app, window))
    return run


WESTON_INI = """[core]
idle-time=0
[input-method]
path=/bin/true
"""


# weston on the virtual X server (its X11 backend takes the real input), with Xwayland.
def weston(session):
    x = XServer.start(session.processes, "1024x768")
    os.environ["DISPLAY"] = x.name
    a11y_bus(session.processes)
    (session.work / "weston.ini").write_text(WESTON_INI)
    socket = "pokotama-weston"
    session.processes.start("weston", [
        "weston", "--backend=x11-backend.so", "--use-pixman", "--xwayland", f"--socket={socket}",
        "--width=1000", "--height=740", f"--config={session.work / 'weston.ini'}"])
    runtime = Path(os.environ["XDG_RUNTIME_DIR"])
    wait_for("weston's socket", lambda: (runtime / socket).exists(), 20)
    xwayland = wait_for("Xwayland's display", lambda: next(
        (line.rsplit(" ", 1)[1] for line in session.processes.log("weston").splitlines()
         if "xserver listening on display" in line), None), 20)
    output = wait_for("weston's window", lambda: x.windows_named("Weston Compositor - screen0"))[0]
    x.num_lock()  # now that weston runs: it follows the X server's locks when they change

    def chooses_x11():
        session.start_program(DISPLAY=xwayland, WAYLAND_DISPLAY=socket, QT_QPA_PLATFORM=None)
        def windows():
            return subprocess.run(["xwininfo", "-display", xwayland, "-root", "-tree"],
                                  capture_output=True, text=True)
        try:
            wait_for("the window on Xwayland", lambda: f'"{MAIN}": (' in windows().stdout)
        except Failure:
            listing = windows()
            raise Failure(f"no window {MAIN} on Xwayland: {listing.stdout}{listing.stderr}")
    session.check("X11 and Wayland offered: the program runs on X11", chooses_x11, True)

    wayland = {}

    def keypad_on_wayland():
        app, window = session.start_program(WAYLAND_DISPLAY=socket, QT_QPA_PLATFORM="wayland")
        wayland.update(app=app, window=window)
        wait_active(window, "the main window")
        output.set_input_focus(0, 0)
        x.x.sync()
        keypad_product(x, app, window)
    session.check("on Wayland, keypad 7×6 Enter gives 42", keypad_on_wayland)
    for name, body in (("on Wayland, About opens active, Tab and Space close it",
                        about_window_by_keyboard),
                       ("on Wayland, 8÷0＝: the box takes the focus, Return closes it",
                        division_by_zero_box)):
        session.check(name, lambda: body(x, wayland["app"], wayland["window"]))
    session.stop_program()


ENVIRONMENTS = {
    "openbox": window_manager("openbox", "--sm-disable"),
    "xfwm4": window_manager("xfwm4", "--compositor=off", "--sm-client-disable"),
    "metacity": window_manager("metacity", "--sm-disable"),
    "weston": weston,
}


def main():
    environment, program = sys.argv[1], sys.argv[2]
    if environment not in ENVIRONMENTS:
        print(f"FAIL {environment}: no such environment (there are {', '.join(ENVIRONMENTS)})")
        return 1
    with tempfile.TemporaryDirectory(prefix=f"desktops-{environment}-") as work:
        session = Run(environment, program, work)
        try:
            ENVIRONMENTS[environment](session)
        except Failure as failure:
            session.failures += 1
            print(f"FAIL {environment}: set-up: {failure}", flush=True)
        except Exception:  # a fault of the run itself, reported as a failed check
            session.failures += 1
            print(f"FAIL {environment}: set-up: {traceback.format_exc()}", flush=True)
        finally:
            if session.failures:
                print(f"--- program output ({environment}) ---\n{session.processes.log('program')}")
            session.processes.stop_all()
    return 1 if session.failures else 0


if __name__ == "__main__":
    sys.exit(main())
