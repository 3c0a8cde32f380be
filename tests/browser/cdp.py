# SPDX-FileCopyrightText: 2026 ORX frekvenca developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Debian's headless Chromium, driven over the DevTools protocol on a pipe.

Chromium reads commands from its file descriptor 3 and writes answers and events to 4, each a
JSON text ended by a NUL byte. Nothing but the standard library is needed.
"""

import fcntl
import json
import os
import select
import shutil
import subprocess
import tempfile
import time


def find_chromium():
    for name in ("chromium", "chromium-browser", "google-chrome"):
        path = shutil.which(name)
        if path:
            return path
    return None


class Browser:
    def __init__(self, url="about:blank", width=390, height=844, extra_flags=()):
        self._profile = tempfile.TemporaryDirectory(prefix="orx-chromium-")
        commands_read, self._commands = os.pipe()
        self._answers, answers_write = os.pipe()
        flags = [
            find_chromium(), "--headless", "--no-sandbox", "--disable-gpu",
            "--remote-debugging-pipe", "--no-first-run", "--no-default-browser-check",
            "--disable-extensions", "--disable-background-networking", "--disable-sync",
            "--disable-component-update", "--disable-dev-shm-usage", "--mute-audio",
            f"--user-data-dir={self._profile.name}", f"--window-size={width},{height}",
            *extra_flags, url,
        ]
        # Chromium's ends must be its descriptors 3 and 4, whatever numbers the pipes got here:
        # first out of the way of both, then into place.
        def into_place():
            copies = [fcntl.fcntl(end, fcntl.F_DUPFD, 10) for end in (commands_read, answers_write)]
            for target, copy in zip((3, 4), copies):
                os.dup2(copy, target)
                os.close(copy)

        # Every other descriptor here is close-on-exec (PEP 446); the two placed are not.
        self._process = subprocess.Popen(flags, close_fds=False, preexec_fn=into_place,
                                         stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL)
        os.close(commands_read)
        os.close(answers_write)
        self._next_id = 0
        self._buffer = b""
        self.events = []

    def _read_message(self, deadline):
        while b"\0" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self._answers], [], [], left)[0]:
                raise TimeoutError("Chromium did not answer in time")
            chunk = os.read(self._answers, 65536)
            if not chunk:
                raise ConnectionError("Chromium closed its pipe")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, params=None, session=None, timeout=20.0):
        self._next_id += 1
        command = {"id": self._next_id, "method": method, "params": params or {}}
        if session:
            command["sessionId"] = session
        os.write(self._commands, json.dumps(command).encode() + b"\0")
        deadline = time.monotonic() + timeout
        while True:
            message = self._read_message(deadline)
            if message.get("id") == self._next_id:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message.get("result", {})
            self.events.append(message)

    def close(self):
        try:
            self.call("Browser.close", timeout=5.0)
        except (OSError, TimeoutError, ConnectionError, RuntimeError):
            pass
        try:
            self._process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self._process.kill()
            self._process.wait()
        os.close(self._commands)
        os.close(self._answers)
        self._profile.cleanup()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
