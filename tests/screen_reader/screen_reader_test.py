#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 ORX frekvenca developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""What a screen reader gets from the window, read from the accessibility bus (AT-SPI).

Runs the window on the recording link under a real X server, works it from the keyboard with
xdotool, and checks the events and texts that reach the bus: the tree, where the focus goes, and
the notification that says the outcome of every recall, refusal, store and limit save after
the focus has moved. Run by tools/screen-reader-check, inside its own X server and session bus.

    screen_reader_test.py ORX_TEST_CHILD [--orca ORCA_LOG]

With --orca, Orca runs beside it and writes its debug log (what it speaks) to ORCA_LOG.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

PLL_INI = """[Nastavitve]
min=1000
max=30000
M1=True
[Freq]
F1=2000
F3=3300
F4=31000
F5=abc
[Opombe]
T3=Radio Koper
"""


class Bus:
    """Every event of the program's own objects, in the order the bus delivered them."""

    def __init__(self):
        self.events = []
        for kind in ("object:state-changed:focused", "object:state-changed:showing",
                     "object:property-change:accessible-name"):
            pyatspi.Registry.registerEventListener(self._record, kind)

    def _record(self, event):
        try:
            if event.host_application.name != "orx_test_child":
                return
            role = event.source.getRoleName()
            name = event.source.name
        except Exception:  # an object already gone
            return
        self.events.append((event.type, role, name, event.detail1))

    def pump(self, seconds):
        deadline = time.monotonic() + seconds
        context = GLib.MainContext.default()
        while time.monotonic() < deadline:
            while context.iteration(False):
                pass
            time.sleep(0.01)

    def wait_for(self, predicate, seconds=5.0):
        deadline = time.monotonic() + seconds
        context = GLib.MainContext.default()
        while time.monotonic() < deadline:
            while context.iteration(False):
                pass
            if predicate():
                return True
            time.sleep(0.01)
        return False


def focus(name):
    return ("object:state-changed:focused", None, name, 1)


def said(text):
    return ("object:state-changed:showing", "notification", text, 1)


def matches(event, pattern):
    return all(want is None or want == got for want, got in zip(pattern, event))


class Failure(Exception):
    pass


class ScreenReaderTest:
    def __init__(self, child, folder, with_orca=False):
        self.with_orca = with_orca
        self.child_path = child
        self.folder = folder
        self.ini = os.path.join(folder, "pll.ini")
        with open(self.ini, "w", encoding="cp1250", newline="\r\n") as out:
            out.write(PLL_INI)
        self.bus = Bus()
        self.failures = []
        self.child = None

    def start(self):
        self.child = subprocess.Popen(
            [self.child_path, "screen", self.ini, os.path.join(self.folder, "wire")],
            stdout=subprocess.DEVNULL)
        window = subprocess.run(
            ["xdotool", "search", "--sync", "--name", "^ORX frekvenca$"],
            capture_output=True, text=True, timeout=20).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True, timeout=20)
        if not self.bus.wait_for(lambda: self.find_app() is not None, 10):
            raise Failure("the program never reached the accessibility bus")
        self.bus.wait_for(lambda: any(matches(e, focus("Frekvenca v kHz"))
                                      for e in self.bus.events))

    def find_app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "orx_test_child":
                return app
        return None

    def check(self, condition, message):
        if not condition:
            self.failures.append(message)

    def step(self, keys, *expected):
        """Presses the keys; the expected events must follow, in this order."""
        start = len(self.bus.events)
        subprocess.run(["xdotool", "key", "--delay", "60"] + keys, check=True, timeout=20)

        def in_order():
            position = start
            for pattern in expected:
                while position < len(self.bus.events) and \
                        not matches(self.bus.events[position], pattern):
                    position += 1
                if position == len(self.bus.events):
                    return False
                position += 1
            return True

        if not self.bus.wait_for(in_order):
            got = "\n    ".join(map(str, self.bus.events[start:])) or "(nothing)"
            self.failures.append("after %s expected, in order:\n    %s\n  got:\n    %s" % (
                " ".join(keys), "\n    ".join(map(str, expected)), got))
        self.bus.pump(0.2)  # what comes late, such as a second notification, is seen too

    def status_line(self):
        frame = self.find_app()[0]
        for child in frame:
            if child.getRole() == pyatspi.ROLE_STATUS_BAR:
                return child.name
        return None

    def check_tree(self):
        app = self.find_app()
        frame = app[0]
        self.check(frame.getRole() == pyatspi.ROLE_FRAME and frame.name == "ORX frekvenca",
                   "the window is %s %r, not the frame 'ORX frekvenca'" %
                   (frame.getRoleName(), frame.name))
        roles = [child.getRole() for child in frame]
        self.check(pyatspi.ROLE_FILLER not in roles, "drawn shapes reach the tree as fillers")
        self.check(roles.count(pyatspi.ROLE_STATUS_BAR) == 1, "no single status bar")
        self.check(roles.count(pyatspi.ROLE_NOTIFICATION) == 1, "no single notification")
        # Orca splits a text by its attribute runs: a character outside every run is not read.
        for box in (child for child in frame if child.getRole() == pyatspi.ROLE_TEXT):
            text = box.queryText()
            runs = [text.getAttributes(offset)[1:] for offset in range(text.characterCount)]
            outside = [offset for offset, (start, end) in enumerate(runs)
                       if not start <= offset < end]
            self.check(not outside, "%r: characters %s are in no text run" % (box.name, outside))

    def run(self):
        self.start()
        self.check_tree()
        self.step(["Tab"], focus("Spomin M1"))
        # An empty preset, one outside the band and one that is no number: each is said after
        # the focus reaches it, and a repeated press says it again.
        self.step(["Right"], focus("Spomin M2"), said("Spomin M2 je prazen"))
        self.step(["Right"], focus("Spomin M3"), said("Spomin M3: 3300 kHz"))
        self.check(self.status_line() == "3300 kHz", "status bar reads %r" % self.status_line())
        self.step(["Right"], focus("Spomin M4"),
                  said("Frekvenca spomina M4 je izven meja 1000–30000 kHz"))
        self.step(["Right"], focus("Spomin M5"), said("Spomin M5 nima veljavne frekvence"))
        self.step(["space"], said("Spomin M5 nima veljavne frekvence"))
        self.check(self.status_line() == "Spomin M5 nima veljavne frekvence",
                   "status bar reads %r" % self.status_line())
        # A store from the keyboard: the panel's opening is said, the focus goes back to
        # "Spomin", straight, and the store is said.
        opened = said("Shranjevanje 3300 kHz: vpišite pripombo in izberite spomin M1–M16")
        self.step(["Tab", "Tab", "Return"], focus("Spomin"), opened)
        self.step(["Tab"] * 6, focus("Shrani v M6"))
        before = len(self.bus.events)
        self.step(["Return"], focus("Spomin"), said("Shranjeno v M6: 3300 kHz"))
        wandered = [e[2] for e in self.bus.events[before:]
                    if matches(e, focus(None)) and e[2] != "Spomin"]
        self.check(not wandered, "the focus wandered through %s" % wandered)
        # A limit save that moves the frequency into the new band.
        self.step(["Return"] + ["Tab"] * 18, opened, focus("Najnižja frekvenca"))
        self.step(["ctrl+a", "4", "0", "0", "0", "Tab", "Tab"], focus("Shrani najnižjo in najvišjo frekvenco"))
        self.step(["Return"], focus("Spomin"),
                  said("Meji shranjeni: 4000–30000 kHz, frekvenca 4000 kHz"))
        self.check(self.status_line() == "4000 kHz", "status bar reads %r" % self.status_line())
        if self.with_orca:  # Orca's "speak the status bar": Orca+KP_Enter, twice
            subprocess.run(["xdotool", "key", "--delay", "150", "Insert+KP_Enter",
                            "Insert+KP_Enter"], check=True, timeout=20)
            self.bus.pump(1.0)

        self.child.terminate()
        self.child.wait(timeout=10)
        with open(self.ini, encoding="cp1250") as stored:
            text = stored.read()
        self.check("F6=3300" in text and "min=4000" in text, "pll.ini holds:\n" + text)


def main():
    if len(sys.argv) not in (2, 4):
        sys.exit(__doc__)
    folder = tempfile.mkdtemp(prefix="orx-screen-reader-")
    orca = None
    try:
        if len(sys.argv) == 4:
            orca = start_orca(folder, sys.argv[3])
        test = ScreenReaderTest(sys.argv[1], folder, with_orca=orca is not None)
        try:
            test.run()
        except Failure as failure:
            test.failures.append(str(failure))
        finally:
            if test.child and test.child.poll() is None:
                test.child.kill()
    finally:
        if orca:
            orca.terminate()
            orca.wait(timeout=10)
        shutil.rmtree(folder, ignore_errors=True)
    for failure in test.failures:
        print("FAILED: " + failure)
    if test.failures:
        sys.exit(1)
    print("what a screen reader gets: %d events checked, all as expected" % len(test.bus.events))


def start_orca(folder, log):
    """Orca with speech through speech-dispatcher's silent module, so that nothing blocks on a
    sound card; its debug log still records every line it speaks."""
    config = os.path.join(folder, "config", "speech-dispatcher")
    os.makedirs(config)
    with open(os.path.join(config, "speechd.conf"), "w") as out:
        out.write('AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n')
    environment = dict(os.environ, XDG_CONFIG_HOME=os.path.join(folder, "config"))
    orca = subprocess.Popen(
        ["orca", "--disable", "braille", "--debug-file", log, "-u", os.path.join(folder, "orca")],
        env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(8)  # Orca is slow to start, and sees only what comes after it is ready
    return orca


if __name__ == "__main__":
    main()
