"""The program's page in a real browser engine, loaded from file://.

Usage: test_page.py ENGINE PAGE SCENE_PAGE, ENGINE one of chromium, firefox
and webkit, with SORTBARS_LAYOUT_TOOL naming the layout tool. The scenarios
that every window runs (tests/support/scenarios.py), through PageWindow;
and what only the page has, in each engine:
- the button rectangles, from the layout table as that tool prints it;
- in the still of an exchange, the values a screen reader hears, from the
  tree the engine gives AT-SPI on a private bus, as Orca reads it;
- the bars drawn again when the page is zoomed;
- the chart busy exactly while the buttons are disabled, and clicks that
  the page delivers to a disabled button all the same reaching nothing;
- with JavaScript on, none of the words for a browser without it shown;
- no request and no breach of the page's security policy all along, which
  does refuse a request, to a data: address and to a file beside the page;
- Push-sort at the engine's frame rate, with frame callbacks at 30 Hz, and
  in a page hidden mid-sort: each exchange in its paced time, and new
  pictures painted as the engine paints;
- the policy as an engine older than 'wasm-unsafe-eval' reads it: the page
  loads, sorts and closes;
- at device pixel ratios 1, 1.5 and 2, crisp bar edges, each bar drawn as long
  as its value, and the still of an exchange (SCENE_PAGE) as laid out;
- phones of 320x568 and 360x640 CSS pixels, and sideways, at ratios 2 and 3:
  the whole window on screen with no scroll either way, each button hit by
  a tap, crisp bars;
- inside a course page's <iframe sandbox="allow-scripts">: load, sort, close;
- with JavaScript off, a message that says what to do; and where the page's
  policy refuses WebAssembly, one line that says so, and no window.
"""
import contextlib
import functools
import json
import math
import os
import shutil
import sys
import tempfile
import time

from browsers import Failure, on_private_bus, open_browser, page_with_script, pixels, run_test, wait_until
from pixels import Unreadable
import scenarios  # noqa: E402  (beside pixels, on the path browsers sets)
from scenarios import CAPTIONS, layout_tool  # noqa: E402

ENGINE, PAGE, SCENE_PAGE = sys.argv[1:4]
HERE = os.path.dirname(os.path.abspath(__file__))
S = "Module.sortbars"
GROUND = (240, 240, 240)  # the page's window colour
WATCH_BREACHES = ("window.breaches = []; document.addEventListener('securitypolicyviolation',"
                  " (e) => breaches.push(e.violatedDirective + ' ' + e.blockedURI));")
SHOWN = "!!(window.Module && Module.sortbars && !%s.window.hidden)" % S
# Scales the engine can be started at: WebKitGTK's is a whole number.
SCALES = (1, 2) if ENGINE == "webkit" else (1, 1.5, 2)


def layout():
    """The client area's size, and each button's rectangle by its caption."""
    client, buttons, _ = pixels.layout(layout_tool())
    return client, {caption: (x, y, w, h) for x, y, w, h, caption in buttons}


def open_page(browser, page=PAGE):
    browser.open(page, SHOWN)
    # Every breach of the page's security policy: from the start where the
    # engine's driver can run a script before the page's, else from here.
    browser.evaluate("(() => { if (!window.breaches) { %s } return 1; })()" % WATCH_BREACHES)


def values(browser):
    return browser.evaluate("%s.meters.map(m => +m.getAttribute('aria-valuenow'))" % S)


def middle(browser, element):
    return browser.evaluate("(() => { const r = %s.getBoundingClientRect(); return [r.x + r.width / 2,"
                            " r.y + r.height / 2]; })()" % element)


def button(caption):
    return "[...%s.buttons].find(b => b.textContent == %r)" % (S, caption)


def press(browser, caption):
    """Clicks a button as the pointer does: on its middle."""
    browser.click(*middle(browser, button(caption)))


def press_focused(browser):
    """Presses the focused button from the keyboard. Firefox 153 does not press
    a button for a Space or Enter sent over BiDi, though Tab works: there the
    pointer presses it."""
    if ENGINE == "firefox":
        if focused(browser) in CAPTIONS:  # a Space elsewhere presses nothing
            press(browser, focused(browser))
    else:
        browser.key("Space")


def focused(browser):
    """The caption of the focused button, or the name of what else has the focus."""
    return browser.evaluate("(e => e.tagName == 'BUTTON' ? e.textContent : e.tagName)(document.activeElement)")


def check_buttons(browser, buttons):
    shown = browser.evaluate("Object.fromEntries(%s.buttons.map(b => { const c = %s.client.getBoundingClientRect(),"
                             " r = b.getBoundingClientRect(); return [b.textContent, [r.x - c.x, r.y - c.y, r.width,"
                             " r.height]]; }))" % (S, S))
    if {k: tuple(v) for k, v in shown.items()} != buttons:
        raise Failure("the buttons are at %s, not %s" % (shown, buttons))
    print("buttons at their rectangles")


def check_screen_reader(browser):
    """In the still of an exchange, a screen reader hears the bars at the
    values they began with, as it lists them, not at what they show mid-slide."""
    browser.open(SCENE_PAGE, SHOWN)
    expected = [str(v) for v in pixels.scene_values()]
    wait_until(10, "in the still of an exchange a screen reader to hear the bars at %s" % expected,
               lambda: [value for role, _, value in browser.accessible() if role == "meter"] == expected)
    open_page(browser)
    print("screen reader: in the still of an exchange, each bar heard at the value it began with")


def check_deaf_in_a_sort(browser):
    """Clicks and keys during a sort reach nothing: the buttons are disabled,
    and a click that the page delivered all the same must not enter the
    program while it is suspended in a pump. Then a close ends it there."""
    randomize(browser)
    start = values(browser)
    press(browser, "Push-sort")
    browser.wait_for(30, "Push-sort to disable the buttons", "%s.buttons.every(b => b.disabled)" % S)
    browser.evaluate("%s.buttons.forEach(b => b.onclick())" % S)
    browser.key("Space")
    moved = browser.wait_for(30, "a first exchange", "(v => v.join() != %r && v)(%s.meters.map(m =>"
                             " +m.getAttribute('aria-valuenow')))" % (",".join(map(str, start)), S))
    if sorted(moved) != sorted(start):
        raise Failure("a click delivered during the sort changed the board: %s, then %s" % (start, moved))
    browser.click(*middle(browser, "%s.close" % S))
    browser.wait_for(5, "the program to end", "%s.ended" % S)
    print("deaf in a sort: clicks delivered to disabled buttons reach nothing")


class PageWindow:
    """The scenarios' adapter for the page (tests/support/scenarios.py): the
    pointer and keys through the engine's driver, the board read off the
    canvas, and what a screen reader hears from the engine's tree on AT-SPI."""
    can = {"keys", "focus", "colours", "clicks", "reader"}
    close_seconds = 5

    def __init__(self, browser, client):
        self.browser, self.client, self.name = browser, client, ENGINE

    def start(self):
        open_page(self.browser)
        self.scale = scale_of(self.browser)

    def board(self):
        return board(self.browser)

    def picture(self):
        return self.browser.evaluate("(() => { const c = %s.canvas, d = c.getContext('2d').getImageData(0, 0, c.width,"
                                     " c.height).data; let h = 0; for (let i = 0; i < d.length; i += 4) h = (h * 31 +"
                                     " d[i] + 7 * d[i + 1] + 13 * d[i + 2]) | 0; return h; })()" % S)

    def heard(self):
        nodes = self.browser.accessible()
        buttons = sorted(name for role, name, _ in nodes if role == "button" and name != "Close")
        bars = [(name, value) for role, name, value in nodes if role == "meter"]
        if buttons != sorted(CAPTIONS) or [name for name, _ in bars] != scenarios.BAR_NAMES or \
                not all(value.isdigit() for _, value in bars):
            raise Unreadable("a screen reader hears the buttons %s and the bars as %s" % (buttons, bars))
        return [int(value) for _, value in bars]

    def press(self, caption):
        press(self.browser, caption)

    def key(self, name):
        if name == "space":
            press_focused(self.browser)
        else:
            self.browser.key("Tab", shift=name == "shift+Tab")

    def focused(self):
        caption = focused(self.browser)
        return caption if caption in CAPTIONS else None

    def locked(self):
        """All four buttons disabled; the chart tells screen readers it is busy exactly then."""
        disabled, busy = self.browser.evaluate("[%s.buttons.map(b => b.disabled), %s.chart.getAttribute('aria-busy')]"
                                               % (S, S))
        if (busy == "true") != all(disabled) or len(set(disabled)) != 1:
            raise Failure("the buttons are disabled %s while the chart is busy %r" % (disabled, busy))
        return all(disabled)

    def window(self):
        return self.browser.evaluate("[%s.caption.textContent, (r => [r.width, r.height])(%s.client"
                                     ".getBoundingClientRect())]" % (S, S))

    def close(self):
        self.browser.click(*middle(self.browser, "%s.close" % S))

    def alive(self):
        return not self.browser.evaluate("%s.ended" % S)

    def ended(self, seconds):
        self.browser.wait_for(seconds, "the program to end", "%s.ended && !document.body.contains(%s.window)" % (S, S))
        line = self.browser.evaluate("document.querySelector('.ended').textContent")
        if "ended" not in line or "Reload" not in line:
            raise Failure("the page says %r when the program ended" % line)
        return 0


def check_rescale(browser, client):
    """A page zoomed or moved to another screen redraws its bars in the new device pixels."""
    if ENGINE == "webkit":
        print("rescaled: not here, WebKitGTK's scale is set as it starts")
        return
    # As a zoom does: another viewport size, and another scale.
    browser.viewport(700, 500, 2)
    browser.wait_for(10, "the bars drawn again at scale 2", "%s.canvas.width == %d" % (S, 2 * client[0]))
    browser.viewport(800, 600, 1)
    browser.wait_for(10, "the bars drawn again at scale 1", "%s.canvas.width == %d" % (S, client[0]))
    print("rescaled: the bars are drawn again at the new scale")


def scale_of(browser):
    """The device pixels per designed CSS pixel: the ratio, times the fit to the page's room."""
    return browser.evaluate("%s.ratio * +%s.window.style.getPropertyValue('--fit')" % (S, S))


@functools.lru_cache
def slot_rows(scale):
    """Each bar's slot at SCALE, as its left edge on its middle row."""
    return [(x, y + h // 2) for x, y, _, h in pixels.layout(layout_tool(repr(scale)))[2]]


def board(browser):
    """Each bar from the top as (LENGTH, COLOUR) on the canvas: the run from
    its slot's left edge, on its middle row, up to the ground."""
    rows = slot_rows(scale_of(browser))
    return [(width, tuple(colour) if colour else None) for width, colour in browser.evaluate("""(() => {
        const c = %s.canvas, g = c.getContext('2d');
        return %s.map(([left, y]) => {
            const d = g.getImageData(0, y, c.width, 1).data, at = (x) => [d[4 * x], d[4 * x + 1], d[4 * x + 2]];
            let x = left;
            while (x < c.width && at(x).join() != %r) x++;
            return [x - left, x > left ? at(left) : null];
        });
    })()""" % (S, json.dumps(rows), "%d,%d,%d" % GROUND))]


def check_extents(browser, what):
    """Each bar is drawn on the canvas exactly as long as its meter's value,
    as the layout tool draws a bar of that value at the page's scale."""
    values_now, scale = values(browser), scale_of(browser)
    shown, expected = scenarios.lengths(board(browser)), scenarios.drawn_widths(scale, values_now)
    if shown != expected:
        raise Failure("%s at scale %g the bars are drawn %s pixels long, not %s" % (what, scale, shown, expected))


def check_crisp(browser, board_width, what):
    """A screenshot of the board shows the ground and at most sixteen bar colours:
    a blended edge, or a canvas stretched over the screen's pixels, adds more."""
    x, y, height = browser.evaluate("(() => { const r = %s.canvas.getBoundingClientRect(); return [r.x, r.y, r.height];"
                                    " })()" % S)
    # Whole CSS pixels inside the board, as every engine's screenshot can clip
    # them, short of the focus ring around the first button.
    left, top, ring = math.ceil(x), math.ceil(y), 4
    shot = browser.screenshot(left, top, math.floor(board_width * scale_of(browser) / browser.evaluate(
        "devicePixelRatio") - (left - x)) - ring, math.floor(height - (top - y)))
    colours = len(pixels.colours(shot))
    if colours > 17:
        raise Failure("%s the bars show %d colours: their edges are blended" % (what, colours))
    return colours


def check_scene(browser, scale):
    """The still of an exchange: two bars mid-slide over each other and over resting ones."""
    browser.open(SCENE_PAGE, "!!(window.Module && Module.sortbars && !%s.window.hidden)" % S)
    x, expected = pixels.scene(scale)
    column = browser.evaluate("(() => { const c = %s.canvas, d = c.getContext('2d').getImageData(%d, 0, 1, c.height).data;"
                              " const out = []; for (let i = 0; i < d.length; i += 4) out.push([d[i], d[i + 1], d[i + 2]]);"
                              " return out; })()" % (S, x))
    shown = pixels.runs([tuple(p) for p in column])
    if shown != expected:
        raise Failure("at scale %g the still of an exchange shows, down column %d, %s, not %s" % (scale, x, shown, expected))


def randomize(browser):
    before = values(browser)
    press(browser, "Randomize")
    browser.wait_for(10, "Randomize to draw new widths", "%s.meters.map(m => +m.getAttribute('aria-valuenow')).join()"
                     " != %r" % (S, ",".join(str(v) for v in before)))


@contextlib.contextmanager
def browser_at(shared, scale, phone=None):
    """A browser at SCALE, with a PHONE's (width, height) viewport or a
    desktop's: the SHARED one, emulating them, in Firefox; else one started
    at them. WebKitGTK's scale is set as it starts; Chromium's screenshots in
    a browser that emulated another scale before are resampled, blending
    the edges that the page draws crisp (seen at 1.5, and on a phone after
    it), while a browser started at the scale shows them as drawn."""
    if ENGINE != "firefox":
        with open_browser(ENGINE, scale, phone=phone) as browser:
            yield browser
        return
    width, height = phone or (800, 600)
    shared.viewport(width, height, scale, mobile=bool(phone))
    try:
        yield shared
    finally:
        shared.viewport(800, 600, 1)


def check_scales(shared, board_width):
    for scale in SCALES:
        with browser_at(shared, scale) as browser:
            open_page(browser)
            check_extents(browser, "after start-up")
            colours = check_crisp(browser, board_width, "at scale %g" % scale)
            randomize(browser)
            check_extents(browser, "after Randomize")
            check_scene(browser, scale)
        print("scale %g: crisp bar edges, %d colours; bars as long as their values; the still of an exchange as laid"
              " out" % (scale, colours))


def check_policy(browser):
    """Nothing was fetched, nothing breached the page's policy, and the policy
    refuses a request: to a data: address, and to a file beside the page,
    which a policy of 'self' would let through."""
    breaches = browser.evaluate("breaches")
    requests = browser.evaluate("performance.getEntriesByType('resource').map(e => e.name)")
    if breaches or requests:
        raise Failure("the page breached its policy %s and made the requests %s" % (breaches, requests))
    # Firefox applies no policy to file: addresses from a page opened from
    # disk (tried: a request and an image beside the page both load, and no
    # breach is reported), so there only the data: address is refused.
    addresses = ["data:,x"] + ([] if ENGINE == "firefox" else ["file://" + PAGE])
    for address in addresses:
        answer = browser.evaluate("new Promise((done) => { const r = new XMLHttpRequest(); r.open('GET', %s);"
                                  " r.onload = () => done('fetched'); r.onerror = () => done('refused'); r.send(); })"
                                  % json.dumps(address))
        browser.wait_for(5, "the breach of a request to %s to be reported" % address[:40],
                         "breaches.some(b => b.startsWith('connect-src'))")
        browser.evaluate("breaches.length = 0")
        if answer != "refused":
            raise Failure("the page's policy let a request to %s through" % address[:40])
    print("policy: no request and no breach from load to close; requests to %s refused and reported"
          % " and ".join(a[:5] for a in addresses))


def check_scripted_words(browser):
    """With JavaScript on, the page shows the window and none of the words for
    a browser without it, or for one that refuses WebAssembly."""
    shown = browser.evaluate("document.body.innerText")
    for words in ("needs JavaScript", "Safari", "cannot run"):
        if words in shown:
            raise Failure("with JavaScript on the page shows %r: %r" % (words, shown[:200]))


# The frames the engine paints with a new picture of the board: a frame
# callback after the program drew; and when each exchange ended, as its two
# bars' values changed.
WATCH_PACE = """(() => {
    const c = window.pace = { draws: 0, seen: 0, painted: [], ends: [] };
    const proto = CanvasRenderingContext2D.prototype, fill = proto.fillRect;
    proto.fillRect = function () { c.draws++; return fill.apply(this, arguments); };
    const tick = () => {
        if (c.draws != c.seen) { c.seen = c.draws; c.painted.push(performance.now()); }
        requestAnimationFrame(tick);
    };
    requestAnimationFrame(tick);
    new MutationObserver(() => c.ends.push(performance.now())).observe(%s.chart,
        { attributes: true, subtree: true, attributeFilter: ['aria-valuenow'] });
    return 1;
})()""" % S
# The frames per second the engine paints a bare canvas of the board's size
# redrawn at every frame callback, with nothing else running.
BARE_RATE = """new Promise((done) => {
    const canvas = document.body.appendChild(document.createElement('canvas')), g = canvas.getContext('2d');
    [canvas.width, canvas.height] = [%s.canvas.width, %s.canvas.height];
    let frames = 0, start = 0;
    const tick = (time) => {
        if (!start) start = time; else frames++;
        g.fillStyle = frames & 1 ? '#c04040' : '#40c040';
        g.fillRect(0, 0, canvas.width, canvas.height);
        if (time - start < 1000) return requestAnimationFrame(tick);
        canvas.remove();
        done(frames * 1000 / (time - start));
    };
    requestAnimationFrame(tick);
})""" % (S, S)
EXCHANGE_SECONDS = 30 * 0.008  # an exchange's paced frames
PACE_EXCHANGES = 6


def exchange_seconds(ends):
    return (ends[-1] - ends[0]) / (len(ends) - 1) / 1000


def check_pace(browser, page, what):
    """Push-sort on PAGE keeps its pace: its exchanges take their paced time,
    within twice that, not a frame callback's wait at every frame; and the
    engine paints a new picture at least 0.4 times as often as it paints a
    bare canvas."""
    open_page(browser, page)
    bare = browser.evaluate(BARE_RATE)
    browser.evaluate(WATCH_PACE)
    press(browser, "Push-sort")
    ends = browser.wait_for(30, "%d exchanges in Push-sort %s" % (PACE_EXCHANGES + 1, what),
                            "pace.ends.length > %d && pace.ends" % PACE_EXCHANGES)[1:PACE_EXCHANGES + 1]
    exchange = exchange_seconds(ends)
    painted = len([t for t in browser.evaluate("pace.painted") if ends[0] <= t <= ends[-1]]) * 1000 / (
        ends[-1] - ends[0])
    if exchange > 2 * EXCHANGE_SECONDS:
        raise Failure("Push-sort %s takes %.3f s an exchange, not about %.3f s" % (what, exchange, EXCHANGE_SECONDS))
    if painted < 0.4 * bare:
        raise Failure("Push-sort %s: the engine paints %.1f new pictures a second, against %.1f for a bare canvas"
                      % (what, painted, bare))
    print("Push-sort %s: %.3f s an exchange; %.1f pictures painted a second, a bare canvas %.1f"
          % (what, exchange, painted, bare))


def check_hidden(browser):
    """A page hidden mid-sort goes on sorting at its pace, and is painted
    again once it shows."""
    open_page(browser)
    browser.evaluate(WATCH_PACE)
    press(browser, "Push-sort")
    browser.wait_for(30, "an exchange in Push-sort", "pace.ends.length > 0")
    browser.hide()
    try:
        browser.wait_for(10, "the page to be hidden", "document.hidden")
        hidden_at = browser.evaluate("pace.ends.length")
        ends = browser.wait_for(10, "three exchanges while hidden", "pace.ends.length > %d && pace.ends"
                                % (hidden_at + 2))[hidden_at:hidden_at + 3]
        still_hidden = browser.evaluate("document.hidden")
    finally:
        browser.show()
    browser.wait_for(10, "the page to show again", "!document.hidden")
    painted = browser.evaluate("pace.painted.length")
    browser.wait_for(10, "new pictures painted once the page shows again", "pace.painted.length > %d" % (painted + 2))
    exchange = exchange_seconds(ends)
    if not still_hidden or exchange > 2 * EXCHANGE_SECONDS:
        raise Failure("Push-sort in a hidden page takes %.3f s an exchange, not about %.3f s"
                      % (exchange, EXCHANGE_SECONDS))
    print("hidden mid-sort: %.3f s an exchange; painted again once shown" % exchange)


def check_paces(browser, folder):
    check_pace(browser, PAGE, "at the engine's own frame rate")
    check_pace(browser, page_with_script(PAGE, os.path.join(HERE, "frames_30hz.js"), folder),
               "with frame callbacks at 30 Hz")
    check_hidden(browser)


def check_phone(browser, width, height, ratio, sort_button, board_width):
    """A phone: the whole window on screen, no scroll either way, every button under
    a tap at its middle, crisp bars, and taps that work."""
    what = "on a phone of %dx%d at ratio %g" % (width, height, ratio)
    browser.wait_for(10, "the window to fit " + what, "(() => { const r = %s.window.getBoundingClientRect();"
                     " return r.right <= innerWidth && r.bottom <= innerHeight; })()" % S)
    shown = browser.evaluate("""(() => {
        const r = %s.window.getBoundingClientRect(), parts = [%s.close, ...%s.buttons];
        return { left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: innerWidth, height: innerHeight,
                 scroll: [document.documentElement.scrollWidth, document.documentElement.scrollHeight],
                 ratio: devicePixelRatio,
                 zoom: window.visualViewport ? visualViewport.scale : 1,
                 missed: parts.filter(e => { const b = e.getBoundingClientRect();
                     return document.elementFromPoint(b.x + b.width / 2, b.y + b.height / 2) !== e; })
                     .map(e => e.textContent) };
    })()""" % (S, S, S))
    if shown["ratio"] != ratio or [shown["width"], shown["height"]] != [width, height] or shown["zoom"] != 1:
        raise Failure("the phone is %s, not %dx%d at ratio %g" % (shown, width, height, ratio))
    if shown["left"] < 0 or shown["top"] < 0 or shown["right"] > width or shown["bottom"] > height:
        raise Failure("%s the window is at %s, not inside the viewport" % (what, shown))
    if shown["scroll"][0] > width or shown["scroll"][1] > height or shown["missed"]:
        raise Failure("%s the page scrolls to %s px, and taps miss %s" % (what, shown["scroll"], shown["missed"]))
    check_extents(browser, what)
    check_crisp(browser, board_width, what)
    randomize(browser)
    press(browser, sort_button)
    browser.wait_for(10, sort_button + " tapped " + what, "%s.buttons.every(b => b.disabled)" % S)
    browser.click(*middle(browser, "%s.close" % S))
    browser.wait_for(5, "the close tapped " + what, "%s.ended" % S)
    print("%s: all of the window shows, %.0f px wide; taps hit every button; %s and the close work" %
          (what, shown["right"] - shown["left"], sort_button))


# Phones upright and sideways, each at a ratio that phones of its size have:
# upright the width decides the fit, sideways the height with the title bar.
PHONES = ((320, 568, 2), (360, 640, 3), (568, 320, 2), (640, 360, 3))


def check_phones(shared, board_width):
    sorts = iter(CAPTIONS[1:] * 2)
    for width, height, ratio in PHONES:
        with browser_at(shared, ratio, phone=(width, height)) as browser:
            open_page(browser)
            check_phone(browser, width, height, ratio, next(sorts), board_width)


def check_iframe(browser, folder):
    """The whole program inside a course page's sandboxed iframe; the browser
    is left inside the frame."""
    course = os.path.join(folder, "course.html")
    with open(course, "w") as out:
        out.write('<!doctype html><title>A course</title><p>Watch the bars:</p><iframe sandbox="allow-scripts" '
                  'src="file://%s" width="480" height="400"></iframe>' % PAGE)
    browser.navigate("file://" + course)
    browser.enter_frame()
    browser.wait_for(30, "the program in the iframe", SHOWN)
    before = values(browser)
    browser.evaluate("%s.click()" % button("Push-sort"))
    browser.wait_for(30, "the sort in the iframe", "%s.buttons.every(b => b.disabled) && %s.meters.map(m =>"
                     " m.getAttribute('aria-valuenow')).join() != %r" % (S, S, ",".join(map(str, before))))
    browser.evaluate("%s.close.click()" % S)
    browser.wait_for(5, "the program in the iframe to end", "%s.ended" % S)
    print("sandboxed iframe: loads, sorts, closes")


def check_no_script():
    with open_browser(ENGINE, scripts=False) as browser:
        browser.navigate("file://" + PAGE)
        for words in ("needs JavaScript to run", "iPhone or iPad", "Safari"):
            browser.wait_for_text(10, words)
    print("JavaScript off: the page says it needs JavaScript, and how to open it on an iPhone or iPad")


def policy_without(words, folder, name):
    """A copy of the page whose policy lacks WORDS."""
    with open(PAGE) as page:
        text = page.read()
    start = text.index('content="default-src')
    end = text.index('"', start + len('content="'))
    policy = text[start:end]
    for word in words:
        if " %s" % word not in policy:
            raise Failure("the page's policy does not name %s: %s" % (word, policy))
        policy = policy.replace(" " + word, "")
    copy = os.path.join(folder, name)
    with open(copy, "w") as out:
        out.write(text[:start] + policy + text[end:])
    return copy


def check_older_policy(browser, folder):
    """The policy as an engine older than 'wasm-unsafe-eval' reads it: the page
    loads, sorts and closes, with no request and no breach."""
    open_page(browser, policy_without(["'wasm-unsafe-eval'"], folder, "older.html"))
    before = values(browser)
    press(browser, "Push-sort")
    browser.wait_for(30, "Push-sort under the older policy", "%s.meters.map(m => m.getAttribute('aria-valuenow'))"
                     ".join() != %r" % (S, ",".join(map(str, before))))
    PageWindow(browser, None).close()
    browser.wait_for(5, "the close under the older policy", "%s.ended" % S)
    breaches = browser.evaluate("breaches")
    requests = browser.evaluate("performance.getEntriesByType('resource').map(e => e.name)")
    if breaches or requests:
        raise Failure("under the older policy the page breached it %s and made the requests %s"
                      % (breaches, requests))
    print("policy as an older engine reads it, with 'unsafe-eval' alone: loads, sorts and closes, no request")


def check_wasm_refused(browser, folder):
    """A page whose policy refuses WebAssembly, as a site's own might."""
    browser.navigate("file://" + policy_without(["'unsafe-eval'", "'wasm-unsafe-eval'"], folder, "refused.html"))
    line = browser.wait_for(30, "a line that says why it cannot run", "document.querySelector('.cannot')"
                            " && document.querySelector('.cannot').textContent")
    if "WebAssembly" not in line or browser.evaluate("!!(window.Module && Module.sortbars)"):
        raise Failure("where WebAssembly is refused the page shows %r" % line)
    print("WebAssembly refused: %r" % line)


def main():
    client, buttons = layout()
    board_width = min(x for x, _, _, _ in buttons.values())  # the board, left of the buttons
    folder = tempfile.mkdtemp(prefix="sortbars-pages-")
    try:
        with open_browser(ENGINE, screen_reader=True) as browser:
            browser.before_load(WATCH_BREACHES)
            open_page(browser)
            check_scripted_words(browser)
            check_buttons(browser, buttons)
            check_screen_reader(browser)
            check_rescale(browser, client)
            check_deaf_in_a_sort(browser)
            window = PageWindow(browser, client)
            window.start()
            scenarios.run(window)
            check_policy(browser)
            check_paces(browser, folder)
            check_older_policy(browser, folder)
            check_scales(browser, board_width)
            check_phones(browser, board_width)
            check_wasm_refused(browser, folder)
            check_iframe(browser, folder)
    finally:
        shutil.rmtree(folder)
    check_no_script()


on_private_bus()
run_test(main)
