#!/usr/bin/env python3
"""What a screen reader sees of the real program, through AT-SPI: names and roles, and the
change event, carrying the new value, that makes a step of the palette stepper heard on the
focused button.

Run inside a D-Bus session on an X server:  atspi.py PROGRAM"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

program = sys.argv[1]
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from atspitree import application, descendants  # noqa: E402
from verdict import check, finish  # noqa: E402


def find_app():
    return application(lambda name: name == "fizzet")


env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
proc = subprocess.Popen([program], env=env)
try:
    app = None
    retried = False
    for _ in range(200):
        app = find_app()
        if app is not None and any(n.name == "Next basic color" for n in descendants(app)):
            break
        if proc.poll() is not None and not retried:
            # turned away by the private X server during its setup: once more
            proc = subprocess.Popen([program], env=env)
            retried = True
        time.sleep(0.05)
    check("the program shows up on the accessibility bus", app is not None)
    if app is None:
        finish("atspi")
    nodes = list(descendants(app))
    by_name = {n.name: n for n in nodes}
    role = lambda n: n.getRoleName() if n is not None else None
    check('">" is the push button "Next basic color"',
          role(by_name.get("Next basic color")) == "push button")
    check('"<" is the push button "Previous basic color"',
          role(by_name.get("Previous basic color")) == "push button")
    check('the label is named by what it shows, "8, dark gray"',
          role(by_name.get("8, dark gray")) == "label", sorted(by_name))
    surface = next((n for n in nodes if n.getRoleName() == "canvas"), None)
    check("the drawing surface is a canvas", surface is not None,
          sorted({n.getRoleName() for n in nodes}))
    check("nothing is a filler", all(n.getRoleName() != "filler" for n in nodes),
          [n.name for n in nodes if n.getRoleName() == "filler"])

    subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Fizzet$",
                    "windowfocus", "--sync"], check=False)
    nxt = by_name["Next basic color"]
    for _ in range(40):
        if nxt.getState().contains(pyatspi.STATE_FOCUSED):
            break
        time.sleep(0.05)
    check('">" has the focus at start', nxt.getState().contains(pyatspi.STATE_FOCUSED))

    # Press Space on the focused ">", then on "<", and collect the description changes that
    # arrive: a screen reader speaks the event's own data.
    heard = []

    def on_change(event):
        source = event.source
        data = event.any_data if isinstance(event.any_data, str) else None
        heard.append((source.name, source.getState().contains(pyatspi.STATE_FOCUSED), data))

    def presses():
        subprocess.run(["xdotool", "key", "space"], check=True)
        GLib.timeout_add(700, tab_then_press)
        return False

    def tab_then_press():
        heard.append(("tab", False, None))
        subprocess.run(["xdotool", "key", "Tab", "space"], check=True)
        GLib.timeout_add(1500, lambda: pyatspi.Registry.stop())
        return False

    pyatspi.Registry.registerEventListener(on_change,
                                           "object:property-change:accessible-description")
    GLib.timeout_add(300, presses)
    pyatspi.Registry.start()
    split = heard.index(("tab", False, None)) if ("tab", False, None) in heard else len(heard)
    # Events that carry a text, and which button raised them: only the one pressed, which has
    # the focus.
    spoken = lambda events: [(n, d) for n, _, d in events if d]
    check('a press of ">" is heard on it as its new value, "9, blue", the event\'s own data',
          spoken(heard[:split]) == [("Next basic color", "9, blue")], heard)
    check('a press of "<" is heard on it as "8, dark gray"',
          spoken(heard[split:]) == [("Previous basic color", "8, dark gray")], heard)
    check('the label then reads "8, dark gray"',
          any(n.name == "8, dark gray" and n.getRoleName() == "label" for n in descendants(app)))
finally:
    proc.terminate()
    proc.wait(timeout=10)

finish("atspi")
