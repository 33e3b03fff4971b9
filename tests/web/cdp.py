"""A small client of Chromium's DevTools protocol, for the browser tests.

Browser(scale) starts Debian's headless Chromium with a profile of its own
at a device scale factor, and drives its one page over a WebSocket. Every
wait has a bound in seconds and fails with what it waited for; close()
ends the browser and removes its profile, on every path (use it as a
context manager).
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.request

import websocket

CHROMIUM = "/usr/bin/chromium"


class Failure(Exception):
    pass


def wait_until(seconds, what, probe):
    deadline = time.monotonic() + seconds
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure("%s: not within %g s" % (what, seconds))
        time.sleep(0.05)


class Browser:
    def __init__(self, scale=1.0):
        self.profile = tempfile.mkdtemp(prefix="sortbars-chromium-")
        self.process = subprocess.Popen(
            [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--user-data-dir=" + self.profile, "--remote-debugging-port=0",
             "--force-device-scale-factor=%g" % scale, "--window-size=800,600", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.ws = None
        self.events = []
        self.next_id = 0
        try:
            port_file = os.path.join(self.profile, "DevToolsActivePort")
            wait_until(30, "Chromium to open its DevTools port", lambda: os.path.exists(port_file)
                       and open(port_file).read().count("\n") >= 1)
            port = open(port_file).read().split("\n")[0]

            def page():
                with urllib.request.urlopen("http://127.0.0.1:%s/json/list" % port, timeout=5) as answer:
                    pages = [t for t in json.load(answer) if t["type"] == "page"]
                return pages[0]["webSocketDebuggerUrl"] if pages else None
            self.ws = websocket.create_connection(wait_until(30, "Chromium's page", page), timeout=30,
                                                  suppress_origin=True)
        except BaseException:
            self.close()
            raise

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        if self.ws:
            self.ws.close()
            self.ws = None
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)

    def send(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise Failure("%s: %s" % (method, message["error"]))
                return message["result"]
            self.events.append(message)

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page (a promise is awaited)."""
        result = self.send("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise Failure("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def wait_for(self, seconds, what, expression):
        return wait_until(seconds, what, lambda: self.evaluate(expression))

    def open(self, path, ready):
        """Loads a file into the page and waits until the expression ready is true."""
        self.send("Page.enable")
        self.send("Page.navigate", url="file://" + path)
        self.wait_for(30, "the page to be ready", ready)


def run_test(main):
    """Runs a test: a Failure ends it with status 1 and its message."""
    try:
        main()
    except Failure as failure:
        print("FAIL: %s" % failure, file=sys.stderr)
        sys.exit(1)
    print("1 passed, 0 failed")
