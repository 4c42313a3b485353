"""A line a check, "ok" or "FAIL" (with what was seen), and a closing count."""
import sys

counts = {"passed": 0, "failed": 0}


def check(what, ok, saw=None):
    counts["passed" if ok else "failed"] += 1
    print(("ok   " if ok else "FAIL ") + what + ("" if ok or saw is None else f" (saw {saw!r})"))


def finish(name):
    print(f"{name}: {counts['passed']} passed, {counts['failed']} failed")
    sys.exit(1 if counts["failed"] else 0)
