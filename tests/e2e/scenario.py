"""The program as a person uses it, the same for every front-end: real clicks and key presses,
judged by pictures of the window's client area. Places, colours and the focus order come from
the build's layout file. A driver gives the scenario the window:

  driver.scale            device pixels per pixel of the 96-dpi grid: 1 or 2
  driver.shot()           the client area now, one image pixel per device pixel (PIL, RGB)
  driver.click(name)      a left click in the middle of the control
  driver.key(key)         a press and release: "space", "return", "enter" (the keypad's), "tab"
  driver.hold(key, during)  the key held down as a person holds it, repeating as it does on that
                          platform, for about 1.5 s; during() is called while it is held
  driver.enter_on_keydown  the one way the front-ends differ on purpose: Return and Enter act
                          as they go down on Windows and in a page, as their own buttons do
                          there; Qt's buttons, like Space everywhere, act on release
  driver.tabs_outside     and the other: how many presses of Tab past the last stop take the
                          focus round to the first (the page's passes the browser's own
                          controls on the way)"""
import time

from verdict import check

# The controls the focus stops at, by caption (or name), in the order Tab takes it.
FOCUS_ORDER = (">", "<", "Start", "Stop", "Point animation", "Sort", "Wind", "Fall", "Reset")
INKED = 30000  # squared distance in RGB from the label's ground that counts as its digits' ink


class Window:
    """The scenario's view of one window: the driver, the layout at its scale, and what the
    first picture showed (the surface's ground and the lines' ink)."""

    def __init__(self, driver, layout, tag=""):
        self.d, self.layout, self.s, self.tag = driver, layout, driver.scale, tag
        self.at = layout.at(driver.scale)
        self.left, self.top, self.block = self.at["blocks"]

    def box(self, name):
        return tuple(self.at["boxes"][name])

    def press(self, *captions):
        for c in captions:
            self.d.click(self.layout.named(c))

    def positions(self, image):
        """{(x, y): colour} of every drawing position, and whether each is one even block."""
        px, b, colours, even = image.load(), self.block, {}, True
        for y in range(self.layout.high):
            for x in range(self.layout.wide):
                left, top = self.left + x * b, self.top + y * b
                c = colours[x, y] = px[left, top]
                if b > 1 and (px[left + b - 1, top + b - 1] != c or px[left + b - 1, top] != c):
                    even = False
        return colours, even

    def plotted(self, image=None):
        colours, _ = self.positions(image or self.d.shot())
        return {p: c for p, c in colours.items() if c != self.ground}

    def label(self, image):
        x, y, _, _ = self.box("lbl1")
        return image.getpixel((x + 2 * self.s, y + 2 * self.s))

    def label_shows(self, index, image=None):
        """The label's ground is the index's colour, and its digits stand out from it."""
        image = image or self.d.shot()
        back = self.label(image)
        x, y, w, h = self.box("lbl1")
        ink = sum(1 for i in range(x, x + w) for j in range(y, y + h)
                  if sum((a - b) ** 2 for a, b in zip(image.getpixel((i, j)), back)) > INKED)
        return back == self.layout.colour(index) and ink > 10 * self.s

    def check(self, what, ok, saw=None):
        return check(what + self.tag, ok, saw)


def colour_rule(p, c):
    """Red follows the row and blue the column, exactly as the program computes them."""
    (x, y), (r, _, b) = p, c
    return r == (255 if y == 127 else y * 256 // 127) and b == (255 if x == 182 else x * 256 // 182)


def mostly(plotted, rule, percent=90):
    return bool(plotted) and sum(1 for p, c in plotted.items() if rule(p, c)) * 100 >= percent * len(plotted)


def unbroken(plotted, along):
    """Every trail runs without a gap from the first row (along=1) or column (along=0)."""
    lines = {}
    for p in plotted:
        lines.setdefault(p[1 - along], set()).add(p[along])
    return bool(lines) and all(s == set(range(max(s) + 1)) for s in lines.values())


def lines(w):
    """The window's size and its lines, as the layout has them; the colours found there."""
    image = w.d.shot()
    client = w.at["client"]
    w.check(f"the client area is {client[2]} x {client[3]}", image.size == tuple(client[2:]),
            image.size)
    w.ground = image.getpixel((w.left, w.top))
    w.ink = image.getpixel(tuple(w.at["lines"][0][:2]))
    px, (rx, ry, rw, rh) = image.load(), w.at["room"]
    drawn = lambda x, y: rx <= x < rx + rw and ry <= y < ry + rh  # the drawing lies on top
    broken = [line for line in w.at["lines"] if any(
        px[x, y] != w.ink and not drawn(x, y) for x in range(line[0], line[0] + line[2])
        for y in range(line[1], line[1] + line[3]))]
    w.check("every frame line and the surface's border is whole, where the layout puts it",
            not broken and w.ink != w.ground, broken)
    return image


def start_up(w):
    image = lines(w)
    face = image.getpixel((4 * w.s, 4 * w.s))
    colours, _ = w.positions(image)
    w.check("the surface is blank, and differs from the window's colour",
            set(colours.values()) == {w.ground} and w.ground != face)
    w.check(f"the label shows {w.layout.spoken(w.layout.initial)}",
            w.label_shows(w.layout.initial, image))


def keyboard(w):
    """From the initial focus, keys alone: a press each, then each key held."""
    d, n = w.d, w.layout.initial
    d.key("space")
    w.check("Space on the initial focus, \">\", steps up", w.label_shows(n + 1))
    d.key("return")
    w.check("Return on the focused button steps up", w.label_shows(n + 2))
    d.key("enter")
    w.check("keypad Enter on the focused button steps up", w.label_shows(n + 3))
    n += 3
    for key in ("return", "space", "enter"):
        acts_down = d.enter_on_keydown and key != "space"
        seen = []
        d.hold(key, lambda: seen.append(w.label_shows(n + acts_down)))
        n += 1
        w.check(f"{key} held steps once, " + ("as it goes down" if acts_down else "on release"),
                seen == [True] and w.label_shows(n), seen)


def focus_order(w):
    """Tab moves the focus ring from stop to stop in the order a person reads the window by,
    each band's controls before the next band's, and round again."""
    d, order = w.d, [w.layout.named(c) for c in FOCUS_ORDER]
    before = d.shot()
    went = []
    for i in range(len(order)):
        left, reached = order[i], order[(i + 1) % len(order)]
        for _ in range(1 + (d.tabs_outside if reached == order[0] else 0)):
            d.key("tab")
        after = d.shot()
        went.append(reached if ring_moved(w, before, after, left, reached) else "?")
        before = after
    w.check(f"Tab moves the focus ring round {FOCUS_ORDER}", went == order[1:] + order[:1], went)
    d.key("tab")
    d.key("tab")
    d.key("space")  # Start
    time.sleep(0.4)
    d.key("tab")
    d.key("space")  # Stop
    w.check("Tab, Tab, Space starts; from start-up the points fall down the left-hand column",
            all(x == 0 for x, _ in frozen(w)))


def ring_moved(w, before, after, left, reached):
    """The pixels that changed lie around the two stops alone, some of them at `reached`. A
    change is one a person sees: an engine may paint text and edges again a shade apart."""
    grow = 4 * w.s

    def near(name, x, y):
        l, t, wd, h = w.box(name)
        return l - grow <= x < l + wd + grow and t - grow <= y < t + h + grow

    a, b = before.load(), after.load()
    changed = [(x, y) for y in range(before.size[1]) for x in range(before.size[0])
               if max(abs(i - j) for i, j in zip(a[x, y], b[x, y])) > 32]
    return all(near(left, x, y) or near(reached, x, y) for x, y in changed) and \
        any(near(reached, x, y) and not near(left, x, y) for x, y in changed)


def frozen(w):
    """The drawing, checked to hold points and to stay as it is for 0.3 s."""
    first = w.plotted()
    time.sleep(0.3)
    w.check("stopped, the picture holds still", first and first == w.plotted())
    return first


def stepper_ends(w):
    first, last = w.layout.first, w.layout.last
    w.press(*[">"] * (last - first))
    w.check(f"the stepper stops at {w.layout.spoken(last)}", w.label_shows(last))
    w.press(*["<"] * (last - first + 2))
    w.check(f"the stepper stops at {w.layout.spoken(first)}", w.label_shows(first))


def fall(w):
    w.press("Fall", "Reset")
    w.check("Reset clears the surface", not w.plotted())
    w.press("Start")
    time.sleep(0.3)
    early = w.plotted()
    time.sleep(0.6)
    later = w.plotted()
    w.check("trails grow while running", len(later) > len(early) > 0)
    w.check("Fall: every column holds a trail, unbroken from the top row",
            len({x for x, _ in later}) >= 175 and unbroken(later, 1))
    w.check("Fall: red follows the row, blue the column", mostly(later, colour_rule))
    w.check("green is drawn at random", len({c[1] for c in later.values()}) > 64)
    w.press("Reset")
    time.sleep(0.1)
    w.press("Stop")
    again = frozen(w)
    w.check("Reset while running clears; the points go on from the top",
            all(y < 20 for _, y in again))


def sort(w):
    w.press("Sort", "Reset", "Start")
    time.sleep(0.6)
    w.press("Stop")
    band = w.plotted()
    # Some 25 ticks of steps of -1, 0 or 1 each way: 5 positions apart, one standard deviation;
    # 30 is never reached.
    w.check("Sort: points jitter in a band around the diagonal, corner to corner",
            all(abs(y - x * 127 / 182) < 30 for x, y in band) and
            any(x < 8 and y < 8 for x, y in band) and any(x > 174 and y > 119 for x, y in band))


def wind(w, seconds=3.0):
    w.press("Wind", "Reset", "Start")
    began = time.monotonic()
    time.sleep(seconds)
    w.press("Stop")
    ran = time.monotonic() - began
    trails = w.plotted()
    w.check("Wind: every row holds a trail, unbroken from the left edge",
            len({y for _, y in trails}) >= 120 and unbroken(trails, 0))
    w.check("Wind: red follows the row, blue the column", mostly(trails, colour_rule))
    rate, want = ticks(w.layout, trails) / ran, 1000 / w.layout.tick_ms
    w.check(f"about {want:g} ticks a second (saw {rate:.1f})", 0.9 * want <= rate <= 1.1 * want)


def ticks(layout, trails):
    """Ticks run under Wind from its Reset: a row that holds one point shows a trail from x = 0
    to where the point was one tick before, each tick a step of 0 or 1 with equal chance."""
    rows = {}
    for i in range(layout.wide):
        rows.setdefault(int(i / (layout.wide - 1) * (layout.high - 1)), []).append(i)
    ends = [max((x for x, y in trails if y == row), default=0) for row, ids in rows.items()
            if len(ids) == 1]
    return 2 * sum(ends) / len(ends) + 1


def crisp(w):
    w.check("every position is one even block of whole device pixels",
            w.positions(w.d.shot())[1])


def run(driver, layout, tag=""):
    """The whole scenario, from the moment the window first shows."""
    w = Window(driver, layout, tag)
    for section in (start_up, keyboard, focus_order, stepper_ends, fall, sort, wind, crisp):
        section(w)
    return w


def moved(driver, layout, tag):
    """The window, stopped at the stepper's initial index, after it moved to another screen: its
    layout, a step each way, and each rule drawn."""
    w = Window(driver, layout, tag)
    w.press("Reset")
    lines(w)
    w.press(">")
    up = w.label_shows(layout.initial + 1)
    w.press("<")
    w.check("\">\" and \"<\" step", up and w.label_shows(layout.initial))
    fall(w)
    sort(w)
    wind(w, 1.0)
    crisp(w)
    return w
