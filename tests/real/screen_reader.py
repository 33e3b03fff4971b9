"""A small screen-reader client over AT-SPI, as Orca is one.

Usage: screen_reader.py PID BUTTON [SECONDS]
       screen_reader.py PID BUTTON press
       screen_reader.py PID window

Finds the program with process id PID, checks what it shows (a chart of
sixteen valued bars, "Bar 1" to "Bar 16", and four push buttons named by
their captions), moves the focus to BUTTON through its component interface
and presses it through its action, as a screen reader does, and listens
while the sort runs. Then checks that exactly one object has the focus,
BUTTON, and that the bars ascend. Prints what it heard; exits 1 with a
message on the first thing that is wrong, also when SECONDS pass first.
With "press", it only focuses and presses BUTTON, and returns at once.
With "window", it prints the size of the program's window, "WxH", as the
window tells screen readers, and returns.
"""
import sys
import time

import pyatspi
from gi.repository import GLib

CAPTIONS = ["Randomize", "Bubble-sort", "Push-sort", "Random sort"]


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def find_app(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def bar_values(chart):
    return [bar.queryValue().currentValue for bar in chart]


def inversions(values):
    return sum(1 for i in range(len(values)) for j in range(i + 1, len(values)) if values[j] < values[i])


def main():
    pid, caption = int(sys.argv[1]), sys.argv[2]
    press_only = sys.argv[3:] == ["press"]
    seconds = int(sys.argv[3]) if len(sys.argv) > 3 and not press_only else 120
    # The program joins the accessibility bus a moment after the bus starts.
    deadline = time.monotonic() + 10
    while (app := find_app(pid)) is None:
        if time.monotonic() > deadline:
            fail("no application with process id %d on the accessibility bus within 10 s" % pid)
        time.sleep(0.1)

    objects = list(walk(app))
    if caption == "window":
        windows = [o for o in app if o is not None]  # the application's children are its top-level windows
        if not windows:
            fail("the program shows no window")
        extents = windows[0].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print("%dx%d" % (extents.width, extents.height))
        return
    charts = [o for o in objects if o.getRole() == pyatspi.ROLE_CHART]
    if len(charts) != 1:
        fail("expected one chart, found %d" % len(charts))
    chart = charts[0]
    names = [bar.name for bar in chart]
    if names != ["Bar %d" % i for i in range(1, 17)]:
        fail("the chart's children are %s" % names)
    buttons = {o.name: o for o in objects if o.getRole() == pyatspi.ROLE_PUSH_BUTTON}
    if sorted(buttons) != sorted(CAPTIONS):
        fail("the push buttons are %s" % sorted(buttons))
    before = bar_values(chart)
    print("bars before: %s" % before)

    heard = {"values": 0, "locked": False, "done": False}
    button = buttons[caption]

    # What a screen reader hears: values changing, the button's state
    # changing, and the focus.
    def on_event(event):
        if event.type.startswith("object:property-change:accessible-value"):
            heard["values"] += 1
        elif event.type == "object:state-changed:enabled" and event.source == button:
            if not event.detail1:
                heard["locked"] = True
            elif heard["locked"]:
                heard["done"] = True
                pyatspi.Registry.stop()

    def give_up():
        pyatspi.Registry.stop()
        return False

    pyatspi.Registry.registerEventListener(
        on_event, "object:property-change:accessible-value", "object:state-changed", "focus:"
    )
    if not button.queryComponent().grabFocus():
        fail("%s did not take the focus" % caption)
    actions = button.queryAction()
    press = [i for i in range(actions.nActions) if actions.getName(i).lower() == "press"]
    if not press:
        fail("%s has no press action" % caption)
    actions.doAction(press[0])
    if press_only:
        return
    GLib.timeout_add_seconds(seconds, give_up)
    pyatspi.Registry.start()
    if not heard["done"]:
        fail("the sort did not lock and free the buttons within %d s" % seconds)

    exchanges = inversions(before)  # a gnome sort makes one exchange per inversion
    print("value changes heard: %d, for %d exchanges" % (heard["values"], exchanges))
    if heard["values"] == 0 or (caption == "Push-sort" and heard["values"] != 2 * exchanges):
        fail("expected two value changes for each exchange")

    focused = [o for o in walk(app) if o.getState().contains(pyatspi.STATE_FOCUSED)]
    # Roles by their constants: their names differ between AT-SPI releases.
    if [(o.getRole(), o.name) for o in focused] != [(pyatspi.ROLE_PUSH_BUTTON, caption)]:
        fail("focused after the sort: %s" % [(o.getRoleName(), o.name) for o in focused])
    after = bar_values(chart)
    print("bars after: %s" % after)
    if after != sorted(before):
        fail("the bars do not ascend from Bar 1 to Bar 16")
    print("focus is back on %s" % caption)


main()
