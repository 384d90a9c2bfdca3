# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The program under real window managers on Xvfb, and under weston (Wayland) with Xwayland.
import os
import subprocess
from pathlib import Path

from accessible import APPLICATION, Failure, wait_for
from checks import (about_window_by_keyboard, division_by_zero_box, keypad_product, keypad_sum,
                    wait_active)
from session import XServer, a11y_bus


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
            wait_for("the window on Xwayland", lambda: f'"{APPLICATION}": (' in windows().stdout)
        except Failure:
            listing = windows()
            raise Failure(f"no window {APPLICATION} on Xwayland: {listing.stdout}{listing.stderr}")
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


