#pragma once

#include <QString>

#include "link/module1.h"
#include "ui/forms/message_box.h"

namespace orx::ui {

inline const char kProgramTitle[] = "ORX frekvenca";

// What the window needs from outside: the synthesizer link, the folder that holds pll.ini
// and a way to tell the user something.
struct FormEnvironment {
  link::Module1& link;
  QString program_folder;
  forms::MessageBox message_box;
};

}  // namespace orx::ui
