#pragma once

#include "ui/form1.h"

namespace orx::app {

// The life of the window: load (any message shown before the window), show, run until the
// window closes or a termination signal asks it to, and close the port however the run ends.
int RunWindow(ui::Form1& form);

}  // namespace orx::app
