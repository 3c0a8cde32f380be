#include "mouse_routing.h"

#include <QWidget>

namespace orx::forms {

void KeepMouseInput(QWidget* control) {
  control->setAttribute(Qt::WA_NoMousePropagation);
}

}  // namespace orx::forms
