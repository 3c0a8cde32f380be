#include "command_button.h"

#include <QKeyEvent>

namespace orx::forms {

void CommandButton::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
    click();
    event->accept();
    return;
  }
  QPushButton::keyPressEvent(event);
}

}  // namespace orx::forms
