#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 ORX frekvenca developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The receiver's web page in a real browser, on a phone's touch viewport (390 x 844).

    page_check.py use URL                 taps, holds, the keypad entry, a preset, the keyboard
    page_check.py two URL RIGCTL_PORT     two pages, a change in one and a rigctl F
    page_check.py hostile WEB_PORT        another site's page opens the live channel
    page_check.py key URL_WITHOUT URL_WITH
    page_check.py picture URL PNG         the page as a phone shows it
    page_check.py reconnect URL           the program goes away and comes back: prints
                                          "connected" and "lost" as it sees them, for the caller
                                          to stop and start the program

Prints what the page showed as one JSON object; the caller compares it, and the words on the
wire, with what the user did.
"""

import base64
import http.server
import json
import socket
import sys
import threading
import time

import cdp


class Page:
    """One tab, with a phone's viewport and touch."""

    def __init__(self, browser, url, width=390, height=844, scale=1, mobile=True):
        self.browser = browser
        target = browser.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = browser.call("Target.attachToTarget",
                                    {"targetId": target, "flatten": True})["sessionId"]
        self.size(width, height, scale, mobile)
        self.call("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 1})
        self.call("Page.enable")
        self.call("Page.navigate", {"url": url})

    def call(self, method, params=None):
        return self.browser.call(method, params, session=self.session)

    def size(self, width, height, scale=1, mobile=True):
        self.call("Emulation.setDeviceMetricsOverride",
                  {"width": width, "height": height, "deviceScaleFactor": scale,
                   "mobile": mobile})

    def value(self, expression):
        result = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": True})
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def wait(self, expression, timeout=10.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            try:
                if self.value(expression):
                    return True
            except RuntimeError:
                pass
            time.sleep(0.05)
        return False

    def read_out(self):
        return self.value("document.getElementById('frequency').textContent")

    def centre(self, selector):
        box = self.value(f"(() => {{ const r = document.querySelector({json.dumps(selector)})"
                         ".getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2];"
                         "})()")
        return box

    def scroll_to(self, selector):
        self.call("Page.bringToFront")  # input goes to the tab in front only
        self.value(f"document.querySelector({json.dumps(selector)}).scrollIntoView({{block: 'center'}})")

    def tap(self, selector):
        self.scroll_to(selector)
        x, y = self.centre(selector)
        point = [{"x": x, "y": y}]
        self.call("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": point})
        self.call("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})

    def hold(self, selector, seconds):
        """Holds the button down; gives how long the page had it held, in ms, which a busy
        machine makes longer than asked."""
        self.scroll_to(selector)
        x, y = self.centre(selector)
        self.value("window.heldAt = {}; for (const end of ['pointerdown', 'pointerup']) "
                   "window.addEventListener(end, () => { heldAt[end] = performance.now(); }, "
                   "{capture: true, once: true}); true")
        press = {"x": x, "y": y, "button": "left", "clickCount": 1}
        self.call("Input.dispatchMouseEvent", {"type": "mousePressed", **press})
        time.sleep(seconds)
        self.call("Input.dispatchMouseEvent", {"type": "mouseReleased", **press})
        self.wait("heldAt.pointerup !== undefined")
        return self.value("heldAt.pointerup - heldAt.pointerdown")

    def key(self, name, code, text=None):
        self.call("Page.bringToFront")
        down = {"type": "keyDown", "key": name, "code": name, "windowsVirtualKeyCode": code}
        if text:
            down["text"] = text
        self.call("Input.dispatchKeyEvent", down)
        self.call("Input.dispatchKeyEvent", {"type": "keyUp", "key": name, "code": name,
                                             "windowsVirtualKeyCode": code})

    def connected(self):
        return self.wait("document.getElementById('connection').textContent === 'povezano' && "
                         "document.getElementById('frequency').textContent !== '—'")


def changed_from(page, before, timeout=5.0):
    page.wait(f"document.getElementById('frequency').textContent !== {json.dumps(before)}",
              timeout)
    return page.read_out()


def settled(page, quiet=0.5, timeout=10.0):
    """The read-out once it has stopped changing."""
    deadline = time.monotonic() + timeout
    last, since = page.read_out(), time.monotonic()
    while time.monotonic() < deadline and time.monotonic() - since < quiet:
        time.sleep(0.05)
        now = page.read_out()
        if now != last:
            last, since = now, time.monotonic()
    return last


ACCESSIBILITY = """(() => {
  const controls = [...document.querySelectorAll('button, input, select')]
      .filter(c => c.checkVisibility());
  const small = controls.filter(c => { const r = c.getBoundingClientRect();
                                       return r.width < 44 || r.height < 44; });
  const readout = document.getElementById('readout');
  return {
    small: small.map(c => c.id || c.textContent.trim()),
    live: readout.getAttribute('aria-live'),
    overflow: document.documentElement.scrollWidth > document.documentElement.clientWidth,
  };
})()"""


def accessible_names(page):
    tree = page.call("Accessibility.getFullAXTree")["nodes"]
    names = {}
    for node in tree:
        role = node.get("role", {}).get("value")
        name = node.get("name", {}).get("value")
        if role in ("button", "textbox", "combobox", "spinbutton") and not node.get("ignored"):
            names.setdefault(role, []).append(name)
    return names


def use(url):
    report = {}
    with cdp.Browser() as browser:
        page = Page(browser, url)
        report["connected"] = page.connected()
        report["start"] = page.read_out()
        page.tap('[data-step="1"]')
        report["after_tap"] = changed_from(page, report["start"])
        report["hold_ms"] = page.hold('[data-step="1"]', 1.2)
        report["after_hold"] = settled(page)
        page.tap("#readout")
        report["focus_after_readout"] = page.value("document.activeElement.id")
        page.call("Input.insertText", {"text": "5000"})
        page.key("Enter", 13, "\r")
        report["after_entry"] = changed_from(page, report["after_hold"])
        page.tap("#m2")
        report["after_preset"] = changed_from(page, report["after_entry"])
        report["preset_pressed"] = page.value("document.getElementById('m2')"
                                              ".getAttribute('aria-pressed')")
        report["said"] = page.value("document.getElementById('said').textContent")
        page.tap("#m5")
        page.wait("document.getElementById('said').textContent.includes('M5')")
        report["said_empty"] = page.value("document.getElementById('said').textContent")
        # The keyboard alone: to "−1 kHz" with Tab, then Enter.
        page.value("document.getElementById('kilohertz').focus()")
        for _ in range(6):  # Uglasi, then −100, −10, −5, −1
            page.key("Tab", 9)
            if page.value("document.activeElement.textContent") == "−1 kHz":
                break
        report["focused"] = page.value("document.activeElement.textContent")
        before = page.read_out()
        page.key("Enter", 13, "\r")
        report["after_keyboard"] = changed_from(page, before)
        report["names"] = accessible_names(page)
        report["phone"] = page.value(ACCESSIBILITY)
        for width in (320, 430):
            page.size(width, 800)
            time.sleep(0.2)
            report[f"width_{width}"] = page.value(ACCESSIBILITY)
        # A desktop window at 200 %: half its width in CSS pixels.
        page.size(640, 400, 2, False)
        time.sleep(0.2)
        report["zoom_200"] = page.value(ACCESSIBILITY)
    return report


def two(url, rigctl_port):
    report = {}
    with cdp.Browser() as browser:
        first, second = Page(browser, url), Page(browser, url)
        report["connected"] = first.connected() and second.connected()
        start = second.read_out()
        first.tap('[data-step="10"]')
        report["second_after_first"] = changed_from(second, start)
        with socket.create_connection(("127.0.0.1", rigctl_port)) as control:
            control.sendall(b"F 12000000\n")
            control.settimeout(5)
            report["rigctl"] = control.recv(100).decode()
        report["first_after_rigctl"] = changed_from(first, report["second_after_first"])
        report["second_after_rigctl"] = changed_from(second, report["second_after_first"])
    return report


HOSTILE = """<!doctype html><meta charset="utf-8"><title>a page of another site</title><script>
window.report = new Promise(done => {{
  const seen = {{opened: false, messages: 0, closed: null}};
  let socket;
  try {{ socket = new WebSocket("ws://127.0.0.1:{port}/ws"); }}
  catch (e) {{ seen.closed = "threw"; return done(seen); }}
  socket.onopen = () => {{
    seen.opened = true;
    socket.send(JSON.stringify({{do: "tune", kHz: 14000}}));
    socket.send(JSON.stringify({{do: "recall", preset: 2}}));
  }};
  socket.onmessage = () => {{ seen.messages += 1; }};
  socket.onclose = (event) => {{ seen.closed = event.code; setTimeout(() => done(seen), 500); }};
  setTimeout(() => done(seen), 5000);
}});
</script>"""


def hostile(web_port):
    page_bytes = HOSTILE.format(port=web_port).encode()

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Content-Length", str(len(page_bytes)))
            self.end_headers()
            self.wfile.write(page_bytes)

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    with cdp.Browser() as browser:
        page = Page(browser, f"http://localhost:{server.server_address[1]}/")
        page.wait("typeof window.report !== 'undefined'")
        report = page.value("window.report")
    server.shutdown()
    return report


def key(without, with_key):
    report = {}
    with cdp.Browser() as browser:
        stranger = Page(browser, without)
        stranger.wait("document.getElementById('connection').textContent === 'ni povezave'")
        time.sleep(1.5)  # a few attempts to reconnect
        report["without"] = stranger.value("document.getElementById('connection').textContent")
        report["without_read_out"] = stranger.read_out()
        stranger.tap('[data-step="1"]')
        owner = Page(browser, with_key)
        report["with"] = owner.connected()
        start = owner.read_out()
        owner.tap('[data-step="1"]')
        report["with_after_tap"] = changed_from(owner, start)
    return report


def picture(url, path):
    with cdp.Browser() as browser:
        page = Page(browser, url)
        connected = page.connected()
        page.wait("document.fonts.status === 'loaded'")
        shot = page.call("Page.captureScreenshot", {"format": "png"})["data"]
    with open(path, "wb") as out:
        out.write(base64.b64decode(shot))
    return {"connected": connected}


def reconnect(url):
    report = {}
    lost = "document.getElementById('connection').textContent === 'ni povezave'"
    with cdp.Browser() as browser:
        page = Page(browser, url)
        report["connected"] = page.connected()
        report["before"] = page.read_out()
        print("connected", flush=True)
        report["lost"] = page.wait(lost, timeout=20)
        report["lost_controls_disabled"] = page.value(
            "document.querySelector('[data-step=\"1\"]').disabled")
        report["lost_read_out"] = page.read_out()
        print("lost", flush=True)
        # Back without a reload: the page tries again by itself, and shows the state in full.
        report["back"] = page.wait(
            "document.getElementById('connection').textContent === 'povezano'", timeout=30)
        page.wait(f"document.getElementById('frequency').textContent !== {json.dumps(report['before'])}")
        report["after"] = page.read_out()
        report["after_note"] = page.value("document.getElementById('note2').textContent")
        report["after_band"] = page.value("document.getElementById('band').textContent")
        report["after_controls_disabled"] = page.value(
            "document.querySelector('[data-step=\"1\"]').disabled")
        start = page.read_out()
        page.tap('[data-step="1"]')
        report["after_tap"] = changed_from(page, start)
    return report


def main():
    scenario, arguments = sys.argv[1], sys.argv[2:]
    if scenario == "use":
        report = use(arguments[0])
    elif scenario == "two":
        report = two(arguments[0], int(arguments[1]))
    elif scenario == "hostile":
        report = hostile(int(arguments[0]))
    elif scenario == "key":
        report = key(arguments[0], arguments[1])
    elif scenario == "picture":
        report = picture(arguments[0], arguments[1])
    elif scenario == "reconnect":
        report = reconnect(arguments[0])
    else:
        print(__doc__, file=sys.stderr)
        return 2
    print(json.dumps(report, ensure_ascii=False))
    return 0


if __name__ == "__main__":
    sys.exit(main())
