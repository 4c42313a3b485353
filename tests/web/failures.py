#!/usr/bin/python3
"""The page where things go wrong, in real headless Chromium: no script, no WebAssembly, an
error inside the program, and a tab hidden while the animation runs; and the page served over
http, where the browser's rules differ from those for a file, also under a policy that forbids
WebAssembly.

  failures.py PAGE"""
import contextlib
import functools
import http.server
import os
import sys
import threading
import time

from browser import Browser, page_url
from verdict import check, finish
import scenario
from e2e import Page
from layout import Layout

def shown_text(b):
    """The text of the page as a person reads it, less the heading kept for screen readers."""
    return b.js("return document.body.innerText").strip().removeprefix("Fizzet").strip()


def without_script(url):
    b = Browser("about:blank")
    try:
        b.cdp("Emulation.setScriptExecutionDisabled", value=True)
        b.driver.get(url)
        text = shown_text(b)
        check("without script, one sentence says it is needed", text.count(".") == 1 and
              "JavaScript" in text, text)
    finally:
        b.close()


def without_wasm(url):
    # As in a browser whose settings or policy turn WebAssembly off.
    b = Browser(url, first="delete globalThis.WebAssembly", ready=False)
    try:
        text = shown_text(b)
        check("without WebAssembly, one sentence says so where the window would be",
              text.startswith("Fizzet cannot start") and text.count(".") == 1 and
              "WebAssembly" in text, text)
    finally:
        b.close()


def program_error(url):
    b = Browser(url)
    try:
        b.js("window._fizzet_tick = function () { throw new Error('a test of failure'); }")
        b.click("#cmd3")
        time.sleep(0.2)
        text = shown_text(b)
        console = [e["message"] for e in b.console() if e.get("level") == "SEVERE"]
        check("an error inside the program is shown on the page", "a test of failure" in text and
              b.js("return document.getElementById('client').hidden"), text)
        check("… and sent to the console", any("a test of failure" in m for m in console), console)
    finally:
        b.close()


def hidden_tab(url, layout):
    """Three seconds frozen, as a hidden tab's timers may be, between two shown seconds: no
    burst of ticks follows."""
    p = Page(url, 1)
    try:
        w = scenario.Window(p, layout)
        w.ground = p.shot().getpixel((w.left, w.top))
        w.press("Wind", "Reset", "Start")
        began = time.monotonic()
        time.sleep(1.0)
        p.b.cdp("Page.setWebLifecycleState", state="frozen")
        time.sleep(3.0)
        p.b.cdp("Page.setWebLifecycleState", state="active")
        time.sleep(1.0)
        w.press("Stop")
        shown = time.monotonic() - began - 3.0
        ticks = scenario.ticks(layout, w.plotted())
        check(f"after a hidden spell no burst: {ticks:.0f} ticks in {shown:.1f} s shown",
              ticks <= shown * 1000 / layout.tick_ms + 20)
    finally:
        p.b.close()


@contextlib.contextmanager
def served(path, headers=()):
    """The page served by a web server on this machine's loopback, with `headers` added."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def end_headers(self):
            for name, value in headers:
                self.send_header(name, value)
            super().end_headers()

        def log_message(self, *args):
            pass

    handler = functools.partial(Quiet, directory=os.path.dirname(os.path.abspath(path)))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        yield f"http://127.0.0.1:{server.server_port}/{os.path.basename(path)}"
    finally:
        server.shutdown()
        server.server_close()


def over_http(path):
    """Served over http (from the build's folder, which holds what the web zip holds), the page
    starts as from disk and is an app Chromium can install; once visited, it starts and steps
    with the server gone."""
    b = None
    try:
        with served(path) as url:
            b = Browser(url)
            errors = [e for e in b.console() if e.get("level") == "SEVERE"]
            check("over http the page starts, with nothing said on the console",
                  b.js("return document.getElementById('lbl1').textContent") == "8, dark gray"
                  and not errors, errors)
            kept = b.wait_for("navigator.serviceWorker.controller")
            missing = b.cdp("Page.getInstallabilityErrors")["installabilityErrors"]
            check("… Chromium can install it as an app", kept and not missing, missing)
        b.driver.refresh()
        started = b.wait_for("document.getElementById('lbl1').textContent")
        b.click("#cmd1")
        check("… and with the server gone it starts again and steps",
              started and b.js("return document.getElementById('lbl1').textContent") == "9, blue")
    finally:
        if b:
            b.close()


def wasm_forbidden(path):
    """A policy that lets the page's script run but not its WebAssembly: the browser's refusal,
    said as such, the engine's own words on the console, and no scrollbar."""
    policy = ("Content-Security-Policy", "script-src 'unsafe-inline'")
    with served(path, [policy]) as url:
        b = Browser(url, ready=False)
        try:
            time.sleep(0.5)
            text = shown_text(b)
            console = [e["message"] for e in b.console() if e.get("level") == "SEVERE"]
            check("a policy that forbids WebAssembly gets the page's own sentence for it",
                  text == "Fizzet cannot start: this browser cannot run WebAssembly, or has it "
                  "turned off.", text)
            check("… with the engine's words on the console",
                  any("WebAssembly" in m for m in console), console)
            check("… and no scrollbar", b.js(
                "var d = document.documentElement;"
                "return d.scrollWidth <= d.clientWidth && d.scrollHeight <= d.clientHeight"))
        finally:
            b.close()


def main():
    url = page_url(sys.argv[2])
    without_script(url)
    without_wasm(url)
    program_error(url)
    hidden_tab(url, Layout(sys.argv[1]))
    over_http(sys.argv[2])
    wasm_forbidden(sys.argv[2])
    finish("failures")


if __name__ == "__main__":
    main()
