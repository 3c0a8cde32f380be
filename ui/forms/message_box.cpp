// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "message_box.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

#include "ui/program_icon.h"

namespace orx::forms {

MessageBox ModalMessageBox(const QString& title) {
  return [title](const QString& text) {
    // No icon, as on the program's first message, "COM Interface Error"; a screen reader
    // announces the box as an alert all the same.
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.setWindowIcon(ui::ProgramIcon());
    box.setTextFormat(Qt::PlainText);
    // Qt's Slovenian catalogue has no word for this button in Qt 6's context; say it ourselves.
    box.button(QMessageBox::Ok)->setText(QStringLiteral("V redu"));
    box.exec();
  };
}

}  // namespace orx::forms
