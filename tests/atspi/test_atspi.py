# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later

"""Reads the running window through AT-SPI, as a screen reader would: every
control by role and name, a size chosen, a revealed cell and its report, and
where the keyboard focus goes meanwhile."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

from reports import report_of

EVENTS = []
CONTEXT = GLib.MainContext.default()


def pump(seconds, until=lambda: False):
    end = time.time() + seconds
    while time.time() < end and not until():
        CONTEXT.iteration(False)
        time.sleep(0.01)
    return until()


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def find(parent, role, name=None, prefix=None):
    """The child of `parent` with that role (a pyatspi.ROLE_* value: the
    names AT-SPI gives roles differ between versions) and name."""
    for child in children(parent):
        if child.getRole() != role:
            continue
        if (name is not None and child.name == name) or (prefix is not None and child.name.startswith(prefix)):
            return child
    raise AssertionError(f"no {role} named {name or prefix!r} among {[(c.getRoleName(), c.name) for c in children(parent)]}")


def cells(window):
    """The board's cells and the hidden template cell: every push button but "Чисти"."""
    return [c for c in children(window) if c.getRole() == pyatspi.ROLE_PUSH_BUTTON and c.name != "Чисти"]


def xdotool(*arguments):
    """The program's window, given the keyboard as a person's click would, then `arguments`."""
    subprocess.run(["xdotool", "search", "--name", "нечетен брой", "windowfocus", "--sync", *arguments], check=True)


def key(name):
    xdotool("key", name)


def focused_since(start):
    """What took the focus since `start`; Qt may tell of one focus change twice."""
    names = [name for kind, name, detail, when in EVENTS
             if kind == "object:state-changed:focused" and detail == 1 and when >= start]
    return [name for i, name in enumerate(names) if i == 0 or names[i - 1] != name]


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def main():
    desktop = pyatspi.Registry.getDesktop(0)
    assert pump(30, lambda: any(a is not None and a.name == "zorbelin" for a in desktop)), "the program never appeared"
    app = next(a for a in desktop if a is not None and a.name == "zorbelin")
    window = find(app, pyatspi.ROLE_FRAME, prefix="https://zorbelin.example ")
    xdotool()
    assert window.name.endswith(" Зорбелин нечетен брой"), window.name

    sizes = find(window, pyatspi.ROLE_LIST, "Брой")
    assert [item.name for item in children(sizes)] == ["3", "5", "7", "9", "11", "13", "15", "17", "19", "21"]
    clear = find(window, pyatspi.ROLE_PUSH_BUTTON, "Чисти")
    assert not clear.getState().contains(pyatspi.STATE_ENABLED)
    box = find(window, pyatspi.ROLE_TEXT, "Обяснение и справка")
    assert text_of(box).startswith("Магически квадрат с дължина на страната N"), text_of(box)[:40]
    find(window, pyatspi.ROLE_LABEL, "Зорбелин")
    find(window, pyatspi.ROLE_LABEL, "Брой")
    frame = find(window, pyatspi.ROLE_PANEL, "Начало")
    top = find(frame, pyatspi.ROLE_RADIO_BUTTON, "Горе")
    assert top.getState().contains(pyatspi.STATE_CHECKED)
    find(frame, pyatspi.ROLE_RADIO_BUTTON, "Ляво")
    picture = find(window, pyatspi.ROLE_IMAGE, prefix="Магическият квадрат 4 × 4")
    assert "16, 3, 2, 13" in picture.description
    template = cells(window)
    assert len(template) == 1 and not showing(template[0]), "the hidden template cell is announced"

    print("The tree as read:")
    print(f"  {window.getRoleName()}: {window.name}")
    for child in children(window):
        print(f"    {child.getRoleName()}: {child.name}" + (f" ({child.description})" if child.description else "")
              + ("" if showing(child) else " [not showing]"))
        for grandchild in children(child):
            if grandchild.getRole() in (pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_LIST_ITEM):
                print(f"      {grandchild.getRoleName()}: {grandchild.name}")

    pyatspi.Registry.registerEventListener(
        lambda e: EVENTS.append((e.type, e.source.name if e.source else None, e.detail1, time.time())),
        "object:state-changed:showing", "object:state-changed:focused", "object:text-changed")

    # Choosing "3" as a screen reader user would: the item's own action.
    chosen = time.time()
    find(sizes, pyatspi.ROLE_LIST_ITEM, "3").queryAction().doAction(0)

    def revealed_one():
        return [c for c in cells(window) if c.name == "1" and showing(c)]

    assert pump(15, revealed_one), "the number 1 was never revealed"
    one = revealed_one()[0]
    assert one.description == "Ред 1, Колона 2", one.description
    assert pump(10, lambda: any(e[:3] == ("object:state-changed:showing", "1", 1) for e in EVENTS)), \
        "the reveal was not announced"
    # The focus moves once over the first tick: from where choosing left it
    # ("Чисти"), straight to the first number, not through the controls the
    # tick locks.
    assert pump(10, lambda: focused_since(chosen)[-1:] == ["1"]), focused_since(chosen)
    assert focused_since(chosen) == ["Чисти", "1"], focused_since(chosen)
    hidden = [c.name for c in cells(window) if c.name != "1" and not showing(c)]
    assert hidden, "every cell is showing too early"
    print(f"Revealed: push button {one.name!r} ({one.description}); still hidden: {len(hidden)} cells")

    action = one.queryAction()
    assert action.getName(0) == "Press", action.getName(0)

    # From the keyboard: Right to "6", Space for its report. A screen reader
    # speaks what takes the focus, so the report box takes it, with the whole
    # report as its description; Escape goes back to the cell.
    assert pump(30, lambda: not window.getChildAtIndex(0) or clear.getState().contains(pyatspi.STATE_ENABLED)), \
        "the reveal did not end"
    moved = time.time()
    key("Right")
    assert pump(10, lambda: focused_since(moved) == ["6"]), focused_since(moved)
    asked = time.time()
    key("space")
    report = report_of(3, "top", 6)
    assert pump(10, lambda: focused_since(asked) == [box.name]), focused_since(asked)
    assert box.description == report, repr(box.description)
    assert text_of(box) == report, repr(text_of(box))
    print("Report as read:", box.name, "|", box.description.replace("\n", " | "))
    back = time.time()
    key("Escape")
    assert pump(10, lambda: focused_since(back) == ["6"]), focused_since(back)
    print("Escape goes back to:", focused_since(back))
    return 0


if __name__ == "__main__":
    sys.exit(main())
