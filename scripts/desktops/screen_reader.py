# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The program as a blind user meets it: Orca (laptop keyboard layout) with speech-dispatcher's
# dummy output on Xvfb under openbox, driven from the keyboard only. What Orca says is read
# from its debug log, where it writes each utterance as it hands it to speech.
import json
import os
import re
import threading
from pathlib import Path

from accessible import APPLICATION, Failure, wait_for
from checks import wait_active, wait_focus
from session import XServer, a11y_bus

# One utterance a line, quoted, perhaps followed by its voice ({…}) or marks ([…]).
SPEECH = re.compile(r"SPEECH OUTPUT: '(.*?)'\s*(?:\{.*\}|\[.*\])?$", re.MULTILINE)

ORCA_SETTINGS = {"general": {"keyboardLayout": 2}, "keybindings": {}, "pronunciations": {},
                 "profiles": {"default": {"profile": ["Default", "default"],
                                          "keyboardLayout": 2}}}
# Speech goes nowhere: the dummy module and ALSA's null device.
SPEECH_DISPATCHER = 'AudioOutputMethod "alsa"\nAddModule "dummy" "sd_dummy" "dummy.conf"\n' \
                    'DefaultModule dummy\n'


class Speech:
    """What Orca has said, from its debug log. Orca buffers a log file, but writes a terminal
    line by line: the log goes to a pseudo-terminal, read as it comes."""

    def __init__(self):
        self.master, slave = os.openpty()
        self.log = os.ttyname(slave)  # stays open through `slave` until Orca has it
        self.slave = slave
        self.text = []
        self.lock = threading.Lock()
        threading.Thread(target=self._read, daemon=True).start()
        self.heard = 0

    def _read(self):
        while True:
            try:
                chunk = os.read(self.master, 65536)
            except OSError:
                return
            if not chunk:
                return
            with self.lock:
                self.text.append(chunk.decode(errors="replace"))

    def all(self):
        with self.lock:
            text = "".join(self.text)
        return SPEECH.findall(text.replace("\r\n", "\n"))

    # Marks what has been said so far; new() gives what Orca said since.
    def mark(self):
        self.heard = len(self.all())

    def new(self):
        return self.all()[self.heard:]

    def wait(self, what, probe, seconds=15):
        try:
            return wait_for(what, lambda: probe(self.new()), seconds)
        except Failure:
            raise Failure(f"{what}: Orca said {self.new()}") from None

    def wait_for_words(self, *words, seconds=15):
        return self.wait(f"Orca saying {' and '.join(words)}",
                         lambda said: all(any(w in s for s in said) for w in words), seconds)


def start_orca(session):
    home = Path(os.environ["HOME"])
    config = home / ".config" / "speech-dispatcher"
    config.mkdir(parents=True, exist_ok=True)
    (config / "speechd.conf").write_text(SPEECH_DISPATCHER)
    (home / ".asoundrc").write_text("pcm.!default { type null }\n")
    session.processes.start("speech", ["speech-dispatcher", "--run-single", "--timeout", "0"])
    socket = Path(os.environ["XDG_RUNTIME_DIR"]) / "speech-dispatcher" / "speechd.sock"
    wait_for("speech-dispatcher", socket.exists, 20)
    preferences = session.work / "orca"
    preferences.mkdir()
    (preferences / "user-settings.conf").write_text(json.dumps(ORCA_SETTINGS))
    speech = Speech()
    session.processes.start("orca", ["orca", "--replace", "-u", str(preferences),
                                     "--debug-file", speech.log])
    speech.wait_for_words("Screen reader on", seconds=60)
    return speech


def screen_reader(session):
    x = XServer.start(session.processes)
    os.environ["DISPLAY"] = x.name
    a11y_bus(session.processes)
    session.processes.start("window-manager", ["openbox", "--sm-disable"])
    wait_for("the window manager", lambda: x.property(x.root, "_NET_SUPPORTING_WM_CHECK"))
    x.num_lock()
    # Orca first: Qt passes its keys on to a screen reader that listens when it starts.
    speech = start_orca(session)
    speech.mark()
    app, window = session.start_program(QT_QPA_PLATFORM="xcb")
    wait_active(window, "the main window")
    speech.wait_for_words(f"{APPLICATION} frame", "しき text")

    def running_total():
        speech.mark()
        x.keys("KP_1", "KP_2", "KP_Add", "KP_3", "KP_Multiply")
        speech.wait_for_words("notification 15")

    # After Enter Orca reads the focused formula line; the result is not told again. What is
    # said up to the echo of the next key (Escape) is what Enter made it say.
    def result_once():
        speech.mark()
        x.keys("KP_2", "KP_Enter")
        speech.wait_for_words("12＋3×2=30")
        x.keys("Escape")
        said = speech.wait("the echo of Escape", lambda s: any("escape" in u for u in s) and s)
        results = [u for u in said if "30" in u]
        if results != ["12＋3×2=30"]:
            raise Failure(f"the result was said as {results}")

    def division_by_zero_alert():
        speech.mark()
        x.keys("KP_8", "KP_Divide", "KP_0", "KP_Enter")
        speech.wait_for_words("alert", "0でわれないよ")
        speech.mark()
        x.keys("Return")
        wait_focus(app, "text", "しき")
        speech.wait_for_words("しき")

    # Each step waits, as a listener does, for what Orca says of the last: the title and the
    # picture that has the focus, the button Tab reaches, the line that has the focus again.
    def about_window():
        speech.mark()
        x.keys("Alt_L")
        wait_focus(app, "menu item", "バージョン")
        x.keys("Down")
        speech.wait_for_words("バージョン")
        speech.mark()
        x.keys("Return")
        speech.wait_for_words("ﾊﾞｰｼﾞｮﾝ情報", "ぽこたま image")
        speech.mark()
        x.keys("Tab")
        speech.wait_for_words("閉じる push button")
        speech.mark()
        x.keys("space")
        speech.wait_for_words("しき text")
        wait_focus(app, "text", "しき")

    for name, body in (("keypad 1 2 ＋ 3 × speaks the running total 15", running_total),
                       ("2 Enter speaks the result 30 once", result_once),
                       ("8÷0 Enter speaks the alert; Return goes back to the line",
                        division_by_zero_alert),
                       ("the About window from the keyboard is spoken and closed by Tab, Space",
                        about_window)):
        session.check(name, body)
