# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The program with a Japanese input method switched on, as most of its users type: ibus or
# fcitx5 with Mozc, on Xvfb with a jp106 keyboard, under openbox. Mozc refuses to run as root,
# so the runs work as an unprivileged user.
import os
import subprocess

from accessible import expect_lines, find, wait_for
from checks import click, click_keys, compose, wait_active
from session import XServer, a11y_bus, bus_name_owned


def run_quietly(*command):
    return subprocess.run(command, capture_output=True, text=True)


# ibus with Mozc as its engine; Mozc starts in direct input, and its Hiragana key turns it on.
def ibus(session, x):
    session.processes.start("ibus", ["ibus-daemon", "--replace", "--panel=disable"])

    def mozc_engine():
        run_quietly("ibus", "engine", "mozc-jp")
        return run_quietly("ibus", "engine").stdout.strip() == "mozc-jp"
    wait_for("ibus with Mozc", mozc_engine, 30)
    return {"QT_IM_MODULE": "ibus"}, lambda: x.keys("Hiragana_Katakana")


FCITX5_PROFILE = """[Groups/0]
Name=Default
Default Layout=jp
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-jp
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
"""


# fcitx5 with the Japanese keyboard and Mozc in its one group, serving programs through that
# frontend (its D-Bus one for Qt's own module, "xim" for X programs that have none); returns
# what turns Mozc on, which fcitx5 does only for a line that has the focus already.
def start_fcitx5(session, frontend):
    config = os.path.join(os.environ["HOME"], ".config", "fcitx5")
    os.makedirs(config, exist_ok=True)
    with open(os.path.join(config, "profile"), "w", encoding="utf-8") as profile:
        profile.write(FCITX5_PROFILE)
    session.processes.start("fcitx5", ["fcitx5", "--disable=all",
                                       f"--enable=dbus,{frontend},xcb,keyboard,mozc"])
    wait_for("fcitx5", lambda: bus_name_owned("org.fcitx.Fcitx5"), 30)

    def turn_on():
        wait_for("Mozc to be on", lambda: run_quietly("fcitx5-remote", "-o") and
                 run_quietly("fcitx5-remote").stdout.strip() == "2")
    return turn_on


def fcitx5(session, x):
    return {"QT_IM_MODULE": "fcitx"}, start_fcitx5(session, "dbusfrontend")


def input_method(start):
    def run(session):
        x = XServer.start(session.processes, keyboard=["-model", "jp106", "-layout", "jp"])
        os.environ["DISPLAY"] = x.name
        a11y_bus(session.processes)
        session.processes.start("window-manager", ["openbox", "--sm-disable"])
        wait_for("the window manager", lambda: x.property(x.root, "_NET_SUPPORTING_WM_CHECK"))
        program_environment, turn_on = start(session, x)
        x.num_lock()
        app, window = session.start_program(QT_QPA_PLATFORM="xcb", **program_environment)
        wait_active(window, "the main window")
        entry = find(window, "text", "にゅうりょく")
        click(x, entry)
        turn_on()

        # Keys clicked while a line shows text the input method has not confirmed are refused;
        # the user's Return confirms it, and the keys work on it.
        def composition_then_keys():
            compose(x, entry, "1", "2")
            click_keys(x, window, "たす", "3", "イコール")
            x.keys("Return")
            expect_lines(window, "", "１２")
            click_keys(x, window, "たす", "3", "イコール")
            expect_lines(window, "１２＋3=15", "15")

        # During a composition ＝ and CE are refused, and Escape and F9 are the input method's:
        # Escape cancels "45" (CE would empty both lines), F9 converts "6" (+/- would sign 15).
        def composition_keys_stay_the_input_methods():
            compose(x, entry, "4", "5")
            click_keys(x, window, "イコール", "ぜんぶクリア")
            x.keys("Escape", "6", "F9", "Return")
            expect_lines(window, "１２＋3=15", "15６")

        def keypad_with_input_method_on():
            x.keys("KP_1", "KP_2", "KP_Add", "KP_3", "KP_Enter")
            expect_lines(window, "12＋3=15", "15")

        # Kana in the entry line read as the number 0.
        def kana_then_keys():
            x.keys("Escape")  # CE
            expect_lines(window, "", "")
            compose(x, entry, "a", "i", "u")
            x.keys("Return")
            expect_lines(window, "", "あいう")
            click_keys(x, window, "たす", "1", "イコール")
            expect_lines(window, "あいう＋1=1", "1")

        for name, body in (
                ("a composition, then ＋ 3 ＝ refused; Return confirms it; ＋ 3 ＝ gives 15",
                 composition_then_keys),
                ("during a composition ＝ and CE are refused, Escape and F9 are the input method's",
                 composition_keys_stay_the_input_methods),
                ("keypad 1 2 ＋ 3 Enter with the input method on gives 15",
                 keypad_with_input_method_on),
                ("あいう ＋ 1 ＝ gives 1", kana_then_keys)):
            session.check(name, body)
    return run
