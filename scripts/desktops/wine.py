# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows build under Wine, with fcitx5 and Mozc reaching it over XIM as they reach any X
# program without an input-method module of its own. Wine gives no AT-SPI tree, so the run
# clicks the points that the Linux build's lines and keys take in the same face, and reads a
# line by selecting it and copying it to the clipboard. Wine shows the program neither the
# composition (the input method keeps it) nor the keys the input method takes: these checks
# show what a user gets there.
import os
import subprocess
import time

import pyatspi

from accessible import Failure, descendants, wait_for
from input_methods import run_quietly, start_fcitx5
from session import XServer, a11y_bus

LINES = ("しき", "にゅうりょく")
KEYS = ("たす", "3", "イコール")
NOTHING_COPIED = "(nothing copied)"


# Where each line and key lies in the window, from the Linux build's accessible objects.
def places_in_window(session):
    _, window = session.start_program(QT_QPA_PLATFORM="xcb")
    left, top, _, _ = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    places = {}
    for node in descendants(window):
        if node.name in LINES + KEYS and node.getRoleName() in ("text", "push button"):
            x, y, width, height = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            places[node.name] = (x - left + width // 2, y - top + height // 2)
    session.stop_program()
    return places


class WineWindow:
    def __init__(self, x, window, places):
        self.x = x
        origin = window.translate_coords(x.root, 0, 0)
        self.left, self.top = -origin.x, -origin.y
        self.places = places

    def click(self, *names):
        for name in names:
            left, top = self.places[name]
            self.x.click(self.left + left, self.top + top)
            time.sleep(0.2)  # a click through Wine takes its time to arrive

    # A line's text, selected and copied; "" for an empty line, which copies nothing.
    def line(self, name):
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=NOTHING_COPIED.encode(),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        self.click(name)
        self.x.keys_holding("Control_L", "a", "c")

        def copied():
            text = run_quietly("xclip", "-selection", "clipboard", "-o").stdout
            return text if text != NOTHING_COPIED else None
        try:
            return wait_for("the line's text on the clipboard", copied, 3)
        except Failure:
            return ""

    def expect_lines(self, formula, entry):
        read = [self.line("しき"), self.line("にゅうりょく")]
        if read != [formula, entry]:
            raise Failure(f"the lines read {read}, not {[formula, entry]}")


def wine_input_method(session):
    program = os.environ.get("POKOTAMA_WINDOWS_PROGRAM")
    if not program:
        raise Failure("no Windows build named (POKOTAMA_WINDOWS_PROGRAM)")
    x = XServer.start(session.processes, keyboard=["-model", "jp106", "-layout", "jp"])
    os.environ["DISPLAY"] = x.name
    a11y_bus(session.processes)
    session.processes.start("window-manager", ["openbox", "--sm-disable"])
    wait_for("the window manager", lambda: x.property(x.root, "_NET_SUPPORTING_WM_CHECK"))
    places = places_in_window(session)
    turn_on = start_fcitx5(session, "xim")

    wine = dict(os.environ, WINEPREFIX=os.path.join(os.environ["HOME"], "wine"),
                WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=", XMODIFIERS="@im=fcitx")
    subprocess.run(["wineboot", "-i"], env=wine, stdin=subprocess.DEVNULL,
                   capture_output=True, timeout=120, check=True)
    session.processes.start("program", ["wine", program], wine)
    window = WineWindow(x, wait_for("the program's window", lambda: x.managed_windows("ぽこたま"),
                                    60)[0], places)
    x.num_lock()
    window.click("にゅうりょく")
    turn_on()

    # The composition is the input method's, drawn by it and not in the line, so the keys work
    # on the line's text; Return then confirms the composition into the line.
    def composition_then_keys():
        x.keys("1", "2")
        window.click("たす", "3", "イコール")
        x.keys("Return")
        window.expect_lines("＋3=3", "3１２")

    # The input method takes the keypad before Wine sees it: no calculator key is worked.
    def keypad_goes_to_the_input_method():
        window.click("にゅうりょく")
        x.keys("KP_1", "KP_2", "KP_Add", "KP_3", "KP_Enter")
        formula = window.line("しき")
        if formula != "＋3=3":
            raise Failure(f"the formula line reads {formula!r}")

    for name, body in (
            ("(Wine's XIM) a composition, then ＋ 3 ＝ works on the line's text; Return "
             "confirms it after", composition_then_keys),
            ("(Wine's XIM) keypad 1 2 ＋ 3 Enter goes to the input method, not to the keys",
             keypad_goes_to_the_input_method)):
        session.check(name, body)
