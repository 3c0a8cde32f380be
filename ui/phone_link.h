// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QStringList>

namespace orx::ui {

// The web page's links for the phone, each as text to copy and as a QR code to scan.
class PhoneLink : public QDialog {
  Q_OBJECT

 public:
  PhoneLink(const QStringList& links, QWidget* parent);
};

}  // namespace orx::ui
