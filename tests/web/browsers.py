"""Drivers for the three browser engines that the page's tests run in.

open_browser(engine, scale, scripts, phone, screen_reader) starts one
browser, with a profile of its own, at a device pixel ratio, with or
without JavaScript, and with a viewport of the size of a desktop browser's
or of a PHONE's (width, height) in CSS pixels; it returns a Browser that
drives its one page:
  chromium  Debian's headless Chromium, over its DevTools protocol;
  firefox   Firefox ESR, over its own WebDriver BiDi (no geckodriver),
            headless, or with screen_reader on a private Xvfb display;
  webkit    WebKitGTK's MiniBrowser under Xvfb, through WebKitWebDriver.
With screen_reader, each gives its accessibility tree to AT-SPI, which the
test reads as Orca does (WebKit always does); the test must run on a
private session bus (on_private_bus).
Each has the same few operations: open a file, evaluate an expression (a
promise is awaited; the value comes back as JSON), pointer clicks and keys,
a viewport, a screenshot, the page's buttons and meters as a screen reader
hears them, and entering a frame. Every wait has a bound in seconds and
fails with what it waited for; close() ends the browser, its driver and its
display and removes its profile, on every path (use it as a context
manager).
"""
import base64
import json
import os
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import urllib.request

import websocket

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import pixels  # noqa: E402
from scenarios import Failure, wait_until  # noqa: E402,F401  (the page's tests take them from here)

ENGINES = ("chromium", "firefox", "webkit")
MINIBROWSER = "/usr/lib/%s/webkit2gtk-4.1/MiniBrowser" % subprocess.run(
    ["dpkg-architecture", "-qDEB_HOST_MULTIARCH"], capture_output=True, text=True).stdout.strip()


def on_private_bus():
    """Runs this script again on a private session bus, with a runtime folder
    of its own where the accessibility bus puts its socket, unless it runs on
    one already: the engines' trees reach AT-SPI there and nowhere else."""
    if os.environ.get("SORTBARS_PRIVATE_BUS"):
        return
    runtime = tempfile.mkdtemp(prefix="sortbars-bus-")
    try:
        status = subprocess.call(["dbus-run-session", "--", sys.executable] + sys.argv,
                                 env=dict(os.environ, XDG_RUNTIME_DIR=runtime, SORTBARS_PRIVATE_BUS="1"))
    finally:
        shutil.rmtree(runtime, ignore_errors=True)
    sys.exit(status)


def spoken(number):
    """A value as a screen reader reads it out: 1234, not 1234.0."""
    return "%d" % number if float(number).is_integer() else "%g" % number


def atspi_page(seconds):
    """(role, name, value heard) of every button and meter in the web page
    that the one application on the accessibility bus shows, as AT-SPI gives
    them to Orca: the value is the text the engine gives for it (its
    valuetext), or where that is empty, its number."""
    import pyatspi
    # By role, not by its name, which AT-SPI has renamed ("push button" is
    # "button" from at-spi2-core 2.50 on).
    roles = {pyatspi.ROLE_PUSH_BUTTON: "button", pyatspi.ROLE_LEVEL_BAR: "meter"}

    def walk(node):
        yield node
        for child in node:
            if child is not None:
                yield from walk(child)

    def page():
        for app in pyatspi.Registry.getDesktop(0):
            for node in walk(app) if app is not None else ():
                if node.getRole() == pyatspi.ROLE_DOCUMENT_WEB:
                    found = []
                    for n in walk(node):
                        role = roles.get(n.getRole())
                        if role == "meter":
                            text = dict(a.split(":", 1) for a in n.getAttributes()).get("valuetext")
                            found.append((role, n.name, text or spoken(n.queryValue().currentValue)))
                        elif role:
                            found.append((role, n.name, None))
                    if sum(role == "meter" for role, _, _ in found) == 16:
                        return found
        return None
    return wait_until(seconds, "the page's sixteen meters on the accessibility bus", page)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def stop(process):
    """Ends a process and every process it started (its session's group),
    so that none writes to the profile after it is removed."""
    def group_alive():
        try:
            os.killpg(process.pid, 0)
            return True
        except ProcessLookupError:
            return False
    for sig in (signal.SIGTERM, signal.SIGKILL):
        if group_alive():
            os.killpg(process.pid, sig)
        try:
            process.wait(10)
            wait_until(10, "the browser's processes to end", lambda: not group_alive())
            return
        except (subprocess.TimeoutExpired, Failure):
            continue


class Browser:
    """What every engine's driver shares: the profile, the processes, the waits."""
    name = ""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="sortbars-%s-" % self.name)
        self.processes = []

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        self.disconnect()
        for process in reversed(self.processes):
            stop(process)
        self.processes = []
        shutil.rmtree(self.profile, ignore_errors=True)

    def disconnect(self):
        pass

    def start(self, command, **options):
        # Whatever a process leaves in its temporary folder (Chromium's
        # single-instance socket, for one) goes with the profile.
        env = dict(options.pop("env", os.environ), TMPDIR=os.path.join(self.profile, "tmp"))
        os.makedirs(env["TMPDIR"], exist_ok=True)
        process = subprocess.Popen(command, stdin=subprocess.DEVNULL, start_new_session=True, env=env, **options)
        self.processes.append(process)
        return process

    def start_display(self):
        """A private Xvfb display, chosen by Xvfb itself."""
        read, write = os.pipe()
        self.start(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                   pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as answer:
            number = answer.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        return ":" + number

    def wait_for(self, seconds, what, expression):
        return wait_until(seconds, what, lambda: self.evaluate(expression))

    def open(self, path, ready, seconds=30):
        """Loads a file into the page and waits until the expression ready is true."""
        self.navigate("file://" + path)
        self.wait_for(seconds, "the page to be ready", ready)

    def before_load(self, script):
        """Runs a script in every page before the page's own, where the driver can."""

    def hide(self):
        """Hides the page, as a tab in the background is; show() shows it again."""
        raise NotImplementedError

    def wait_for_text(self, seconds, text):
        """Waits until the page shows this text."""
        wait_until(seconds, "the page to show %r" % text, lambda: self.evaluate(
            "!!document.body && document.body.innerText.includes(%s)" % json.dumps(text)))

    def click(self, x, y):
        """A pointer's click at a point of the viewport, in CSS pixels."""
        self.actions([{"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"}, "actions": [
            {"type": "pointerMove", "x": round(x), "y": round(y)},
            {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]}])

    def key(self, name, shift=False):
        """A key pressed and released: "Tab" or "Space", with Shift held or not."""
        value = {"Tab": "\ue004", "Space": " "}[name]
        keys = [value] if not shift else ["\ue008", value]
        self.actions([{"type": "key", "id": "keyboard", "actions":
                       [{"type": "keyDown", "value": k} for k in keys] +
                       [{"type": "keyUp", "value": k} for k in reversed(keys)]}])


class SocketBrowser(Browser):
    """A driver that speaks JSON over a WebSocket, each command answered by its id."""

    def __init__(self):
        super().__init__()
        self.ws = None
        self.next_id = 0

    def disconnect(self):
        if self.ws:
            self.ws.close()
            self.ws = None

    def call(self, message):
        """Sends a command and returns its answer, passing over the events that come first."""
        self.next_id += 1
        self.ws.send(json.dumps(dict(message, id=self.next_id)))
        while True:
            answer = json.loads(self.ws.recv())
            if answer.get("id") == self.next_id:
                return answer


class Chromium(SocketBrowser):
    name = "chromium"

    def __init__(self, scale, screen_reader=False):
        super().__init__()
        self.session = None  # a frame's target, once entered
        self.screen_reader = screen_reader
        # ACCESSIBILITY_ENABLED gives the tree to AT-SPI, as a desktop's
        # screen reader setting does, headless too.
        env, reader = dict(os.environ), ["--force-renderer-accessibility"] if screen_reader else []
        if screen_reader:
            env["ACCESSIBILITY_ENABLED"] = "1"
        try:
            self.start(["/usr/bin/chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                        "--no-first-run", "--disable-background-networking", "--disable-component-update",
                        "--disable-sync", "--user-data-dir=" + self.profile, "--remote-debugging-port=0",
                        "--force-device-scale-factor=%g" % scale, "--window-size=800,600"] + reader + ["about:blank"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
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

    def send(self, method, **params):
        message = {"method": method, "params": params}
        if self.session:
            message["sessionId"] = self.session
        answer = self.call(message)
        if "error" in answer:
            raise Failure("%s: %s" % (method, answer["error"]))
        return answer["result"]

    def navigate(self, url):
        self.send("Page.enable")
        self.send("Page.navigate", url=url)

    def evaluate(self, expression):
        result = self.send("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise Failure("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def actions(self, sources):
        for source in sources:
            for a in source["actions"]:
                if a["type"] == "pointerMove":
                    x, y = a["x"], a["y"]
                elif a["type"] in ("pointerDown", "pointerUp"):
                    self.send("Input.dispatchMouseEvent", type={"pointerDown": "mousePressed"}.get(
                        a["type"], "mouseReleased"), x=x, y=y, button="left", clickCount=1)
        keys = [a for s in sources if s["type"] == "key" for a in s["actions"]]
        shift = 8 if any(a["value"] == "\ue008" for a in keys) else 0
        for a in keys:
            if a["value"] == "\ue008":
                continue
            name, code, vk = {"\ue004": ("Tab", "Tab", 9), " ": (" ", "Space", 32)}[a["value"]]
            kind = "rawKeyDown" if a["type"] == "keyDown" else "keyUp"
            self.send("Input.dispatchKeyEvent", type=kind, key=name, code=code, windowsVirtualKeyCode=vk,
                      modifiers=shift)
            if kind == "rawKeyDown" and code == "Space":
                self.send("Input.dispatchKeyEvent", type="char", text=" ", modifiers=shift)

    def viewport(self, width, height, scale, mobile=False):
        self.send("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=scale,
                  mobile=mobile)

    def hide(self):
        self.shown = self.send("Target.getTargetInfo")["targetInfo"]["targetId"]
        self.cover = self.send("Target.createTarget", url="about:blank")["targetId"]

    def show(self):
        self.send("Target.activateTarget", targetId=self.shown)
        self.send("Target.closeTarget", targetId=self.cover)

    def before_load(self, script):
        self.send("Page.enable")
        self.send("Page.addScriptToEvaluateOnNewDocument", source=script)

    def screenshot(self, x, y, width, height):
        shot = self.send("Page.captureScreenshot", clip={"x": x, "y": y, "width": width, "height": height,
                                                         "scale": 1})
        return pixels.open_image(base64.b64decode(shot["data"]))

    def accessible(self):
        if not self.screen_reader:
            raise Failure("Chromium was started without its accessibility tree for screen readers")
        return atspi_page(30)

    def enter_frame(self):
        """Drives the first iframe's document from now on. A sandboxed frame runs
        in a process of its own, reached as a target of its own."""
        def frame():
            targets = self.send("Target.getTargets")["targetInfos"]
            return next((t["targetId"] for t in targets if t["type"] == "iframe"), None)
        target = wait_until(30, "the iframe's target", frame)
        self.session = self.send("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]

    def disable_scripts(self):
        self.send("Emulation.setScriptExecutionDisabled", value=True)


class Firefox(SocketBrowser):
    """Firefox ESR over WebDriver BiDi. Its listening address comes on its
    standard error. Space and Enter sent over BiDi do not press a <button>
    in Firefox 153, though Tab moves the focus: the tests press buttons with
    the pointer there."""
    name = "firefox"
    PREFS = {
        "browser.shell.checkDefaultBrowser": False, "datareporting.policy.dataSubmissionEnabled": False,
        "toolkit.telemetry.enabled": False, "app.update.enabled": False, "network.captive-portal-service.enabled":
        False, "browser.safebrowsing.update.enabled": False, "extensions.update.enabled": False,
        "network.connectivity-service.enabled": False, "services.settings.server": "data:,",
        "browser.region.network.url": "", "remote.prefs.recommended": True,
    }

    def __init__(self, scale, scripts=True, screen_reader=False):
        super().__init__()
        self.context = None
        self.top = None
        self.screen_reader = screen_reader
        with open(os.path.join(self.profile, "user.js"), "w") as prefs:
            for key, value in dict(self.PREFS, **{"layout.css.devPixelsPerPx": str(scale),
                                                  "javascript.enabled": scripts}).items():
                prefs.write("user_pref(%s, %s);\n" % (json.dumps(key), json.dumps(value)))
        try:
            log = open(os.path.join(self.profile, "stderr.log"), "w+")
            # A headless Firefox gives no tree to AT-SPI.
            env, headless = dict(os.environ), [] if screen_reader else ["--headless"]
            if screen_reader:
                env.update(DISPLAY=self.start_display(), GNOME_ACCESSIBILITY="1")
            self.start(["/usr/bin/firefox-esr"] + headless + ["--no-remote", "--profile", self.profile,
                        "--remote-debugging-port", "0", "--width", "800", "--height", "600", "about:blank"],
                       stdout=subprocess.DEVNULL, stderr=log, env=env)

            def address():
                log.seek(0)
                found = re.search(r"WebDriver BiDi listening on (ws://\S+)", log.read())
                return found and found.group(1)
            self.ws = websocket.create_connection(wait_until(30, "Firefox to open its BiDi port", address)
                                                  + "/session", timeout=30, suppress_origin=True)
            self.send("session.new", capabilities={})
            self.top = self.context = self.send("browsingContext.getTree")["contexts"][0]["context"]
        except BaseException:
            self.close()
            raise

    def send(self, method, **params):
        answer = self.call({"method": method, "params": params})
        if answer.get("type") == "error":
            raise Failure("%s: %s %s" % (method, answer.get("error"), answer.get("message")))
        return answer["result"]

    def navigate(self, url):
        self.context = self.top
        self.send("browsingContext.navigate", context=self.top, url=url, wait="complete")

    def evaluate(self, expression):
        result = self.send("script.evaluate", expression="(async () => JSON.stringify(await (%s)))()" % expression,
                           target={"context": self.context}, awaitPromise=True)
        if result["type"] == "exception":
            raise Failure("%s: %s" % (expression, result["exceptionDetails"]["text"]))
        value = result["result"].get("value")
        return None if value is None else json.loads(value)

    def actions(self, sources):
        for source in sources:
            for a in source["actions"]:
                if a["type"] == "pointerMove":
                    a["origin"] = "viewport"
        self.send("input.performActions", context=self.context, actions=sources)
        self.send("input.releaseActions", context=self.context)

    def viewport(self, width, height, scale, mobile=False):
        self.send("browsingContext.setViewport", context=self.top, viewport={"width": width, "height": height},
                  devicePixelRatio=scale)

    def hide(self):
        self.cover = self.send("browsingContext.create", type="tab")["context"]

    def show(self):
        self.send("browsingContext.activate", context=self.top)
        self.send("browsingContext.close", context=self.cover)

    def before_load(self, script):
        self.send("script.addPreloadScript", functionDeclaration="() => { %s }" % script)

    def wait_for_text(self, seconds, text):
        # Read from a sandbox of the driver's own, which runs with the page's
        # scripts off.
        wait_until(seconds, "the page to show %r" % text, lambda: self.send(
            "script.evaluate", expression="document.body.innerText.includes(%s)" % json.dumps(text),
            target={"context": self.context, "sandbox": "reader"}, awaitPromise=False)["result"].get("value"))

    def screenshot(self, x, y, width, height):
        shot = self.send("browsingContext.captureScreenshot", context=self.context,
                         clip={"type": "box", "x": x, "y": y, "width": width, "height": height})
        return pixels.open_image(base64.b64decode(shot["data"]))

    def accessible(self):
        if not self.screen_reader:
            raise Failure("a headless Firefox has no accessibility tree for screen readers")
        return atspi_page(30)

    def enter_frame(self):
        def frame():
            tree = self.send("browsingContext.getTree", root=self.top)["contexts"][0]
            return tree.get("children") and tree["children"][0]["context"]
        self.context = wait_until(30, "the iframe's browsing context", frame)



class WebKit(Browser):
    """WebKitGTK's MiniBrowser, driven by WebKitWebDriver, on a private X
    display (Xvfb). Its device pixel ratio is GDK_SCALE, a whole number.
    MiniBrowser's window is wider than a phone, so a phone is an iframe of
    its size at the page's top left, whose document the driver enters."""
    name = "webkit"

    def __init__(self, scale, scripts=True, phone=None):
        super().__init__()
        self.url = None
        try:
            self.phone = phone
            display = self.start_display()
            port = free_port()
            env = dict(os.environ, DISPLAY=display, GDK_SCALE=str(int(scale)), GDK_BACKEND="x11",
                       WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS="1", LIBGL_ALWAYS_SOFTWARE="1")
            self.start(["WebKitWebDriver", "--port=%d" % port], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
            self.base = "http://127.0.0.1:%d" % port
            wait_until(30, "WebKitWebDriver to listen", self.listening)
            args = ["--automation"] + ([] if scripts else ["--enable-javascript=false"])
            session = self.request("POST", "/session", {"capabilities": {"alwaysMatch": {
                "webkitgtk:browserOptions": {"binary": MINIBROWSER, "args": args}}}})
            self.url = self.base + "/session/" + session["sessionId"]
            self.outer = None
        except BaseException:
            self.close()
            raise

    def listening(self):
        try:
            with socket.create_connection(("127.0.0.1", int(self.base.rsplit(":", 1)[1])), timeout=1):
                return True
        except OSError:
            return False

    def disconnect(self):
        if self.url:
            try:
                self.request("DELETE", "")
            except (Failure, OSError):
                pass
            self.url = None

    def request(self, method, path, body=None):
        url = path if path.startswith("http") else (self.url or self.base) + path if path else self.url
        data = None if body is None else json.dumps(body).encode()
        req = urllib.request.Request(url, data=data, method=method, headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(req, timeout=120) as answer:
                return json.load(answer).get("value")
        except urllib.error.HTTPError as error:
            raise Failure("WebDriver %s %s: %s" % (method, path, error.read().decode(errors="replace")))

    def navigate(self, url):
        self.request("POST", "/frame", {"id": None})
        if self.phone:
            phone = os.path.join(self.profile, "phone.html")
            with open(phone, "w") as out:
                out.write('<!doctype html><body style="margin: 0"><iframe src="%s" style="display: block; border: 0;'
                          ' width: %dpx; height: %dpx"></iframe>' % ((url,) + tuple(self.phone)))
            url = "file://" + phone
        self.request("POST", "/url", {"url": url})
        if self.phone:
            self.enter_frame()

    def evaluate(self, expression):
        value = self.request("POST", "/execute/async", {"script": "const done = arguments[0];"
                             " Promise.resolve().then(async () => JSON.stringify(await (%s)))"
                             ".then(done, (e) => done({error: String(e)}));" % expression, "args": []})
        if isinstance(value, dict) and "error" in value:
            raise Failure("%s: %s" % (expression, value["error"]))
        return None if value is None else json.loads(value)

    def actions(self, sources):
        self.request("POST", "/actions", {"actions": sources})
        self.request("DELETE", "/actions")

    def viewport(self, width, height, scale, mobile=False):
        """WebKitGTK's viewport is set as it starts: this only checks it."""
        shown = self.evaluate("[innerWidth, innerHeight, devicePixelRatio]")
        if shown != [width, height, scale]:
            raise Failure("the viewport is %s, not %dx%d at ratio %g" % (shown, width, height, scale))

    def hide(self):
        # A tab opened over the page leaves it shown in MiniBrowser; a minimized window hides it.
        self.rect = self.request("GET", "/window/rect")
        self.request("POST", "/window/minimize", {})

    def show(self):
        self.request("POST", "/window/rect", self.rect)

    def screenshot(self, x, y, width, height):
        # WebKitWebDriver shoots the whole viewport, in device pixels.
        scale = self.evaluate("window.devicePixelRatio")
        shot = pixels.open_image(base64.b64decode(self.request("GET", "/screenshot")))
        return pixels.crop(shot, round(x * scale), round(y * scale), round(width * scale), round(height * scale))

    def accessible(self):
        return atspi_page(30)

    def enter_frame(self):
        frame = wait_until(30, "the iframe", lambda: self.request("POST", "/elements", {
            "using": "css selector", "value": "iframe"}))
        self.request("POST", "/frame", {"id": frame[0]})


def page_with_script(page, script, folder):
    """A copy of the page in folder that runs the script file first, before
    the page's own; for what must be in place before the page loads."""
    with open(page) as source, open(script) as first:
        text = source.read().replace("<head>", "<head>\n<script>\n%s</script>" % first.read(), 1)
    copy = os.path.join(folder, os.path.basename(page))
    with open(copy, "w") as out:
        out.write(text)
    return copy


def open_browser(engine, scale=1, scripts=True, phone=None, screen_reader=False):
    if engine == "webkit":
        return WebKit(scale, scripts, phone)
    browser = Chromium(scale, screen_reader) if engine == "chromium" else Firefox(scale, scripts, screen_reader)
    try:
        if not scripts and engine == "chromium":
            browser.disable_scripts()
        if phone:
            browser.viewport(phone[0], phone[1], scale, mobile=True)
    except BaseException:
        browser.close()
        raise
    return browser


def run_test(main):
    """Runs a test: a Failure ends it with status 1 and its message."""
    try:
        main()
    except Failure as failure:
        print("FAIL: %s" % failure, file=sys.stderr)
        sys.exit(1)
    print("1 passed, 0 failed")
