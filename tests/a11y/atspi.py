#!/usr/bin/env python3
"""What a screen reader sees of the real program, through AT-SPI: names and roles, and the
change event, carrying the new value, that makes a step of the palette stepper heard on the
focused button.

Run inside a D-Bus session on an X server:  atspi.py LAYOUT_FILE PROGRAM"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

sys.path[:0] = [os.path.join(os.path.dirname(os.path.abspath(__file__)), d) for d in ("..", "../e2e")]
from atspitree import application, descendants  # noqa: E402
from described import ROLES, wrong_descriptions, wrong_roles  # noqa: E402
from layout import Layout  # noqa: E402
from verdict import check, finish  # noqa: E402

layout, program = Layout(sys.argv[1]), sys.argv[2]
first, up = layout.spoken(layout.initial), layout.spoken(layout.initial + 1)
NEXT, PREV = (layout.data["controls"][n]["accessibleName"] for n in ("cmd1", "cmd2"))


def find_app():
    return application(lambda name: name == "fizzet")


env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
proc = subprocess.Popen([program], env=env)
try:
    app = None
    retried = False
    for _ in range(200):
        app = find_app()
        if app is not None and any(n.name == NEXT for n in descendants(app)):
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
    roles = {n.name: n.getRoleName() for n in nodes}
    wrong = wrong_roles(layout, roles, "atspi")
    check("every button and the drawing are announced by their names and roles", not wrong, wrong)
    wrong = wrong_descriptions(layout, {n.name: n.description for n in nodes})
    check("each says what it does or shows", not wrong, wrong)
    check(f'the label is named by what it shows, "{first}"',
          roles.get(first) == ROLES["atspi"]["Label"], sorted(by_name))
    check("nothing is a filler", all(n.getRoleName() != "filler" for n in nodes),
          [n.name for n in nodes if n.getRoleName() == "filler"])

    subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Fizzet$",
                    "windowfocus", "--sync"], check=False)
    nxt = by_name[NEXT]
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
    check(f'a press of ">" is heard on it as its new value, "{up}", the event\'s own data',
          spoken(heard[:split]) == [(NEXT, up)], heard)
    check(f'a press of "<" is heard on it as "{first}"', spoken(heard[split:]) == [(PREV, first)],
          heard)
    check(f'the label then reads "{first}"',
          any(n.name == first and n.getRoleName() == "label" for n in descendants(app)))
finally:
    proc.terminate()
    proc.wait(timeout=10)

finish("atspi")
