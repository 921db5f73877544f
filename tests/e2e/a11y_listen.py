# Reads the running window through the accessibility bus, as a screen reader does: names and
# roles of the controls, what gains the focus while the cursor moves, and where Ctrl+Tab goes.
import subprocess
import sys
import threading
import time

import pyatspi
from gi.repository import GLib

title = sys.argv[1]
focused = []


def on_focus(event):
    if event.detail1 == 1:
        focused.append((event.source.getRoleName(), event.source.name or "",
                        text_of(event.source)))


def text_of(node):
    try:
        text = node.queryText()
        return text.getText(0, -1)
    except Exception:
        return ""


def find(node, test, depth=0):
    if node is None or depth > 12:
        return None
    if test(node):
        return node
    for i in range(node.childCount):
        found = find(node.getChildAtIndex(i), test, depth + 1)
        if found is not None:
            return found
    return None


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def app_window():
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            window = find(app, lambda n: n.name == title)
            if window is not None:
                return window
        time.sleep(0.1)
    fail("no window named " + title + " on the accessibility bus")


def press(*keys):
    subprocess.run(["xdotool", "key", "--delay", "80", *keys], check=True)


def pump(seconds):
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


window = app_window()
if window.getRoleName() != "frame":
    fail("the window's role is " + window.getRoleName())
for name, role in (("Add", "push button"), ("Delete", "push button"), ("Save", "push button"),
                   ("Find", "text"), ("Tasks", "table")):
    node = find(window, lambda n: n.name == name and n.getRoleName() == role)
    if node is None:
        fail("no %s named %s" % (role, name))
table = find(window, lambda n: n.getRoleName() == "table")
cells = table.queryTable()
headers = [cells.getColumnHeader(c).name for c in range(cells.nColumns)]
if headers != ["Date", "Pri", "SubP", "Description"]:
    fail("header names carry padding: %r" % headers)

pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
pump(0.5)
press("Tab", "Tab", "Tab")
pump(1.0)
for expected in ("Water the plants", "Buy stamps"):
    focused.clear()
    press("Down")
    pump(1.0)
    landings = [f for f in focused if f[0] == "text"]
    if not focused or focused[-1][1:] != ("Description", expected):
        fail("Down announced %r, not Description, %s" % (focused, expected))
    if len(landings) != 1:
        fail("one Down moved the focus %d times: %r" % (len(focused), focused))
focused.clear()
press("ctrl+Tab")
pump(1.0)
if not focused or focused[-1][0] == "text" and focused[-1][1] == "Description":
    fail("Ctrl+Tab stayed in the grid: %r" % focused)
print("accessibility checks passed: %r" % (focused[-1],))
