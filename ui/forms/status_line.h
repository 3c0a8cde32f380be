// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

namespace orx::forms {

// The label in which the program speaks to the user; a status bar to assistive technology.
class StatusLine : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;
};

}  // namespace orx::forms
