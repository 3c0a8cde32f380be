#include "message_box.h"

#include <QMessageBox>

namespace orx::forms {

MessageBox ModalMessageBox(const QString& title) {
  return [title](const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
  };
}

}  // namespace orx::forms
