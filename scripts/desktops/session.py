# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The pieces of a real desktop session that the real-desktop runs start and end: processes,
# each in a process group of its own and ended last started first; a virtual X server (Xvfb)
# that takes real key and mouse input through XTest (python3-xlib); the accessibility bus; and
# the run itself, which starts the program and reports each check.
import os
import signal
import subprocess
import sys
import time
from pathlib import Path

import Xlib.error
from Xlib import X, XK, Xatom
from Xlib import display as xdisplay
from Xlib.ext import xtest

from accessible import APPLICATION, Failure, application, top_window, wait_for

A11Y_BUS_LAUNCHERS = ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")


class Processes:
    def __init__(self, work):
        self.work = Path(work)
        self.started = []  # (name, process)

    def start(self, name, argv, env=None, pass_fds=()):
        with open(self.work / f"{name}.log", "wb") as log:
            process = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=log,
                                       stderr=subprocess.STDOUT, env=env, pass_fds=pass_fds,
                                       start_new_session=True)
        self.started.append((name, process))
        return process

    def log(self, name):
        path = self.work / f"{name}.log"
        return path.read_text(errors="replace") if path.exists() else ""

    def stop(self, process, seconds=5.0):
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(process.pid, sig)
            except ProcessLookupError:
                pass
            try:
                process.wait(seconds)
                return
            except subprocess.TimeoutExpired:
                continue

    def stop_all(self):
        while self.started:
            _, process = self.started.pop()
            self.stop(process)


def a11y_bus(processes):
    launcher = next((p for p in A11Y_BUS_LAUNCHERS if os.path.exists(p)), None)
    if launcher is None:
        raise Failure("at-spi-bus-launcher missing (package at-spi2-core)")
    processes.start("a11y-bus", [launcher, "--launch-immediately", "--a11y=1"])

    wait_for("the accessibility bus", lambda: bus_name_owned("org.a11y.Bus"))


# Whether a service holds that name on the session bus; asked of the bus itself, as asking the
# service would have D-Bus start one of its own.
def bus_name_owned(name):
    reply = subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
         "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", f"string:{name}"],
        capture_output=True, text=True)
    return "boolean true" in reply.stdout


class XServer:
    """An X server's display, reached through python-xlib."""

    def __init__(self, name):
        self.name = name
        self.x = xdisplay.Display(name)
        self.root = self.x.screen().root

    # Starts a virtual X server (Xvfb), gives it the keyboard (setxkbmap's arguments, e.g.
    # ["-model", "jp106", "-layout", "jp"]) and connects to it.
    @classmethod
    def start(cls, processes, size="1280x1024", keyboard=()):
        read, write = os.pipe()
        processes.start("xvfb", ["Xvfb", "-displayfd", str(write), "-screen", "0", f"{size}x24",
                                 "-nolisten", "tcp"], pass_fds=(write,))
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        if keyboard:
            subprocess.run(["setxkbmap", "-display", f":{number}", *keyboard], check=True)
        return cls(f":{number}")

    def keycode(self, keysym_name):
        code = self.x.keysym_to_keycode(XK.string_to_keysym(keysym_name))
        if code == 0:
            raise Failure(f"no key gives {keysym_name}")
        return code

    # Presses and releases each key in turn, named by its X key symbol ("KP_1", "Return").
    def keys(self, *names):
        for name in names:
            code = self.keycode(name)
            # Held and released at a typist's pace: a key released at once can be lost on its
            # way through a compositor.
            xtest.fake_input(self.x, X.KeyPress, code)
            self.x.sync()
            time.sleep(0.03)
            xtest.fake_input(self.x, X.KeyRelease, code)
            self.x.sync()
            time.sleep(0.03)

    # Presses each key in turn while holding a modifier ("Control_L").
    def keys_holding(self, modifier, *names):
        code = self.keycode(modifier)
        xtest.fake_input(self.x, X.KeyPress, code)
        try:
            self.keys(*names)
        finally:
            xtest.fake_input(self.x, X.KeyRelease, code)
            self.x.sync()

    def click(self, x, y, button=1):
        xtest.fake_input(self.x, X.MotionNotify, x=x, y=y)
        xtest.fake_input(self.x, X.ButtonPress, button)
        xtest.fake_input(self.x, X.ButtonRelease, button)
        self.x.sync()

    def num_lock(self):
        if not self.x.get_keyboard_control().led_mask & 2:
            self.keys("Num_Lock")

    def atom(self, name):
        return self.x.intern_atom(name)

    def property(self, window, name, kind=X.AnyPropertyType):
        reply = window.get_full_property(self.atom(name), kind)
        return reply.value if reply is not None else None

    def window_name(self, window):
        name = self.property(window, "_NET_WM_NAME", self.atom("UTF8_STRING"))
        return name.decode() if isinstance(name, bytes) else (name or "")

    # The name of the window that the window manager reports as active, or "".
    def active_window_name(self):
        active = self.property(self.root, "_NET_ACTIVE_WINDOW", Xatom.WINDOW)
        if not active or not active[0]:
            return ""
        return self.window_name(self.x.create_resource_object("window", active[0]))

    # The managed windows of that name, from the window manager's list.
    def managed_windows(self, name):
        ids = self.property(self.root, "_NET_CLIENT_LIST", Xatom.WINDOW) or []
        windows = [self.x.create_resource_object("window", i) for i in ids]
        return [w for w in windows if self.window_name(w) == name]

    # The top-level windows of that name, with or without a window manager.
    def windows_named(self, name):
        def walk(window):
            for child in window.query_tree().children:
                if self.window_name(child) == name and child.get_attributes().map_state:
                    yield child
                yield from walk(child)
        try:
            return list(walk(self.root))
        except Xlib.error.BadWindow:  # one went while we looked: look again later
            return []


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
        window = wait_for("its window", lambda: top_window(app, "frame", APPLICATION), 30)
        return app, window

    def stop_program(self):
        self.processes.stop(self.program_process)
        self.program_process = None
        wait_for("the program to leave the accessibility bus", lambda: application() is None)
