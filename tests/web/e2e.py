#!/usr/bin/python3
"""The page as a person uses it, in real headless Chromium: the scenario in real clicks and key
presses, judged by screenshots in device pixels, at device scale 1 and 2, light and dark. Then
what only a page meets: its title, its elements where the layout puts them, a quiet console,
browser zoom at fractional ratios, phones, and a right-to-left document.

  e2e.py LAYOUT_FILE PAGE"""
import sys
import time

from browser import Browser, page_url

import scenario  # noqa: E402  (browser puts it on the path)
from layout import Layout  # noqa: E402
from verdict import check, finish  # noqa: E402

# key, code and Windows key code of each key the scenario presses
KEYS = {"space": (" ", "Space", 32), "return": ("Enter", "Enter", 13),
        "enter": ("Enter", "NumpadEnter", 13), "tab": ("Tab", "Tab", 9)}


class Page:
    """The scenario's driver: the page's client area in one browser."""
    enter_on_keydown, tabs_outside = True, 1

    def __init__(self, url, scale, dark=False, **options):  # options: Browser's
        self.b, self.scale = Browser(url, scale, dark, **options), scale

    def shot(self):
        x, y, w, h = self.b.box("#client")
        return self.b.shot().crop((x, y, x + w, y + h))

    def click(self, name):
        self.b.click("#" + name)

    def key(self, key):
        self.b.key(*KEYS[key])

    def hold(self, key, during):
        """Down, with the repeats a held key sends every 33 ms after half a second; then up."""
        self.b.key(*KEYS[key], up=False)
        time.sleep(0.5)
        for _ in range(20):
            self.b.key(*KEYS[key], up=False, repeat=True)
            time.sleep(0.033)
        during()
        self.b.key(*KEYS[key], down=False)


def run(url, layout, scale, dark):
    tag = f" [scale {scale:g}, {'dark' if dark else 'light'}]"
    p = Page(url, scale, dark)
    try:
        check("the title is Fizzet" + tag, p.b.driver.title == "Fizzet")
        left, top = p.b.box("#client")[:2]
        boxes = layout.at(scale)["boxes"]
        wrong = [n for n, box in boxes.items() if n in ("tmr1",) or
                 (lambda b: (b[0] - left, b[1] - top, *b[2:]))(p.b.box("#" + n)) != tuple(box)]
        x, y, w, _ = p.b.box("#pct1 > canvas")
        blocks = layout.at(scale)["blocks"]
        check(f"every element, the drawing's too, where the layout puts it (wrong: {wrong})" + tag,
              not wrong and (x - left, y - top, w // layout.wide) == tuple(blocks))
        scenario.run(p, layout, tag)
        errors = [e for e in p.b.console() if e.get("level") == "SEVERE"]
        check(f"nothing said on the console (saw {errors})" + tag, not errors)
    finally:
        p.b.close()


def crisp(url, layout, scale):
    """At a fractional ratio too, as browser zoom and desktop scaling give it, positions are
    even blocks, the first row and column included, and frame lines solid with no half-tone
    beside them."""
    p = Page(url, scale, zoomed=True)
    try:
        b = p.b
        start = b.shot()
        x, y, w, h = b.box("#shp1")
        ground, ink = start.getpixel((x - 2, y + h // 2)), start.getpixel((x + w // 2, y))
        cx, cy, cw, ch = b.box("#pct1 > canvas")
        blank = start.getpixel((cx + cw // 2, cy + ch // 2))
        for caption in ("Wind", "Reset", "Start"):
            p.click(layout.named(caption))
        time.sleep(1.0)
        p.click(layout.named("Stop"))
        image = b.shot()
        across = [image.getpixel((i, y + h // 2)) for i in range(x - 2, x + int(scale) + 2)]
        down = [image.getpixel((x + w // 2, j)) for j in range(y - 2, y + int(scale) + 2)]
        block = cw // layout.wide
        canvas = image.crop((cx, cy, cx + cw, cy + ch)).load()
        even = all(canvas[i, j] == canvas[i - i % block, j - j % block]
                   for i in range(cw) for j in range(ch))
        drawn = any(canvas[i, j] != blank for i in range(0, cw, block) for j in range(0, ch, block))
        check(f"scale {scale:g}: each position one even block of {block} device pixels, "
              "frame lines solid", even and drawn and set(across) == set(down) == {ground, ink},
              (across, down))
    finally:
        p.b.close()


def phone(url, layout, width, height, scale):
    """On a phone the window fills the screen's width, as far as whole blocks go, with buttons
    a finger can hit, even blocks, and captions a long press does not select."""
    p = Page(url, scale, phone=(width, height))
    try:
        b, tag = p.b, f" [phone {width} x {height} x {scale:g}]"
        client = b.js("return document.getElementById('client').getBoundingClientRect().width")
        buttons = b.js("""return [...document.querySelectorAll('#client > button')].map(e => {
                          const r = e.getBoundingClientRect(); return Math.min(r.width, r.height);
                        })""")
        check(f"the window fills the width ({client:.0f} of {width} CSS px), every button 44 CSS px "
              f"or more (least {min(buttons):.1f})" + tag,
              width * 0.85 <= client <= width and min(buttons) >= 44)
        x, y, w, h = b.box("#pct1 > canvas")
        check(f"the drawing is whole blocks ({w} x {h} device px)" + tag,
              w % layout.wide == 0 and h % layout.high == 0 and w // layout.wide == h // layout.high)
        check("a long press selects no caption" + tag,
              b.js("return getComputedStyle(document.getElementById('cmd3')).userSelect") == "none")
    finally:
        b.close()


def right_to_left(url):
    """In a right-to-left document the window looks as it does left to right: "<", which
    steps down, stays on the left and points left."""
    p = Page(url, 1)
    try:
        ltr = p.shot()
        p.b.js("document.documentElement.dir = 'rtl'")
        time.sleep(0.2)
        check("right to left, the window is the same picture", p.shot().tobytes() == ltr.tobytes())
    finally:
        p.b.close()


def main():
    layout, url = Layout(sys.argv[1]), page_url(sys.argv[2])
    for scale in (1, 2):
        for dark in (False, True):
            run(url, layout, scale, dark)
    for scale in (1.1, 1.25, 1.5, 1.75, 2.5, 3):
        crisp(url, layout, scale)
    for width, height, scale in ((360, 780, 3), (412, 915, 2.625)):
        phone(url, layout, width, height, scale)
    right_to_left(url)
    finish("e2e")


if __name__ == "__main__":
    main()
