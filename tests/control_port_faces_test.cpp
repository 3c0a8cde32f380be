// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Both faces with their control port, as a child on the recording link: a web page in a real
// browser, raw HTTP on a socket and a stranger off the allow list tune nothing, and the user's
// own clients are served all the same.
#include <gtest/gtest.h>
#include <signal.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "support/face_child.h"
#include "support/loopback.h"

namespace orx::testing {
namespace {

constexpr uint16_t kControlWord = 0x8505;
constexpr uint16_t kF1Word = 1000 + 12;

class ShutOut : public ::testing::TestWithParam<const char*> {
 protected:
  // The face on F1=1000, its control port on `control_port` (address, allow list).
  quint16 Start(const QStringList& control_port = {}) {
    ini = folder.filePath("pll.ini");
    WriteBytes(ini, "[Freq]\nF1=1000\n[Nastavitve]\nmin=100\nmax=30000\n");
    return StartFace(child, GetParam(), ini, folder.filePath("events"), control_port);
  }
  // Ends the face with a signal and gives the words that reached the wire, and its messages.
  std::vector<uint16_t> Stop() { return StopFace(child, folder.filePath("events"), messages); }
  int Count(const QString& text) const { return static_cast<int>(messages.count(text)); }

  QTemporaryDir folder;
  QString ini;
  QProcess child;
  QString messages;
};

TEST_P(ShutOut, HttpOnARawSocketIsClosedUnansweredAndSendsNoWord) {
  const quint16 port = Start();
  ASSERT_NE(port, 0);
  for (const QByteArray& request : QList<QByteArray>{
           "POST / HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: text/plain\r\n"
           "Content-Length: 11\r\n\r\nF 14000000\n",
           "GET / HTTP/1.0\r\n\r\nF 14000000\n", "PUT / HTTP/1.1\r\nhost: x\r\n\r\nF 14000000\n",
           "OPTIONS * HTTP/1.1\r\n\r\n", "POST / HTTP/1.1\nF 14000000\nf\n",
           "Origin: http://example.com\r\nF 14000000\n", "\r\n\r\nHOST: x\nF 14000000\n",
           // What came before the request in the same read is not carried out either.
           "F 14000000\nPOST / HTTP/1.1\r\n\r\n"}) {
    // Also when the input ends at once, and with no line end after the request line.
    for (const bool end_input : {false, true}) {
      const int client = LoopbackConnection(port, {0, 3});
      ASSERT_GE(client, 0);
      const QByteArray sent = end_input ? request.chopped(1) : request;
      ASSERT_EQ(send(client, sent.constData(), sent.size(), MSG_NOSIGNAL), sent.size());
      if (end_input) shutdown(client, SHUT_WR);
      const TheEnd end = ReadToTheEnd(client);
      close(client);
      EXPECT_TRUE(end.closed) << sent.toStdString();
      EXPECT_EQ(end.bytes, "") << sent.toStdString();
    }
  }
  const int at_the_end = LoopbackConnection(port, {0, 3});
  ASSERT_EQ(send(at_the_end, "GET / HTTP/1.1", 14, MSG_NOSIGNAL), 14);
  shutdown(at_the_end, SHUT_WR);
  EXPECT_EQ(ReadToTheEnd(at_the_end).bytes, "");
  close(at_the_end);
  const int own = LoopbackConnection(port, {0, 3});
  ASSERT_GE(own, 0);
  ASSERT_EQ(send(own, "f\n", 2, MSG_NOSIGNAL), 2);
  EXPECT_EQ(ReadLine(own), "1000000");
  close(own);
  EXPECT_EQ(Stop(), (std::vector<uint16_t>{kControlWord, kF1Word}));
  EXPECT_EQ(Count("spletna stran (zahteva HTTP z naslova 127.0.0.1)"), 1) << messages.toStdString();
}

TEST_P(ShutOut, AnAllowListLetsInOnlyTheAddressesOnIt) {
  const quint16 port = Start({"0.0.0.0", "127.0.0.1"});
  ASSERT_NE(port, 0);
  // Said once, however often it comes; and refused, it takes none of the eight clients' places.
  for (int attempt = 0; attempt < 10; ++attempt) {
    const int stranger = LoopbackConnection(port, {0, 3, "127.0.0.2"});
    ASSERT_GE(stranger, 0);
    (void)send(stranger, "F 14000000\nf\n", 13, MSG_NOSIGNAL);
    const TheEnd end = ReadToTheEnd(stranger);
    close(stranger);
    EXPECT_TRUE(end.closed);
    EXPECT_EQ(end.bytes, "");
  }

  const int own = LoopbackConnection(port, {0, 3, "127.0.0.1"});
  ASSERT_GE(own, 0);
  ASSERT_EQ(send(own, "F 9000000\nf\n", 12, MSG_NOSIGNAL), 12);
  EXPECT_EQ(ReadLine(own), "RPRT 0");
  EXPECT_EQ(ReadLine(own), "9000000");
  close(own);
  EXPECT_EQ(Stop(), (std::vector<uint16_t>{kControlWord, kF1Word, 9000 + 12}));
  EXPECT_EQ(Count("odjemalec z naslova 127.0.0.2 ni na seznamu --rigctld-allow"), 1)
      << messages.toStdString();
  EXPECT_EQ(Count("ukaze Hamlib sprejema na 0.0.0.0:" + QString::number(port) + " le od 127.0.0.1"),
            1)
      << messages.toStdString();
}

// Debian's Chromium opens a page of another site, which sends the control port a no-cors fetch()
// and a text/plain form, "F 14000000" in each; a witness proves that the browser sent them.
TEST_P(ShutOut, AWebPageInARealBrowserTunesNothing) {
  if (QStandardPaths::findExecutable("chromium").isEmpty()) GTEST_SKIP() << "no chromium here";
  const quint16 port = Start();
  ASSERT_NE(port, 0);
  QProcess page;
  page.start("python3", {QStringLiteral(QT_TESTCASE_SOURCEDIR) + "/browser/hostile_page.py",
                         QString::number(port)});
  ASSERT_TRUE(page.waitForFinished(60000));
  const QByteArray report = page.readAllStandardOutput();
  const QJsonObject witness = QJsonDocument::fromJson(report).object();
  EXPECT_EQ(page.exitCode(), 0) << report.toStdString()
                                << page.readAllStandardError().toStdString();
  EXPECT_TRUE(witness["fetch"].toBool()) << report.toStdString();
  EXPECT_TRUE(witness["form"].toBool()) << report.toStdString();
  EXPECT_EQ(witness["form_content_type"].toString(), "Content-Type: text/plain");

  // Hamlib's own client, next, is served.
  if (!QStandardPaths::findExecutable("rigctl").isEmpty()) {
    QProcess rigctl;
    rigctl.start("rigctl", {"-m", "2", "-r", QString("127.0.0.1:%1").arg(port), "f"});
    ASSERT_TRUE(rigctl.waitForFinished(15000));
    EXPECT_EQ(rigctl.readAllStandardOutput().trimmed(), "1000000");
  }
  EXPECT_EQ(Stop(), (std::vector<uint16_t>{kControlWord, kF1Word}));
  EXPECT_EQ(Count("spletna stran (zahteva HTTP z naslova 127.0.0.1)"), 1) << messages.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Faces, ShutOut, ::testing::Values("service", "window-rigctld"),
                         [](const auto& info) {
                           return std::string(info.param) == "service" ? "Service" : "Window";
                         });

}  // namespace
}  // namespace orx::testing
