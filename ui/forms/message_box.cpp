#include "message_box.h"

#include <QMessageBox>
#include <QPushButton>

namespace orx::forms {

MessageBox ModalMessageBox(const QString& title) {
  return [title](const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    // Qt's Slovenian catalogue has no word for this button in Qt 6's context; say it ourselves.
    box.button(QMessageBox::Ok)->setText(QStringLiteral("V redu"));
    box.exec();
  };
}

}  // namespace orx::forms
