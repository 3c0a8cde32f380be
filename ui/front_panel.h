#pragma once

#include <QSize>

class QPainter;

namespace orx::ui {

// The window's face in logical pixels: a mid-grey ground with a light rim and three raised,
// bevelled panels (read-out, presets, controls).
inline constexpr QSize kFrontPanelSize(563, 186);

void PaintFrontPanel(QPainter& painter);

}  // namespace orx::ui
