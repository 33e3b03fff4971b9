"""The shared scenarios (tests/support/scenarios.py) in the program's desktop
windows, one adapter for each:
  x11     the program on X11: pointer and keys through xdotool, shots
          through python-xlib, the focus and what a screen reader hears over
          AT-SPI
  wine    sortbars.exe under Wine on X11, the focus and what a screen reader
          hears through MSAA, as win_probe.exe reads them
  sway    the program on headless sway: shots through grim, and presses over
          AT-SPI, as a screen reader makes them (the seat has no pointer or
          keyboard here)
  mutter  the program on headless mutter: keys on mutter's own keyboard,
          presses and the bars over AT-SPI (mutter takes no shots here)

Usage: desktop.py KIND PROGRAM [PROBE] [SCENARIO...], inside the session that
scripts/session.sh started for KIND (and, but for wine, on a private session
bus with accessibility on), with SORTBARS_LAYOUT_TOOL naming layout_pixels.
"""
import glob
import hashlib
import json
import os
import signal
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
import pixels  # noqa: E402
from PIL import Image  # noqa: E402
import scenarios  # noqa: E402
from scenarios import CAPTIONS, Failure, Unreadable, wait_until  # noqa: E402

ENTRY = glob.glob(os.path.join(HERE, "..", "..", "packaging", "*.desktop"))[0]
APP_ID = os.path.basename(ENTRY)[:-len(".desktop")]
with open(ENTRY) as entry:
    WM_CLASS = next(line.split("=", 1)[1].strip() for line in entry if line.startswith("StartupWMClass="))
# X keysyms for mutter's keyboard.
KEYSYMS = {"shift": ["0xffe1"], "Tab": ["0xff09"], "shift+Tab": ["0xffe1", "0xff09"], "space": ["0x20"], "alt+F4": ["0xffe9", "0xffc1"]}


def output(*command, seconds=30):
    try:
        return subprocess.run(command, capture_output=True, timeout=seconds, check=True).stdout
    except subprocess.TimeoutExpired:
        raise Failure("%s did not answer within %d s" % (command[0], seconds)) from None
    except subprocess.CalledProcessError as failed:
        raise Unreadable("%s failed: %s" % (" ".join(command), failed.stderr.decode(errors="replace").strip()))


def on_the_bus(method):
    """An object the program takes off the bus while it is read, as Qt may
    between two calls, makes the reading Unreadable, to be tried again."""
    def read(self, *args):
        from gi.repository import GLib
        try:
            return method(self, *args)
        except GLib.Error as error:
            raise Unreadable("AT-SPI: %s" % error.message) from None
    return read


class Reader:
    """The program as a screen reader finds it on AT-SPI, by its process id."""

    def __init__(self, pid):
        import pyatspi
        self.atspi, self.pid = pyatspi, pid

    def app(self):
        for app in self.atspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.pid:
                return app
        raise Unreadable("no application of process %d on the accessibility bus" % self.pid)

    def objects(self, role):
        found, todo = [], [self.app()]
        while todo:
            node = todo.pop()
            if node.getRole() == role:
                found.append(node)
            todo.extend(child for child in node if child is not None)
        return found

    @on_the_bus
    def buttons(self):
        buttons = {b.name: b for b in self.objects(self.atspi.ROLE_PUSH_BUTTON)}
        if sorted(buttons) != sorted(CAPTIONS):
            raise Unreadable("the push buttons are %s" % sorted(buttons))
        return buttons

    @on_the_bus
    def heard(self):
        self.buttons()  # by their captions, or Unreadable
        charts = self.objects(self.atspi.ROLE_CHART)
        if len(charts) != 1 or [bar.name for bar in charts[0]] != scenarios.BAR_NAMES:
            raise Unreadable("no chart of Bar 1 to Bar 16")
        return [int(bar.queryValue().currentValue) for bar in charts[0]]

    @on_the_bus
    def focused(self):
        states = {name: b.getState() for name, b in self.buttons().items()}
        focused = [name for name, state in states.items() if state.contains(self.atspi.STATE_FOCUSED)]
        return focused[0] if len(focused) == 1 else None

    @on_the_bus
    def locked(self):
        return not any(b.getState().contains(self.atspi.STATE_ENABLED) for b in self.buttons().values())

    @on_the_bus
    def press(self, caption):
        """As a screen reader does: the focus to the button, then its press
        action, which a disabled button does not offer."""
        button = self.buttons()[caption]
        button.queryComponent().grabFocus()
        actions = button.queryAction()
        for i in range(actions.nActions):
            if actions.getName(i).lower() == "press":
                actions.doAction(i)

    @on_the_bus
    def window(self):
        frame = next(child for child in self.app() if child is not None)
        extents = frame.queryComponent().getExtents(self.atspi.DESKTOP_COORDS)
        return frame.name, (extents.width, extents.height)


class Desktop:
    """What every desktop adapter shares: the program's process, its layout
    at scale 1, and reading the bars off a shot."""
    can = {"colours"}
    close_seconds = 5
    scale = 1

    def __init__(self, program):
        self.program, self.process = program, None
        self.layout = pixels.layout(scenarios.layout_tool(1))
        self.client = self.layout[0]
        self.rects = {caption: (x, y, w, h) for x, y, w, h, caption in self.layout[1]}

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()

    def command(self):
        return [self.program]

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait()
        self.process = None

    def start(self):
        self.stop()
        self.process = subprocess.Popen(self.command(), stdin=subprocess.DEVNULL)
        try:
            wait_until(scenarios.START_SECONDS, "a window of the program", self.found_window)
        except Failure:
            if self.process.poll() is not None:
                raise Failure("the program ended with status %d before its window showed" % self.process.returncode)
            raise
        self.shown()
        wait_until(30, "the first picture of the bars", lambda: any(length for length, _ in self.board()))

    def shown(self):
        """Called once the window is there."""

    def alive(self):
        return self.process.poll() is None

    def ended(self, seconds):
        try:
            status = self.process.wait(seconds)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end within %d s" % seconds) from None
        self.process = None
        return status

    def board(self):
        return pixels.bars(pixels.open_image(self.shot()), self.layout)

    # The Qt windows tell a screen reader over AT-SPI; Wine's, through MSAA.
    def heard(self):
        return self.reader.heard()

    def focused(self):
        return self.reader.focused()

    def locked(self):
        return self.reader.locked()

    def picture(self):
        return hashlib.sha1(pixels.open_image(self.shot()).tobytes()).hexdigest()


class X11(Desktop):
    name = "X11"
    can = {"colours", "keys", "focus", "reader", "clicks", "activation", "wraps"}
    other = None
    x_display = None

    def stop(self):
        super().stop()
        if self.other:
            self.other.kill()
            self.other.wait()
            self.other = None

    def deactivate(self):
        """Another window, xlogo, takes the input."""
        if not self.other:
            self.other = subprocess.Popen(["xlogo"])
        shown = wait_until(30, "another window to show", lambda: output(
            "xdotool", "search", "--onlyvisible", "--pid", str(self.other.pid), "--name", "^xlogo$").split())
        output("xdotool", "windowactivate", "--sync", shown[0].decode())

    def activate(self):
        output("xdotool", "windowactivate", "--sync", self.win)

    def found_window(self):
        found = output("xdotool", "search", "--onlyvisible", *self.search(), "--name", "^Form1$").split()
        if found:
            self.win = found[0].decode()
        return bool(found)

    def search(self):
        return ["--pid", str(self.process.pid)]

    def shown(self):
        # X11's own: the class names the desktop entry's StartupWMClass, for the icon and the dock.
        wm_class = output("xprop", "-id", self.win, "WM_CLASS").decode().split('"')[-2:-1]
        if wm_class != [WM_CLASS]:
            raise Failure("WM_CLASS is %s, not the desktop entry's StartupWMClass %s" % (wm_class, WM_CLASS))
        self.activate()
        self.reader = Reader(self.process.pid)
        wait_until(30, "the program's buttons on the accessibility bus", self.reader.buttons)

    def shot(self):
        """The window's client area as the X server has it, read in this
        process: a program started for each shot costs seconds under
        emulation."""
        from Xlib import X, display, error
        try:
            if not self.x_display:
                self.x_display = display.Display()
            window = self.x_display.create_resource_object("window", int(self.win))
            size = window.get_geometry()
            image = window.get_image(0, 0, size.width, size.height, X.ZPixmap, 0xffffffff)
        except error.XError as why:
            raise Unreadable("no image of window %s: %s" % (self.win, why)) from None
        return Image.frombytes("RGB", (size.width, size.height), image.data, "raw", "BGRX")

    def press(self, caption):
        x, y, w, h = self.rects[caption]
        output("xdotool", "mousemove", "--window", self.win, str(x + w // 2), str(y + h // 2), "click", "1")

    def key(self, name):
        output("xdotool", "key", name)

    def window(self):
        title = output("xdotool", "getwindowname", self.win).decode().strip()
        info = output("xwininfo", "-id", self.win).decode()
        size = [int(line.split()[-1]) for line in info.splitlines() if line.strip().startswith(("Width:", "Height:"))]
        return title, tuple(size)

    def close(self):
        output("wmctrl", "-i", "-c", self.win)


class Wine(X11):
    """Under Wine the window belongs to a process of Wine's own, and what
    screen readers get is read through MSAA by win_probe.exe."""
    name = "Wine"
    close_seconds = 10

    def __init__(self, program, probe):
        super().__init__(program)
        self.probe_exe = probe

    def command(self):
        return ["wine", self.program]

    def search(self):
        return []

    def shown(self):
        self.activate()

    def probe(self, what):
        return output("wine", self.probe_exe, what).decode().replace("\r", "").splitlines()

    def heard(self):
        lines = self.probe("chart")
        items = [line.split() for line in lines if line.startswith("item ")]
        controls = {line[len("control "):] for line in lines if line.startswith("control ")}
        if "chart Bars 16" not in lines or [" ".join(i[1:3]) for i in items] != scenarios.BAR_NAMES or \
                not all(i[3].isdigit() for i in items) or not controls >= set(CAPTIONS):
            raise Unreadable("no chart of Bar 1 to Bar 16 beside the four buttons: %s" % lines)
        return [int(item[3]) for item in items]

    def focused(self):
        focus = [line[len("focus "):] for line in self.probe("window") if line.startswith("focus ")]
        return focus[0] if focus and focus[0] in CAPTIONS else None

    def locked(self):
        buttons = [line.split()[5] for line in self.probe("window") if line.startswith("button ")]
        return buttons == ["disabled"] * 4


class Sway(Desktop):
    name = "sway"
    can = {"colours", "focus", "reader"}

    def tree_window(self):
        def walk(node):
            if node.get("pid") == self.process.pid and node.get("window_rect"):
                return node
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                if found := walk(child):
                    return found
            return None
        return walk(json.loads(output("swaymsg", "-r", "-t", "get_tree")))

    def found_window(self):
        node = self.tree_window()
        if node:
            r, w = node["rect"], node["window_rect"]
            self.geometry = "%d,%d %dx%d" % (r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"])
            self.title, self.size, self.app_id = node["name"], (w["width"], w["height"]), node.get("app_id")
        return bool(node)

    def shown(self):
        # Wayland's own: the app id names the desktop entry, for the icon and the dock.
        if self.app_id != APP_ID:
            raise Failure("the app id %r does not name the desktop entry %s.desktop" % (self.app_id, APP_ID))
        self.reader = Reader(self.process.pid)
        wait_until(30, "the program's buttons on the accessibility bus", self.reader.buttons)

    def shot(self):
        # Where sway has the window now: it may place a new one again after it shows.
        if not self.found_window():
            raise Unreadable("the window has gone from sway's tree")
        return output("grim", "-g", self.geometry, "-")

    def press(self, caption):
        self.reader.press(caption)

    def window(self):
        return self.title, self.size

    def close(self):
        output("swaymsg", "[pid=%d] kill" % self.process.pid)


class Mutter(Sway):
    """Mutter takes no shots here: the bars are what a screen reader hears.
    Keys go through one remote-desktop session, started with the program."""
    name = "mutter"
    can = {"keys", "focus", "reader", "wraps"}
    close_seconds = 10
    keyboard = None

    def stop(self):
        super().stop()
        if self.keyboard:
            self.keyboard.stdin.close()
            self.keyboard.wait(10)
            self.keyboard = None

    def found_window(self):
        try:
            self.reader = Reader(self.process.pid)
            return self.reader.window()[1][0] > 0
        except (Unreadable, StopIteration):
            return False

    def shown(self):
        self.keyboard = subprocess.Popen(["/usr/bin/python3", os.path.join(HERE, "mutter_keys.py")],
                                         stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        # The window is active, and a button focused, once mutter has given it
        # the new keyboard; and the first key after that is lost, so a Shift
        # alone goes first.
        wait_until(30, "the window to take mutter's keyboard", lambda: self.reader.focused())
        self.key("shift")

    def board(self):
        return [(value, None) for value in self.reader.heard()]

    def picture(self):
        return tuple(self.reader.heard())

    def key(self, name):
        self.keyboard.stdin.write(" ".join(KEYSYMS[name]) + "\n")
        self.keyboard.stdin.flush()
        if self.keyboard.stdout.readline() != "typed\n":
            raise Failure("mutter's keyboard did not type %s" % name)

    def window(self):
        return self.reader.window()

    def close(self):
        self.key("alt+F4")


def main():
    kind, program = sys.argv[1], sys.argv[2]
    rest = sys.argv[3:]
    if kind == "wine":
        make, rest = (lambda: Wine(program, sys.argv[3])), rest[1:]
    else:
        make = lambda: {"x11": X11, "sway": Sway, "mutter": Mutter}[kind](program)  # noqa: E731
    scenarios.main(make, rest)


main()
