// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The web page of both faces in Debian's Chromium, on a phone's touch viewport, with the faces
// as children on the recording link: what the user does on the page reaches the wire, every
// page and the control port see the same receiver, and another site's page tunes nothing.
#include <gtest/gtest.h>
#include <signal.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>

#include "support/face_child.h"

namespace orx::testing {
namespace {

constexpr uint16_t kControlWord = 0x8505;

uint16_t Word(int kilohertz) {
  return static_cast<uint16_t>(kilohertz + 12);
}

class WebPageFaces : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable("chromium").isEmpty()) GTEST_SKIP() << "no chromium here";
  }
  // The face on F1=1000 (or on `settings`), its page on a free port of `address` (or on
  // `port`).
  void Start(const QString& address = "127.0.0.1", quint16 port = 0,
             const QByteArray& settings =
                 "[Freq]\nF1=1000\nF2=7000\n[Nastavitve]\nmin=100\n"
                 "max=30000\n") {
    const QString ini = folder.filePath("pll.ini");
    WriteBytes(ini, settings);
    qputenv("ORX_TEST_WEB_ADDRESS", address.toLatin1());
    qputenv("ORX_TEST_WEB_KEY_FILE", KeyFile().toLocal8Bit());
    qputenv("ORX_TEST_WEB_PORT", QByteArray::number(port));
    rigctl_port = StartFace(child, GetParam(), ini, folder.filePath("events"));
    qunsetenv("ORX_TEST_WEB_ADDRESS");
    qunsetenv("ORX_TEST_WEB_KEY_FILE");
    qunsetenv("ORX_TEST_WEB_PORT");
    ASSERT_TRUE(child.canReadLine() || child.waitForReadyRead(10000));
    const QByteArray announced = child.readLine().trimmed();
    ASSERT_TRUE(announced.startsWith("web ")) << announced.toStdString();
    web_port = static_cast<quint16>(announced.mid(4).toUInt());
  }
  QString KeyFile() const { return folder.filePath("state/web-key"); }
  QString Url() const { return QStringLiteral("http://127.0.0.1:%1/").arg(web_port); }

  QJsonObject Check(const QStringList& arguments) {
    QProcess check;
    check.start(
        "python3",
        QStringList{QStringLiteral(QT_TESTCASE_SOURCEDIR) + "/browser/page_check.py"} + arguments);
    EXPECT_TRUE(check.waitForFinished(90000));
    const QByteArray report = check.readAllStandardOutput();
    EXPECT_EQ(check.exitCode(), 0)
        << report.toStdString() << check.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(report).object();
  }
  // Ends the face with a signal and gives the words that reached the wire.
  std::vector<uint16_t> Stop() { return StopFace(child, folder.filePath("events"), messages); }

  QTemporaryDir folder;
  QProcess child;
  quint16 rigctl_port = 0;
  quint16 web_port = 0;
  QString messages;
};

TEST_P(WebPageFaces, TheUserTunesByStepByTheKeypadAndByAPreset) {
  Start();
  const QJsonObject seen = Check({"use", Url()});
  EXPECT_TRUE(seen["connected"].toBool());
  EXPECT_EQ(seen["start"].toString(), "1000");
  EXPECT_EQ(seen["after_tap"].toString(), "1001");
  // Held for 1.2 s: a step at once, then one every 100 ms after 400 ms. A busy machine holds it
  // longer, as the page measures, and may step late, never early.
  const int held = seen["after_hold"].toString().toInt();
  const double hold_ms = seen["hold_ms"].toDouble();
  ASSERT_GT(hold_ms, 1100);
  EXPECT_GE(held, 1005);
  EXPECT_LE(held, 1001 + 1 + static_cast<int>((hold_ms - 400) / 100) + 1) << hold_ms << " ms";
  EXPECT_EQ(seen["focus_after_readout"].toString(), "kilohertz");
  EXPECT_EQ(seen["after_entry"].toString(), "5000");
  EXPECT_EQ(seen["after_preset"].toString(), "7000");
  EXPECT_EQ(seen["preset_pressed"].toString(), "true");
  EXPECT_EQ(seen["said_empty"].toString(), "Spomin M5 je prazen");
  EXPECT_EQ(seen["focused"].toString(), "−1 kHz");
  EXPECT_EQ(seen["after_keyboard"].toString(), "6999");

  // Every control by its name, for a screen reader; the read-out is a live region.
  const QJsonObject names = seen["names"].toObject();
  QStringList buttons;
  for (const auto& name : names["button"].toArray()) buttons << name.toString();
  for (const char* name : {"−100 kHz", "−10 kHz", "−5 kHz", "−1 kHz", "+1 kHz", "+5 kHz", "+10 kHz",
                           "+100 kHz", "M1", "M16", "Uglasi"})
    EXPECT_TRUE(buttons.contains(QString::fromUtf8(name))) << name;
  EXPECT_TRUE(names["textbox"].toArray().contains("Frekvenca"));
  for (const char* layout : {"phone", "width_320", "width_430", "zoom_200"}) {
    const QJsonObject fit = seen[layout].toObject();
    EXPECT_EQ(fit["small"].toArray(), QJsonArray()) << layout << ": under 44 px";
    EXPECT_FALSE(fit["overflow"].toBool()) << layout << ": wider than the screen";
    EXPECT_EQ(fit["live"].toString(), "polite") << layout;
  }

  const auto words = Stop();
  ASSERT_GE(words.size(), 6u);
  EXPECT_EQ(words[0], kControlWord);
  EXPECT_EQ(words[1], Word(1000));
  EXPECT_EQ(words[2], Word(1001));
  EXPECT_EQ(words.back(), Word(6999));
  EXPECT_EQ(words.end()[-2], Word(7000));
  EXPECT_EQ(words.end()[-3], Word(5000));
  EXPECT_EQ(words.end()[-4], Word(held));
}

TEST_P(WebPageFaces, TwoPagesAndTheControlPortSeeOneReceiver) {
  Start();
  const QJsonObject seen = Check({"two", Url(), QString::number(rigctl_port)});
  EXPECT_TRUE(seen["connected"].toBool());
  EXPECT_EQ(seen["second_after_first"].toString(), "1010");
  EXPECT_EQ(seen["rigctl"].toString(), "RPRT 0\n");
  EXPECT_EQ(seen["first_after_rigctl"].toString(), "12000");
  EXPECT_EQ(seen["second_after_rigctl"].toString(), "12000");
  EXPECT_EQ(Stop(), (std::vector<uint16_t>{kControlWord, Word(1000), Word(1010), Word(12000)}));
}

// The program ends and starts again while a page is open: the page says so, lets nothing be
// pressed meanwhile, and comes back by itself with the state in full.
TEST_P(WebPageFaces, APageComesBackByItselfWhenTheProgramDoes) {
  Start();
  QProcess check;
  check.start("python3", {QStringLiteral(QT_TESTCASE_SOURCEDIR) + "/browser/page_check.py",
                          "reconnect", Url()});
  const auto next_line = [&check] {
    while (!check.canReadLine())
      if (!check.waitForReadyRead(40000)) return QByteArray("<none>");
    return check.readLine().trimmed();
  };
  ASSERT_EQ(next_line(), "connected") << check.readAllStandardError().toStdString();
  EXPECT_EQ(Stop(), (std::vector<uint16_t>{kControlWord, Word(1000)}));
  ASSERT_EQ(next_line(), "lost") << check.readAllStandardError().toStdString();
  const quint16 port = web_port;
  Start("127.0.0.1", port,
        "[Freq]\nF1=2000\n[Opombe]\nT2=Val 202\n[Nastavitve]\nmin=200\nmax=20000\n");
  ASSERT_EQ(web_port, port);
  ASSERT_TRUE(check.waitForFinished(60000));
  const QByteArray report = check.readAllStandardOutput();
  ASSERT_EQ(check.exitCode(), 0) << report.toStdString()
                                 << check.readAllStandardError().toStdString();
  const QJsonObject seen = QJsonDocument::fromJson(report).object();
  EXPECT_TRUE(seen["connected"].toBool());
  EXPECT_EQ(seen["before"].toString(), "1000");
  EXPECT_TRUE(seen["lost"].toBool());
  EXPECT_TRUE(seen["lost_controls_disabled"].toBool());
  EXPECT_TRUE(seen["back"].toBool());
  EXPECT_FALSE(seen["after_controls_disabled"].toBool());
  EXPECT_EQ(seen["after"].toString(), "2000");
  EXPECT_EQ(seen["after_note"].toString(), "Val 202");
  EXPECT_EQ(seen["after_band"].toString(), "Meje: 200–20000 kHz");
  EXPECT_EQ(seen["after_tap"].toString(), "2001");
  EXPECT_EQ(Stop(), (std::vector<uint16_t>{kControlWord, Word(2000), Word(2001)}));
}

// Storing from a page: the window keeps it in pll.ini by its rules; the service keeps no settings,
// and says so.
TEST_P(WebPageFaces, APageStoresWhereTheFaceKeepsSettings) {
  Start();
  QWebSocket page(Url().chopped(1));  // the page's own origin
  QStringList said;
  QObject::connect(&page, &QWebSocket::textMessageReceived, [&said](const QString& text) {
    const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
    if (message["type"] == "said") said << message["text"].toString();
  });
  page.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(web_port)));
  ASSERT_TRUE(QTest::qWaitFor([&page] { return page.state() == QAbstractSocket::ConnectedState; }));
  page.sendTextMessage(R"({"do":"store","preset":5,"note":"Val 202"})");
  ASSERT_TRUE(QTest::qWaitFor([&said] { return !said.isEmpty(); }));
  const bool service = QByteArray(GetParam()) == "service";
  EXPECT_EQ(said.first(), service ? "Storitev nastavitev ne shranjuje: spomine in meje shranite v "
                                    "oknu programa."
                                  : "Shranjeno v M5: 1000 kHz");
  page.close();
  Stop();
  const QByteArray ini = ReadBytes(folder.filePath("pll.ini"));
  EXPECT_EQ(ini.contains("F5=1000"), !service) << ini.toStdString();
}

// The same messages the user's page sends, from a page of another site in the same browser.
TEST_P(WebPageFaces, AnotherSitesPageTunesNothing) {
  Start();
  const QJsonObject seen = Check({"hostile", QString::number(web_port)});
  EXPECT_FALSE(seen["opened"].toBool());
  EXPECT_EQ(seen["messages"].toInt(), 0);
  EXPECT_EQ(Stop(), (std::vector<uint16_t>{kControlWord, Word(1000)}));
  // The user hears of it, where the program's other words go.
  EXPECT_TRUE(
      messages.contains("spletna stran: zahteva z naslova 127.0.0.1 je zavrnjena: zahteva "
                        "s strani „http://localhost:"))
      << messages.toStdString();
}

TEST_P(WebPageFaces, BeyondThisMachineAPageWithoutTheKeyTunesNothing) {
  Start("0.0.0.0");
  const QByteArray key = ReadBytes(KeyFile()).trimmed();
  ASSERT_EQ(key.size(), 22);
  const QJsonObject seen = Check({"key", Url(), Url() + "#key=" + QString::fromLatin1(key)});
  EXPECT_EQ(seen["without"].toString(), "ni povezave");
  EXPECT_EQ(seen["without_read_out"].toString(), "—");
  EXPECT_TRUE(seen["with"].toBool());
  EXPECT_EQ(seen["with_after_tap"].toString(), "1001");
  EXPECT_EQ(Stop(), (std::vector<uint16_t>{kControlWord, Word(1000), Word(1001)}));
  // The whole link, key included, for each address served.
  EXPECT_TRUE(messages.contains("spletna stran za telefon: http://")) << messages.toStdString();
  EXPECT_TRUE(messages.contains("/#key=" + QString::fromLatin1(key))) << messages.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Faces, WebPageFaces, ::testing::Values("service", "window-rigctld"),
                         [](const auto& info) {
                           return std::string(info.param) == "service" ? "Service" : "Window";
                         });

}  // namespace
}  // namespace orx::testing
