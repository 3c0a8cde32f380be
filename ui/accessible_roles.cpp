#include "accessible_roles.h"

#include <QAccessibleWidget>
#include <QLabel>

#include "ui/form1.h"
#include "ui/forms/status_line.h"

namespace orx::ui {

namespace {

class WindowAccessible : public QAccessibleWidget {
 public:
  explicit WindowAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return widget()->windowTitle();
    return QAccessibleWidget::text(t);
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
