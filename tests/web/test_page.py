"""The program's page in a real headless Chromium, loaded from file://.

Usage: test_page.py PAGE SCENE_PAGE, with SORTBARS_LAYOUT_TOOL naming the
layout tool. The window's caption, client size and button rectangles (from
the layout table, as that tool prints it); Randomize, drawn as soon as it
returns; a sort that ends ascending with the buttons disabled while it runs,
and clicks during it that change nothing; the tab order, Space, and the
focus back after a sort; the accessibility tree; the bars drawn again when
the scale changes; a close mid-sort and a close while idle, each ending the
program; and at device scale factors 1, 1.5 and 2 crisp bar edges, each bar
drawn as long as its value, and the still of an exchange (SCENE_PAGE)
drawn as the layout tool says it looks.
"""
import math
import base64
import os
import subprocess
import sys
import time

from cdp import Browser, Failure, run_test

PAGE, SCENE_PAGE = sys.argv[1:3]
LAYOUT_TOOL = os.environ.get("SORTBARS_LAYOUT_TOOL", "")
S = "Module.sortbars"
GROUND = (240, 240, 240)  # the page's window colour


def layout_tool(*args):
    if not os.access(LAYOUT_TOOL, os.X_OK):
        raise Failure("SORTBARS_LAYOUT_TOOL must name the layout_pixels program")
    return subprocess.check_output([LAYOUT_TOOL] + [str(a) for a in args], text=True).splitlines()


def layout():
    lines = [line.split(" ", 5) for line in layout_tool()]
    client = next((int(l[1]), int(l[2])) for l in lines if l[0] == "client")
    buttons = {l[5]: tuple(int(v) for v in l[1:5]) for l in lines if l[0] == "button"}
    return client, buttons


def open_page(browser):
    browser.open(PAGE, "!!(window.Module && Module.sortbars && !%s.window.hidden)" % S)


def values(browser):
    return browser.evaluate("%s.meters.map(m => +m.getAttribute('aria-valuenow'))" % S)


def disabled(browser):
    return browser.evaluate("%s.buttons.map(b => b.disabled)" % S)


def press(browser, caption):
    """Clicks a button as the pointer does: on its middle."""
    x, y = browser.evaluate("(() => { const b = [...%s.buttons].find(b => b.textContent == %r);"
                            " const r = b.getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; })()"
                            % (S, caption))
    for kind in ("mousePressed", "mouseReleased"):
        browser.send("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)


def key(browser, name, code, shift=False):
    modifiers = 8 if shift else 0
    browser.send("Input.dispatchKeyEvent", type="rawKeyDown", key=name, code=code, windowsVirtualKeyCode=
                 {"Tab": 9, "Space": 32}[code], modifiers=modifiers)
    if code == "Space":
        browser.send("Input.dispatchKeyEvent", type="char", text=" ", modifiers=modifiers)
    browser.send("Input.dispatchKeyEvent", type="keyUp", key=name, code=code, windowsVirtualKeyCode=
                 {"Tab": 9, "Space": 32}[code], modifiers=modifiers)


def focused(browser):
    """The caption of the focused button, or the name of what else has the focus."""
    return browser.evaluate("(e => e.tagName == 'BUTTON' ? e.textContent : e.tagName)(document.activeElement)")


def wait_sorted(browser, what):
    browser.wait_for(30, what + " to disable the buttons", "%s.buttons.every(b => b.disabled)" % S)
    browser.wait_for(120, what + " to end", "%s.buttons.every(b => !b.disabled)" % S)
    after = values(browser)
    if after != sorted(after):
        raise Failure("%s left the bars out of order: %s" % (what, after))


def check_window(browser, client, buttons):
    caption = browser.evaluate("%s.caption.textContent" % S)
    size = browser.evaluate("(() => { const r = %s.client.getBoundingClientRect(); return [r.width, r.height]; })()" % S)
    if caption != "Form1" or tuple(size) != client:
        raise Failure("the window is %r at %s, not Form1 at %s" % (caption, size, client))
    shown = browser.evaluate("Object.fromEntries(%s.buttons.map(b => { const c = %s.client.getBoundingClientRect(),"
                             " r = b.getBoundingClientRect(); return [b.textContent, [r.x - c.x, r.y - c.y, r.width,"
                             " r.height]]; }))" % (S, S))
    if {k: tuple(v) for k, v in shown.items()} != buttons:
        raise Failure("the buttons are at %s, not %s" % (shown, buttons))
    if focused(browser) != "Randomize":
        raise Failure("the focus starts on %r, not Randomize" % focused(browser))
    print("window: Form1, %dx%d, buttons at their rectangles, the focus on Randomize" % client)


def check_accessibility(browser):
    browser.send("Accessibility.enable")
    nodes = browser.send("Accessibility.getFullAXTree")["nodes"]
    role = lambda n: n.get("role", {}).get("value")
    name = lambda n: n.get("name", {}).get("value")
    buttons = sorted(name(n) for n in nodes if role(n) == "button" and name(n) != "Close")
    meters = [(name(n), n.get("value", {}).get("value")) for n in nodes if role(n) == "meter"]
    if buttons != sorted(["Randomize", "Bubble-sort", "Push-sort", "Random sort"]):
        raise Failure("the accessibility tree's buttons are %s" % buttons)
    if [m[0] for m in meters] != ["Bar %d" % i for i in range(1, 17)] or \
            [float(m[1]) for m in meters] != [float(v) for v in values(browser)]:
        raise Failure("the accessibility tree's bars are %s" % meters)
    print("accessibility: four buttons by caption, sixteen bars valued by length")


def check_sorts(browser):
    before = values(browser)
    press(browser, "Randomize")
    browser.wait_for(10, "Randomize to draw new widths", "%s.meters.map(m => m.getAttribute('aria-valuenow')).join()"
                     " != %r" % (S, ",".join(str(v) for v in before)))
    start = values(browser)
    press(browser, "Bubble-sort")
    browser.wait_for(30, "Bubble-sort to disable the buttons", "%s.buttons.every(b => b.disabled)" % S)
    # The bars are seen to move while it runs: the canvas shows picture after picture.
    browser.wait_for(20, "five different pictures of the board during the sort", """(() => {
        const c = %s.canvas, d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        let h = 0;
        for (let i = 0; i < d.length; i += 4) h = (h * 31 + d[i] + 7 * d[i + 1] + 13 * d[i + 2]) | 0;
        (window.seen = window.seen || new Set()).add(h);
        return window.seen.size >= 5;
    })()""" % S)
    # Clicks and keys during the sort reach nothing: the buttons are
    # disabled, and a click that the page delivered all the same must not
    # enter the program while it is suspended in a pump.
    press(browser, "Randomize")
    press(browser, "Random sort")
    key(browser, " ", "Space")
    browser.evaluate("%s.buttons.forEach(b => b.onclick())" % S)
    wait_sorted(browser, "Bubble-sort")
    check_extents(browser, 1, "after Bubble-sort")
    if sorted(values(browser)) != sorted(start):
        raise Failure("a click during the sort changed the board")
    if focused(browser) != "Bubble-sort":
        raise Failure("after the sort the focus is on %r, not Bubble-sort" % focused(browser))
    print("Bubble-sort: disabled while it ran, deaf to clicks, ascending after, focus back on its button")

    # The keyboard: Tab order Randomize, Bubble-sort, Random sort, Push-sort.
    browser.evaluate("[...%s.buttons].find(b => b.textContent == 'Randomize').focus()" % S)
    order = []
    for _ in range(3):
        key(browser, "Tab", "Tab")
        order.append(focused(browser))
    if order != ["Bubble-sort", "Random sort", "Push-sort"]:
        raise Failure("Tab goes %s" % order)
    key(browser, "Tab", "Tab", shift=True)
    key(browser, "Tab", "Tab", shift=True)
    key(browser, "Tab", "Tab", shift=True)
    key(browser, " ", "Space")  # Randomize
    browser.wait_for(10, "Space on Randomize to draw new widths", "%s.meters.map(m => +m.getAttribute('aria-valuenow'))"
                     ".some((v, i, a) => i && v < a[i - 1])" % S)
    key(browser, "Tab", "Tab")
    key(browser, "Tab", "Tab")
    key(browser, "Tab", "Tab")
    key(browser, " ", "Space")  # Push-sort
    wait_sorted(browser, "Push-sort from the keyboard")
    if focused(browser) != "Push-sort":
        raise Failure("after Push-sort the focus is on %r" % focused(browser))
    print("keyboard: Tab order Randomize, Bubble-sort, Random sort, Push-sort; Space presses; focus back after")


def check_rescale(browser, client):
    """A page zoomed or moved to another screen redraws its bars in the new device pixels."""
    # As a zoom does: another viewport size, and another scale.
    browser.send("Emulation.setDeviceMetricsOverride", width=700, height=500, deviceScaleFactor=2, mobile=False)
    browser.wait_for(10, "the bars drawn again at scale 2", "%s.canvas.width == %d" % (S, 2 * client[0]))
    browser.send("Emulation.clearDeviceMetricsOverride")
    browser.wait_for(10, "the bars drawn again at scale 1", "%s.canvas.width == %d" % (S, client[0]))
    print("rescaled: the bars are drawn again at the new scale")


def check_close(browser):
    press(browser, "Randomize")
    press(browser, "Push-sort")
    browser.wait_for(30, "Push-sort to disable the buttons", "%s.buttons.every(b => b.disabled)" % S)
    start = time.monotonic()
    browser.evaluate("%s.close.click()" % S)
    browser.wait_for(5, "the program to end", "%s.ended && !document.body.contains(%s.window)" % (S, S))
    line = browser.evaluate("document.querySelector('.ended').textContent")
    if "ended" not in line or "Reload" not in line:
        raise Failure("the page says %r when the program ended" % line)
    print("closed mid-sort: ended %d ms after the close; the page says %r" % ((time.monotonic() - start) * 1000, line))


def pixels(twips, scale):
    """Twips as whole device pixels, rounded as the program rounds them."""
    return int(math.floor(twips * scale / 15 + 0.5))


def check_extents(browser, scale, what):
    """Each bar is drawn on the canvas exactly as long as its meter's value."""
    values_now = values(browser)
    left = pixels(360, scale)
    shown = browser.evaluate("""(() => {
        const c = %s.canvas, g = c.getContext('2d'), out = [];
        for (let i = 0; i < 16; i++) {
            const y = Math.floor((367 + 240 * i) * %r / 15), d = g.getImageData(0, y, c.width, 1).data;
            const same = (x, r, gr, b) => d[4 * x] == r && d[4 * x + 1] == gr && d[4 * x + 2] == b;
            let x = %d;
            while (x < c.width && !same(x, %d, %d, %d)) x++;
            out.push(x - %d);
        }
        return out;
    })()""" % ((S, scale, left) + GROUND + (left,)))
    expected = [pixels(360 + v, scale) - left for v in values_now]
    if shown != expected:
        raise Failure("%s at scale %g the bars are drawn %s pixels long, not %s" % (what, scale, shown, expected))


def runs(column):
    out = []
    for y, colour in enumerate(column):
        if out and out[-1][2] == colour:
            out[-1][1] = y
        else:
            out.append([y, y, colour])
    return [tuple(r) for r in out]


def scene(scale):
    """The column and the runs of tests/support/scene.txt at a scale."""
    column, expected, reading = None, [], False
    with open(os.path.join(os.path.dirname(__file__), "..", "support", "scene.txt")) as table:
        for fields in (line.split() for line in table if not line.startswith("#")):
            if fields[0] == "scale":
                reading = float(fields[1]) == scale
                column = int(fields[3]) if reading else column
            elif reading:
                colour = GROUND if fields[2] == "ground" else tuple(int(v) for v in fields[2:5])
                expected.append((int(fields[0]), int(fields[1]), colour))
    return column, expected


def check_scene(browser, scale):
    """The still of an exchange: two bars mid-slide over each other and over resting ones."""
    browser.open(SCENE_PAGE, "!!(window.Module && Module.sortbars && !%s.window.hidden)" % S)
    x, expected = scene(scale)
    column = browser.evaluate("(() => { const c = %s.canvas, d = c.getContext('2d').getImageData(%d, 0, 1, c.height).data;"
                              " const out = []; for (let i = 0; i < d.length; i += 4) out.push([d[i], d[i + 1], d[i + 2]]);"
                              " return out; })()" % (S, x))
    shown = runs([tuple(p) for p in column])
    if shown != expected:
        raise Failure("at scale %g the still of an exchange shows, down column %d, %s, not %s" % (scale, x, shown, expected))


def check_idle_close():
    with Browser(1) as browser:
        open_page(browser)
        x, y = browser.evaluate("(() => { const r = %s.close.getBoundingClientRect();"
                                " return [r.x + r.width / 2, r.y + r.height / 2]; })()" % S)
        for kind in ("mousePressed", "mouseReleased"):
            browser.send("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)
        browser.wait_for(5, "the program to end after a close while idle",
                         "%s.ended && !document.body.contains(%s.window)" % (S, S))
    print("closed while idle: ended")


def check_crisp(scale, board_width):
    with Browser(scale) as browser:
        open_page(browser)
        check_extents(browser, scale, "after start-up")
        shot = browser.send("Page.captureScreenshot", clip=dict(
            zip(("x", "y", "width", "height"), browser.evaluate(
                "(() => { const r = %s.canvas.getBoundingClientRect(); return [r.x, r.y, %d, r.height]; })()"
                % (S, board_width))),
            scale=1))
        png = base64.b64decode(shot["data"])
        colours = browser.evaluate("""(async () => {
            const image = new Image();
            image.src = 'data:image/png;base64,%s';
            await image.decode();
            const c = new OffscreenCanvas(image.width, image.height).getContext('2d');
            c.drawImage(image, 0, 0);
            const d = c.getImageData(0, 0, image.width, image.height).data;
            const seen = new Set();
            for (let i = 0; i < d.length; i += 4) seen.add((d[i] << 16) | (d[i + 1] << 8) | d[i + 2]);
            return seen.size;
        })()""" % base64.b64encode(png).decode())
        # The background and at most sixteen bar colours: a blended edge would add more.
        if colours > 17:
            raise Failure("at scale %g the bars show %d colours: their edges are blended" % (scale, colours))
        before = values(browser)
        press(browser, "Randomize")
        browser.wait_for(10, "Randomize to draw new widths", "%s.meters.map(m => +m.getAttribute('aria-valuenow')).join()"
                         " != %r" % (S, ",".join(str(v) for v in before)))
        check_extents(browser, scale, "after Randomize")
        check_scene(browser, scale)
        print("scale %g: crisp bar edges, %d colours; bars as long as their values; the still of an exchange as laid out"
              % (scale, colours))


def main():
    client, buttons = layout()
    with Browser(1) as browser:
        open_page(browser)
        check_window(browser, client, buttons)
        check_accessibility(browser)
        check_sorts(browser)
        check_rescale(browser, client)
        check_close(browser)
    check_idle_close()
    for scale in (1, 1.5, 2):
        check_crisp(scale, min(x for x, _, _, _ in buttons.values()))  # the board, left of the buttons


run_test(main)
