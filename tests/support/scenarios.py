"""The scenarios that every window of the program runs: one list, written
once, and run by each platform's adapter (tests/real/desktop.py for X11,
Wine, sway and mutter; PageWindow in tests/web/test_page.py for the three
browser engines).

An adapter drives one window through a few operations:
  start()           starts the program and waits for its first picture
  board()           the bars from the top, (LENGTH, COLOUR): the drawn length
                    in pixels (or, where nothing can be seen, the value a screen
                    reader hears) and the colour, None where it cannot be seen;
                    raises Unreadable while no still picture can be read
  heard()           the sixteen values a screen reader hears, from the top;
                    raises Unreadable unless it hears the four buttons by
                    their captions and the bars named Bar 1 to Bar 16, in order
  press(CAPTION)    presses a button as a user does: by the pointer, or where
                    there is none, as a screen reader presses it
  key(NAME)         "Tab", "shift+Tab" or "space" on the keyboard
  focused()         the caption of the button with the focus, or None
  locked()          true while all four buttons are disabled
  picture()         what is shown now, to tell whether it moves
  window()          (TITLE, (WIDTH, HEIGHT)) of the client area
  scale             device pixels per designed pixel
  close()           asks the window to close, as its close box does
  alive()           true while the program runs
  ended(SECONDS)    waits for the program to end and returns its exit status
  deactivate(), activate()
                    gives the input to another window, and takes it back
and names in `can` the optional ones it has: "keys", "focus", "reader",
"colours", "clicks" (a pointer that can click a disabled button),
"activation", "wraps" (Tab goes round the four buttons). A scenario that
needs one it lacks is skipped, with the reason printed.
"""
import os
import random
import subprocess
import sys
import time

from pixels import Unreadable

CAPTIONS = ("Randomize", "Bubble-sort", "Push-sort", "Random sort")
TAB_ORDER = ("Randomize", "Bubble-sort", "Random sort", "Push-sort")
BAR_NAMES = ["Bar %d" % i for i in range(1, 17)]
# A random board takes Bubble-sort about 15 s natively, and longer under
# Wine or emulation.
SORT_SECONDS = 300
START_SECONDS = 60
RANDOM_SECONDS = 15


class Failure(Exception):
    pass


def wait_until(seconds, what, probe):
    """Calls PROBE until it gives a true value, which it returns; fails naming
    WHAT when SECONDS pass first. An Unreadable picture counts as not yet."""
    deadline = time.monotonic() + seconds
    while True:
        try:
            result = probe()
        except Unreadable as why:
            result, last = None, why
        else:
            last = None
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure("%s: not within %g s%s" % (what, seconds, " (%s)" % last if last else ""))
        time.sleep(0.05)


def lengths(board):
    return [length for length, _ in board]


def in_step(values, lengths_):
    """True when a bar heard at a smaller value is never drawn longer: lengths
    in pixels are coarser than values, so two values may share one."""
    pairs = list(zip(values, lengths_))
    return all(la <= lb for va, la in pairs for vb, lb in pairs if va < vb)


def still_board(w, what):
    """The board once two readings in a row agree: the bars at rest."""
    seen = []

    def settled():
        seen.append(w.board())
        return len(seen) > 1 and seen[-1] == seen[-2] and seen[-1]
    return wait_until(30, what, settled)


def changed_board(w, before, what):
    return wait_until(30, what, lambda: lengths(b := w.board()) != lengths(before) and b)


def check_heard(w, board, what):
    """What a screen reader hears agrees with the picture: the same order of lengths."""
    if "reader" not in w.can:
        return
    heard = wait_until(10, "%s: sixteen values for a screen reader" % what, lambda: w.heard())
    if len(heard) != 16 or not in_step(heard, lengths(board)):
        raise Failure("%s a screen reader hears %s for bars drawn %s long" % (what, heard, lengths(board)))


def check_sorted(w, before, what):
    """After a sort: the buttons free again, the bars ascending, each length
    with its colour, and what a screen reader hears agreeing."""
    wait_until(SORT_SECONDS, "%s to end" % what, lambda: not w.locked())
    after = still_board(w, "a still picture after %s" % what)
    if lengths(after) != sorted(lengths(after)):
        raise Failure("%s left the bars out of order: %s" % (what, lengths(after)))
    if sorted(after, key=repr) != sorted(before, key=repr):
        raise Failure("%s did not keep each length with its colour: %s before, %s after" % (what, before, after))
    check_heard(w, after, "after %s" % what)
    return after


def tab_to(w, caption):
    """Tabs until CAPTION has the focus, as a keyboard user does."""
    for _ in TAB_ORDER:
        now = w.focused()
        if now == caption:
            return
        w.key("Tab")
        wait_until(10, "Tab to move the focus from %s" % now, lambda: w.focused() != now)
    wait_until(10, "Tab to take the focus to %s" % caption, lambda: w.focused() == caption)


def needs(*capabilities):
    def mark(scenario):
        scenario.needs = capabilities
        return scenario
    return mark


@needs()
def the_window(w):
    """The window is titled Form1, with the layout's client size, and the
    focus starts on Randomize, the first button in tab order."""
    title, size = w.window()
    if (title, tuple(size)) != ("Form1", tuple(w.client)):
        raise Failure("the window is %r at %s, not Form1 at %s" % (title, size, w.client))
    if "focus" in w.can:
        wait_until(10, "the focus to start on Randomize", lambda: w.focused() == "Randomize")


@needs()
def first_picture(w):
    """The first picture shows sixteen random lengths in random colours, and a
    screen reader hears them."""
    board = still_board(w, "a still first picture")
    if len(board) != 16 or len(set(lengths(board))) < 12 or lengths(board) == sorted(lengths(board)):
        raise Failure("the first picture's lengths are not random: %s" % lengths(board))
    if "colours" in w.can and len({c for _, c in board if c}) < 12:
        raise Failure("the first picture's colours are not random: %s" % board)
    check_heard(w, board, "in the first picture")


def layout_tool(*args):
    """The lines that layout_pixels (SORTBARS_LAYOUT_TOOL) prints for ARGS."""
    tool = os.environ.get("SORTBARS_LAYOUT_TOOL", "")
    if not os.access(tool, os.X_OK):
        raise Failure("SORTBARS_LAYOUT_TOOL must name the layout_pixels program")
    return subprocess.check_output([tool] + [str(a) for a in args], text=True).splitlines()


def drawn_widths(scale, values):
    """How wide layout_pixels draws bars of VALUES at SCALE."""
    return [int(line.split()[4]) for line in layout_tool(repr(scale), *values) if line.startswith("drawn ")]


@needs("reader", "colours")
def bars_as_long_as_values(w):
    """Each bar is drawn, a solid run on its slot, exactly as long as the value
    a screen reader hears for it, in device pixels at the window's scale."""
    board = still_board(w, "a still picture")
    heard = w.heard()
    expected = drawn_widths(w.scale, heard)
    if lengths(board) != expected:
        raise Failure("at scale %g bars heard at %s are drawn %s pixels long, not %s"
                      % (w.scale, heard, lengths(board), expected))


@needs()
def randomize(w):
    """Randomize draws new lengths and keeps every slot's colour."""
    before = still_board(w, "a still picture before Randomize")
    w.press("Randomize")
    after = changed_board(w, before, "Randomize to draw new lengths")
    after = still_board(w, "a still picture after Randomize")
    kept = all(a[1] == b[1] for a, b in zip(before, after) if a[0] and b[0])
    if "colours" in w.can and not kept:
        raise Failure("Randomize changed a colour: %s before, %s after" % (before, after))
    if w.locked():
        raise Failure("Randomize disabled the buttons")
    check_heard(w, after, "after Randomize")


@needs("keys", "focus")
def tab_order(w):
    """Tab walks Randomize, Bubble-sort, Random sort, Push-sort, and in a
    window wraps (a page's Tab goes on to the rest of the page); Shift+Tab
    walks back; Space presses the focused button and no other."""
    wait_until(10, "the focus on Randomize", lambda: w.focused() == "Randomize")
    walks = (("Tab", TAB_ORDER[1:]), ("shift+Tab", TAB_ORDER[-2::-1]))
    if "wraps" in w.can:
        walks = (("Tab", TAB_ORDER[1:] + TAB_ORDER[:1]), ("shift+Tab", TAB_ORDER[::-1]))
    for key, order in walks:
        for caption in order:
            w.key(key)
            wait_until(10, "%s to take the focus to %s" % (key, caption), lambda: w.focused() == caption)
    before = still_board(w, "a still picture before Space")
    w.key("space")
    changed_board(w, before, "Space on Randomize to draw new lengths")
    if w.locked() or w.focused() != "Randomize":
        raise Failure("Space on Randomize started a sort, or moved the focus to %s" % w.focused())


@needs()
def sort_by_pointer(w):
    """Bubble-sort from the pointer: the buttons disabled while it runs, clicks
    during it changing nothing, the bars ascending after it with their
    colours, and the focus back on its button."""
    before = still_board(w, "a still picture before Bubble-sort")
    if lengths(before) == sorted(lengths(before)):
        raise Failure("nothing to sort: %s" % lengths(before))
    w.press("Bubble-sort")
    wait_until(30, "Bubble-sort to disable the buttons", w.locked)
    if "clicks" in w.can:
        for caption in ("Randomize", "Random sort", "Bubble-sort"):
            w.press(caption)
    check_sorted(w, before, "Bubble-sort")
    if "focus" in w.can:
        wait_until(10, "the focus back on Bubble-sort", lambda: w.focused() == "Bubble-sort")


@needs("keys", "focus", "activation")
def focus_across_deactivation(w):
    """The focus stays where the user left it while another window has the
    input, and is there again when the window takes it back."""
    tab_to(w, "Random sort")
    w.deactivate()
    wait_until(10, "the focus to leave the buttons with the input", lambda: w.focused() is None)
    w.activate()
    wait_until(10, "the focus back on Random sort with the input", lambda: w.focused() == "Random sort")
    tab_to(w, "Randomize")


@needs()
def random_input(w):
    """For 15 s, a seeded stream of what a user may do at any moment, in a
    sort or not: presses of any button, locked or not, Tab, Shift+Tab and
    Space, and another window taking the input and giving it back; then a
    close at whatever moment the stream ends. The program must live through
    it and end with status 0. SORTBARS_FUZZ_SEED=N repeats a stream."""
    seed = int(os.environ.get("SORTBARS_FUZZ_SEED") or time.time())
    events = random.Random(seed)
    doings = [lambda c=c: w.press(c) for c in CAPTIONS] * 2
    if "keys" in w.can:
        doings += [lambda k=k: w.key(k) for k in ("Tab", "shift+Tab", "space", "space")]
    if "activation" in w.can:
        doings += [w.deactivate, w.activate]
    w.start()
    stop_at, done = time.monotonic() + RANDOM_SECONDS, 0
    while time.monotonic() < stop_at:
        try:
            events.choice(doings)()
        except Unreadable:
            pass  # a press that found no button to press, as when the reader's view of it changed
        done += 1
        if not w.alive():
            raise Failure("the program ended after %d random events (SORTBARS_FUZZ_SEED=%d)" % (done, seed))
    w.close()
    status = w.ended(w.close_seconds)
    if status != 0:
        raise Failure("the close after random input gave exit status %s (SORTBARS_FUZZ_SEED=%d)" % (status, seed))
    print("  %d events in %d s, then a close with status 0 (SORTBARS_FUZZ_SEED=%d)" % (done, RANDOM_SECONDS, seed))


@needs()
def close_mid_sort(w):
    """Push-sort, from the keyboard where there is one: no disabled button
    keeps the focus while it runs; and a close while its bars slide ends the
    program within seconds (a random board takes well over ten to sort),
    with status 0."""
    before = still_board(w, "a still picture before Randomize")
    keyboard = "keys" in w.can and "focus" in w.can
    if keyboard:
        tab_to(w, "Randomize")
        w.key("space")
    else:
        w.press("Randomize")
    changed_board(w, before, "Randomize to draw new lengths")
    if keyboard:
        tab_to(w, "Push-sort")
        w.key("space")
    else:
        w.press("Push-sort")
    wait_until(30, "Push-sort to disable the buttons", w.locked)
    if "focus" in w.can and w.focused() is not None:
        raise Failure("while Push-sort runs the focus rests on the disabled %s" % w.focused())
    seen = set()
    wait_until(30, "bars moving in Push-sort", lambda: seen.add(w.picture()) or len(seen) > 2)
    started = time.monotonic()
    w.close()
    status = w.ended(w.close_seconds)
    if status != 0:
        raise Failure("closing mid-sort gave exit status %s" % status)
    print("  ended %d ms after the close" % ((time.monotonic() - started) * 1000))


@needs()
def close_idle(w):
    """A close while idle, in a program started anew, ends it with status 0."""
    w.start()
    w.close()
    status = w.ended(w.close_seconds)
    if status != 0:
        raise Failure("closing while idle gave exit status %s" % status)


SCENARIOS = (the_window, first_picture, bars_as_long_as_values, randomize, tab_order, sort_by_pointer,
             focus_across_deactivation, close_mid_sort, random_input, close_idle)


def run(w, only=None):
    """Runs every scenario, or those named in ONLY, in order on one adapter;
    prints each as it passes or is skipped, and raises Failure naming the
    first that fails. Returns how many ran."""
    ran = 0
    for scenario in SCENARIOS:
        if only and scenario.__name__ not in only:
            continue
        name = scenario.__name__.replace("_", " ")
        lacking = [c for c in scenario.needs if c not in w.can]
        if lacking:
            print("skip - %s: %s has no %s" % (name, w.name, " or ".join(lacking)))
            continue
        started = time.monotonic()
        try:
            scenario(w)
        except (Failure, Unreadable) as failure:
            raise Failure("%s, %s: %s" % (w.name, name, failure)) from None
        print("ok - %s (%.1f s)" % (name, time.monotonic() - started))
        ran += 1
    return ran


def main(make_window, only=None):
    """Runs the scenarios on the adapter MAKE_WINDOW gives, started once; a
    Failure ends the process with status 1 and its message."""
    try:
        with make_window() as w:
            w.start()
            ran = run(w, only)
    except Failure as failure:
        print("FAIL: %s" % failure, file=sys.stderr)
        sys.exit(1)
    print("%d passed, 0 failed" % ran)
