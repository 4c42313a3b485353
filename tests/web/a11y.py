#!/usr/bin/python3
"""What assistive technology finds on the page, in real headless Chromium: the accessibility
tree's names and roles, the live region that answers every press, axe-core's verdict in light
and dark, and the label's own colour under forced colours.

  a11y.py PAGE AXE_JS"""
import sys

from browser import Browser, page_url
from verdict import check, finish

def tree(b):
    """The accessibility tree as (role, name, node) of every node Chromium exposes."""
    nodes = b.cdp("Accessibility.getFullAXTree")["nodes"]
    value = lambda n, k: (n.get(k) or {}).get("value", "")
    return [(value(n, "role"), value(n, "name"), n) for n in nodes if not n.get("ignored")]


def spoken(b):
    """What the live region reads: its text, whole, as Chromium exposes it."""
    nodes = b.cdp("Accessibility.getFullAXTree")["nodes"]
    by_id = {n["nodeId"]: n for n in nodes}
    status = [n for n in nodes if (n.get("role") or {}).get("value") == "status"]
    if len(status) != 1:
        return None
    texts, todo = [], list(status[0].get("childIds", []))
    while todo:
        n = by_id[todo.pop(0)]
        if (n.get("role") or {}).get("value") == "StaticText":
            texts.append(n["name"]["value"])
        todo[0:0] = n.get("childIds", [])
    return "".join(texts)


def axe(b, source, what):
    b.js(source)
    result = b.driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "axe.run(document).then(r => done(r.violations.map(v => v.id + ': ' + v.help)));")
    check(f"axe-core finds no violations, {what}", result == [], result)


def main():
    url, source = page_url(sys.argv[1]), open(sys.argv[2]).read()
    b = Browser(url)
    try:
        roles = {}
        for role, name, _ in tree(b):
            if role not in ("StaticText", "InlineTextBox"):
                roles.setdefault(name, role)
        check('">" and "<" are the buttons "Next basic color" and "Previous basic color"',
              roles.get("Next basic color") == "button" and
              roles.get("Previous basic color") == "button", roles)
        captions = ["Start", "Stop", "Reset", "Fall", "Sort", "Wind"]
        check("the other buttons are named by their captions",
              all(roles.get(c) == "button" for c in captions), roles)
        check("the drawing is an image named for what it shows",
              roles.get("Point animation") == "image", roles)
        status = b.js("const e = document.getElementById('lbl1');"
                      "return [e.getAttribute('role'), e.getAttribute('aria-live'),"
                      "        e.getAttribute('aria-atomic')].join(' ')")
        check("the label is a polite, atomic live region", status == "status polite true", status)
        check("from load it reads the index and its colour: \"8, dark gray\"",
              spoken(b) == "8, dark gray", spoken(b))
        b.click("#cmd1")
        check("a press of \">\" is read \"9, blue\", the focus staying", spoken(b) == "9, blue" and
              b.js("return document.activeElement.id") == "cmd1", spoken(b))
        axe(b, source, "light")
        b.cdp("Emulation.setEmulatedMedia",
              features=[{"name": "prefers-color-scheme", "value": "dark"}])
        axe(b, source, "dark")
        b.cdp("Emulation.setEmulatedMedia", features=[{"name": "forced-colors", "value": "active"}])
        colours = b.js("""return ['lbl1', 'Label1', 'cmd3'].map(i => {
                             const s = getComputedStyle(document.getElementById(i));
                             return s.backgroundColor + ' / ' + s.color; })""")
        check("under forced colours the label keeps its palette colour",
              colours[0].startswith("rgb(0, 0, 255)"), colours)
        b.click("#cmd1")
        check("… and follows it to 10 (green)",
              b.js("return getComputedStyle(document.getElementById('lbl1')).backgroundColor")
              == "rgb(0, 255, 0)")
    finally:
        b.close()
    finish("a11y")


if __name__ == "__main__":
    main()
