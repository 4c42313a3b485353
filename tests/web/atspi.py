#!/usr/bin/python3
"""What a screen reader hears of the page, through AT-SPI: headed Chromium on an X server, in a
D-Bus session whose accessibility bus is on, so that Chromium exposes the page as it would to
Orca. A press of ">" must change the live region's text, with the focus left where it was.

Run by tests/a11y/atspi.sh, in a D-Bus session on an X server:  atspi.py LAYOUT_FILE PAGE"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

from browser import Browser, page_url
from verdict import check, finish

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "a11y"))
from atspitree import application, descendants  # noqa: E402
from layout import Layout  # noqa: E402

layout = Layout(sys.argv[1])

def text_of(node):
    try:
        t = node.queryText()
        return t.getText(0, t.characterCount).replace("\ufffc", "")
    except NotImplementedError:
        return ""


def live_region():
    app = application(lambda name: "hromium" in name)
    for n in descendants(app) if app is not None else ():
        if n.getRoleName() == "status bar":
            return n
    return None


# Assistive technology asks for this before the browser starts; the browser reads it then.
subprocess.run(["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path",
                "/org/a11y/bus", "--method", "org.freedesktop.DBus.Properties.Set",
                "org.a11y.Status", "IsEnabled", "<true>"], check=True, stdout=subprocess.DEVNULL)
b = Browser(page_url(sys.argv[2]), headless=False, flags=["--force-renderer-accessibility"])
try:
    status = None
    for _ in range(100):
        status = live_region()
        if status is not None and text_of(status):
            break
        time.sleep(0.1)
    check("the page's live region shows up on the accessibility bus", status is not None)
    if status is None:
        sys.exit(1)
    first = layout.spoken(layout.initial)
    check(f'it reads "{first}" from load', text_of(status) == first, text_of(status))
    check("it is polite and atomic", status.getAttributes() and
          {"live:polite", "atomic:true"} <= set(status.getAttributes()), status.getAttributes())

    def heard_after(press):
        """The live region's events after `press`, each with the region's text then."""
        heard, pressed = [], []

        def on_event(event):
            if not pressed:  # one of an earlier press, delivered late
                return
            try:
                inside = event.source == status or event.source.parent == status
            except Exception:
                inside = False
            if inside:
                heard.append((event.type, text_of(status)))

        def press_then_stop():
            pressed.append(True)
            press()
            GLib.timeout_add(1500, lambda: pyatspi.Registry.stop())
            return False

        pyatspi.Registry.registerEventListener(on_event, "object:text-changed",
                                               "object:children-changed")
        GLib.timeout_add(300, press_then_stop)
        pyatspi.Registry.start()
        pyatspi.Registry.deregisterEventListener(on_event, "object:text-changed",
                                                 "object:children-changed")
        return heard

    heard = heard_after(lambda: b.click("#cmd1"))
    print("heard:", heard)
    up = layout.spoken(layout.initial + 1)
    check(f'a press of ">" changes the live region\'s text, heard as "{up}"',
          heard and heard[-1][1] == up, heard)
    check("the focus stays on \">\"", b.js("return document.activeElement.id") == "cmd1")
    for _ in range(layout.last - layout.initial - 1):
        b.click("#cmd1")
    heard = heard_after(lambda: b.click("#cmd1"))
    # The same text again: new nodes in the region, which a screen reader presents as added.
    last = layout.spoken(layout.last)
    check(f'a press at the end is heard too, the region\'s content added anew as "{last}"',
          [t for t, _ in heard].count("object:children-changed:add") == 1 and
          heard[-1][1] == last, heard)
finally:
    b.close()

finish("atspi")
