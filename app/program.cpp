#include "program.h"

#include <QApplication>

#include "platform.h"

namespace orx::app {

int RunWindow(ui::Form1& form, const std::function<void()>& after_load) {
  // Armed before the load, whose two words must not be cut either.
  TerminationSignals termination([&form] {
    form.close();  // the same close as the window manager's: the port closes, nothing is saved
    QCoreApplication::exit(0);
  });
  form.Form_Load();
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
