#!/usr/bin/python3
"""The page as a person uses it, in real headless Chromium: real clicks and key presses, judged
by screenshots in device pixels. Every check runs at device scale 1 and 2, light and dark.

  e2e.py PAGE"""
import sys
import time

from browser import Browser, page_url
from verdict import check, finish

# Each control's box on the 96-dpi grid: left, top, width, height.
LAYOUT = {
    "cmd5": (80, 88, 41, 33), "cmd6": (16, 264, 41, 33), "cmd8": (144, 264, 41, 33),
    "cmd7": (80, 264, 41, 33), "pct1": (8, 128, 185, 129), "cmd4": (144, 88, 41, 33),
    "cmd3": (16, 88, 41, 33), "cmd2": (16, 16, 33, 33), "cmd1": (152, 16, 33, 33),
    "Shape1": (8, 256, 185, 49), "shp2": (8, 80, 185, 49), "shp1": (8, 8, 185, 73),
    "Label1": (16, 56, 169, 17), "lbl1": (56, 16, 89, 33),
}
WIDE, HIGH = 183, 128
BLUE, GREEN, CYAN, RED = (0, 0, 255), (0, 255, 0), (0, 255, 255), (255, 0, 0)
class Run:
    def __init__(self, url, scale, dark, **options):
        self.b = Browser(url, scale, dark, **options)
        self.measure()

    def measure(self):
        self.s = self.b.scale
        self.origin = self.b.box("#client")[:2]
        cx, cy, cw, _ = self.b.box("#pct1 > canvas")
        self.drawing, self.block = (cx, cy), cw // WIDE

    def rel(self, box):
        return (box[0] - self.origin[0], box[1] - self.origin[1], box[2], box[3])

    def positions(self, image):
        """{(x, y): colour} of every drawing position, and whether each is one even block."""
        (cx, cy), b, px = self.drawing, self.block, image.load()
        colours, even = {}, True
        for y in range(HIGH):
            for x in range(WIDE):
                c = px[cx + x * b, cy + y * b]
                colours[x, y] = c
                if b > 1 and (px[cx + x * b + b - 1, cy + y * b + b - 1] != c or
                              px[cx + x * b + b - 1, cy + y * b] != c):
                    even = False
        return colours, even

    def plotted(self, image=None):
        colours, _ = self.positions(image or self.b.shot())
        return {p: c for p, c in colours.items() if c != self.background}

    def at(self, image, element, dx, dy):
        x, y = self.b.box("#" + element)[:2]
        return image.getpixel((x + dx * self.s, y + dy * self.s))

    def label(self, image):
        return self.at(image, "lbl1", 2, 2)

    def inked(self, image):
        x, y, w, h = self.b.box("#lbl1")
        back = self.label(image)
        far = sum(1 for i in range(x, x + w) for j in range(y, y + h)
                  if sum((a - b) ** 2 for a, b in zip(image.getpixel((i, j)), back)) > 30000)
        return far > 10

    def ringed(self, element):
        """Whether the focus ring shows around the element: in the frames' ink, outside it."""
        image = self.b.shot()
        x, y, w, h = self.b.box("#" + element)
        mid = y + h // 2
        return image.getpixel((x - 2 * self.s, mid)) == self.ink and \
            image.getpixel((x + w - 1 + 2 * self.s, mid)) == self.ink

    def press(self, *elements):
        for e in elements:
            self.b.click("#" + e)


def colour_rule(p, c):
    (x, y), (r, _, b) = p, c
    return r == (255 if y == 127 else y * 256 // 127) and b == (255 if x == 182 else x * 256 // 182)


def mostly(plotted, rule, percent=90):
    return plotted and sum(1 for p, c in plotted.items() if rule(p, c)) * 100 >= percent * len(plotted)


def run(url, scale, dark):
    t = f" [scale {scale:g}, {'dark' if dark else 'light'}]"
    r = Run(url, scale, dark)
    b, s = r.b, scale
    try:
        # --- At start-up ------------------------------------------------------------------
        check("the title is Fizzet" + t, b.driver.title == "Fizzet")
        client = b.box("#client")
        check("the client area is 199 x 311, scaled" + t, client[2:] == (199 * s, 311 * s))
        wrong = [i for i, box in LAYOUT.items() if r.rel(b.box("#" + i)) != tuple(v * s for v in box)]
        check(f"every control at its place, scaled (wrong: {wrong})" + t, not wrong)
        check("the drawing is 183 x 128 positions inside the border" + t,
              r.rel((*r.drawing, 0, 0))[:2] == (9 * s, 129 * s) and r.block == s)
        start = b.shot()
        r.background = start.getpixel(r.drawing)
        r.ink = r.at(start, "shp1", 20, 0)
        colours, even = r.positions(start)
        check("the surface is blank at start" + t, set(colours.values()) == {r.background})
        check("the surface differs from the page's colour" + t,
              r.background != r.at(start, "shp1", 4, 4))
        check("the label reads 8 on dark gray" + t, r.label(start) == (128, 128, 128) and r.inked(start))
        check("the focus starts on \">\", and shows" + t, r.ringed("cmd1"))

        # --- Keyboard only, from the initial focus ----------------------------------------
        b.key(" ", "Space", 32)
        check("Space on \">\" steps to 9 (blue)" + t, r.label(b.shot()) == BLUE)
        b.key("Enter", "Enter", 13)
        check("Enter on \">\" steps to 10 (green)" + t, r.label(b.shot()) == GREEN)
        b.key("Enter", "Enter", 13, repeats=20)
        check("Enter held, repeating, steps once, to 11 (cyan)" + t, r.label(b.shot()) == CYAN)
        b.key(" ", "Space", 32, repeats=20)
        check("Space held, repeating, steps once, to 12 (red)" + t, r.label(b.shot()) == RED)
        b.key("Tab", "Tab", 9)
        check("Tab moves the focus to \"<\"" + t, r.ringed("cmd2"))
        b.key("Tab", "Tab", 9)
        b.key(" ", "Space", 32)
        time.sleep(0.4)
        check("Tab, Space starts the animation" + t, r.ringed("cmd3") and r.plotted())
        check("from start-up the points fall down the left-hand column" + t,
              all(x == 0 for x, _ in r.plotted()))
        b.key("Tab", "Tab", 9)
        b.key(" ", "Space", 32)
        frozen = r.plotted()
        time.sleep(0.3)
        check("Tab, Space stops it: the picture is frozen" + t, frozen == r.plotted())
        rest = ["pct1", "cmd7", "cmd8", "cmd6", "cmd5"]
        ringed = []
        for e in rest:
            b.key("Tab", "Tab", 9)
            ringed.append(e if r.ringed(e) else "-")
        check(f"the focus goes on through {rest} (saw {ringed})" + t, ringed == rest)

        # --- The stepper's ends ----------------------------------------------------------
        r.press(*["cmd1"] * 5)
        top = b.shot()
        check("the stepper stops at 15 (white), and the 15 is drawn" + t,
              r.label(top) == (255, 255, 255) and r.inked(top))
        r.press(*["cmd2"] * 17)
        bottom = b.shot()
        check("the stepper stops at 0 (black), and the 0 can be read" + t,
              r.label(bottom) == (0, 0, 0) and r.inked(bottom))

        # --- Fall -------------------------------------------------------------------------
        r.press("cmd6", "cmd5")
        check("Reset clears the surface" + t, not r.plotted())
        r.press("cmd3")
        time.sleep(0.5)
        early = r.plotted()
        time.sleep(1.0)
        image = b.shot()
        later = r.plotted(image)
        check("trails grow while running" + t, len(later) > len(early) > 0)
        check("Fall: every column holds a trail" + t, len({x for x, _ in later}) >= 175)
        check("Fall: the trails start at the top row" + t, all(y < 64 for _, y in later))
        check("Fall: red follows the row, blue the column, per pixel" + t, mostly(later, colour_rule))
        check("every position is one even block of whole device pixels" + t, r.positions(image)[1])
        r.press("cmd5")
        time.sleep(0.2)
        again = r.plotted()
        check("Reset while running clears; the points go on from the top" + t,
              again and all(y < 20 for _, y in again))
        r.press("cmd4")
        stopped = r.plotted()
        time.sleep(0.3)
        check("Stop freezes the picture" + t, stopped == r.plotted())

        # --- Sort -------------------------------------------------------------------------
        r.press("cmd7", "cmd5", "cmd3")
        time.sleep(0.6)
        r.press("cmd4")
        sort = r.plotted()
        # Some 25 ticks of steps of -1, 0 or 1 each way: 5 positions apart, one standard
        # deviation; 30 is never reached.
        check("Sort: points jitter in a band around the diagonal" + t,
              sort and all(abs(y - x * 127 / 182) < 30 for x, y in sort))
        check("Sort: the band runs corner to corner" + t,
              any(x < 8 and y < 8 for x, y in sort) and any(x > 174 and y > 119 for x, y in sort))

        # --- Wind, and the tick rate -------------------------------------------------------
        r.press("cmd8", "cmd5", "cmd3")
        began = time.monotonic()
        time.sleep(3.0)
        r.press("cmd4")
        seconds = time.monotonic() - began
        wind = r.plotted()
        check("Wind: every row holds a trail" + t, len({y for _, y in wind}) >= 120)
        check("Wind: the trails start at the left edge" + t, all(x < 120 for x, _ in wind))
        check("Wind: red follows the row, blue the column, per pixel" + t, mostly(wind, colour_rule))
        rate = ticks_from_trails(wind) / seconds
        check(f"about 40 ticks a second (saw {rate:.1f})" + t, 36 <= rate <= 44)
        errors = [e for e in b.console() if e.get("level") == "SEVERE"]
        check(f"nothing said on the console (saw {errors})" + t, not errors)
    finally:
        b.close()


def crisp(url, scale):
    """At a fractional ratio too, as browser zoom and desktop scaling give it, positions are
    even blocks, the first row and column included, and frame lines solid with no half-tone
    beside them."""
    r = Run(url, scale, False, zoomed=True)
    try:
        start = r.b.shot()
        r.background, ink = start.getpixel(r.drawing), r.at(start, "shp1", 20, 0)
        r.press("cmd8", "cmd5", "cmd3")
        time.sleep(1.0)
        r.press("cmd4")
        image = r.b.shot()
        x, y, w, h = r.b.box("#shp1")
        across = [image.getpixel((i, y + h // 2)) for i in range(x - 2, x + int(scale) + 2)]
        down = [image.getpixel((x + w // 2, j)) for j in range(y - 2, y + int(scale) + 2)]
        ground = image.getpixel((x - 2, y + h // 2))
        solid = all(set(side) == {ground, ink} for side in (across, down))
        check(f"scale {scale:g}: each position one even block of {r.block} device pixels, "
              "frame lines solid", r.positions(image)[1] and r.plotted(image) and solid,
              (across, down))
    finally:
        r.b.close()


def right_to_left(url):
    """In a right-to-left document the window looks as it does left to right: "<", which
    steps down, stays on the left and points left."""
    b = Browser(url)
    try:
        x, y, w, h = b.box("#client")
        ltr = b.shot().crop((x, y, x + w, y + h))
        b.js("document.documentElement.dir = 'rtl'")
        time.sleep(0.2)
        x, y, w, h = b.box("#client")
        check("right to left, the window is the same picture", b.shot().crop((x, y, x + w, y + h)).tobytes() == ltr.tobytes())
    finally:
        b.close()


def ticks_from_trails(wind):
    """Ticks run under Wind from its Reset: a row that holds one point shows a trail from x = 0
    to where the point was one tick before, each tick a step of 0 or 1 with equal chance."""
    rows = {}
    for i in range(183):
        rows.setdefault(int(i / 182 * 127), []).append(i)
    ends = [max((x for x, y in wind if y == row), default=0) for row, ids in rows.items()
            if len(ids) == 1]
    return 2 * sum(ends) / len(ends) + 1


def main():
    url = page_url(sys.argv[1])
    for scale in (1, 2):
        for dark in (False, True):
            run(url, scale, dark)
    for scale in (1.1, 1.25, 1.5, 1.75, 2.5, 3):
        crisp(url, scale)
    right_to_left(url)
    finish("e2e")


if __name__ == "__main__":
    main()
