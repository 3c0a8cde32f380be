// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

namespace orx::remote {

// Whether a line is part of an HTTP request: its request line ("POST / HTTP/1.1", any method),
// or one of the header lines a browser sends ("Host:", "Origin:", "Sec-Fetch-Mode:", in any
// letter case). No Hamlib client sends either. A web page that the user has open can send such
// a request to any port of the machine, and the commands in its body must never be carried out.
bool IsHttpLine(const QByteArray& line);

}  // namespace orx::remote
