// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The web page's server as a browser and a hostile page meet it: the files and their headers,
// the requests it refuses, the live channel's state and answers, and what it costs.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QHostInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QWebSocket>
#include <QtTest/QTest>
#include <algorithm>

#include "link/recording_line_device.h"
#include "link/word_frame.h"
#include "remote/receiver_tuning.h"
#include "remote/rigctl_server.h"
#include "remote/tuning_turns.h"
#include "settings/bas_ini_file.h"
#include "settings/pll_ini.h"
#include "support/loopback.h"
#include "support/qt_printers.h"
#include "support/synthesizer.h"
#include "support/temp_file.h"
#include "support/virtual_clock.h"
#include "web/access_key.h"
#include "web/http_adapter.h"
#include "web/live_channel.h"
#include "web/page_messages.h"
#include "web/request_check.h"
#include "web/web_server.h"

namespace orx::testing {
namespace {

// The bounds as the README gives them to the user, not as the code spells them, so that a bound
// moved in the code shows.
constexpr qsizetype kLongestMessage = 1024;
constexpr int kBurst = 40;             // messages at once
constexpr qint64 kUnsent = 64 * 1024;  // kept for a page that stops reading
constexpr int kPages = 16;
constexpr int kConnections = 32;  // still in their request
constexpr int kPatienceMs = 10000;
constexpr qsizetype kLargestRequest = 16 * 1024;

uint16_t Word(int kilohertz) {
  return static_cast<uint16_t>(kilohertz + link::kDividerOffset);
}

struct HttpAnswer {
  int status = 0;
  QByteArray head;  // the status line and the headers, lower-cased
  QByteArray body;
  bool closed = false;
};

// Sends `request` as it stands and reads the answer until the server closes or a whole answer
// of its Content-Length has come.
HttpAnswer Exchange(quint16 port, const QByteArray& request) {
  QTcpSocket socket;
  socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
  if (!socket.waitForConnected(2000)) return {};
  socket.write(request);
  QByteArray got;
  HttpAnswer answer;
  static_cast<void>(QTest::qWaitFor(
      [&] {
        got += socket.readAll();
        const qsizetype end = got.indexOf("\r\n\r\n");
        if (end >= 0) {
          const QByteArray head = got.left(end).toLower();
          const qsizetype length_at = head.indexOf("content-length: ");
          const qsizetype length =
              length_at < 0 ? 0 : head.mid(length_at + 16).split('\r').first().toLongLong();
          const bool closing = head.contains("connection: close");
          if (got.size() >= end + 4 + length && !closing) return true;
        }
        return socket.state() == QAbstractSocket::UnconnectedState;
      },
      3000));
  const qsizetype end = got.indexOf("\r\n\r\n");
  answer.head = got.left(end).toLower();
  answer.body = end < 0 ? QByteArray() : got.mid(end + 4);
  answer.status = answer.head.mid(9, 3).toInt();
  answer.closed = socket.state() == QAbstractSocket::UnconnectedState;
  return answer;
}

QByteArray Request(const QByteArray& method, const QByteArray& path, const QByteArray& headers) {
  return method + ' ' + path + " HTTP/1.1\r\n" + headers + "\r\n";
}

QByteArray Upgrade(const QByteArray& path, const QByteArray& headers) {
  return Request("GET", path,
                 "Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                 "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n" +
                     headers);
}

// A page's live channel, as a browser opens it: with the Origin of the page it belongs to.
struct Page {
  std::unique_ptr<QWebSocket> socket;
  QList<QJsonObject> messages;
  bool closed = false;

  QJsonObject Last(const QString& type) const {
    for (auto it = messages.rbegin(); it != messages.rend(); ++it) {
      if ((*it)["type"].toString() == type) return *it;
    }
    return {};
  }
  void Send(const QJsonObject& message) {
    socket->sendTextMessage(QJsonDocument(message).toJson(QJsonDocument::Compact));
  }
  // The next answer of this kind, after the first `seen` (by default, those already come).
  QJsonObject Next(const QString& type, qsizetype seen = -1) {
    if (seen < 0) seen = messages.size();
    static_cast<void>(QTest::qWaitFor([&] {
      for (qsizetype i = seen; i < messages.size(); ++i)
        if (messages[i]["type"].toString() == type) return true;
      return false;
    }));
    for (qsizetype i = seen; i < messages.size(); ++i)
      if (messages[i]["type"].toString() == type) return messages[i];
    return {};
  }
};

class WebPage : public ::testing::Test {
 protected:
  void Start(const QByteArray& ini, const QByteArray& key = {}, bool stores = true,
             const QHostAddress& address = QHostAddress(QHostAddress::LocalHost)) {
    WriteBytes(IniPath(), ini);
    receiver.Load(settings::basIniFile::ReadIniFile(IniPath()));
    receiver.OpenPort("COM2");
    receiver.SendStartWords();
    device.ClearEvents();
    server = std::make_unique<web::WebServer>(tuning, turns, stores, key, [this] { return now; });
    ASSERT_TRUE(server->Listen(address, 0)) << server->ErrorString().toStdString();
  }
  QString IniPath() const { return settings::SettingsFilePath(folder.path()); }
  QByteArray Host() const { return "127.0.0.1:" + QByteArray::number(server->Port()); }
  QByteArray Own() const { return "Host: " + Host() + "\r\n"; }

  std::unique_ptr<Page> Open(const QString& query = {}, const QString& origin = {}) {
    auto page = std::make_unique<Page>();
    page->socket = std::make_unique<QWebSocket>(
        origin.isNull() ? QStringLiteral("http://") + QString::fromLatin1(Host()) : origin);
    Page* raw = page.get();
    QObject::connect(page->socket.get(), &QWebSocket::textMessageReceived,
                     [raw](const QString& text) {
                       raw->messages << QJsonDocument::fromJson(text.toUtf8()).object();
                     });
    QObject::connect(page->socket.get(), &QWebSocket::disconnected, [raw] { raw->closed = true; });
    page->socket->open(
        QUrl(QStringLiteral("ws://%1/ws%2").arg(QString::fromLatin1(Host()), query)));
    static_cast<void>(QTest::qWaitFor([raw] { return !raw->messages.isEmpty() || raw->closed; }));
    return page;
  }

  std::vector<uint16_t> Words() const { return WordsOf(ReceiveWords(device.Events())); }

  QTemporaryDir folder;
  VirtualClock clock;
  link::RecordingLineDevice device{clock};
  link::Module1 link{device, clock};
  receiver::Receiver receiver{link, {IniPath(), QString()}};
  remote::ReceiverTuning tuning{receiver};
  remote::TuningTurns turns;
  // The time a page's rate is measured by: still, unless a test moves it.
  std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now();
  std::unique_ptr<web::WebServer> server;
};

const QByteArray kIni =
    "[Freq]\nF1=3500\nF2=7000\nF3=abc\nF4=30000\n[Nastavitve]\nmin=0\nmax=24000\n";

TEST_F(WebPage, ServesItsOwnFilesUnderAPolicyThatAllowsNothingElse) {
  Start(kIni);
  for (const char* path : {"/", "/page.js", "/page.css", "/icon.svg", "/nothing"}) {
    SCOPED_TRACE(path);
    const HttpAnswer answer = Exchange(server->Port(), Request("GET", path, Own()));
    EXPECT_EQ(answer.status, QByteArray(path) == "/nothing" ? 404 : 200);
    EXPECT_TRUE(
        answer.head.contains("content-security-policy: default-src 'none'; script-src "
                             "'self'; style-src 'self';"));
    EXPECT_TRUE(answer.head.contains("frame-ancestors 'none'"));
    EXPECT_TRUE(answer.head.contains("x-frame-options: deny"));
    EXPECT_TRUE(answer.head.contains("x-content-type-options: nosniff"));
    EXPECT_FALSE(answer.head.contains("access-control-")) << answer.head.toStdString();
  }
  const HttpAnswer page = Exchange(server->Port(), Request("GET", "/", Own()));
  EXPECT_TRUE(page.head.contains("content-type: text/html; charset=utf-8"));
  EXPECT_TRUE(page.body.contains("<html lang=\"sl\">"));
  EXPECT_TRUE(Exchange(server->Port(), Request("GET", "/page.js", Own()))
                  .head.contains("content-type: text/javascript"));
  const HttpAnswer head = Exchange(server->Port(), Request("HEAD", "/", Own()));
  EXPECT_EQ(head.status, 200);
  EXPECT_TRUE(head.body.isEmpty());
  const HttpAnswer post =
      Exchange(server->Port(), Request("POST", "/ws", Own() + "Content-Length: 0\r\n"));
  EXPECT_EQ(post.status, 405);
  EXPECT_EQ(Exchange(server->Port(), Request("GET", "/ws", Own())).status, 426);
  // Not even the upgrade itself: Qt's own answer would allow the page's origin.
  const HttpAnswer upgraded =
      Exchange(server->Port(), Upgrade("/ws", Own() + "Origin: http://" + Host() + "\r\n"));
  EXPECT_EQ(upgraded.status, 101);
  EXPECT_TRUE(upgraded.head.contains("sec-websocket-accept: s3pplmbitxaq9kygzzhzrbk+xoo="));
  EXPECT_FALSE(upgraded.head.contains("access-control-")) << upgraded.head.toStdString();
  EXPECT_FALSE(upgraded.head.contains("server:")) << upgraded.head.toStdString();
  EXPECT_TRUE(Words().empty());
}

struct ForgedCase {
  const char* name;
  QByteArray host;  // %p is the server's port
  QByteArray origin;
};

class WebPageForged : public WebPage, public ::testing::WithParamInterface<ForgedCase> {};

// Another site's page in the user's browser: its own name pointed at this machine, or its own
// Origin, or a port that is not this server's.
TEST_P(WebPageForged, IsRefusedBeforeAnythingIsServedOrUpgraded) {
  Start(kIni);
  const QByteArray port = QByteArray::number(server->Port());
  QByteArray headers;
  if (!GetParam().host.isNull())
    headers += "Host: " + QByteArray(GetParam().host).replace("%p", port) + "\r\n";
  if (!GetParam().origin.isNull())
    headers += "Origin: " + QByteArray(GetParam().origin).replace("%p", port) + "\r\n";
  const HttpAnswer file = Exchange(server->Port(), Request("GET", "/", headers));
  EXPECT_EQ(file.status, 403);
  EXPECT_TRUE(file.body.startsWith("Zavrnjeno: ")) << file.body.toStdString();
  EXPECT_FALSE(file.body.contains("<html"));
  const HttpAnswer upgrade = Exchange(server->Port(), Upgrade("/ws", headers));
  EXPECT_EQ(upgrade.status, 403);
  EXPECT_TRUE(upgrade.closed);
  // One answer, and nothing of Qt's own after it.
  EXPECT_TRUE(upgrade.body.startsWith("Zavrnjeno: ")) << upgrade.body.toStdString();
  EXPECT_FALSE(upgrade.body.contains("HTTP/1.")) << upgrade.body.toStdString();
  EXPECT_EQ(server->PageCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, WebPageForged,
    ::testing::Values(ForgedCase{"AnotherName", "rebound.example:%p", {}},
                      ForgedCase{"AnotherNameOnPort80", "rebound.example", {}},
                      ForgedCase{"AnotherPort", "127.0.0.1:1", {}}, ForgedCase{"NoHost", {}, {}},
                      ForgedCase{"AnAddressNotServed", "192.0.2.7:%p", {}},
                      ForgedCase{"AnotherSitesOrigin", "127.0.0.1:%p", "http://evil.example"},
                      ForgedCase{"AnOpaqueOrigin", "127.0.0.1:%p", "null"},
                      ForgedCase{"TheOriginOfAnotherPort", "127.0.0.1:%p", "http://127.0.0.1:1"},
                      ForgedCase{"TheOriginOverHttps", "127.0.0.1:%p", "https://127.0.0.1:%p"},
                      ForgedCase{"AnOriginWithAPath", "127.0.0.1:%p", "http://127.0.0.1:%p/x"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WebPage, TakesTheNamesAPageOfThisMachineUses) {
  Start(kIni);
  const QByteArray port = QByteArray::number(server->Port());
  // And this machine's own name, as a phone on the same network reaches it by mDNS or DNS.
  const QByteArray name = QHostInfo::localHostName().toUtf8();
  ASSERT_FALSE(name.isEmpty());
  for (const QByteArray& host :
       {"127.0.0.1:" + port, "localhost:" + port, "LOCALHOST:" + port, "[::1]:" + port,
        name + ':' + port, name.toUpper() + ".local:" + port}) {
    SCOPED_TRACE(host.toStdString());
    EXPECT_EQ(Exchange(server->Port(), Request("GET", "/", "Host: " + host + "\r\n")).status, 200);
    EXPECT_EQ(Exchange(server->Port(),
                       Request("GET", "/", "Host: " + host + "\r\nOrigin: http://" + host + "\r\n"))
                  .status,
              200);
  }
}

TEST(WebRequestCheck, ServedOnEveryInterfaceTakesOnlyThisMachinesAddressesAndNames) {
  const web::RequestCheck check(QHostAddress(QHostAddress::Any), 8080,
                                {QHostAddress("192.168.1.5"), QHostAddress("fd00::5")},
                                {"shack", "shack.local"});
  for (const char* host :
       {"192.168.1.5:8080", "[fd00::5]:8080", "shack:8080", "Shack.Local:8080", "127.0.0.1:8080"})
    EXPECT_TRUE(check.Refusal(host, {}).isEmpty()) << host;
  for (const char* host : {"192.168.1.6:8080", "192.168.1.5:8081", "192.168.1.5", "shack.evil:8080",
                           "3232235781:8080", "192.168.1:8080", "[fd00::5:8080", ":8080"})
    EXPECT_FALSE(check.Refusal(host, {}).isEmpty()) << host;
  const web::RequestCheck one(QHostAddress("192.168.1.5"), 8080, {QHostAddress("192.168.1.6")}, {});
  EXPECT_TRUE(one.Refusal("192.168.1.5:8080", "http://192.168.1.5:8080").isEmpty());
  EXPECT_FALSE(one.Refusal("192.168.1.6:8080", {}).isEmpty());
}

TEST(WebRequestCheck, ServedOnOneAddressTakesNoOtherOfThisMachine) {
  const web::RequestCheck loopback(QHostAddress(QHostAddress::LocalHost), 8080,
                                   {QHostAddress("192.168.1.5"), QHostAddress("fd00::5")},
                                   {"shack"});
  EXPECT_TRUE(loopback.Refusal("127.0.0.1:8080", {}).isEmpty());
  for (const char* host : {"192.168.1.5:8080", "[fd00::5]:8080"})
    EXPECT_FALSE(loopback.Refusal(host, {}).isEmpty()) << host;
}

// The port in Host as a browser writes it: left out for port 80, and from 1 up to 65535.
TEST(WebRequestCheck, APortIsLeftOutForEightyAndGoesFromOneUpTo65535) {
  const web::RequestCheck lowest(QHostAddress(QHostAddress::LocalHost), 1, {}, {});
  EXPECT_TRUE(lowest.Refusal("127.0.0.1:1", "http://127.0.0.1:1").isEmpty());
  EXPECT_FALSE(lowest.Refusal("127.0.0.1:65537", {}).isEmpty());
  const web::RequestCheck eighty(QHostAddress(QHostAddress::LocalHost), 80, {}, {});
  for (const char* host : {"127.0.0.1", "127.0.0.1:80", "localhost"})
    EXPECT_TRUE(eighty.Refusal(host, "http://" + QByteArray(host)).isEmpty()) << host;
  EXPECT_FALSE(eighty.Refusal("127.0.0.1:79", {}).isEmpty());
  const web::RequestCheck highest(QHostAddress(QHostAddress::LocalHost), 65535, {}, {});
  EXPECT_TRUE(highest.Refusal("127.0.0.1:65535", {}).isEmpty());
  EXPECT_FALSE(highest.Refusal("127.0.0.1", {}).isEmpty());
  for (const char* host : {"127.0.0.1:65536", "127.0.0.1:131071", "127.0.0.1:0"})
    EXPECT_FALSE(highest.Refusal(host, {}).isEmpty()) << host;
}

// The longest message taken is 1 KB, to the byte.
TEST(WebPageMessages, TheLongestMessageIsTakenAndOneByteMoreIsNot) {
  const auto padded = [](qsizetype bytes) {
    QString message = QStringLiteral(R"({"do":"tune","kHz":3500})");
    message.insert(1, QString(bytes - message.size(), u' '));  // JSON's own white space
    return message;
  };
  const web::ParsedMessage longest = web::ParsePageMessage(padded(kLongestMessage));
  ASSERT_TRUE(longest.command.has_value()) << longest.refusal.toStdString();
  EXPECT_EQ(std::get<web::TuneTo>(*longest.command).kilohertz, 3500);
  const web::ParsedMessage over = web::ParsePageMessage(padded(kLongestMessage + 1));
  EXPECT_FALSE(over.command.has_value());
  EXPECT_EQ(over.refusal, "Sporočilo je predolgo.");
}

// A request of 16 KB, to the byte, is answered; one byte more is never read to its end, and so
// never answered.
TEST_F(WebPage, TheLargestRequestIsAnsweredAndOneByteMoreIsNot) {
  Start(kIni);
  const auto padded = [this](qsizetype bytes) {
    const QByteArray bare = Request("GET", "/", Own() + "X-Pad: \r\n");
    return Request("GET", "/", Own() + "X-Pad: " + QByteArray(bytes - bare.size(), 'a') + "\r\n");
  };
  ASSERT_EQ(padded(kLargestRequest).size(), kLargestRequest);
  EXPECT_EQ(Exchange(server->Port(), padded(kLargestRequest)).status, 200);
  const HttpAnswer over = Exchange(server->Port(), padded(kLargestRequest + 1));
  EXPECT_EQ(over.status, 0) << over.head.toStdString();
  EXPECT_TRUE(over.head.isEmpty());
}

TEST_F(WebPage, EveryPageSeesEveryChangeWhereverItCameFrom) {
  Start(kIni);
  auto first = Open();
  auto second = Open();
  ASSERT_FALSE(first->closed);
  const QJsonObject state = first->Last("state");
  EXPECT_EQ(state["frequency"].toString(), "3500");
  EXPECT_EQ(state["kHz"].toInt(), 3500);
  EXPECT_EQ(state["status"].toString(), " 3500 kHz");
  EXPECT_EQ(state["lowest"].toInt(), 0);
  EXPECT_EQ(state["highest"].toInt(), 24000);
  EXPECT_EQ(state["notes"].toArray().size(), 16);
  EXPECT_EQ(state["limits"].toArray(), (QJsonArray{"0", "24000"}));
  EXPECT_TRUE(state["stores"].toBool());
  EXPECT_TRUE(state["synthesizer"].toBool());

  // The first changes of all, before any page has done anything: a note stored in the window,
  // then a tuning.
  ASSERT_TRUE(receiver.StorePreset(5, QStringLiteral("Val 202")));
  const auto note_5 = [](const QJsonObject& state) {
    const QJsonArray notes = state["notes"].toArray();
    return notes.size() == 16 ? notes[4].toString() : QString();
  };
  EXPECT_EQ(note_5(first->Next("state")), "Val 202");
  EXPECT_EQ(note_5(second->Last("state")), "Val 202");
  receiver.TuneTo(4000);
  EXPECT_EQ(first->Next("state")["kHz"].toInt(), 4000);
  EXPECT_EQ(second->Last("state")["kHz"].toInt(), 4000);

  first->Send({{"do", "tune"}, {"kHz", 5000}});
  EXPECT_EQ(second->Next("state")["kHz"].toInt(), 5000);
  EXPECT_EQ(first->Last("state")["kHz"].toInt(), 5000);
  EXPECT_EQ(Words(), (std::vector<uint16_t>{Word(4000), Word(5000)}));

  // The window or the control port, through the same receiver.
  receiver.TuneTo(6000);
  EXPECT_EQ(first->Next("state")["kHz"].toInt(), 6000);
  EXPECT_EQ(second->Last("state")["kHz"].toInt(), 6000);

  const qsizetype before_recall = second->messages.size();
  second->Send({{"do", "recall"}, {"preset", 2}});
  const QJsonObject recalled = first->Next("state");
  EXPECT_EQ(recalled["kHz"].toInt(), 7000);
  EXPECT_EQ(recalled["selected"].toInt(), 2);
  const QJsonObject said = second->Next("said", before_recall);
  EXPECT_EQ(said["text"].toString(), "Spomin M2: 7000 kHz");
  EXPECT_FALSE(said["refused"].toBool());
  EXPECT_EQ(Words(), (std::vector<uint16_t>{Word(4000), Word(5000), Word(6000), Word(7000)}));
}

struct RefusalCase {
  const char* name;
  const char* message;
  const char* said;
};

const std::string kLongNote =
    R"({"do":"store","preset":1,"note":")" + std::string(256, 'a') + R"("})";

class WebPageRefusal : public WebPage, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(WebPageRefusal, SaysWhyAndChangesNothing) {
  Start(kIni);
  auto page = Open();
  const QByteArray before = ReadBytes(IniPath());
  page->socket->sendTextMessage(QString::fromUtf8(GetParam().message));
  const QJsonObject said = page->Next("said");
  EXPECT_EQ(said["text"].toString(), QString::fromUtf8(GetParam().said));
  EXPECT_TRUE(said["refused"].toBool());
  QTest::qWait(20);
  EXPECT_TRUE(Words().empty());
  EXPECT_EQ(ReadBytes(IniPath()), before);
  // The selection follows the window's rule: a recall selects its preset whatever it holds.
  EXPECT_EQ(receiver.Frequency(), 3500);
  EXPECT_FALSE(page->closed);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, WebPageRefusal,
    ::testing::Values(
        RefusalCase{"AboveTheBand", R"({"do":"tune","kHz":24001})",
                    "Frekvenca 24001 kHz je izven meja 0–24000 kHz"},
        RefusalCase{"BelowTheBand", R"({"do":"tune","kHz":-1})",
                    "Frekvenca -1 kHz je izven meja 0–24000 kHz"},
        RefusalCase{"AFraction", R"({"do":"tune","kHz":3500.5})",
                    "Frekvenca mora biti celo število kHz."},
        RefusalCase{"AText", R"({"do":"tune","kHz":"3500"})",
                    "Frekvenca mora biti celo število kHz."},
        RefusalCase{"AHugeNumber", R"({"do":"tune","kHz":1e300})",
                    "Frekvenca mora biti celo število kHz."},
        RefusalCase{"AnEmptyPreset", R"({"do":"recall","preset":5})", "Spomin M5 je prazen"},
        RefusalCase{"APresetNotAFrequency", R"({"do":"recall","preset":3})",
                    "Spomin M3 nima veljavne frekvence"},
        RefusalCase{"APresetOutsideTheBand", R"({"do":"recall","preset":4})",
                    "Frekvenca spomina M4 je izven meja 0–24000 kHz"},
        RefusalCase{"PresetZero", R"({"do":"recall","preset":0})",
                    "Spomin mora biti številka od 1 do 16."},
        RefusalCase{"Preset17", R"({"do":"store","preset":17,"note":"x"})",
                    "Spomin mora biti številka od 1 do 16."},
        RefusalCase{"ANoteWithALineEnd", R"({"do":"store","preset":1,"note":"a\n[Freq]\nF1=1"})",
                    "Pripomba ne sme vsebovati novih vrstic ali krmilnih znakov."},
        RefusalCase{"ANoteTooLong", kLongNote.c_str(), "Pripomba je predolga (največ 255 znakov)."},
        RefusalCase{"ReversedLimits", R"({"do":"limits","lowest":"100","highest":"99"})",
                    "Najnižja in najvišja frekvenca morata biti celi števili med -32768 in 32767, "
                    "najnižja pa ne sme biti večja od najvišje."},
        RefusalCase{"ALimitWithALineEnd", R"({"do":"limits","lowest":"0\n","highest":"99"})",
                    "Najnižja in najvišja frekvenca morata biti celi števili med -32768 in 32767, "
                    "najnižja pa ne sme biti večja od najvišje."},
        RefusalCase{"NoJson", "F 14000000", "Sporočilo ni ukaz, ki bi ga sprejemnik poznal."},
        RefusalCase{"AnArray", "[1,2]", "Sporočilo ni ukaz, ki bi ga sprejemnik poznal."},
        RefusalCase{"AnUnknownCommand", R"({"do":"exit"})",
                    "Sporočilo ni ukaz, ki bi ga sprejemnik poznal."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WebPage, StoresAPresetAndTheLimitsByTheWindowsRules) {
  Start(kIni);
  auto page = Open();
  auto watcher = Open();
  // Each change that a store makes is shown to the other pages in one state, not one each.
  const auto states_after = [&watcher](const std::function<void()>& change) {
    const qsizetype before = watcher->messages.size();
    change();
    QTest::qWait(150);
    int states = 0;
    for (qsizetype i = before; i < watcher->messages.size(); ++i)
      states += watcher->messages[i]["type"].toString() == "state";
    return states;
  };
  EXPECT_EQ(states_after([&] {
              page->Send({{"do", "store"}, {"preset", 5}, {"note", "Radio Koper"}});
            }),
            1);
  EXPECT_EQ(page->Last("said")["text"].toString(), "Shranjeno v M5: 3500 kHz");
  EXPECT_FALSE(page->Last("said")["refused"].toBool());
  EXPECT_EQ(settings::basIniFile::ReadIni(IniPath(), "Freq", "F5", ""), "3500");
  EXPECT_EQ(page->Last("state")["notes"].toArray()[4].toString(), "Radio Koper");
  EXPECT_EQ(receiver.Note(5), "Radio Koper");

  // The frequency at once, as ever; the band and the rest after it, together.
  EXPECT_EQ(states_after([&] {
              page->Send({{"do", "limits"}, {"lowest", "100"}, {"highest", "3000"}});
            }),
            2);
  EXPECT_EQ(page->Last("said")["text"].toString(),
            "Meji shranjeni: 100–3000 kHz, frekvenca 3000 kHz");
  EXPECT_FALSE(page->Last("said")["refused"].toBool());
  const QJsonObject state = page->Last("state");
  EXPECT_EQ(state["highest"].toInt(), 3000);
  EXPECT_EQ(state["kHz"].toInt(), 3000);
  EXPECT_EQ(state["limits"].toArray(), (QJsonArray{"100", "3000"}));
  EXPECT_EQ(settings::basIniFile::ReadIni(IniPath(), "Nastavitve", "max", ""), "3000");
  EXPECT_EQ(Words(), std::vector<uint16_t>{Word(3000)});
}

// pll.ini that cannot be written: the page says so, in the window's words, and the file stays.
TEST_F(WebPage, AStoreTheFileRefusesIsSaidAndTheFileStays) {
  Start(kIni);
  Immutable locked(IniPath());
  if (!locked.active()) GTEST_SKIP() << "chattr +i is not available here";
  auto page = Open();
  for (const QJsonObject& message :
       {QJsonObject{{"do", "store"}, {"preset", 5}, {"note", "x"}},
        QJsonObject{{"do", "limits"}, {"lowest", "100"}, {"highest", "3000"}}}) {
    page->Send(message);
    const QJsonObject said = page->Next("said");
    EXPECT_EQ(said["text"].toString(), "Zapisovanje v datoteko pll.ini ni uspelo.")
        << message["do"].toString().toStdString();
    EXPECT_TRUE(said["refused"].toBool());
  }
  EXPECT_EQ(ReadBytes(IniPath()), kIni);
}

TEST_F(WebPage, TheServicesPagesStoreNothing) {
  Start(kIni, {}, false);
  auto page = Open();
  EXPECT_FALSE(page->Last("state")["stores"].toBool());
  const QByteArray before = ReadBytes(IniPath());
  for (const QJsonObject& message :
       {QJsonObject{{"do", "store"}, {"preset", 1}, {"note", "x"}},
        QJsonObject{{"do", "limits"}, {"lowest", "0"}, {"highest", "100"}}}) {
    page->Send(message);
    const QJsonObject said = page->Next("said");
    EXPECT_TRUE(said["text"].toString().startsWith("Storitev nastavitev ne shranjuje"));
    EXPECT_TRUE(said["refused"].toBool());
  }
  EXPECT_EQ(ReadBytes(IniPath()), before);
  EXPECT_EQ(receiver.CurrentBand().highest, 24000);
  page->Send({{"do", "tune"}, {"kHz", 4000}});
  EXPECT_EQ(page->Next("state")["kHz"].toInt(), 4000);
}

// Held buttons send a frequency every 100 ms, and each word costs 70 ms: only the newest of
// those that waited is ever tuned.
TEST_F(WebPage, TuningsThatWaitedAreMergedAndTheNewestWins) {
  Start(kIni);
  auto page = Open();
  for (int kilohertz = 3501; kilohertz <= 3520; ++kilohertz)
    page->Send({{"do", "tune"}, {"kHz", kilohertz}});
  page->socket->flush();
  ASSERT_TRUE(QTest::qWaitFor([&] { return receiver.Frequency() == 3520; }));
  QTest::qWait(50);
  const auto words = Words();
  ASSERT_FALSE(words.empty());
  EXPECT_EQ(words.back(), Word(3520));
  EXPECT_LE(words.size(), 3u) << "a queue of stale words";
  EXPECT_EQ(page->Last("state")["kHz"].toInt(), 3520);
}

// A client pipelining tunings and a page take turns: one word a turn, in rotation.
TEST_F(WebPage, TakesItsTurnsWithTheControlPort) {
  Start(kIni);
  remote::RigctlServer control(tuning, &turns);
  ASSERT_TRUE(control.Listen(QHostAddress(QHostAddress::LocalHost), 0));
  auto page = Open();
  const int fd = LoopbackConnection(control.Port());
  ASSERT_GE(fd, 0);
  QByteArray commands;
  for (int n = 1; n <= 30; ++n) commands += "F " + QByteArray::number((1000 + n) * 1000) + "\n";
  ASSERT_EQ(::send(fd, commands.constData(), commands.size(), 0), commands.size());
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return receiver.Frequency() >= 1001 && receiver.Frequency() < 2000; }));
  page->Send({{"do", "tune"}, {"kHz", 9000}});
  ASSERT_TRUE(QTest::qWaitFor([&] { return receiver.Frequency() == 1030; }, 10000));
  const auto words = Words();
  const auto page_word = std::find(words.begin(), words.end(), Word(9000));
  ASSERT_NE(page_word, words.end());
  // Not after the client's thirty: between them.
  EXPECT_LT(page_word - words.begin(), 10) << "waited behind the control port's client";
  EXPECT_EQ(words.size(), 31u);
  ::close(fd);
}

TEST_F(WebPage, APageThatSendsTooMuchIsSlowedAndTheOthersAreServed) {
  Start(kIni);
  auto flood = Open();
  auto other = Open();
  // What the flood got back so far: answers to its messages, and word that it was slowed.
  const auto count = [&flood] {
    std::pair<int, int> answered_slowed;
    for (const QJsonObject& m : flood->messages) {
      answered_slowed.first += m["text"].toString().startsWith("Frekvenca 99999 kHz");
      // A refusal, as the page shows one.
      answered_slowed.second +=
          m["text"].toString().startsWith("Preveč sporočil") && m["refused"].toBool();
    }
    return answered_slowed;
  };
  const auto flood_with = [&](int messages, std::pair<int, int> then) {
    for (int n = 0; n < messages; ++n) flood->Send({{"do", "tune"}, {"kHz", 99999}});
    flood->socket->flush();
    EXPECT_TRUE(QTest::qWaitFor([&] { return count() >= then; }));
    QTest::qWait(100);  // and nothing more after
    EXPECT_EQ(count(), then) << "answered, told it was slowed";
  };
  // At once: the burst is answered, the rest dropped, and the page told so once.
  flood_with(300, {kBurst, 1});
  // Told again only a second later; by then the bucket has filled by the rate, no more.
  now += std::chrono::milliseconds(975);  // 19.5 messages' worth
  flood_with(50, {kBurst + 19, 1});
  now += std::chrono::milliseconds(50);  // one more, and the second is over
  flood_with(50, {kBurst + 20, 2});
  now += std::chrono::seconds(10);  // full again, and no fuller
  flood_with(100, {2 * kBurst + 20, 3});
  other->Send({{"do", "tune"}, {"kHz", 4000}});
  EXPECT_EQ(other->Next("state")["kHz"].toInt(), 4000);

  // Too large for a message: the connection ends, and nothing changes.
  flood->socket->sendTextMessage(QString(2 * kLongestMessage, u' ') +
                                 R"({"do":"tune","kHz":5000})");
  EXPECT_TRUE(QTest::qWaitFor([&] { return flood->closed; }));
  EXPECT_EQ(receiver.Frequency(), 4000);
}

// A page that stops reading: what is kept for it stays bounded, and once it reads again it gets
// the state as it is by then.
TEST_F(WebPage, APageThatStopsReadingCostsABoundedAmountAndCatchesUp) {
  // Notes make each state some 900 bytes: fine enough to measure the bound by, and large enough
  // that some thousands of changes fill what the system buffers between the two ends.
  QByteArray notes = "[Opombe]\n";
  for (int n = 1; n <= 16; ++n)
    notes += "T" + QByteArray::number(n) + "=" + QByteArray(40, 'a') + "\n";
  Start(kIni + notes);
  const int fd = LoopbackConnection(server->Port(), {.receive_buffer = 4096});
  ASSERT_GE(fd, 0);
  const QByteArray upgrade = Upgrade("/ws", Own() + "Origin: http://" + Host() + "\r\n");
  ASSERT_EQ(::send(fd, upgrade.constData(), upgrade.size(), 0), upgrade.size());
  // A page that does not read answers no ping either; on a slow computer the changes below take
  // longer than the two pings after which such a page is let go.
  server->SetPingInterval(std::chrono::minutes(10));
  ASSERT_TRUE(QTest::qWaitFor([&] { return server->PageCount() == 1; }));
  const auto kept_for_it = [&] {
    qint64 kept = 0;
    for (const QWebSocket* socket : server->findChildren<QWebSocket*>())
      kept += socket->bytesToWrite();
    return kept;
  };
  // Changes until the system's buffers are full and the program holds the page back, and some
  // more after that.
  for (int n = 0, more = 1000; n < 30000 && more > 0; ++n) {
    receiver.TuneTo(1000 + n % 2000);
    QCoreApplication::processEvents();
    if (kept_for_it() > 0) --more;
  }
  receiver.TuneTo(12345);
  QTest::qWait(100);
  const qint64 kept = kept_for_it();
  auto other = Open();
  EXPECT_EQ(other->Last("state")["kHz"].toInt(), 12345);
  // The bound, and the one state (and its frame's head) that crossed it.
  const qsizetype state =
      QJsonDocument(other->Last("state")).toJson(QJsonDocument::Compact).size() + 14;
  EXPECT_GT(kept, kUnsent) << "less kept than the bound, or the page was never held back";
  EXPECT_LE(kept, kUnsent + state);

  // It reads again: the newest state comes last.
  QByteArray got;
  char buffer[65536];
  const timeval patience{0, 200000};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
  const int larger = 1 << 20;  // reading back quickly, even under the sanitizers
  setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &larger, sizeof larger);
  QElapsedTimer reading;
  reading.start();
  while (reading.elapsed() < 60000 && !got.contains("\"kHz\":12345")) {
    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n > 0) got.append(buffer, n);
    QCoreApplication::processEvents();
  }
  EXPECT_TRUE(got.contains("\"kHz\":12345")) << got.size() << " bytes read";
  // Caught up, it is sent nothing more until something changes.
  QByteArray after;
  for (reading.restart(); reading.elapsed() < 400;) {
    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n > 0) after.append(buffer, n);
    QCoreApplication::processEvents();
  }
  EXPECT_FALSE(after.contains("\"state\"")) << after.size() << " bytes more";
  ::close(fd);
}

TEST_F(WebPage, BeyondThisMachineOnlyAPageWithTheKeyIsLetIn) {
  const QByteArray key = "abcdefghijklmnopqrstuv";
  Start(kIni, key);
  EXPECT_TRUE(server->Links().first().endsWith("/#key=abcdefghijklmnopqrstuv"));
  for (const QString& query :
       {QString(), QStringLiteral("?key="), QStringLiteral("?key=abcdefghijklmnopqrstuw"),
        QStringLiteral("?key=abcdefghijklmnopqrstu"),
        QStringLiteral("?key=abcdefghijklmnopqrstuvw")}) {
    auto page = Open(query);
    EXPECT_TRUE(page->closed) << query.toStdString();
    EXPECT_TRUE(page->messages.isEmpty());
  }
  const HttpAnswer refused = Exchange(server->Port(), Upgrade("/ws?key=x", Own()));
  EXPECT_EQ(refused.status, 403);
  EXPECT_TRUE(refused.body.contains("ključ")) << refused.body.toStdString();
  auto page = Open("?key=" + QString::fromLatin1(key));
  ASSERT_FALSE(page->closed);
  page->Send({{"do", "tune"}, {"kHz", 4000}});
  EXPECT_EQ(page->Next("state")["kHz"].toInt(), 4000);
  EXPECT_EQ(Words(), std::vector<uint16_t>{Word(4000)});
}

// What a stranger or another site's page may be behind is told on standard error, at most once a
// minute for each address and kind, and what it sent cannot drive the terminal.
TEST_F(WebPage, ARefusalThatAStrangerMayBeBehindIsToldQuietly) {
  const QByteArray key = "abcdefghijklmnopqrstuv";
  Start(kIni, key);
  QStringList told;
  server->TellRefusals([&told](const QString& line) { told << line; }, [this] { return now; });
  const QByteArray port = QByteArray::number(server->Port());
  const auto forged = [&](const QByteArray& host) {
    EXPECT_EQ(Exchange(server->Port(), Request("GET", "/", "Host: " + host + "\r\n")).status, 403);
  };
  forged("\x1b[2Jrebound.example:" + port);
  const QString rebound =
      "spletna stran: zahteva z naslova 127.0.0.1 je zavrnjena: zahteva za „?[2Jrebound.example:" +
      port + "“, ki ni ta strežnik (morda stran drugega spletišča).";
  EXPECT_EQ(told, QStringList{rebound});
  forged("rebound.example:" + port);
  EXPECT_EQ(Exchange(server->Port(), Request("GET", "/", Own() + "Origin: http://evil.example\r\n"))
                .status,
            403);
  EXPECT_EQ(told.size(), 1) << "the same address and kind within a minute";

  // A missing key is another kind.
  EXPECT_EQ(Exchange(server->Port(), Upgrade("/ws?key=x", Own())).status, 403);
  ASSERT_EQ(told.size(), 2);
  EXPECT_EQ(told[1],
            "spletna stran: zahteva z naslova 127.0.0.1 je zavrnjena: ključ za spletno stran "
            "manjka ali ni pravi.");
  // The user's own requests are not told.
  EXPECT_EQ(Exchange(server->Port(), Request("GET", "/", Own())).status, 200);
  auto page = Open("?key=" + QString::fromLatin1(key));
  EXPECT_FALSE(page->closed);
  EXPECT_EQ(told.size(), 2);

  now += std::chrono::seconds(59);
  forged("rebound.example:" + port);
  EXPECT_EQ(told.size(), 2);
  now += std::chrono::seconds(1);
  forged("\x1b]0;owned\x07\x1b[2J:" + port);
  ASSERT_EQ(told.size(), 3);
  EXPECT_FALSE(told[2].contains(QChar(0x1b))) << told[2].toStdString();
  EXPECT_FALSE(told[2].contains(QChar(0x07)));
  EXPECT_TRUE(told[2].contains("„?]0;owned??[2J:" + port + "“")) << told[2].toStdString();
}

// Served on every interface, the link for each of this machine's addresses a phone could reach:
// not loopback, not link-local (which needs the interface named), IPv4 only when asked for.
TEST_F(WebPage, ServedEverywhereItOffersALinkForEachAddressAPhoneCanReach) {
  const QByteArray key = "abcdefghijklmnopqrstuv";
  for (const auto every : {QHostAddress::AnyIPv4, QHostAddress::Any}) {
    SCOPED_TRACE(every);
    Start(kIni, key, true, QHostAddress(every));
    QStringList expected;
    for (const QHostAddress& own : QNetworkInterface::allAddresses()) {
      if (own.isLoopback() || own.isLinkLocal()) continue;
      const bool v4 = own.protocol() == QAbstractSocket::IPv4Protocol;
      if (every == QHostAddress::AnyIPv4 && !v4) continue;
      expected << QStringLiteral("http://%1:%2/#key=%3")
                      .arg(v4 ? own.toString() : "[" + own.toString() + "]")
                      .arg(server->Port())
                      .arg(QString::fromLatin1(key));
    }
    if (expected.isEmpty())
      expected << QStringLiteral("http://127.0.0.1:%1/#key=%2").arg(server->Port()).arg(key);
    EXPECT_EQ(server->Links(), expected);
  }
}

// A page is asked every interval whether it is still there; one that answered nothing since the
// last time is gone, and its place is free. A browser answers by itself.
TEST_F(WebPage, APageThatAnswersNoPingIsClosedAndOneThatDoesStays) {
  Start(kIni);
  server->SetPingInterval(std::chrono::milliseconds(200));
  auto answering = Open();
  const int deaf = LoopbackConnection(server->Port(), {});
  ASSERT_GE(deaf, 0);
  const QByteArray upgrade = Upgrade("/ws", Own() + "Origin: http://" + Host() + "\r\n");
  ASSERT_EQ(::send(deaf, upgrade.constData(), upgrade.size(), 0), upgrade.size());
  ASSERT_TRUE(QTest::qWaitFor([&] { return server->PageCount() == 2; }));
  QElapsedTimer waited;
  waited.start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return server->PageCount() == 1; }, 3000));
  // Not at the first ping, which it was never asked before: at the second.
  EXPECT_GE(waited.elapsed(), 150);
  QTest::qWait(700);
  EXPECT_FALSE(answering->closed);
  answering->Send({{"do", "tune"}, {"kHz", 4000}});
  EXPECT_EQ(answering->Next("state")["kHz"].toInt(), 4000);
  ::close(deaf);
}

TEST_F(WebPage, ThePagesOpenAtOnceAreBounded) {
  Start(kIni);
  std::vector<std::unique_ptr<Page>> pages;
  for (int n = 0; n < kPages; ++n) pages.push_back(Open());
  EXPECT_EQ(server->PageCount(), kPages);
  const HttpAnswer more = Exchange(server->Port(), Upgrade("/ws", Own()));
  EXPECT_EQ(more.status, 503);
  pages.pop_back();
  ASSERT_TRUE(QTest::qWaitFor([&] { return server->PageCount() < kPages; }));
  EXPECT_FALSE(Open()->closed);
}

// A connection that has not finished its request costs a socket: at most 32 such at once, each
// for 10 s at most. A page's live channel is not one of them.
TEST_F(WebPage, ConnectionsStillInTheirRequestAreBoundedInNumberAndTime) {
  Start(kIni);
  auto page = Open();
  ASSERT_FALSE(page->closed);
  constexpr int kBound = kConnections;
  std::vector<std::unique_ptr<QTcpSocket>> idle;
  QElapsedTimer since_idle;
  since_idle.start();
  const auto connect_idle = [&](const QByteArray& sent) {
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QHostAddress(QHostAddress::LocalHost), server->Port());
    EXPECT_TRUE(socket->waitForConnected(2000));
    socket->write(sent);  // a request that never ends, or nothing at all
    socket->flush();
    idle.push_back(std::move(socket));
  };
  for (int n = 0; n < kBound - 1; ++n)
    connect_idle(n % 2 ? QByteArray() : "GET / HTTP/1.1\r\n" + Own());
  QTest::qWait(300);
  // The last one of the bound is served.
  EXPECT_EQ(Exchange(server->Port(), Request("GET", "/", Own())).status, 200);
  QTest::qWait(300);
  connect_idle({});
  QTest::qWait(300);
  const HttpAnswer over = Exchange(server->Port(), Request("GET", "/", Own()));
  EXPECT_EQ(over.status, 0) << over.head.toStdString();
  EXPECT_TRUE(over.closed);
  for (const auto& socket : idle) EXPECT_EQ(socket->state(), QAbstractSocket::ConnectedState);
  idle.front()->abort();
  QTest::qWait(300);
  EXPECT_EQ(Exchange(server->Port(), Request("GET", "/", Own())).status, 200);

  // Each is closed after its time, and none much before.
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return std::all_of(idle.begin(), idle.end(), [](const auto& socket) {
          return socket->state() == QAbstractSocket::UnconnectedState;
        });
      },
      kPatienceMs + 3000));
  EXPECT_GE(since_idle.elapsed(), kPatienceMs - 500);
  page->Send({{"do", "tune"}, {"kHz", 4000}});
  EXPECT_EQ(page->Next("state")["kHz"].toInt(), 4000) << "the page's channel was closed too";
  EXPECT_FALSE(page->closed);
}

TEST(WebAccessKey, IsMadeOnceForItsOwnerAloneAndKeptAcrossRuns) {
  QTemporaryDir folder;
  const QString file = folder.filePath("state/web-key");
  const auto made = web::AccessKey::LoadOrCreate(file, false);
  ASSERT_TRUE(made.error.isEmpty()) << made.error.toStdString();
  EXPECT_TRUE(web::AccessKey::WellFormed(made.key));
  struct stat status {};
  ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
  ASSERT_EQ(::stat(QFile::encodeName(folder.filePath("state")).constData(), &status), 0);
  EXPECT_EQ(status.st_mode & 0077, 0u);
  EXPECT_EQ(web::AccessKey::LoadOrCreate(file, false).key, made.key);
  const auto renewed = web::AccessKey::LoadOrCreate(file, true);
  EXPECT_NE(renewed.key, made.key);
  EXPECT_EQ(web::AccessKey::LoadOrCreate(file, false).key, renewed.key);
  EXPECT_NE(web::AccessKey::LoadOrCreate(folder.filePath("other"), false).key, renewed.key);

  WriteBytes(file, "not a key\n");
  const auto damaged = web::AccessKey::LoadOrCreate(file, false);
  EXPECT_TRUE(damaged.key.isEmpty());
  EXPECT_TRUE(damaged.error.contains(file)) << damaged.error.toStdString();
  EXPECT_EQ(ReadBytes(file), "not a key\n");

  // Every character of base64url, and nothing else, in a key of 22.
  for (const char* key :
       {"ABCDEFGHIJKLMNOPQRSTUV", "WXYZabcdefghijklmnopqr", "stuvwxyz0123456789-_AZ"})
    EXPECT_TRUE(web::AccessKey::WellFormed(key)) << key;
  for (const char* key :
       {"ABCDEFGHIJKLMNOPQRSTU", "ABCDEFGHIJKLMNOPQRSTUVW", "ABCDEFGHIJKLMNOPQRSTU+",
        "ABCDEFGHIJKLMNOPQRSTU/", "ABCDEFGHIJKLMNOPQRSTU=", "ABCDEFGHIJKLMNOPQRSTU ",
        "ABCDEFGHIJKLMNOPQRSTU@", "ABCDEFGHIJKLMNOPQRSTU[", "ABCDEFGHIJKLMNOPQRSTU`",
        "ABCDEFGHIJKLMNOPQRSTU{", "ABCDEFGHIJKLMNOPQRSTU.", "ABCDEFGHIJKLMNOPQRSTU:"})
    EXPECT_FALSE(web::AccessKey::WellFormed(key)) << key;
  EXPECT_TRUE(web::AccessKey::Matches(made.key, made.key));
  EXPECT_FALSE(web::AccessKey::Matches("", ""));
  EXPECT_FALSE(web::AccessKey::Matches(made.key.left(21), made.key));
  QByteArray last = made.key;
  last[21] = last[21] == 'A' ? 'B' : 'A';
  EXPECT_FALSE(web::AccessKey::Matches(last, made.key));
}

// Another user of the machine, run for real (setpriv): the key is not his to read, whether it
// lies in a folder made for it or in one that others may enter, new or renewed.
TEST(WebAccessKey, IsNotAnotherUsersToRead) {
  if (geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
    GTEST_SKIP() << "needs root and setpriv to run a child as another user";
  QTemporaryDir folder;
  ASSERT_EQ(chmod(QFile::encodeName(folder.path()).constData(), 0755), 0);
  const auto read_as_another_user = [](const QString& path) {
    QProcess cat;
    cat.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", "cat", path});
    EXPECT_TRUE(cat.waitForFinished(10000));
    return std::pair{cat.exitCode(), cat.readAllStandardOutput()};
  };
  const QString readable = folder.filePath("readable");
  WriteBytes(readable, "x");
  ASSERT_EQ(chmod(QFile::encodeName(readable).constData(), 0644), 0);
  ASSERT_EQ(read_as_another_user(readable), (std::pair{0, QByteArray("x")})) << "setpriv works";
  for (const QString& file : {folder.filePath("web-key"), folder.filePath("state/web-key")}) {
    for (const bool renewed : {false, true}) {
      const auto key = web::AccessKey::LoadOrCreate(file, renewed);
      ASSERT_FALSE(key.key.isEmpty()) << key.error.toStdString();
      const auto [status, got] = read_as_another_user(file);
      EXPECT_NE(status, 0) << file.toStdString() << (renewed ? ", renewed" : "");
      EXPECT_FALSE(got.contains(key.key));
    }
  }
}

}  // namespace
}  // namespace orx::testing
