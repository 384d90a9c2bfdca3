# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Drives ぽこたま through AT-SPI as a screen reader user would, and checks what it hears.
#
# Presses keys through their actions, hears which keyboard keys click them, reads and writes
# the display lines through the Text and EditableText interfaces, opens and closes the About
# window, meets the division-by-zero message box, and moves the keyboard focus into a display
# line with Tab. On the way it looks at what the X server and the process show: the window
# icon, the About window kept off the taskbar, no image-format plugin loaded. Exits 0 on
# success and 1 with the first failure.
import subprocess
import sys
import time
from pathlib import Path

import pyatspi
from gi.repository import GLib

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts" / "desktops"))
from accessible import (Failure, application, check, descendants, expect_lines, find,  # noqa: E402
                        press, role, showing, text_of, top_window, wait_for)


def calculate(window, keys):
    for key in keys:
        press(find(window, "push button", key))


def check_tree(window):
    keys = [d for d in descendants(window) if role(d) == "push button"]
    names = [k.name for k in keys]
    check(len(keys) == 19 and all(names) and len(set(names)) == 19, f"keys heard as {names}")
    for line in ("しき", "にゅうりょく"):
        node = find(window, "text", line)
        check(node is not None, f"no display line {line!r}")
        node.queryEditableText()
    # Every key but C, which no keyboard key clicks, names its keys in its description.
    undescribed = [k.name for k in keys if not k.description]
    check(undescribed == ["クリア"], f"keys described without keyboard keys: {undescribed}")
    check(not any(k.getState().contains(pyatspi.STATE_FOCUSABLE) for k in keys),
          "a key takes the focus")
    equals = find(window, "push button", "イコール")
    check(equals.description == "テンキーのEnter、Enter",
          f"イコール is described as {equals.description!r}, not by its keyboard keys")
    # The keys and both lines lie on one client area; faces and lamps are painted on it.
    client = keys[0].parent
    check(client.childCount == len(keys) + 2,
          f"the client area has {client.childCount} children, not {len(keys) + 2}")


# Two faults of Qt 6.4's line edits that a screen reader meets: text attributes as an empty
# run at the offset asked (Orca then drops the last character), and a word or sentence looked
# up at the end of the text, which never returned (the call times out instead).
def check_text_look_ups(window):
    text = find(window, "text", "しき").queryText()
    attributes = text.getAttributeRun(6, False)
    check(tuple(attributes[1:]) == (0, 7), f"the attribute run at 6 is {attributes[1:]}")
    for boundary, expected in ((pyatspi.TEXT_BOUNDARY_WORD_START, ("18", 5, 7)),
                               (pyatspi.TEXT_BOUNDARY_SENTENCE_START, ("11＋7=18", 0, 7))):
        try:
            found = tuple(text.getTextAtOffset(7, boundary))
        except GLib.Error as error:
            raise Failure(f"a look-up at the end of the text does not return: {error}") from None
        check(found == expected, f"the look-up at the end gives {found}, not {expected}")


# The properties of the program's X window of that name (the one with a class: Qt's leader
# window bears the program's name too).
def x_property(window_name, *names):
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True,
                          check=True).stdout
    window = next(line.split()[0] for line in tree.splitlines()
                  if f'"{window_name}": ("' in line)
    return subprocess.run(["xprop", "-id", window, *names], capture_output=True, text=True,
                          check=True).stdout


def check_x11_and_process(app):
    sizes = wait_for("the window icon", lambda: x_property("ぽこたま", "_NET_WM_ICON").count("Icon ("))
    check(sizes == 4, f"the window icon comes in {sizes} sizes, not 4")
    with open(f"/proc/{app.get_process_id()}/maps", encoding="utf-8") as maps:
        check("/imageformats/" not in maps.read(), "image-format plugins were loaded")


def check_typing_through_editable_text(window):
    entry_line = find(window, "text", "にゅうりょく")
    editable = entry_line.queryEditableText()
    calculate(window, ["1", "1", "たす"])  # one key twice in a row: two presses
    expect_lines(window, "11＋", "11")
    editable.setTextContents("5")
    editable.insertText(0, "7", 1)
    wait_for("the inserted 7", lambda: text_of(entry_line) == "75", 5)
    editable.deleteText(1, 2)
    wait_for("the deleted 5", lambda: text_of(entry_line) == "7", 5)
    calculate(window, ["イコール"])
    expect_lines(window, "11＋7=18", "18")


def check_about_window(app, window):
    menu_item = next(d for d in descendants(window)
                     if role(d) == "menu item" and d.name == "バージョン" and d.childCount == 0)
    press(menu_item)
    about = wait_for("the About window", lambda: top_window(app, "frame", "ﾊﾞｰｼﾞｮﾝ情報"))
    # Its labels run no handler: a screen reader hears them as labels, not as buttons.
    heard = [(role(d), d.name) for d in descendants(about)]
    check([name for r, name in heard if r == "push button"] == ["閉じる"] and
          ("label", "ぽこたま") in heard and ("image", "ぽこたま") in heard,
          f"the About window holds {heard}")
    window_manager_hints = x_property("ﾊﾞｰｼﾞｮﾝ情報", "_NET_WM_STATE", "_NET_WM_WINDOW_TYPE")
    check("_NET_WM_STATE(ATOM) = _NET_WM_STATE_SKIP_TASKBAR\n" in window_manager_hints and
          "_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_NORMAL\n" in window_manager_hints,
          f"the About window is not a normal window off the taskbar: {window_manager_hints}")
    press(find(about, "push button", "閉じる"))
    wait_for("the About window to hide", lambda: not showing(about))


def check_division_by_zero_alert(app, window):
    calculate(window, ["8", "わる", "0", "イコール"])
    alert = wait_for("the message box titled ぽこたま", lambda: top_window(app, "alert", "ぽこたま"))
    heard = [d.name for d in descendants(alert)]
    check("0でわれないよ" in heard, f"the alert says {heard}")
    press(find(alert, "push button"))
    wait_for("the message box to close", lambda: not showing(alert), 5)


# Tab into the entry line selects its text: the line is named as focused before that
# selection is heard, or a screen reader reads a selection in a line it has not named.
def check_focus_before_selection(window):
    heard = []
    pyatspi.Registry.registerEventListener(
        lambda event: heard.append((event.type, event.source.name, event.detail1)),
        "object:state-changed:focused", "object:text-selection-changed")
    # A click on the bare background beyond the lamps activates the window, as Qt does on any
    # click; the focus goes to the formula line, the first in the tab order.
    x, y, width, height = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(x + width - 5, y + height - 5, "b1c")
    formula = find(window, "text", "しき")
    wait_for("the formula line's focus",
             lambda: formula.getState().contains(pyatspi.STATE_FOCUSED))
    heard.clear()
    pyatspi.Registry.generateKeyboardEvent(0xFF09, None, pyatspi.KEY_SYM)  # Tab
    wait_for("the entry line's selection",
             lambda: ("object:text-selection-changed", "にゅうりょく", 0) in heard)
    entry_events = [(kind, detail) for kind, name, detail in heard if name == "にゅうりょく"]
    check(entry_events[0] == ("object:state-changed:focused", 1),
          f"the entry line was heard as {entry_events}, its selection before its focus")


def main():
    started, step = time.monotonic(), "window"
    try:
        app = wait_for("the application ぽこたま on the accessibility bus", application, 20)
        window = wait_for("the window ぽこたま", lambda: top_window(app, "frame", "ぽこたま"))
        print(f"ok window ({time.monotonic() - started:.1f} s)")
        for step, run in (("tree", lambda: check_tree(window)),
                          ("x11 and process", lambda: check_x11_and_process(app)),
                          ("editable text", lambda: check_typing_through_editable_text(window)),
                          ("text look-ups", lambda: check_text_look_ups(window)),
                          ("about window", lambda: check_about_window(app, window)),
                          ("alert", lambda: check_division_by_zero_alert(app, window)),
                          ("focus", lambda: check_focus_before_selection(window))):
            run()
            print(f"ok {step} ({time.monotonic() - started:.1f} s)")
    except Failure as failure:
        print(f"FAIL ({step}): {failure}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
