"""The accessibility tree as AT-SPI gives it, shared by the checks of the desktop window and of
the page."""
import pyatspi


def descendants(node, depth=0):
    """Every node below `node`, depth first, to a depth of 40 (a guard against cycles)."""
    for child in node:
        if child is None or depth > 40:
            continue
        yield child
        yield from descendants(child, depth + 1)


def application(matches):
    """The first application on the bus whose name `matches` says yes to, or None."""
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and matches(app.name or ""):
            return app
    return None
