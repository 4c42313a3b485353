"""Real Chromium, driven as a person drives it: Debian's chromium through chromium-driver and
python3-selenium. Screenshots come back in device pixels, as PIL images. Importing it puts the
helpers the page's scripts share with the desktop's (tests/, tests/e2e/, tests/a11y/) on the path."""
import io
import os
import sys
import shutil
import tempfile
import time

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service

sys.path[:0] = [os.path.join(os.path.dirname(os.path.abspath(__file__)), d) for d in ("..", "../e2e", "../a11y")]
CHROMIUM = "/usr/lib/chromium/chromium"  # /usr/bin/chromium is a wrapper script
# A viewport that holds the page at twice its size; Chromium widens a narrower headless window.
VIEWPORT = (480, 720)


class Browser:
    def __init__(self, url, scale=1.0, dark=False, headless=True, flags=(), ready=True,
                 first=None, zoomed=False, phone=None):
        """`zoomed`: the screen's own density, as browser zoom and desktop scaling give it,
        rather than the developer tools' emulation of one. `phone`: (width, height) of a phone's
        screen in CSS pixels, touched rather than clicked, at `scale`."""
        self.profile = tempfile.mkdtemp(prefix="fizzet-chromium.")
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        if zoomed:
            flags = (*flags, f"--force-device-scale-factor={scale:g}",
                     f"--window-size={VIEWPORT[0]},{VIEWPORT[1]}")
        for flag in ("--no-sandbox", "--disable-dev-shm-usage", "--hide-scrollbars",
                     "--force-color-profile=srgb", "--no-first-run",
                     "--user-data-dir=" + self.profile, *flags):
            options.add_argument(flag)
        if headless:
            options.add_argument("--headless=new")
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.scale = scale
        if not zoomed:
            width, height = phone or VIEWPORT
            self.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                     deviceScaleFactor=scale, mobile=bool(phone))
        if phone:
            self.cdp("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
        if dark:
            self.cdp("Emulation.setEmulatedMedia",
                     features=[{"name": "prefers-color-scheme", "value": "dark"}])
        if first:  # a script that runs before any of the page's own
            self.cdp("Page.addScriptToEvaluateOnNewDocument", source=first)
        self.driver.get(url)
        if ready:  # the program has shown its first index
            self.wait_for("document.getElementById('lbl1') && document.getElementById('lbl1').textContent")

    def cdp(self, command, **params):
        return self.driver.execute_cdp_cmd(command, params)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def wait_for(self, condition, seconds=10):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if self.js("return !!(" + condition + ")"):
                return True
            time.sleep(0.05)
        return False

    def shot(self):
        """What the viewport shows, one image pixel per device pixel."""
        png = self.driver.get_screenshot_as_png()
        return Image.open(io.BytesIO(png)).convert("RGB")

    def box(self, selector, inner=False):
        """An element's border box (or its content box), in device pixels."""
        r = self.js("""const e = document.querySelector(arguments[0]), r = e.getBoundingClientRect(),
                      s = getComputedStyle(e), inner = arguments[1];
                      const b = side => inner ? parseFloat(s['border' + side + 'Width']) : 0;
                      return [r.left + b('Left'), r.top + b('Top'),
                              r.width - b('Left') - b('Right'), r.height - b('Top') - b('Bottom')];""",
                    selector, inner)
        return tuple(round(v * self.scale) for v in r)

    def key(self, key, code=None, vk=0, down=True, up=True, repeat=False):
        """A real key going down and up (or one of them) through the browser's input pipeline;
        `repeat`: a repeat of a key held down."""
        event = dict(key=key, code=code or key, windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk)
        if down:
            text = {"Enter": "\r", " ": " "}.get(key, "")
            self.cdp("Input.dispatchKeyEvent", type="keyDown", autoRepeat=repeat, text=text, **event)
        if up:
            self.cdp("Input.dispatchKeyEvent", type="keyUp", **event)
        time.sleep(0.05)

    def click(self, selector):
        """A real mouse click in the middle of the element."""
        x, y, w, h = self.js("""const r = document.querySelector(arguments[0]).getBoundingClientRect();
                               return [r.left, r.top, r.width, r.height];""", selector)
        for kind in ("mousePressed", "mouseReleased"):
            self.cdp("Input.dispatchMouseEvent", type=kind, x=x + w / 2, y=y + h / 2,
                     button="left", clickCount=1)
        time.sleep(0.02)

    def console(self):
        return self.driver.get_log("browser")

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)


def page_url(path):
    return path if "://" in path else "file://" + os.path.abspath(path)
