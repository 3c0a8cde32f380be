// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessible_roles.h"

#include <QAccessibleWidget>
#include <QLabel>

#include "ui/form1.h"
#include "ui/forms/announcement.h"
#include "ui/forms/decoration.h"
#include "ui/forms/status_line.h"
#include "ui/forms/text_box.h"
#include "ui/text_box_accessible.h"

namespace orx::ui {

namespace {

// The drawn lines and the rectangle are the panel's decoration, nothing to be read: the
// window's children for assistive technology are its controls only.
class WindowAccessible : public QAccessibleWidget {
 public:
  explicit WindowAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return widget()->windowTitle();
    return QAccessibleWidget::text(t);
  }
  int childCount() const override { return static_cast<int>(Controls().size()); }
  QAccessibleInterface* child(int index) const override {
    const QList<QWidget*> controls = Controls();
    if (index < 0 || index >= controls.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(controls[index]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child ? static_cast<int>(Controls().indexOf(qobject_cast<QWidget*>(child->object())))
                 : -1;
  }

 private:
  QList<QWidget*> Controls() const {
    QList<QWidget*> controls;
    for (QObject* object : widget()->children()) {
      auto* control = qobject_cast<QWidget*>(object);
      if (control && !control->isWindow() && !qobject_cast<forms::Decoration*>(control))
        controls.append(control);
    }
    return controls;
  }
};

class StatusLineAccessible : public QAccessibleWidget {
 public:
  explicit StatusLineAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StatusBar) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return static_cast<QLabel*>(widget())->text().trimmed();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* Roles(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String(Form1::staticMetaObject.className()))
    return new WindowAccessible(static_cast<QWidget*>(object));
  if (class_name == QLatin1String(forms::StatusLine::staticMetaObject.className()))
    return new StatusLineAccessible(static_cast<QLabel*>(object));
  if (class_name == QLatin1String(forms::TextBox::staticMetaObject.className()))
    return TextBoxAccessible(static_cast<QLineEdit*>(object));
  if (class_name == QLatin1String(forms::Announcement::staticMetaObject.className()))
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
  return nullptr;
}

}  // namespace

void InstallAccessibleRoles() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(Roles);
}

}  // namespace orx::ui
