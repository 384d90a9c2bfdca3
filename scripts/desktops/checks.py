# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The user paths that the real-desktop runs check, each driven by real key and mouse input and
# read through AT-SPI, and the waits they share.
import time

import pyatspi
from Xlib import X

from accessible import (APPLICATION, Failure, check, descendants, expect_lines, find, focused,
                        has_state, role, showing, top_window, wait_for)

ABOUT = "ﾊﾞｰｼﾞｮﾝ情報"


def described(node):
    return (role(node), node.name) if node is not None else None


# A key's effect can wait on assistive technology: Qt hands each key to a screen reader first.
def wait_focus(app, wanted_role, name):
    try:
        wait_for(f"the focus on {name}", lambda: described(focused(app)) == (wanted_role, name),
                 30)
    except Failure:
        raise Failure(f"the focus is on {described(focused(app))}, not {(wanted_role, name)}") \
            from None


def wait_active(window, what):
    wait_for(f"{what} to be active", lambda: has_state(window, pyatspi.STATE_ACTIVE))


# Clicks the middle of an element of the program's window with the mouse.
def click(x, node):
    left, top, width, height = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x.click(left + width // 2, top + height // 2)


# What the screen shows of an element, as the X server has it.
def picture(x, node):
    left, top, width, height = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return x.root.get_image(left, top, width, height, X.ZPixmap, 0xFFFFFFFF).data


# What a line shows while it stands still: its pictures over a second and a quarter (the
# cursor blinks); None while it changes otherwise, as in the result flash after ＝.
def still_pictures(x, line):
    seen = set()
    for _ in range(25):
        seen.add(picture(x, line))
        time.sleep(0.05)
    return seen if len(seen) <= 2 else None


# Types keys that an input method composes, and waits until the line shows the whole
# composition, standing still again: it is not the line's text, so the text cannot tell.
def compose(x, line, *keys):
    before = wait_for("the line to stand still", lambda: still_pictures(x, line))
    x.keys(*keys)
    wait_for("the composition to be drawn",
             lambda: (after := still_pictures(x, line)) is not None and not after & before)


def click_keys(x, window, *names):
    for name in names:
        click(x, find(window, "push button", name))


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
    wait_focus(app, "image", APPLICATION)
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
    box = wait_for("the message box", lambda: top_window(app, "alert", APPLICATION))
    check(find(box, "label", "0でわれないよ") is not None, "the box does not say 0でわれないよ")
    wait_active(box, "the message box")
    wait_focus(app, "push button", "OK")
    x.keys("Return")
    wait_for("the message box to close", lambda: not showing(box))
    wait_active(window, "the main window")
    wait_focus(app, "text", "しき")


