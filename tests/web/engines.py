#!/usr/bin/python3
"""The page in the other engines, on a private X server: Firefox ESR (over WebDriver BiDi,
through firefox.mjs) and WebKitGTK (WebKitWebDriver and Selenium). In each, light and dark, the
scenario, with clicks from the engine's automation and keys as real X input (xdotool): Firefox's
BiDi keys never reach the page's buttons. Then every text and line against its ground, and in
WebKit, device scale 2 and page zoom.

  engines.py LAYOUT_FILE PAGE"""
import base64
import io
import json
import os
import subprocess
import sys
import time

from PIL import Image
from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.webkitgtk.options import Options

from browser import page_url
import scenario  # noqa: E402  (browser puts it on the path)
from layout import Layout  # noqa: E402
from verdict import check, finish  # noqa: E402
from x11 import KEYS, Server, hold, xdotool  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"


class Firefox:
    name, window_class = "Firefox", "firefox"

    def __init__(self, url, dark):
        self.proc = subprocess.Popen(["node", os.path.join(HERE, "firefox.mjs"),
                                      json.dumps({"dark": dark})], stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, text=True)
        self.call("goto", url=url)

    def call(self, op, **args):
        self.proc.stdin.write(json.dumps({"op": op, **args}) + "\n")
        self.proc.stdin.flush()
        answer = json.loads(self.proc.stdout.readline() or '{"error": "Firefox ended"}')
        if "error" in answer:
            raise RuntimeError(answer["error"])
        return answer["value"]

    def js(self, script):
        return self.call("eval", script=f"(() => {{ {script} }})()")

    def shot(self):
        return Image.open(io.BytesIO(base64.b64decode(self.call("shot")))).convert("RGB")

    def click(self, selector):
        self.call("click", selector=selector)

    def close(self):
        self.proc.stdin.write(json.dumps({"op": "close"}) + "\n")
        self.proc.stdin.close()
        self.proc.wait(20)


class WebKit:
    name, window_class = "WebKit", "MiniBrowser"

    def __init__(self, url, dark):
        options = Options()
        options.binary_location = MINIBROWSER
        options.add_argument("--automation")
        if dark:
            options.add_argument("--dark-mode")
        self.driver = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver",
                                          options=options)
        self.driver.get(url)

    def js(self, script):
        return self.driver.execute_script(script)

    def shot(self):
        return Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert("RGB")

    def click(self, selector):
        element = self.driver.find_element("css selector", selector)
        ActionChains(self.driver).move_to_element(element).click().perform()

    def close(self):
        self.driver.quit()


class Page:
    """The scenario's driver: the page's client area in one engine, at scale 1."""
    scale, enter_on_keydown = 1, True

    def __init__(self, engine, url, dark=False):
        self.b = engine(url, dark)
        started = any(self.b.js("return document.getElementById('lbl1').textContent") or
                      time.sleep(0.1) for _ in range(100))
        if not started:
            raise RuntimeError(f"the page did not start in {engine.name}")
        self.window = xdotool("search", "--onlyvisible", "--class", engine.window_class).split()[-1]
        xdotool("windowfocus", "--sync", self.window)
        if engine is Firefox:
            # The keyboard goes to the page, as it does to a page opened by hand (Firefox leaves
            # a page its automation loaded without it): a click beside the window, then the
            # focus back where the page put it.
            focused = self.b.js("return document.activeElement.id")
            xdotool("mousemove", "--window", self.window, "3", "3", "click", "1")
            self.b.js(f"document.getElementById('{focused}').focus()")
        time.sleep(0.3)
        # Tab past the last stop: Firefox passes its own (hidden) controls, MiniBrowser none
        self.tabs_outside = {"Firefox": 8, "WebKit": 0}[engine.name]

    def box(self, selector):
        return self.b.js(f"""const r = document.querySelector('{selector}').getBoundingClientRect();
                              return [r.left, r.top, r.width, r.height];""")

    def shot(self):
        x, y, w, h = (round(v) for v in self.box("#client"))
        return self.b.shot().crop((x, y, x + w, y + h))

    def click(self, name):
        self.b.click("#" + name)
        time.sleep(0.05)

    def key(self, key):
        xdotool("windowfocus", "--sync", self.window)
        xdotool("key", KEYS[key])
        time.sleep(0.15)  # WebKit paints a moment after the key

    def hold(self, key, during):
        xdotool("windowfocus", "--sync", self.window)
        hold(key, during)


def contrast(a, b):
    def luminance(c):
        linear = [v / 255 / 12.92 if v <= 10 else ((v / 255 + 0.055) / 1.055) ** 2.4 for v in c]
        return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]
    high, low = sorted((luminance(a), luminance(b)), reverse=True)
    return (high + 0.05) / (low + 0.05)


def readable(p, tag):
    """Every text on its own ground at 4.5 : 1 or more, and the lines at 3 : 1 against the
    ground they are drawn on, as the engine paints them."""
    colours = p.b.js("""const rgb = (e, p) => getComputedStyle(e)[p].match(/[\\d.]+/g).slice(0, 3).map(Number);
        const q = s => document.querySelector(s);
        return {face: rgb(q('#fills > .face'), 'backgroundColor'),
                line: rgb(q('#fills > .text'), 'backgroundColor'),
                caption: rgb(q('#cmd3'), 'color'), button: rgb(q('#cmd3'), 'backgroundColor'),
                label: rgb(q('#Label1'), 'color')};""")
    face = colours["face"]
    seen = {"captions": contrast(colours["caption"], colours["button"]),
            "label": contrast(colours["label"], face), "lines": contrast(colours["line"], face)}
    check(f"{p.b.name}: texts and lines read on their grounds "
          f"({', '.join(f'{k} {v:.1f}' for k, v in seen.items())} : 1)" + tag,
          seen["captions"] >= 4.5 and seen["label"] >= 4.5 and seen["lines"] >= 3, colours)


def run(engine, url, layout, dark):
    tag = f" [{engine.name}, {'dark' if dark else 'light'}]"
    p = Page(engine, url, dark)
    try:
        readable(p, tag)
        left, top = p.box("#client")[:2]
        wrong = [n for n, box in layout.at(1)["boxes"].items() if n != "tmr1" and
                 [round(v) for v in p.box("#" + n)] != [box[0] + left, box[1] + top, *box[2:]]]
        check(f"every control where the layout puts it (wrong: {wrong})" + tag, not wrong)
        scenario.run(p, layout, tag)
    finally:
        p.b.close()


def doubled(url, layout):
    """At WebKit's device scale 2 every control reports the box it is drawn and hit in."""
    os.environ["GDK_SCALE"] = "2"
    try:
        p = Page(WebKit, url)
    finally:
        del os.environ["GDK_SCALE"]
    try:
        left, top = p.box("#client")[:2]
        wrong = [n for n, box in layout.at(2)["boxes"].items() if n != "tmr1" and
                 [round(2 * v) for v in p.box("#" + n)] != [box[0] + 2 * left, box[1] + 2 * top,
                                                             *box[2:]]]
        missed = p.b.js("""return [...document.querySelectorAll('#client > button')].filter(e => {
                           const r = e.getBoundingClientRect();
                           return document.elementFromPoint(r.left + r.width / 2,
                                                            r.top + r.height / 2) != e;
                         }).map(e => e.id)""")
        check(f"WebKit at device scale 2: every control where the layout puts it (wrong: {wrong}),"
              f" and found at its box's centre (missed: {missed})", not wrong and not missed)
    finally:
        p.b.close()


def zoomed(url, layout, steps):  # steps: in, or out where below 0
    """WebKit's page zoom leaves devicePixelRatio at 1: the page still lays itself out in whole
    device pixels, every position one even block and the frame lines of one width."""
    p = Page(WebKit, url)
    try:
        for _ in range(abs(steps)):
            xdotool("windowfocus", "--sync", p.window)
            xdotool("key", "ctrl+plus" if steps > 0 else "ctrl+minus")
            time.sleep(0.3)
        time.sleep(1.0)
        zoom = p.b.js("return outerWidth / visualViewport.width")
        for caption in ("Wind", "Reset", "Start"):
            p.click(layout.named(caption))
        time.sleep(1.0)
        p.click(layout.named("Stop"))
        image = p.b.shot()
        x, y, w, h = (round(v * zoom) for v in p.box("#pct1 > canvas"))
        block, canvas = w // layout.wide, image.crop((x, y, x + w, y + h)).load()
        even = w == block * layout.wide and all(
            canvas[i, j] == canvas[i - i % block, j - j % block] for i in range(w) for j in range(h))
        # across the frame's left line and down its top one: the ground, the line, the ground
        lx, ly, lw, lh = (round(v * zoom) for v in p.box("#shp1"))
        across = [image.getpixel((i, ly + lh // 2)) for i in range(lx - 3, lx + 6)]
        down = [image.getpixel((lx + lw // 2, j)) for j in range(ly - 3, ly + 6)]
        widths = {sum(c == line[3] for c in line) for line in (across, down)}
        check(f"WebKit zoomed {zoom:.0%}: each position one even block of {block} device pixels, "
              f"frame lines solid and of one width ({widths})",
              even and len(widths) == 1 and set(across) == set(down) and len(set(across)) == 2,
              (across, down))
    finally:
        p.b.close()


def main():
    layout, url = Layout(sys.argv[1]), page_url(sys.argv[2])
    server = Server("2560x2048x24")  # room for a browser window at device scale 2
    try:
        for engine in (Firefox, WebKit):
            for dark in (False, True):
                run(engine, url, layout, dark)
        doubled(url, layout)
        for steps in (1, 3, -1):
            zoomed(url, layout, steps)
    finally:
        server.stop()
    finish("engines")


if __name__ == "__main__":
    main()
