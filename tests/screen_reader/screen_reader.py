"""What a screen reader hears of the window: each control by its own name and role.

Waits for the program on the accessibility bus, then checks the window, the drive list, the two
version frames and the folder list. Exits 1 with the failures listed, 2 when the program never
shows up.
"""
import sys
import time

import pyatspi

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def find_app(seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Brelvik" and app.childCount > 0:
                return app
        time.sleep(0.2)
    return None


def nodes(node):
    yield node
    for child in node:
        if child is not None:
            yield from nodes(child)


def labels_of(node):
    return [relation.getTarget(i).name
            for relation in node.getRelationSet()
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
            for i in range(relation.getNTargets())]


def main():
    app = find_app(30)
    if app is None:
        print("the program never showed up on the accessibility bus")
        return 2
    window = app[0]
    check(window.getRoleName() == "frame", f"the window's role is {window.getRoleName()!r}")
    everything = list(nodes(window))
    named = {}
    for node in everything:
        named.setdefault((node.getRoleName(), node.name), node)

    check(("combo box", "Drive") in named, "no combo box named 'Drive'")
    for caption in ("Ver.Nr.", "Req.Ver."):
        frame = named.get(("panel", caption))
        box = named.get(("text", caption))
        check(frame is not None and box is not None, f"no frame and box named {caption!r}")
        for node in (frame, box):
            if node is not None:
                check(all(label == caption for label in labels_of(node)),
                      f"{node.getRoleName()} {caption!r} labelled by {labels_of(node)}")

    folders = named.get(("list", "Folders"))
    check(folders is not None, "no list named 'Folders'")
    if folders is not None:
        entries = [entry for entry in folders if entry is not None]
        for entry in entries:
            check(entry.name == entry.name.strip(), f"folder entry {entry.name!r} is padded")
        last = entries[-1] if entries else None
        check(last is not None and last.name == "desert", "the subfolder is not the last entry")
        if last is not None:
            check(last.description == f"Level {len(entries)}",
                  f"the subfolder's level is {last.description!r}")

    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
