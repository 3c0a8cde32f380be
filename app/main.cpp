#include <QApplication>

#include "link/module1.h"
#include "link/system_link.h"
#include "ui/form1.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);

  const auto device = orx::link::MakeSerialLineDevice();
  const auto clock = orx::link::MakeHighResolutionClock();
  orx::link::Module1 link(*device, *clock);

  orx::ui::Form1 form({link, QCoreApplication::applicationDirPath(),
                       orx::forms::ModalMessageBox(orx::ui::kProgramTitle)});
  form.Form_Load();
  form.show();
  const int status = application.exec();
  form.Form_Unload();  // however the run ended, the port is closed
  return status;
}
