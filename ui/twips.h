// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>

namespace orx::ui {

// The window is laid out in twips at 15 per logical pixel; Qt maps logical pixels to the
// screen's real scale, so nothing here assumes 96 dpi.
inline constexpr int kTwipsPerPixel = 15;

// To the nearest pixel: a few places of the design are not whole pixels (2080 twips).
constexpr int TwipsToPixels(int twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

constexpr QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height));
}

}  // namespace orx::ui
