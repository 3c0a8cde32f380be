// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

namespace orx::ui {

// The text as a QR code for a phone's camera: one pixel a module, black on white, with the
// four-module quiet zone that scanners need. A null image where no code can be made (the text
// too long, or no encoder on this platform).
QImage QrCode(const QString& text);

}  // namespace orx::ui
