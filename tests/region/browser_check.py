#!/usr/bin/python3
"""Opens a map page in headless chromium through its DevTools pipe, as a person would see it.

    browser_check.py CHROMIUM PAGE.html FIELD:POSITION,POSITION... ...

Prints one JSON object: "errors", what the page logged as errors or threw; "colors", for each
FIELD its list of the colours, "#rrggbb", of the screen's pixel at the middle of the field after
the slider was moved to each POSITION in turn; "label", the slider's label at the very last.
"""
import json
import os
import struct
import subprocess
import sys
import tempfile
import zlib
import base64


class Browser:
    def __init__(self, chromium, profile):
        to_browser_read, self.to_browser = os.pipe()
        self.from_browser, from_browser_write = os.pipe()

        # The browser reads its commands from descriptor 3 and writes to 4; copies first, in
        # case the pipes themselves are 3 or 4.
        def pipes():
            read, write = os.dup(to_browser_read), os.dup(from_browser_write)
            os.dup2(read, 3)
            os.dup2(write, 4)

        self.process = subprocess.Popen(
            [chromium, "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
             "--remote-debugging-pipe", "--force-device-scale-factor=1", "--window-size=1000,800",
             "--no-first-run", "--user-data-dir=" + profile, "about:blank"],
            pass_fds=(3, 4), preexec_fn=pipes,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_read)
        os.close(from_browser_write)
        self.reader = os.fdopen(self.from_browser, "rb")
        self.next_id = 0
        self.events = []

    def send(self, method, params=None, session=None):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self.to_browser, json.dumps(message).encode() + b"\0")
        while True:
            reply = self.receive()
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError(method + ": " + json.dumps(reply["error"]))
                return reply.get("result", {})
            self.events.append(reply)

    def receive(self):
        data = b""
        while True:
            ch = self.reader.read(1)
            if not ch:
                raise RuntimeError("the browser closed its pipe")
            if ch == b"\0":
                return json.loads(data)
            data += ch

    def wait_for(self, method):
        for k, event in enumerate(self.events):
            if event.get("method") == method:
                del self.events[k]
                return event
        while True:
            event = self.receive()
            if event.get("method") == method:
                return event
            self.events.append(event)

    def close(self):
        try:
            self.send("Browser.close")
        except RuntimeError:
            pass
        self.process.wait(timeout=30)


def png_pixel(png, x, y):
    """The RGB of pixel (x, y) of an 8-bit RGB or RGBA PNG."""
    assert png[:8] == b"\x89PNG\r\n\x1a\n"
    at, idat = 8, b""
    while at < len(png):
        length, kind = struct.unpack(">I4s", png[at:at + 8])
        body = png[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, color = struct.unpack(">IIBB", body[:10])
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    assert depth == 8 and color in (2, 6), (depth, color)
    channels = 3 if color == 2 else 4
    stride = width * channels
    raw = zlib.decompress(idat)
    previous = bytearray(stride)
    for row in range(y + 1):
        kind = raw[row * (stride + 1)]
        line = bytearray(raw[row * (stride + 1) + 1:(row + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                predictor = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                line[i] = (line[i] + predictor) & 0xFF
        previous = line
    return "#%02x%02x%02x" % tuple(previous[x * channels:x * channels + 3])


def main():
    chromium, page = sys.argv[1], sys.argv[2]
    visits = [(field, positions.split(",")) for field, positions in
              (argument.rsplit(":", 1) for argument in sys.argv[3:])]
    with tempfile.TemporaryDirectory() as profile:
        browser = Browser(chromium, profile)
        try:
            target = browser.send("Target.createTarget", {"url": "about:blank"})["targetId"]
            session = browser.send("Target.attachToTarget",
                                   {"targetId": target, "flatten": True})["sessionId"]
            for domain in ("Page", "Runtime", "Log"):
                browser.send(domain + ".enable", session=session)
            browser.send("Page.navigate", {"url": "file://" + os.path.abspath(page)},
                         session=session)
            browser.wait_for("Page.loadEventFired")

            def evaluate(expression):
                result = browser.send("Runtime.evaluate",
                                      {"expression": expression, "returnByValue": True},
                                      session=session)
                if "exceptionDetails" in result:
                    raise RuntimeError(json.dumps(result["exceptionDetails"]))
                return result["result"].get("value")

            def pixel_of(field):
                # The middle of the field's box, in the page's pixels.
                point = evaluate(
                    "(() => { let at = null; fields.eachLayer((layer) => {"
                    " if (layer.feature.properties.id === %s) {"
                    " const c = map.latLngToContainerPoint(layer.getBounds().getCenter());"
                    " const box = document.getElementById('map').getBoundingClientRect();"
                    " at = [Math.round(c.x + box.left), Math.round(c.y + box.top)]; } });"
                    " return at; })()" % json.dumps(field))
                if point is None:
                    raise RuntimeError("no field " + field + " on the page")
                shot = browser.send("Page.captureScreenshot", {"format": "png"}, session=session)
                return png_pixel(base64.b64decode(shot["data"]), point[0], point[1])

            colors = {}
            for field, positions in visits:
                colors[field] = []
                for position in positions:
                    evaluate("(() => { const s = document.getElementById('position'); "
                             "s.value = %d; s.dispatchEvent(new Event('input')); })()"
                             % int(position))
                    colors[field].append(pixel_of(field))
            label = evaluate("document.getElementById('position-label').textContent")
            errors = []
            for event in browser.events:
                method, params = event.get("method"), event.get("params", {})
                if method == "Runtime.exceptionThrown":
                    errors.append(params["exceptionDetails"].get("text", "exception"))
                elif method == "Runtime.consoleAPICalled" and params.get("type") == "error":
                    errors.append(" ".join(str(a.get("value")) for a in params.get("args", [])))
                elif method == "Log.entryAdded" and params["entry"].get("level") == "error":
                    errors.append(params["entry"].get("text", ""))
            print(json.dumps({"errors": errors, "colors": colors, "label": label}))
        finally:
            browser.close()


if __name__ == "__main__":
    main()
