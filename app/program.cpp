// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program.h"

#include <QApplication>

#include "platform.h"

namespace orx::app {

int RunWindow(ui::Form1& form, const std::function<void()>& after_load) {
  // Armed before the load, whose two words must not be cut either. A signal during the load
  // ends the run once the load is over; a message box the load waits on is closed for it.
  bool loaded = false;
  TerminationSignals termination([&form, &loaded] {
    if (!loaded) {
      if (QWidget* box = QApplication::activeModalWidget()) box->close();
      return;
    }
    form.close();  // the same close as the window manager's: the port closes, nothing is saved
    QCoreApplication::exit(0);
  });
  form.Form_Load();
  loaded = true;
  if (after_load) after_load();
  int status = 0;
  if (!termination.Received()) {
    form.show();
    status = QApplication::exec();
  }
  form.Form_Unload();
  return status;
}

}  // namespace orx::app
