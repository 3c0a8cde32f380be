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
};

}  // namespace orx::ui
