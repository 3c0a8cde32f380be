// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include "ui/form1.h"

namespace orx::app {

// The life of the window: load (any message shown before the window), show, run until the
// window closes or a termination signal asks it to, and close the port however the run ends.
// `after_load` runs once the window is loaded, before it shows.
int RunWindow(ui::Form1& form, const std::function<void()>& after_load = {});

}  // namespace orx::app
