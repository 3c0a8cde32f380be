// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window as a desktop citizen: the same face under any style and palette, controls that
// assistive technology can name, a read-out that shows every caption whole, pointers that
// belong where they are, and Qt's own words in Slovenian.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>

#include "app/startup_choices.h"
#include "support/form_harness.h"
#include "ui/forms/message_box.h"

namespace orx::testing {
namespace {

class Desktop : public ::testing::Test {
 protected:
  void SetUp() override {
    form = &harness.StartShown("[Freq]\nF1=7000\n[Opombe]\nT5=Radio Študent\n");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  }
  static QString Name(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
  }

  FormHarness harness;
  ui::Form1* form = nullptr;
};

TEST_F(Desktop, TheFaceIsTheSameUnderAnyStyleAndPalette) {
  const QImage plain = form->grab().toImage();
  const QPalette saved_palette = QApplication::palette();
  const QString saved_style = QApplication::style()->name();

  QPalette dark(QColor(30, 30, 30));
  dark.setColor(QPalette::WindowText, Qt::white);
  dark.setColor(QPalette::ButtonText, Qt::black);
  dark.setColor(QPalette::HighlightedText, Qt::yellow);
  // And the roles that no control of the window paints with today, but its menu, its dialog or
  // a tooltip would: nothing of the desktop's palette may reach them either.
  for (const auto role : {QPalette::Link, QPalette::LinkVisited, QPalette::AlternateBase,
                          QPalette::ToolTipBase, QPalette::ToolTipText, QPalette::PlaceholderText})
    dark.setColor(role, QColor(0x40, 0x90, 0x20 + role));
  const QPalette window_plain = form->palette();
  QApplication::setPalette(dark);
  const QImage under_dark = form->grab().toImage();
  // As a desktop theme has it: dark before the window exists.
  FormHarness born_dark;
  const QPalette window_dark = born_dark.StartShown("[Freq]\nF1=7000\n").palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
      if (role == QPalette::NoRole) continue;
      const auto r = static_cast<QPalette::ColorRole>(role);
      EXPECT_EQ(window_dark.color(group, r), window_plain.color(group, r))
          << "group " << group << ", role " << role;
    }
  }
  QApplication::setStyle(QStyleFactory::create("Windows"));
  const QImage under_windows = form->grab().toImage();

  QApplication::setPalette(saved_palette);
  QApplication::setStyle(QStyleFactory::create(saved_style));
  EXPECT_TRUE(under_dark == plain);
  EXPECT_TRUE(under_windows == plain);
}

// A desktop theme reaches the program before its window exists (qt6ct's "darker" scheme turned
// the buttons' text white on grey; GTK's Adwaita:dark turned Fusion's own palette dark); the
// window must not show it. Each is grabbed in a child, plain and themed, on a real X server
// where the theme needs one.
struct DesktopThemeCase {
  const char* name;
  const char* plugin;  // the platform theme's plugin
  bool needs_display;  // GTK opens the display itself
  const char* where;   // who installs it, for the message when it is missing
};

class DesktopTheme : public ::testing::TestWithParam<DesktopThemeCase> {};

TEST_P(DesktopTheme, TheFaceIsTheSameUnderADarkDesktopTheme) {
  const DesktopThemeCase& theme = GetParam();
  const QString plugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
  if (!QFile::exists(plugins + "/platformthemes/" + theme.plugin))
    GTEST_SKIP() << "no " << theme.plugin << " here for this processor (" << theme.where << ")";
  if (theme.needs_display && QStandardPaths::findExecutable("xvfb-run").isEmpty())
    GTEST_SKIP() << "no xvfb-run here (tools/test installs it)";
  QTemporaryDir folder;
  ASSERT_TRUE(QDir(folder.path()).mkpath("config/qt6ct"));
  WriteBytes(folder.filePath("config/qt6ct/qt6ct.conf"),
             "[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\n"
             "custom_palette=true\nstyle=Fusion\n");
  WriteBytes(folder.filePath("pll.ini"), "[Freq]\nF1=7000\n[Opombe]\nT5=Radio Študent\n");
  const auto grab = [&](bool themed, const QString& image, bool store_panel) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", theme.needs_display ? "xcb" : "offscreen");
    environment.remove("QT_QPA_PLATFORMTHEME");
    if (themed && QString(theme.name) == "qt6ct") {
      environment.insert("QT_QPA_PLATFORMTHEME", "qt6ct");
      environment.insert("XDG_CONFIG_HOME", folder.filePath("config"));
    } else if (themed) {
      environment.insert("QT_QPA_PLATFORMTHEME", "gtk3");
      environment.insert("GTK_THEME", "Adwaita:dark");
    }
    child.setProcessEnvironment(environment);
    QStringList arguments = {"grab", folder.filePath("pll.ini"), image};
    if (store_panel) arguments << "store-panel";
    if (theme.needs_display)
      child.start("xvfb-run",
                  QStringList{"-a", "-s", "-screen 0 1024x768x24", ORX_TEST_CHILD} + arguments);
    else
      child.start(ORX_TEST_CHILD, arguments);
    return child.waitForFinished(20000) && child.exitCode() == 0 ? QImage(image) : QImage();
  };
  // Closed, and with the store panel open: its text boxes keep their colours too.
  for (const bool store_panel : {false, true}) {
    const QImage plain = grab(false, folder.filePath("plain.png"), store_panel);
    const QImage themed = grab(true, folder.filePath("themed.png"), store_panel);
    ASSERT_FALSE(plain.isNull());
    ASSERT_FALSE(themed.isNull());
    EXPECT_TRUE(themed == plain) << (store_panel ? "with the store panel open" : "closed");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Dark, DesktopTheme,
    ::testing::Values(DesktopThemeCase{"qt6ct", "libqt6ct.so", false,
                                       "tools/test installs it for the machine's own; "
                                       "qt6ct for a second processor cannot be installed "
                                       "beside it"},
                      DesktopThemeCase{"gtk3", "libqgtk3.so", true,
                                       "tools/test and tools/check-cross install it"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Desktop, EveryControlHasASlovenianNameForScreenReaders) {
  EXPECT_EQ(Name(form->HScroll1), "Frekvenca v kHz");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(form->HScroll1)
                ->valueInterface()
                ->currentValue()
                .toInt(),
            7000);
  EXPECT_EQ(Name(form->M(5)), "Spomin M5");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(form->M(5))->text(QAccessible::Description),
            QStringLiteral("Radio Študent"));
  EXPECT_EQ(Name(form->MemN(5)), "Shrani v M5");
  EXPECT_EQ(Name(form->Text1), "Tukaj vpiši svoje opombe");
  EXPECT_EQ(Name(form->Text2), QStringLiteral("Najnižja frekvenca"));
  EXPECT_EQ(Name(form->Exit), "Izhod");
  EXPECT_EQ(Name(form->Label1), "Frekvenca 7000 kHz");
}

// The offscreen platform has no accessibility bridge, so the change event itself cannot be
// caught here; what a screen reader reads on it is checked.
TEST_F(Desktop, TheWindowIsAFrameAndTheStatusLineAStatusBarThatReadsAsItsText) {
  const auto* window = QAccessible::queryAccessibleInterface(form);
  EXPECT_EQ(window->role(), QAccessible::Window);
  EXPECT_EQ(window->text(QAccessible::Name), "ORX frekvenca");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(form->Kon)->role(), QAccessible::StatusBar);
  // Its children are the controls: every one of them named, no drawn line or rectangle.
  QStringList unnamed;
  for (int i = 0; i < window->childCount(); ++i) {
    const auto* child = window->child(i);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(window->indexOfChild(child), i);
    // The notification has nothing to say until something has happened.
    if (child->role() != QAccessible::Notification &&
        child->text(QAccessible::Name).trimmed().isEmpty())
      unnamed << child->object()->objectName();
  }
  EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(' ').toStdString();
  EXPECT_EQ(window->childCount(),
            form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size() - 5);
  QTest::keyClick(form->HScroll1, Qt::Key_Right);
  EXPECT_EQ(Name(form->Kon), "7001 kHz");
  EXPECT_EQ(Name(form->Label1), "Frekvenca 7001 kHz");
  QTest::mouseMove(form->M(5), QPoint(4, 4));
  EXPECT_EQ(Name(form->Kon), QStringLiteral("Radio Študent"));
}

TEST(SpokenResults, EveryRecallRefusalPanelStoreAndLimitSaveIsSaidOnceTheLoadsOwnRecallIsNot) {
  FormHarness harness;
  harness.WriteIni(
      "[Nastavitve]\nmin=1000\nmax=9000\nM3=True\n[Freq]\nF1=4000\nF3=3300\nF4=9500\n");
  auto& form = harness.Create();
  SpokenResults spoken(form);
  form.Form_Load();
  form.show();
  EXPECT_TRUE(spoken.Take().isEmpty());

  form.M(3)->click();  // the selected one again: heard again, nothing retuned
  form.M(2)->click();
  EXPECT_EQ(spoken.Take(), QStringList({"Spomin M2 je prazen"}));  // the last one in an event
  form.M(4)->click();
  EXPECT_EQ(spoken.Take(),
            QStringList{QStringLiteral("Frekvenca spomina M4 je izven meja 1000–9000 kHz")});
  form.M(3)->click();
  EXPECT_EQ(spoken.Take(), QStringList{"Spomin M3: 3300 kHz"});

  form.Mem->click();  // the panel opening is said once, however often Spomin is pressed
  EXPECT_EQ(spoken.Take(),
            QStringList{QStringLiteral(
                "Shranjevanje 3300 kHz: vpišite pripombo in izberite spomin M1–M16")});
  form.Mem->click();
  EXPECT_TRUE(spoken.Take().isEmpty());
  form.MemN(7)->setFocus();
  form.MemN(7)->click();
  EXPECT_EQ(spoken.Take(), QStringList{"Shranjeno v M7: 3300 kHz"});
  EXPECT_EQ(form.focusWidget(), form.Mem);

  form.Mem->click();
  form.Text2->setText("3500");
  form.Text3->setText("8000");
  form.Command1->show();
  form.Command1->setFocus();
  form.Command1->click();
  EXPECT_EQ(spoken.Take(),
            QStringList{QStringLiteral("Meji shranjeni: 3500–8000 kHz, frekvenca 3500 kHz")});
  EXPECT_EQ(form.focusWidget(), form.Mem);
}

TEST_F(Desktop, ATextBoxReadsWholeToAssistiveTechnology) {
  form->Mem->click();
  form->Text2->setText("1000");
  form->Text2->selectAll();
  auto* box = QAccessible::queryAccessibleInterface(form->Text2);
  auto* text = box->textInterface();
  ASSERT_NE(text, nullptr);
  int start = -1;
  int end = -1;
  text->attributes(3, &start, &end);  // one run for the whole text, the last digit included
  EXPECT_EQ(std::pair(start, end), std::pair(0, 4));
  text->selection(0, &start, &end);
  EXPECT_EQ(std::pair(start, end), std::pair(0, 4));
  EXPECT_EQ(text->text(0, text->characterCount()), "1000");
  EXPECT_EQ(text->text(1, 2), "0");  // a screen reader reads between offsets
  EXPECT_EQ(text->text(2, 4), "00");
  EXPECT_EQ(box->text(QAccessible::Value), "1000");
  EXPECT_FALSE(text->characterRect(3).isEmpty());
  box->editableTextInterface()->replaceText(0, 1, "2");
  EXPECT_EQ(form->Text2->text(), "2000");
}

TEST_F(Desktop, TheFocusShowsFromTheFirstMomentAsABlackRing) {
  QApplication::setActiveWindow(form);
  form->Mem->click();  // the text boxes show with the store panel
  for (QWidget* control : std::initializer_list<QWidget*>{form->HScroll1, form->Exit, form->M(3),
                                                          form->Text1, form->Text2}) {
    control->setFocus();
    ASSERT_TRUE(control->hasFocus()) << control->objectName().toStdString();
    const QImage focused = control->grab().toImage();
    EXPECT_EQ(focused.pixelColor(1, control->height() / 2), Qt::black)
        << control->objectName().toStdString();
    EXPECT_EQ(focused.pixelColor(control->width() / 2, 1), Qt::black)
        << control->objectName().toStdString();
    control->clearFocus();
    EXPECT_NE(control->grab().toImage().pixelColor(1, control->height() / 2), Qt::black)
        << control->objectName().toStdString();
  }
}

// A text box with its ring still draws itself: its frame and what is typed into it.
TEST_F(Desktop, TheTextBoxesShowTheirFrameAndText) {
  form->Mem->click();
  for (forms::TextBox* box : {form->Text1, form->Text2, form->Text3}) {
    box->setText(QString());
    const QImage empty = box->grab().toImage();
    box->setText("8888");
    const QImage typed = box->grab().toImage();
    EXPECT_NE(empty, typed) << box->accessibleName().toStdString();
    EXPECT_NE(empty.pixelColor(box->width() / 2, box->height() / 2),
              empty.pixelColor(0, box->height() / 2))  // the white field inside its frame
        << box->accessibleName().toStdString();
  }
}

// The README's picture is the window as it is now: the focus ring shows on the scroll bar.
TEST_F(Desktop, TheReadmePictureShowsTheFocusOnTheScrollBar) {
  const QImage picture(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../docs/screenshot.png"));
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), form->size());
  const QRect bar = form->HScroll1->geometry();
  EXPECT_EQ(picture.pixelColor(bar.left() + 1, bar.center().y()), Qt::black);
  EXPECT_EQ(picture.pixelColor(bar.center().x(), bar.top() + 1), Qt::black);
}

TEST(MessageBoxFace, NoIconInTheBoxAndTheProgramsOwnOnItsWindow) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool has_window_icon = false;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      icon = box->icon();
      has_window_icon = !box->windowIcon().isNull();
      box->close();
    }
  });
  forms::ModalMessageBox("ORX frekvenca")("COM Interface Error\nNaprava COM2 ne obstaja.");
  EXPECT_EQ(icon, QMessageBox::NoIcon);
  EXPECT_TRUE(has_window_icon);
}

TEST_F(Desktop, TheReadOutShowsEveryCaptionWholeWithItsRightEdgeInPlace) {
  const int right = form->Label1->geometry().right();
  form->HScroll1->setRange(-32768, 32767);
  for (int value : {-12000, 32767, -32768, 5}) {
    form->HScroll1->setValue(value);
    const QString text = form->Label1->text();
    EXPECT_GE(form->Label1->width(), form->Label1->fontMetrics().horizontalAdvance(text)) << text;
    EXPECT_EQ(form->Label1->geometry().right(), right) << text;
    EXPECT_GT(form->Label1->x(), form->Shape1->x()) << text;  // inside the read-out's frame
  }
}

TEST_F(Desktop, TheMovePointerBelongsToTheBodyAlone) {
  QTest::mousePress(form, Qt::LeftButton, {}, QPoint(200, 170));
  QTest::mouseRelease(form, Qt::LeftButton, {}, QPoint(200, 170));
  EXPECT_EQ(form->cursor().shape(), Qt::SizeAllCursor);
  for (QWidget* control : std::initializer_list<QWidget*>{form->M(1), form->Exit, form->HScroll1,
                                                          form->Label1, form->Kon}) {
    EXPECT_EQ(control->cursor().shape(), Qt::ArrowCursor) << control->objectName();
  }
  EXPECT_EQ(form->Text1->cursor().shape(), Qt::IBeamCursor);
}

TEST(QtTexts, QtsOwnWordsAreSlovenian) {
  app::SetUpApplication(*qApp);
  const QString copy = QCoreApplication::translate("QLineEdit", "&Copy");
  const QString select_all = QCoreApplication::translate("QLineEdit", "Select All");
  QCoreApplication::setApplicationName("orx_tests");
  EXPECT_EQ(copy, "S&kopiraj");
  EXPECT_EQ(select_all, "Izberi vse");

  QString button;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    if (!box) return;
    if (auto* ok = box->findChild<QPushButton*>()) button = ok->text();
    box->close();
  });
  forms::ModalMessageBox("ORX frekvenca")("COM Interface Error");
  EXPECT_EQ(button, "V redu");
}

}  // namespace
}  // namespace orx::testing
