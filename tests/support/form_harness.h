// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <utility>

#include "link/module1.h"
#include "link/recording_line_device.h"
#include "settings/bas_ini_file.h"
#include "settings/pll_ini.h"
#include "support/qt_printers.h"
#include "support/synthesizer.h"
#include "support/temp_file.h"
#include "support/virtual_clock.h"
#include "ui/form1.h"

namespace orx::testing {

// The real window on the recording link and a virtual clock, in a folder of its own, with
// message boxes recorded instead of shown.
class FormHarness {
 public:
  FormHarness() : folder_path(temporary_folder.path()) {}

  // Builds the window; call after preparing pll.ini in `folder_path`.
  ui::Form1& Create() {
    form = std::make_unique<ui::Form1>(
        ui::FormEnvironment{link, IniPath(), [this](const QString& text) {
                              messages << text;
                              window_shown_at_message << (form && form->isVisible());
                            }});
    return *form;
  }
  ui::Form1& Load() {
    Create();
    form->Form_Load();
    return *form;
  }
  // Starts the program on the given pll.ini as the user would meet it: loaded and shown, with
  // the start-up words and messages forgotten.
  ui::Form1& StartShown(const QByteArray& ini) {
    WriteIni(ini);
    Load().show();
    ForgetWire();
    messages.clear();
    return *form;
  }

  // Words that reached an open port, as the synthesizer latched them.
  std::vector<uint16_t> WordsOnWire() const { return WordsOf(ReceiveWords(device.Events())); }
  // Every word framed, whether or not a port was open.
  std::vector<uint16_t> WordsFramed() const {
    return WordsOf(ReceiveWords(device.Events(), Reach::kAllOperations));
  }
  void ForgetWire() { device.ClearEvents(); }

  QString IniPath() const { return settings::SettingsFilePath(folder_path); }
  // What the window says when pll.ini is write-protected, as a file made immutable is.
  QString WriteFailedMessage(
      const QString& reason =
          QStringLiteral("datoteka je zaščitena pred pisanjem ali pa ni dovoljenja zanjo")) const {
    return QStringLiteral("Zapisovanje v datoteko pll.ini ni uspelo.\n") + IniPath() + ": " +
           reason;
  }
  void WriteIni(const QByteArray& content) const { WriteBytes(IniPath(), content); }
  QByteArray IniBytes() const { return ReadBytes(IniPath()); }
  QString Setting(const QString& section, const QString& key) const {
    return settings::basIniFile::ReadIni(IniPath(), section, key, "<missing>");
  }

  QTemporaryDir temporary_folder;
  QString folder_path;
  VirtualClock clock;
  link::RecordingLineDevice device{clock};
  link::Module1 link{device, clock};
  QStringList messages;
  QList<bool> window_shown_at_message;
  std::unique_ptr<ui::Form1> form;
};

// What a screen reader is given to say: the notification's text, each time it shows. (The
// offscreen platform has no accessibility bridge; tools/screen-reader-check reads the bus.)
class SpokenResults : public QObject {
 public:
  explicit SpokenResults(ui::Form1& form) { form.Announcer->installEventFilter(this); }
  // What was said since the last call, once the event in progress is over.
  QStringList Take() {
    QCoreApplication::processEvents();
    return std::exchange(said_, {});
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) said_ << static_cast<QWidget*>(watched)->accessibleName();
    return false;
  }

 private:
  QStringList said_;
};

}  // namespace orx::testing
