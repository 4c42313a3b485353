#!/usr/bin/python3
"""The desktop program run as a person runs it, on a private X server: the scenario driven with
real clicks and key presses (xdotool), judged by pictures of the window (ImageMagick's import).
The Windows program (a .exe) runs under Wine and gets the same scenario; the Linux window also
gets the desktop's own checks: its class and icon, being hidden and shown, closing, an unusable
home, and a second monitor at twice the scale.

  x11.py LAYOUT_FILE PROGRAM [XCLOSE]     without XCLOSE the window is closed with Alt+F4"""
import io
import os
import subprocess
import sys
import tempfile
import time

from PIL import Image

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import scenario  # noqa: E402
from layout import Layout  # noqa: E402
from verdict import check, finish  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
KEYS = {"space": "space", "return": "Return", "enter": "KP_Enter", "tab": "Tab"}


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.strip()


def hold(key, during):
    """The key held down past the server's repeat delay, during() called while it is."""
    xdotool("keydown", KEYS[key])
    time.sleep(1.2)
    during()
    time.sleep(0.3)
    xdotool("keyup", KEYS[key])
    time.sleep(0.1)


class Server:
    """Xvfb on a display of its own choosing, reported once it accepts connections."""

    def __init__(self, screen="1280x1024x24"):
        read, write = os.pipe()
        self.proc = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", screen,
                                      "-nolisten", "tcp", "-noreset"], pass_fds=(write,),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            number = f.readline().strip()
        if not number:
            sys.exit("Xvfb did not start")
        os.environ["DISPLAY"] = ":" + number
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
            os.environ.pop(name, None)

    def stop(self):
        self.proc.terminate()
        self.proc.wait()


class Program:
    """One run of the program, and its window "Fizzet"; the scenario's driver."""
    def __init__(self, launch, log, scale=1, env=None):
        self.scale, self.wid = scale, None
        self.enter_on_keydown, self.tabs_outside = launch[0] == "wine", 0
        for _ in range(2):  # a private server now and then turns a client away while it starts
            self.proc = subprocess.Popen(launch, stderr=log, env=env)
            for _ in range(200):
                self.wid = xdotool("search", "--onlyvisible", "--name", "^Fizzet$").split("\n")[0]
                if self.wid or self.proc.poll() is not None:
                    break
                time.sleep(0.05)
            if self.wid or self.proc.poll() is None:
                break
        if self.wid:
            self.focus()
            time.sleep(0.3)

    def focus(self):
        xdotool("windowfocus", "--sync", self.wid)

    def shot(self):
        png = subprocess.run(["import", "-window", self.wid, "png:-"], capture_output=True).stdout
        return Image.open(io.BytesIO(png)).convert("RGB")

    def click(self, name):
        x, y = layout.centre(name, self.scale)
        xdotool("mousemove", "--window", self.wid, str(x), str(y), "click", "1")
        time.sleep(0.05)

    def key(self, key):
        xdotool("key", KEYS[key])
        time.sleep(0.05)

    def hold(self, key, during):
        hold(key, during)

    def size(self):
        info = subprocess.run(["xwininfo", "-id", self.wid], capture_output=True, text=True).stdout
        get = lambda what: next(line.split()[-1] for line in info.splitlines() if what in line)
        return int(get("Width:")), int(get("Height:"))

    def close(self):
        """Closes the window as its user would; the exit status, or "timeout"."""
        if xclose:
            subprocess.run([xclose, self.wid])
        else:
            self.focus()
            xdotool("key", "alt+F4")
        try:
            return self.proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            return "timeout"


def icon_is_installed_picture(wid):
    """_NET_WM_ICON holds the 16, 32 and 48 pixel pictures, in that order, each the same ARGB
    words as the menu entry's PNG of that size."""
    out = subprocess.run(["xprop", "-id", wid, "-notype", "-f", "_NET_WM_ICON", "32c",
                          "_NET_WM_ICON"], capture_output=True, text=True).stdout
    values = [int(v) for v in out.split("=", 1)[-1].replace(",", " ").split() if v.isdigit()]
    sizes = []
    while len(values) > 2:
        w, h = values[0], values[1]
        pixels, values = values[2:2 + w * h], values[2 + w * h:]
        png = f"{HERE}/../../data/icons/org.fizzet.Fizzet-{w}.png"
        rgba = Image.open(png).convert("RGBA").tobytes()
        want = [rgba[i + 3] << 24 | rgba[i] << 16 | rgba[i + 1] << 8 | rgba[i + 2]
                for i in range(0, len(rgba), 4)]
        if pixels != want:
            return False
        sizes.append((w, h))
    return sizes == [(16, 16), (32, 32), (48, 48)]


def desktop(p):
    """What only the Linux desktop asks of the window, after the scenario."""
    wm_class = subprocess.run(["xprop", "-id", p.wid, "WM_CLASS"], capture_output=True,
                              text=True).stdout.rsplit('"', 2)[-2:-1]
    entry = open(f"{HERE}/../../data/org.fizzet.Fizzet.desktop").read()
    check("WM_CLASS is the menu entry's StartupWMClass",
          wm_class and f"StartupWMClass={wm_class[0]}\n" in entry, wm_class)
    check("the window's icon is the installed one at 16, 32 and 48 pixels, pixel for pixel",
          icon_is_installed_picture(p.wid))
    before = p.shot()
    xdotool("windowunmap", "--sync", p.wid, "windowmap", "--sync", p.wid)
    p.focus()
    time.sleep(0.3)
    check("the picture comes back whole when the window is shown again",
          p.shot().tobytes() == before.tobytes())


def unusable_homes():
    for home in ("/nonexistent/fizzet-home", "/dev/null"):
        with tempfile.TemporaryFile() as err:
            p = Program([program], err, env=dict(os.environ, HOME=home))
            status = p.close() if p.wid else "no window"
            err.seek(0)
            said = err.read().decode(errors="replace")
        check(f"HOME={home}: the window opens and closes with status 0, no crash report",
              status == 0 and not any(w in said.lower() for w in ("abort", "core dumped",
                                                                   "segmentation")), said)


def monitors(log):
    """A second monitor at twice the scale: the window follows it there and back."""
    server = Server("1700x800x24")
    try:
        subprocess.run(["xrandr", "--setmonitor", "A", "800/200x700/180+0+0", "screen"],
                       stdout=subprocess.DEVNULL)
        subprocess.run(["xrandr", "--setmonitor", "B", "900/220x800/200+800+0", "none"],
                       stdout=subprocess.DEVNULL)
        p = Program([program], log, env=dict(os.environ, QT_SCREEN_SCALE_FACTORS="A=1;B=2"))
        xdotool("windowmove", "--sync", p.wid, "1000", "100")
        time.sleep(0.5)
        p.scale = 2
        scenario.moved(p, layout, " [on the monitor at 2 x]")
        xdotool("windowmove", "--sync", p.wid, "100", "100")
        time.sleep(0.5)
        p.scale = 1
        scenario.moved(p, layout, " [back on the first monitor]")
        p.close()
    finally:
        server.stop()


def main():
    global layout, program, xclose
    layout, program = Layout(sys.argv[1]), os.path.realpath(sys.argv[2])
    xclose = os.path.realpath(sys.argv[3]) if len(sys.argv) > 3 else None
    windows = program.endswith(".exe")
    launch = ["wine", program] if windows else [program]
    if windows:
        os.environ["WINEDEBUG"] = "-all"
    log = tempfile.TemporaryFile()
    server = Server()
    try:
        p = Program(launch, log)
        if not p.wid:
            log.seek(0)
            sys.exit("no window captioned Fizzet appeared: " + log.read().decode(errors="replace"))
        w = scenario.run(p, layout)
        if not windows:
            desktop(p)
        w.press("Start")
        time.sleep(0.2)
        status = p.close()
        check(f"closing the window while running exits with status 0 (got {status})", status == 0)
        if not windows:  # Wine keeps its prefix under HOME, and follows no Qt scale factors
            unusable_homes()
    finally:
        server.stop()
    if not windows:
        monitors(log)
    finish("e2e")


if __name__ == "__main__":
    main()
