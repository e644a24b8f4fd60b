#!/usr/bin/python3
# Reads the window as a screen reader does, through the real AT-SPI tree:
# runs the lesson 2x + 3y = 6 by AT-SPI actions and prints what the plane,
# the size buttons and the equation say, and the name changes announced.
# Run under an X server with an accessibility bus (see measure or README):
#   dbus-run-session -- bash -c '/usr/libexec/at-spi-bus-launcher --launch-immediately & sleep 1; \
#     QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 build/linear-graph & sleep 2; tools/atspi_check.py'
import sys
import time

import pyatspi

def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and "linear-graph" in (app.name or ""):
            return app
    return None

def walk(node, depth=0, out=None):
    out = [] if out is None else out
    out.append((depth, node))
    for child in node:
        if child is not None:
            walk(child, depth + 1, out)
    return out

def by_name(app, name, role=None):
    for _, n in walk(app):
        if n.name == name and (role is None or n.getRoleName() == role):
            return n
    return None

def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click"):
            action.doAction(i)
            return
    action.doAction(0)

announced = []
def listener(event):
    announced.append((event.source.getRoleName(), event.source.name))

app = None
for _ in range(20):
    app = find_app()
    if app:
        break
    time.sleep(0.5)
if not app:
    print("no application on the accessibility bus")
    sys.exit(1)

pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-name")
def pump(seconds):
    end = time.time() + seconds
    while time.time() < end:
        pyatspi.Registry.pumpQueuedEvents()
        time.sleep(0.05)

for label, text in (("ａの値", "2"), ("ｂの値", "3"), ("ｃの値", "6")):
    box = by_name(app, label)
    box.queryEditableText().setTextContents(text)
for caption in ("点を打つ", "すべての点を打つ", "式を表示"):
    press(by_name(app, caption))
    pump(0.5)
pump(1.0)

for depth, n in walk(app):
    states = n.getState()
    checked = " checked" if states.contains(pyatspi.STATE_CHECKED) else ""
    desc = f" — {n.description}" if n.description else ""
    print(f"{'  ' * depth}{n.getRoleName()}: {n.name!r}{checked}{desc}")
print("announced name changes:")
for role, name in announced:
    print(f"  {role}: {name!r}")
