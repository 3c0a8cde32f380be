// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <qrencode.h>

#include <memory>

#include "ui/qr_code.h"

namespace orx::ui {

namespace {

constexpr int kQuietZone = 4;

}  // namespace

QImage QrCode(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  // Level M: a code still small enough for a phone to take at arm's length from a screen, and
  // read through a smudge or a reflection.
  const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
      QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_M), &QRcode_free);
  if (!code) return {};
  const int side = code->width + 2 * kQuietZone;
  QImage image(side, side, QImage::Format_Mono);
  image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
  image.fill(0);
  for (int y = 0; y < code->width; ++y) {
    for (int x = 0; x < code->width; ++x) {
      // The lowest bit of each module says dark; the others say what the module is part of.
      if (code->data[y * code->width + x] & 1) image.setPixel(x + kQuietZone, y + kQuietZone, 1);
    }
  }
  return image;
}

}  // namespace orx::ui
