// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QWidget>

namespace orx::forms {

// What a screen reader says aloud after an action: a notification with nothing to see. The
// text shows to assistive technology only once the event in progress is over, so that it
// comes after any change of focus the same key made and is not cut short by it.
class Announcement : public QWidget {
  Q_OBJECT

 public:
  explicit Announcement(QWidget* parent);

  // Several in one event: the last one is said.
  void Say(const QString& text);

  const QString& Text() const { return text_; }

 private:
  void ShowText();

  QString text_;
  bool pending_ = false;
};

}  // namespace orx::forms
