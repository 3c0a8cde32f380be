# SPDX-FileCopyrightText: 2026 ORX frekvenca developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Opens a pseudo-terminal, prints the path of its terminal side and keeps it open until
standard input closes or the process is ended. Tests map a COM port to it, never to a real
serial device."""
import os
import sys

master, terminal = os.openpty()
print(os.ttyname(terminal), flush=True)
os.close(terminal)
sys.stdin.read()
