// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleInterface>
#include <QLineEdit>

namespace orx::ui {

// A text box as assistive technology reads it. Qt 6.4's own reports every character as a text
// run of length zero, and Orca, splitting the text by those runs, reads "1000" as "100".
QAccessibleInterface* TextBoxAccessible(QLineEdit* box);

}  // namespace orx::ui
