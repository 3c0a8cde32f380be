// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace orx::forms {

// Shows a text to the user and returns once it is acknowledged.
using MessageBox = std::function<void(const QString& text)>;

// A modal box with the text, an OK button only, the warning icon, the program's icon and the
// given title.
MessageBox ModalMessageBox(const QString& title);

}  // namespace orx::forms
