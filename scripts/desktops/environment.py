# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs ぽこたま's user paths in one real desktop environment, with real key and mouse input
# (XTest), and prints one line per check: "ok ENVIRONMENT: CHECK (seconds)" or
# "FAIL ENVIRONMENT: CHECK: what went wrong". Sets up everything the environment needs (X
# server, window manager or compositor, accessibility bus, the program) and ends it all on the
# way out. Reads the program's state as a screen reader does, through AT-SPI.
#
#   environment.py ENVIRONMENT PROGRAM      (in a D-Bus session of its own: dbus-run-session)
import sys
import tempfile
import traceback

from accessible import Failure
from input_methods import fcitx5, ibus, input_method
from screen_reader import screen_reader
from session import Run
from window_managers import weston, window_manager
from wine import wine_input_method


ENVIRONMENTS = {
    "openbox": window_manager("openbox", "--sm-disable"),
    "xfwm4": window_manager("xfwm4", "--compositor=off", "--sm-client-disable"),
    "metacity": window_manager("metacity", "--sm-disable"),
    "weston": weston,
    "ibus": input_method(ibus),
    "fcitx5": input_method(fcitx5),
    "orca": screen_reader,
    "wine-fcitx5": wine_input_method,
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
