// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The way from the window to the web page: the link where a user looks for it, on the window's
// context menu, and a QR code that a phone's camera reads back as that very link.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <array>
#include <functional>

#include "app/remote_control.h"
#include "support/form_harness.h"

namespace orx::testing {
namespace {

const QString kNetworkLink = QStringLiteral("http://192.168.1.20:8073/#key=q8Zt0-uVb2Xw_Kd91LmNpA");

class PhoneLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = &harness.StartShown("[Freq]\nF1=7000\n");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  }
  void TearDown() override {
    for (QWidget* window : QApplication::topLevelWidgets())
      if (window != form && window->isVisible()) window->close();
  }

  // What the context menu offers when the user asks for it from the keyboard (Shift+F10), as
  // the texts of its items; the item named `choose` is then chosen from the keyboard.
  QStringList MenuKey(const QString& choose = {}) {
    // Through the window system, as the key reaches the program.
    return Menu(choose,
                [this] { QTest::keyClick(form->windowHandle(), Qt::Key_F10, Qt::ShiftModifier); });
  }
  // The same with the right mouse button on a control.
  QStringList RightClick(QWidget* control, const QString& choose = {}) {
    return Menu(choose, [this, control] {
      QTest::mouseClick(form->windowHandle(), Qt::RightButton, {},
                        control->mapTo(form, control->rect().center()));
    });
  }
  QStringList Menu(const QString& choose, const std::function<void()>& ask) {
    QStringList offered;
    QTimer::singleShot(100, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu) return;
      for (QAction* action : menu->actions()) offered << action->text();
      if (const int at = offered.indexOf(choose); at >= 0) {
        for (int down = 0; down <= at; ++down) QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
      } else {
        menu->close();
      }
    });
    ask();
    QTest::qWait(200);
    return offered;
  }
  QDialog* ShownDialog() const {
    for (QDialog* dialog : form->findChildren<QDialog*>())
      if (dialog->isVisible()) return dialog;
    return nullptr;
  }
  // What a phone's camera reads in the code as the dialog shows it on the screen.
  static QString Scanned(QLabel* code) {
    QTemporaryDir folder;
    const QString picture = folder.filePath("code.png");
    QWidget* window = code->window();
    const QPixmap shown = window->grab(QRect(code->mapTo(window, QPoint(0, 0)), code->size()));
    if (!shown.save(picture)) return "<no picture>";
    QProcess scanner;
    scanner.start("zbarimg", {"--raw", "-q", picture});
    if (!scanner.waitForFinished(10000)) return "<scanner hung>";
    return QString::fromUtf8(scanner.readAllStandardOutput()).trimmed();
  }

  // The light margin on each side of the code's dark modules (left, top, right, bottom), in
  // modules: a camera needs four of them to find where the code begins.
  static std::array<double, 4> QuietZones(const QImage& picture) {
    const QImage gray = picture.convertToFormat(QImage::Format_Grayscale8);
    QRect dark;
    for (int y = 0; y < gray.height(); ++y)
      for (int x = 0; x < gray.width(); ++x)
        if (qGray(gray.pixel(x, y)) < 128) dark |= QRect(x, y, 1, 1);
    if (dark.isEmpty()) return {};
    // The finder pattern in the top left corner begins with a row of seven dark modules.
    int run = 0;
    while (qGray(gray.pixel(dark.left() + run, dark.top())) < 128) ++run;
    const double module = run / 7.0;
    return {dark.left() / module, dark.top() / module, (gray.width() - 1 - dark.right()) / module,
            (gray.height() - 1 - dark.bottom()) / module};
  }

  FormHarness harness;
  ui::Form1* form = nullptr;
};

TEST_F(PhoneLinkTest, TheContextMenuOffersTheLinkAndItsCodeScansBackToTheWholeLink) {
  if (QStandardPaths::findExecutable("zbarimg").isEmpty()) GTEST_SKIP() << "no zbarimg here";
  form->OfferPhoneLinks({kNetworkLink});
  EXPECT_EQ(MenuKey(QStringLiteral("Spletna stran za telefon …")),
            QStringList{QStringLiteral("Spletna stran za telefon …")});
  QDialog* dialog = ShownDialog();
  ASSERT_NE(dialog, nullptr) << "choosing the item showed nothing";
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Spletna stran za telefon"));
  // Not modal: the listener tunes on while the phone takes the code.
  EXPECT_FALSE(dialog->isModal());

  auto* text = dialog->findChild<QLineEdit*>();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text(), kNetworkLink);
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_EQ(QAccessible::queryAccessibleInterface(text)->text(QAccessible::Name), "Povezava");

  QLabel* code = nullptr;
  for (QLabel* label : dialog->findChildren<QLabel*>())
    if (!label->pixmap().isNull()) code = label;
  ASSERT_NE(code, nullptr) << "no QR code shown";
  // Big enough for a camera from half a metre, with whole modules.
  EXPECT_GE(code->pixmap().width(), 200);
  EXPECT_EQ(Scanned(code), kNetworkLink);
  // Light all round, as wide on each side, and nothing drawn into it.
  const std::array<double, 4> quiet = QuietZones(code->pixmap().toImage());
  for (const double side : quiet) EXPECT_NEAR(side, 4.0, 0.05);
  // The code first, where the intro points to it, and the link to copy below it.
  EXPECT_LT(code->mapTo(dialog, QPoint(0, 0)).y(), text->mapTo(dialog, QPoint(0, 0)).y());
  // A screen reader names what the picture is and says the link it holds.
  auto* spoken = QAccessible::queryAccessibleInterface(code);
  EXPECT_EQ(spoken->text(QAccessible::Name), QStringLiteral("Koda QR s povezavo"));
  EXPECT_EQ(spoken->text(QAccessible::Description), kNetworkLink);

  // The copy button puts the whole link where the user pastes it.
  QApplication::clipboard()->clear();
  for (QPushButton* button : dialog->findChildren<QPushButton*>())
    if (button->text() == QStringLiteral("&Kopiraj")) button->click();
  EXPECT_EQ(QApplication::clipboard()->text(), kNetworkLink);

  // Chosen again, the one dialog comes forward rather than a second beside it.
  MenuKey(QStringLiteral("Spletna stran za telefon …"));
  int shown = 0;
  for (QDialog* each : form->findChildren<QDialog*>()) shown += each->isVisible();
  EXPECT_EQ(shown, 1);

  // Enter closes it, from the link's box where the focus first is.
  const QPointer<QDialog> open = dialog;
  QTest::keyClick(text, Qt::Key_Return);
  EXPECT_TRUE(!open || !open->isVisible());
}

// In a text box, Shift+F10 opens the box's own menu of editing, as the right button does.
TEST_F(PhoneLinkTest, ATextBoxKeepsItsOwnMenu) {
  form->OfferPhoneLinks({kNetworkLink});
  form->Mem->click();
  ASSERT_TRUE(form->Text1->isVisible());
  form->Text1->setFocus();
  QApplication::processEvents();
  const QStringList offered = MenuKey();
  EXPECT_FALSE(offered.isEmpty()) << "no menu at all";
  EXPECT_FALSE(offered.contains(QStringLiteral("Spletna stran za telefon …")));
}

TEST_F(PhoneLinkTest, WithoutTheWebPageTheWindowHasNoContextMenu) {
  form->OfferPhoneLinks({});
  EXPECT_EQ(MenuKey(), QStringList());
  EXPECT_EQ(RightClick(form->Label1), QStringList());
}

// Every control keeps the mouse to itself (a press there never moves the window), and yet the
// right button on any of them opens the window's menu.
TEST_F(PhoneLinkTest, TheRightButtonOnAnyControlOffersItAndNotQtsOwnMenuOfTheControl) {
  form->OfferPhoneLinks({kNetworkLink});
  const QStringList window_menu{QStringLiteral("Spletna stran za telefon …")};
  EXPECT_EQ(RightClick(form->Label1), window_menu);
  EXPECT_EQ(RightClick(form->M(3)), window_menu);
  // Not the bar's own menu, whose "Scroll here" would tune by surprise.
  EXPECT_EQ(RightClick(form->HScroll1), window_menu);
  EXPECT_EQ(harness.WordsOnWire(), std::vector<uint16_t>());
}

// Served on this machine alone, the link is no use to a phone, and the dialog says what is.
TEST_F(PhoneLinkTest, TheWebPageOfTheWindowOffersItsOwnLinkAndSaysWhenAPhoneCannotReachIt) {
  app::RemoteControl control;
  app::WebOptions options;
  options.port = 0;
  app::StartWebPage(control, *form, options,
                    [](const QString& text) { ADD_FAILURE() << text.toStdString(); });
  ASSERT_NE(control.web, nullptr);
  MenuKey(QStringLiteral("Spletna stran za telefon …"));
  QDialog* dialog = ShownDialog();
  ASSERT_NE(dialog, nullptr);
  const QString link = QStringLiteral("http://127.0.0.1:%1/").arg(control.web->Port());
  EXPECT_EQ(dialog->findChild<QLineEdit*>()->text(), link);
  bool explained = false;
  for (const QLabel* label : dialog->findChildren<QLabel*>()) {
    EXPECT_TRUE(label->pixmap().isNull()) << "a code that a phone cannot use";
    explained |= label->text().contains(QStringLiteral("le na tem računalniku")) &&
                 label->text().contains(QStringLiteral("--web-address"));
  }
  EXPECT_TRUE(explained);
}

}  // namespace
}  // namespace orx::testing
