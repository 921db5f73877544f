# Reads every visible control of the window from the accessibility bus and fails when two of
# them overlap or one reaches past the window.
import sys
import time

import pyatspi

title = sys.argv[1]


def window_named(name):
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            for j in range(app.childCount):
                if app.getChildAtIndex(j).name == name:
                    return app.getChildAtIndex(j)
        time.sleep(0.1)
    sys.exit("FAIL: no window named " + name)


def controls(node, found, depth=0):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        role = child.getRoleName()
        if role == "table" or not child.getState().contains(pyatspi.STATE_SHOWING):
            continue
        if role in ("push button", "label", "text"):
            found.append(child)
        elif depth < 4:
            controls(child, found, depth + 1)
    return found


window = window_named(title)
frame = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
boxes = []
for control in controls(window, []):
    e = control.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    boxes.append((control.name, e.x, e.y, e.x + e.width, e.y + e.height))
    if e.x < frame.x or e.x + e.width > frame.x + frame.width:
        sys.exit("FAIL: %s reaches past the window: %r, window %r" % (control.name, boxes[-1], frame))
for i, a in enumerate(boxes):
    for b in boxes[i + 1:]:
        if a[1] < b[3] and b[1] < a[3] and a[2] < b[4] and b[2] < a[4]:
            sys.exit("FAIL: %r overlaps %r" % (a, b))
print("no overlaps among %d controls" % len(boxes))
