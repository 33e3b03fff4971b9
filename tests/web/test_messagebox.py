"""The message box in a real headless Chromium: a modal <dialog> with the
role alertdialog, the title "Error!", a critical icon, the text and OK, and
the handler that showed it waits until it is dismissed. Then the runtime
error's default report: the same box, after which the program ends.

Usage: test_messagebox.py PAGE   (a page that shows the box while it loads)
"""
import sys

from browsers import Failure, open_browser, run_test

PAGE = sys.argv[1]
BOX = "document.querySelector('dialog')"


def main():
    with open_browser("chromium") as browser:
        browser.open(PAGE, "!!(%s && %s.open)" % (BOX, BOX))
        shown = browser.evaluate("""(() => { const d = %s; return {
            role: d.getAttribute('role'), modal: d.matches(':modal'),
            title: d.querySelector('.title').textContent, icon: !!d.querySelector('.critical[role=img]'),
            text: d.querySelector('p').textContent.replace(d.querySelector('.critical').textContent, ''),
            buttons: [...d.querySelectorAll('button')].map(b => b.textContent),
            windowShown: !Module.sortbars.window.hidden }; })()""" % BOX)
        expected = {"role": "alertdialog", "modal": True, "title": "Error!", "icon": True,
                    "text": "Error in algorithm design!", "buttons": ["OK"], "windowShown": False}
        if shown != expected:
            raise Failure("the message box is %s, not %s" % (shown, expected))
        print("message box: modal alertdialog \"Error!\" with the critical icon, the text and OK")
        browser.evaluate("%s.querySelector('button').click()" % BOX)
        browser.wait_for(10, "the window after OK", "!document.querySelector('dialog') && !Module.sortbars.window.hidden")
        print("dismissed with OK: the handler went on and the window showed")
    with open_browser("chromium") as browser:
        browser.open(PAGE + "#runtime-error", "!!(%s && %s.open)" % (BOX, BOX))
        text = browser.evaluate("%s.querySelector('p').textContent" % BOX)
        if "Run-time error: Overflow" not in text or not browser.evaluate("%s.matches(':modal')" % BOX):
            raise Failure("the runtime error's report is %r" % text)
        browser.evaluate("%s.querySelector('button').click()" % BOX)
        browser.wait_for(10, "the program to end after the report", "!!document.querySelector('.ended')")
        line = browser.evaluate("document.querySelector('.ended').textContent")
        if "after an error" not in line:
            raise Failure("after a runtime error the page says %r" % line)
        print("runtime error: reported in the box, then the program ended: %r" % line)


run_test(main)
