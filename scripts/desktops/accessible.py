# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What a screen reader sees of the running program, through AT-SPI (pyatspi, from Debian's
# python3-pyatspi): its application, windows, keys and display lines, and a wait that polls a
# state with a time limit while AT-SPI's events are dispatched. Shared by the real-desktop runs
# and the accessibility test.
import time

import pyatspi
from gi.repository import GLib

APPLICATION = "ぽこたま"


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


# Returns probe()'s first true value, dispatching AT-SPI events while it waits.
def wait_for(what, probe, seconds=10.0):
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while True:
        while context.pending():
            context.iteration(False)
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(0.05)


def children(node):
    return [c for c in (node.getChildAtIndex(i) for i in range(node.childCount)) if c is not None]


def descendants(node):
    for child in children(node):
        yield child
        yield from descendants(child)


def has_state(node, state):
    return node.getState().contains(state)


def showing(node):
    return has_state(node, pyatspi.STATE_SHOWING)


def role(node):
    return node.getRoleName()


def find(node, wanted_role, name=None):
    return next((d for d in descendants(node)
                 if role(d) == wanted_role and (name is None or d.name == name)), None)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    return next((a for a in children(desktop) if a.name == APPLICATION and a.childCount > 0),
                None)


def top_window(app, wanted_role, name):
    return next((w for w in children(app)
                 if role(w) == wanted_role and w.name == name and showing(w)), None)


# The object that has the keyboard focus in a showing window of the program, or None: the
# innermost of those that say so (a widget with a focus proxy says so with the proxy).
def focused(app):
    found = None
    for window in children(app):
        if showing(window):
            for node in descendants(window):
                if has_state(node, pyatspi.STATE_FOCUSED):
                    found = node
    return found


def press(node):
    actions = node.queryAction()
    names = [actions.getName(i).lower() for i in range(actions.nActions)]
    check("press" in names, f"{node.name!r} has no press action, only {names}")
    actions.doAction(names.index("press"))


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


# The texts of the formula line and the entry line.
def lines(window):
    return [text_of(find(window, "text", name)) for name in ("しき", "にゅうりょく")]


def expect_lines(window, formula, entry, seconds=5.0):
    try:
        wait_for("the lines", lambda: lines(window) == [formula, entry], seconds)
    except Failure:
        raise Failure(f"the lines read {lines(window)}, not {[formula, entry]}") from None
