#!/usr/bin/python3
"""What assistive technology finds on the page, in real headless Chromium: the accessibility
tree's names and roles, the live region that answers every press, axe-core's verdict in light
and dark, and the label's own colour under forced colours.

  a11y.py LAYOUT_FILE PAGE AXE_JS"""
import sys

from browser import Browser, page_url
from described import ROLES, wrong_descriptions, wrong_roles  # noqa: E402  (browser puts it on the path)
from layout import Layout  # noqa: E402
from verdict import check, finish  # noqa: E402

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
    layout, url, source = Layout(sys.argv[1]), page_url(sys.argv[2]), open(sys.argv[3]).read()
    b = Browser(url)
    try:
        roles, descriptions = {}, {}
        for role, name, node in tree(b):
            if role not in ("StaticText", "InlineTextBox"):
                roles.setdefault(name, role)
                descriptions.setdefault(name, (node.get("description") or {}).get("value"))
        wrong = wrong_roles(layout, roles, "chromium")
        check("every button and the drawing are announced by their names and roles", not wrong,
              roles)
        wrong = wrong_descriptions(layout, descriptions)
        check("each says what it does or shows", not wrong, wrong)
        status = b.js("const e = document.getElementById('lbl1');"
                      "return [e.getAttribute('role'), e.getAttribute('aria-live'),"
                      "        e.getAttribute('aria-atomic')].join(' ')")
        want = ROLES["chromium"]["Label"] + " polite true"
        check("the label is a polite, atomic live region", status == want, status)
        first, up = layout.spoken(layout.initial), layout.spoken(layout.initial + 1)
        check(f'from load it reads the index and its colour: "{first}"', spoken(b) == first,
              spoken(b))
        b.click("#cmd1")
        check(f'a press of ">" is read "{up}", the focus staying', spoken(b) == up and
              b.js("return document.activeElement.id") == "cmd1", spoken(b))
        axe(b, source, "light")
        b.cdp("Emulation.setEmulatedMedia",
              features=[{"name": "prefers-color-scheme", "value": "dark"}])
        axe(b, source, "dark")
        b.cdp("Emulation.setEmulatedMedia", features=[{"name": "forced-colors", "value": "active"}])
        css = lambda i: "rgb({}, {}, {})".format(*layout.colour(i))
        back = lambda: b.js("return getComputedStyle(document.getElementById('lbl1')).backgroundColor")
        check("under forced colours the label keeps its palette colour",
              back() == css(layout.initial + 1), back())
        b.click("#cmd1")
        check("… and follows it a step on", back() == css(layout.initial + 2), back())
    finally:
        b.close()
    finish("a11y")


if __name__ == "__main__":
    main()
