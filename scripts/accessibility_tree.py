#!/usr/bin/python3
"""Lists what a screen reader finds in the running program: every push button, table, text
field, list, combo box, tab and picture of its windows, with the name it is announced by.
Exits with 1 when one of them has no name. Run by scripts/accessibility_tree.sh."""
import sys
import time

import pyatspi

ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE,
    pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_LIST,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER,
    pyatspi.ROLE_IMAGE, pyatspi.ROLE_CANVAS,
}


def walk(node, depth, missing, parent_role=None):
    try:
        role = node.getRole()
        name = node.name
    except Exception:
        return
    # A combo box's drop-down list is announced through the combo box.
    if role in ROLES and not (role == pyatspi.ROLE_LIST and parent_role == pyatspi.ROLE_COMBO_BOX):
        print("  " * depth + f"{node.getRoleName()}: {name!r}")
        if not name.strip():
            missing.append(node.getRoleName())
    for child in node:
        if child is not None:
            walk(child, depth + 1, missing, role)


def main():
    deadline = time.time() + 30
    while time.time() < deadline:
        apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name.lower() == "varnelle"]
        if apps:
            break
        time.sleep(0.5)
    else:
        print("the program did not show on the accessibility bus")
        return 1
    missing = []
    walk(apps[0], 0, missing)
    print(f"{len(missing)} control(s) without a name")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
