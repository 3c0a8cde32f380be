#include "text_box.h"

#include <QKeyEvent>

#include "mouse_routing.h"

namespace orx::forms {

TextBox::TextBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
  KeepMouseInput(this);
}

void TextBox::keyReleaseEvent(QKeyEvent* event) {
  QLineEdit::keyReleaseEvent(event);
  if (!event->isAutoRepeat()) emit KeyUp();
}

}  // namespace orx::forms
