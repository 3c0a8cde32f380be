// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSize>

class QPainter;

namespace orx::ui {

// The window's face in logical pixels: a mid-grey ground with a light rim and three raised,
// bevelled panels (read-out, presets, controls).
inline constexpr QSize kFrontPanelSize(563, 186);

void PaintFrontPanel(QPainter& painter);

}  // namespace orx::ui
