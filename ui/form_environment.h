// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "link/module1.h"
#include "ui/forms/message_box.h"

namespace orx::ui {

inline const char kProgramTitle[] = "ORX frekvenca";

inline const char kDefaultPortName[] = "COM2:";

// What the window needs from outside: the synthesizer link, the settings file, a way to tell
// the user something, and the port the synthesizer hangs on.
struct FormEnvironment {
  link::Module1& link;
  QString settings_file;
  forms::MessageBox message_box;
  QString port_name = kDefaultPortName;
  // The user's configuration folder for pll.ini, made at the first write; empty when the
  // file's folder is not ours to make.
  QString settings_folder_to_make = QString();
};

}  // namespace orx::ui
