"""The program's page in a real headless Chromium, loaded from file://.

Usage: test_page.py PAGE, with SORTBARS_LAYOUT_TOOL naming the layout tool
of a native build. The window's caption, client size and button rectangles
(from the layout table, as that tool prints it); Randomize; a sort that ends ascending with
the buttons disabled while it runs, and clicks during it that change
nothing; the tab order, Space, and the focus back after a sort; the
accessibility tree; the bars drawn again when the scale changes; a close
mid-sort that ends the program; and crisp bar edges at device scale
factors 1.5 and 2.
"""
import base64
import os
import subprocess
import sys
import time

from cdp import Browser, Failure, run_test

PAGE = sys.argv[1]
LAYOUT_TOOL = os.environ.get("SORTBARS_LAYOUT_TOOL", "")
S = "Module.sortbars"


def layout():
    if not os.access(LAYOUT_TOOL, os.X_OK):
        raise Failure("SORTBARS_LAYOUT_TOOL must name the layout_pixels program of a native build")
    lines = [line.split(" ", 5) for line in subprocess.check_output([LAYOUT_TOOL], text=True).splitlines()]
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
    print("window: Form1, %dx%d, buttons at their rectangles" % client)


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
    # Clicks and keys during the sort reach nothing: the buttons are
    # disabled, and a click that the page delivered all the same must not
    # enter the program while it is suspended in a pump.
    press(browser, "Randomize")
    press(browser, "Random sort")
    key(browser, " ", "Space")
    browser.evaluate("%s.buttons.forEach(b => b.onclick())" % S)
    wait_sorted(browser, "Bubble-sort")
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


def check_crisp(scale, board_width):
    with Browser(scale) as browser:
        open_page(browser)
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
        print("scale %g: crisp bar edges, %d colours" % (scale, colours))


def main():
    client, buttons = layout()
    with Browser(1) as browser:
        open_page(browser)
        check_window(browser, client, buttons)
        check_accessibility(browser)
        check_sorts(browser)
        check_rescale(browser, client)
        check_close(browser)
    for scale in (1.5, 2):
        check_crisp(scale, min(x for x, _, _, _ in buttons.values()))  # the board, left of the buttons


run_test(main)
