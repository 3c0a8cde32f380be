#include <QStandardPaths>

#include "settings_location.h"

namespace orx::settings {

QString UserConfigurationFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

}  // namespace orx::settings
