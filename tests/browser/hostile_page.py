#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 ORX frekvenca developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""A web page that tries to tune the receiver through its control port, in a real browser.

    hostile_page.py CONTROL_PORT

The page comes from a web server of this script's own on the loopback. It sends the control
port what any page can send without permission or a click: a no-cors fetch() POST and a
text/plain form, each with "F 14000000" in its body. It sends both to a witness listener as well,
after the control port, so that a browser that sent nothing cannot pass for a port that refused.
Prints what the witness received as JSON; exit status 0 when it received both requests.
"""

import http.server
import json
import socket
import sys
import threading
import time

import cdp

PAGE = """<!doctype html>
<meta charset="utf-8">
<title>a page of another site</title>
<iframe name="sink-control"></iframe><iframe name="sink-witness"></iframe>
<form id="control" method="post" enctype="text/plain" action="http://127.0.0.1:{control}/"
      target="sink-control"><textarea name="x">
F 14000000
</textarea></form>
<form id="witness" method="post" enctype="text/plain" action="http://127.0.0.1:{witness}/form"
      target="sink-witness"><textarea name="x">
F 14000000
</textarea></form>
<script>
(async () => {{
  const tune = {{method: "POST", mode: "no-cors", body: "F 14000000\\n"}};
  await fetch("http://127.0.0.1:{control}/", tune).catch(() => {{}});
  await fetch("http://127.0.0.1:{witness}/fetch", tune).catch(() => {{}});
  document.getElementById("control").submit();
  await new Promise(done => setTimeout(done, 300));
  document.getElementById("witness").submit();
}})();
</script>
"""


class Witness:
    """Takes HTTP requests and keeps them whole: what the browser really sent."""

    def __init__(self):
        self.requests = []
        self._listener = socket.create_server(("127.0.0.1", 0))
        self.port = self._listener.getsockname()[1]
        threading.Thread(target=self._serve, daemon=True).start()

    def _serve(self):
        while True:
            connection, _ = self._listener.accept()
            with connection:
                connection.settimeout(5)
                request = b""
                try:
                    while b"\r\n\r\n" not in request:
                        request += connection.recv(4096) or b"\r\n\r\n"
                    head, _, body = request.partition(b"\r\n\r\n")
                    length = 0
                    for line in head.split(b"\r\n"):
                        if line.lower().startswith(b"content-length:"):
                            length = int(line.split(b":", 1)[1])
                    while len(body) < length:
                        body += connection.recv(4096) or b" " * length
                    connection.sendall(b"HTTP/1.1 204 No Content\r\nConnection: close\r\n\r\n")
                except OSError:
                    continue
                self.requests.append((head.decode("latin-1"), body.decode("latin-1")))

    def received(self, path):
        return [r for r in self.requests
                if r[0].startswith(f"POST {path} HTTP/1.1") and "F 14000000" in r[1]]


def main():
    control = int(sys.argv[1])
    witness = Witness()
    page = PAGE.format(control=control, witness=witness.port).encode()

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Content-Length", str(len(page)))
            self.end_headers()
            self.wfile.write(page)

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{server.server_address[1]}/"
    with cdp.Browser(url) as browser:
        browser.call("Browser.getVersion")
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            if witness.received("/fetch") and witness.received("/form"):
                break
            time.sleep(0.1)
    server.shutdown()
    result = {
        "fetch": bool(witness.received("/fetch")),
        "form": bool(witness.received("/form")),
        "requests": [head.split("\r\n")[0] for head, _ in witness.requests],
        "form_content_type": next((line for head, _ in witness.received("/form")
                                   for line in head.split("\r\n")
                                   if line.lower().startswith("content-type:")), None),
    }
    print(json.dumps(result))
    return 0 if result["fetch"] and result["form"] else 1


if __name__ == "__main__":
    sys.exit(main())
