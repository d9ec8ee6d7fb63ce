#!/usr/bin/env python3
"""accessible-tree.py APP-NAME WINDOW-CAPTION MIN-LABEL-RELATIONS: walks the
window through AT-SPI; fails on an unnamed button, field, list or picture, on
a field that says "editable", and on fewer label-for relations than given."""
import sys
import time

import pyatspi

CONTROLS = {
    pyatspi.ROLE_PUSH_BUTTON: "button",
    pyatspi.ROLE_TEXT: "field",
    pyatspi.ROLE_ENTRY: "field",
    pyatspi.ROLE_LIST: "list",
    pyatspi.ROLE_LIST_BOX: "list",
    pyatspi.ROLE_TABLE: "list",
    pyatspi.ROLE_TREE: "list",
    pyatspi.ROLE_IMAGE: "picture",
}


def find(nodes, name, wait_s=20):
    end = time.time() + wait_s
    while time.time() < end:
        for node in nodes():
            if node is not None and node.name == name:
                return node
        time.sleep(0.2)
    return None


def walk(node, depth=0):
    yield node
    if depth > 30:
        return
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1)


def main():
    app_name, caption = sys.argv[1], sys.argv[2]
    min_relations = int(sys.argv[3])
    desktop = lambda: list(pyatspi.Registry.getDesktop(0))
    app = find(desktop, app_name)
    if app is None:
        print(f"no application named {app_name!r} on the bus (found {[a.name for a in desktop() if a]})")
        return 1
    window = find(lambda: list(app), caption)
    if window is None:
        print(f"{app_name}: no window {caption!r}")
        return 1
    # Let the window fill in (the first capture, the first fetch).
    time.sleep(1)

    faults, controls, relations = [], 0, 0
    for node in walk(window):
        role = node.getRole()
        states = node.getState()
        if not states.contains(pyatspi.STATE_SHOWING):
            continue
        for relation in node.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABEL_FOR:
                relations += 1
        kind = CONTROLS.get(role)
        if kind is None:
            continue
        controls += 1
        where = f"{kind} ({node.getRoleName()}) in {node.parent.name or node.parent.getRoleName()}"
        if not node.name.strip():
            faults.append(f"unnamed {where}")
        if kind == "field" and states.contains(pyatspi.STATE_EDITABLE):
            faults.append(f"field {node.name!r} says editable")
    print(f"{app_name}: {controls} controls, {relations} label-for relations")
    if relations < min_relations:
        faults.append(f"{relations} label-for relations, {min_relations} expected")
    for fault in faults:
        print(f"{app_name}: {fault}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
