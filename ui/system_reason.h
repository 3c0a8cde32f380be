// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace orx::ui {

// The system's reason for a failure in the program's language: Slovenian words for the errors
// a user meets with ports and files, the system's own words for the rest.
QString SystemReason(int error_number, const QString& system_words);

}  // namespace orx::ui
