#!/usr/bin/python3
"""The page against a floor page, side by side in one run, each in a headless Chromium of its
own: CPU of all of that browser's processes while animating, script and task time per second
(DevTools' Performance.getMetrics), the tick rate seen from outside (from what the canvases
show), the page's size and its time to the first frame.

  web.py PAGE FLOOR [SECONDS]"""
import gzip
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "web"))
from browser import Browser, page_url  # noqa: E402
from e2e import Run, ticks_from_trails  # noqa: E402

HZ = os.sysconf("SC_CLK_TCK")


def tree_cpu(root):
    """CPU seconds used so far by a process and all its descendants."""
    children, cpu = {}, {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        children.setdefault(int(fields[1]), []).append(int(pid))
        cpu[int(pid)] = (int(fields[11]) + int(fields[12])) / HZ
    total, todo = 0.0, [root]
    while todo:
        pid = todo.pop()
        total += cpu.get(pid, 0.0)
        todo += children.get(pid, [])
    return total


def metrics(b):
    b.cdp("Performance.enable")
    return {m["name"]: m["value"] for m in b.cdp("Performance.getMetrics")["metrics"]}


def first_frame_ms(b):
    return b.js("const p = performance.getEntriesByName('first-contentful-paint')[0];"
                "return p ? p.startTime : null")


def lit(run):
    colours, _ = run.positions(run.b.shot())
    return sum(1 for c in colours.values() if c != run.background)


def at(action):
    """What the action gives, and when it happened: the middle of the time it took."""
    before = time.monotonic()
    result = action()
    return result, (before + time.monotonic()) / 2


class Side:
    def __init__(self, name, url):
        self.name, self.run = name, Run(url, 1, False, ready=name == "fizzet")
        self.b = self.run.b
        time.sleep(0.5)
        # The last position the floor lights, and one Fizzet's points start far from.
        self.run.background = self.run.positions(self.b.shot())[0][182, 127]
        self.first = first_frame_ms(self.b)
        self.root = self.b.driver.service.process.pid

    def mark(self):
        return time.monotonic(), tree_cpu(self.root), metrics(self.b)


def main():
    page, floor = sys.argv[1], sys.argv[2]
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 30.0
    fizzet, base = Side("fizzet", page_url(page)), Side("floor", page_url(floor))
    try:
        fizzet.run.press("cmd5", "cmd3")  # Fall, from its Reset
        time.sleep(2.0)
        marks = [(fizzet.mark(), base.mark())]
        time.sleep(seconds)
        marks.append((fizzet.mark(), base.mark()))
        # The tick rate: Wind's trails from a Reset count Fizzet's ticks, the floor's lit
        # positions its own, over the same time.
        # Three spells of 7 s, as long as a trail stays short of the right-hand edge; each an
        # estimate good to about 0.3 ticks a second.
        fizzet.run.press("cmd8")
        lit0, ticks, spent = at(lambda: lit(base.run)), 0.0, 0.0
        for _ in range(3):
            reset = at(lambda: fizzet.run.press("cmd5"))
            time.sleep(7.0)
            stop = at(lambda: fizzet.run.press("cmd4"))
            ticks += ticks_from_trails(fizzet.run.plotted())
            spent += stop[1] - reset[1]
            fizzet.run.press("cmd3")
        lit1 = at(lambda: lit(base.run))
        rates = {"fizzet": ticks / spent, "floor": (lit1[0] - lit0[0]) / (lit1[1] - lit0[1])}
        # A tick's own cost, apart from the timer's: the handler called back to back under Fall,
        # with the drawing's changed box going to the canvas each time.
        fizzet.run.press("cmd6", "cmd5")
        own = fizzet.b.js("""for (var i = 0; i < 500; ++i) _fizzet_tick();
                             var t = performance.now();
                             for (var i = 0; i < 4000; ++i) _fizzet_tick();
                             return (performance.now() - t) / 4000 * 1000;""")
    finally:
        fizzet.b.close()
        base.b.close()

    rows = {}
    for side, ((t0, c0, m0), (t1, c1, m1)) in zip((fizzet, base), zip(*marks)):
        wall = t1 - t0
        script = (m1["ScriptDuration"] - m0["ScriptDuration"]) / wall
        task = (m1["TaskDuration"] - m0["TaskDuration"]) / wall
        rows[side.name] = dict(cpu=(c1 - c0) / wall, script=script, task=task,
                               rate=rates[side.name], first=side.first)
    sizes = {}
    for name, path in (("fizzet", page), ("floor", floor)):
        data = open(path, "rb").read()
        sizes[name] = (len(data), len(gzip.compress(data, 9)))

    print(f"{seconds:g} s animating, side by side; {os.cpu_count()} CPUs")
    print(f"{'':8} {'CPU %':>7} {'script ms/s':>12} {'task ms/s':>10} {'ticks/s':>8} "
          f"{'script µs/tick':>15} {'first frame ms':>15} {'bytes':>7} {'gzipped':>8}")
    for name, r in rows.items():
        print(f"{name:8} {100 * r['cpu']:7.2f} {1000 * r['script']:12.3f} {1000 * r['task']:10.3f} "
              f"{r['rate']:8.2f} {1e6 * r['script'] / r['rate']:15.2f} {r['first']:15.1f} "
              f"{sizes[name][0]:7} {sizes[name][1]:8}")
    print(f"CPU ratio fizzet / floor: {rows['fizzet']['cpu'] / rows['floor']['cpu']:.2f}")
    extra = 1e6 * (rows["fizzet"]["script"] / rows["fizzet"]["rate"] -
                   rows["floor"]["script"] / rows["floor"]["rate"])
    print(f"script per tick over the floor's: {extra:.1f} µs; "
          f"a tick alone, timed in the page: {own:.1f} µs")


if __name__ == "__main__":
    main()
