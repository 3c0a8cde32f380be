// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup_choices.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

#include "app/platform.h"
#include "settings/bas_ini_file.h"
#include "settings/pll_ini.h"
#include "settings/settings_location.h"
#include "ui/form_environment.h"

namespace orx::app {

void SetUpApplication(QApplication& application) {
  application.setApplicationName(kProgramName);
  application.setApplicationVersion(QStringLiteral(ORX_VERSION));
  QGuiApplication::setDesktopFileName(kProgramName);
  // Qt's own words (the OK button, the text boxes' menu) in Slovenian, like the program's.
  auto* qt_texts = new QTranslator(&application);
  if (qt_texts->load(QLocale(QLocale::Slovenian), QStringLiteral("qt"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(qt_texts);
  }
}

QString StartupChoices::PortName(const QString& given, const QString& settings_file) {
  if (!given.isEmpty()) return given;
  const QString stored = settings::basIniFile::ReadIni(settings_file, settings::kSettingsSection,
                                                       settings::kPortKey, QString());
  return stored.trimmed().isEmpty() ? QString(ui::kDefaultPortName) : stored.trimmed();
}

StartupChoices StartupChoices::From(const Options& options) {
  StartupChoices choices;
  const QString program_folder = QCoreApplication::applicationDirPath();
  const auto location = settings::LocateSettingsFile(
      options.settings_file, program_folder,
      settings::IsInstalledCopy(program_folder, QStringLiteral(ORX_INSTALL_BINDIR)));
  choices.settings_file = location.file;
  choices.settings_folder_to_make = location.folder_to_make;
  choices.port_name = PortName(options.port, choices.settings_file);
  return choices;
}

forms::MessageBox ReportingMessageBox() {
  const forms::MessageBox box = forms::ModalMessageBox(ui::kProgramTitle);
  return [box](const QString& text) {
    WriteText(stderr, QStringLiteral("%1: %2\n").arg(QLatin1String(kProgramName), text));
    box(text);
  };
}

}  // namespace orx::app
