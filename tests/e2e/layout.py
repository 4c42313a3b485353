"""The window as the build's layout file (layout.json, written from the core's own table) says
it is. As a command, for shell scripts, it prints a control's centre in pixels:

  layout.py FILE centre CAPTION [SCALE]     "X Y", at SCALE 1 (the default) or 2"""
import json
import sys


class Layout:
    def __init__(self, path):
        with open(path) as f:
            self.data = json.load(f)
        self.wide, self.high = self.data["drawing"]
        self.first, self.last, self.initial = self.data["index"]
        self.tick_ms = self.data["tickInterval"]

    def at(self, scale):
        """Boxes (left, top, width, height) in device pixels at scale 1 or 2."""
        return self.data["at"][f"{scale:g}"]

    def box(self, name, scale=1):
        return tuple(self.at(scale)["boxes"][name])

    def centre(self, name, scale=1):
        x, y, w, h = self.box(name, scale)
        return x + w // 2, y + h // 2

    def named(self, text):
        """The control with this caption or accessible name."""
        return next(n for n, c in self.data["controls"].items()
                    if text in (c["caption"], c["accessibleName"]))

    def colour(self, index):
        return tuple(self.data["palette"][index]["rgb"])

    def spoken(self, index):
        """The label's value as a screen reader says it: "8, dark gray"."""
        return f"{index}, {self.data['palette'][index]['name']}"


if __name__ == "__main__":
    if len(sys.argv) in (4, 5) and sys.argv[2] == "centre":
        layout = Layout(sys.argv[1])
        print(*layout.centre(layout.named(sys.argv[3]), float(sys.argv[4]) if len(sys.argv) > 4 else 1))
    else:
        sys.exit(__doc__)
