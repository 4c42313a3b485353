"""What assistive technology finds in the window, as the layout file describes it: each control
a person uses or reads, by the name it is announced with and its kind, and the label's value as
it is spoken. The desktop's AT-SPI check and the page's tree check this one description, each
through its own toolkit's words for the kinds."""

# The role each kind of control has, as AT-SPI (the desktop) and Chromium's tree (the page) say
# it. The label is named by its value on the desktop; the page's is a live region.
ROLES = {
    "atspi": {"PushButton": "push button", "DrawingSurface": "canvas", "Label": "label"},
    "chromium": {"PushButton": "button", "DrawingSurface": "image", "Label": "status"},
}


def announced(layout):
    """{name announced: its control in the layout} of every button and of the drawing."""
    return {c["accessibleName"] or c["caption"]: c for c in layout.data["controls"].values()
            if c["kind"] in ("PushButton", "DrawingSurface")}


def wrong_roles(layout, roles, toolkit):
    """The announced names whose role, in `roles` ({name: role} as found), is not their kind's."""
    want = ROLES[toolkit]
    return sorted(n for n, c in announced(layout).items() if roles.get(n) != want[c["kind"]])


def wrong_descriptions(layout, found):
    """The announced names whose description, in `found` ({name: description}), is not the one
    the layout gives them (what a button does, what the drawing shows)."""
    return sorted(n for n, c in announced(layout).items()
                  if c["description"] and found.get(n) != c["description"])
