// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Who the control port lets in: no web page, whatever shape its request takes, and with an
// allow list only the clients on it; what it shuts out it says, but not without end.
#include <gtest/gtest.h>
#include <sys/socket.h>

#include <QHostAddress>
#include <QTcpSocket>
#include <QTest>

#include "remote/allow_list.h"
#include "remote/door.h"
#include "remote/http_line.h"
#include "remote/rigctl_server.h"
#include "support/fake_tuning.h"

namespace orx::testing {
namespace {

using namespace std::chrono_literals;

TEST(HttpLine, RequestLinesAndABrowsersHeadersButNoHamlibCommand) {
  for (const char* line : {"POST / HTTP/1.1",
                           "GET / HTTP/1.0",
                           "PUT /x?y=1 HTTP/1.1",
                           "OPTIONS * HTTP/1.1",
                           "get /favicon.ico http/1.1",
                           "PRI * HTTP/2.0",
                           "aZz9A0 / HTTP/1.1",
                           "BREW /pot HTTP/2",
                           "M-SEARCH * HTTP/1.1",
                           "GET  /  HTTP/1.1 ",
                           "Host: 127.0.0.1:4532",
                           "host: a",
                           "HOST:a",
                           "Origin: null",
                           "User-Agent: Mozilla/5.0",
                           "Content-Type: text/plain",
                           "content-length: 11",
                           "Accept: */*",
                           "Sec-Fetch-Mode: no-cors",
                           "sec-ch-ua-platform: \"Linux\"",
                           "Connection: keep-alive",
                           "Referer: http://example.com/",
                           "Cookie: a=b",
                           "Upgrade-Insecure-Requests: 1",
                           "Accept-Encoding: gzip",
                           "Accept-Language: sl",
                           "Cache-Control: max-age=0",
                           "Pragma: no-cache",
                           "Priority: u=0, i"}) {
    EXPECT_TRUE(remote::IsHttpLine(line)) << line;
  }
  // What Hamlib's clients send, and near misses of a request line or a header.
  for (const char* line : {"f",
                           "F 14000000",
                           "F 7030000 f",
                           "+\\set_powerstat 1",
                           "M AM 0 f",
                           "\\dump_state",
                           ";f s",
                           "|f s",
                           "+f;s",
                           "L AF 0.5",
                           "L AF 123451.5",
                           "GET / HTTPX1.1",
                           "\\send_morse HTTP/1.1",
                           "\\get_freq x HTTP/1.1",
                           "F 1 HTTP/1.1 x",
                           "GET / HTTP/1.11",
                           "GET / HTTP/",
                           "GET / HTTP/a.1",
                           "GET / HTTP/1,1",
                           "GET / HTTPS/1.1",
                           "GET / XHTTP/1.1",
                           "GET / HTTP/1.",
                           "G(T / HTTP/1.1",
                           "GET HTTP/1.1",
                           "Hosts: a",
                           "Host",
                           "origin a",
                           ": value",
                           "Host : a",
                           "Ho\\st: a",
                           "q",
                           ""}) {
    EXPECT_FALSE(remote::IsHttpLine(line)) << line;
  }
}

TEST(AllowList, AddressesAndNetworksOfBothFamilies) {
  const auto list =
      remote::AllowList::Parse(" 127.0.0.1 ,192.168.1.0/24,fd00::/8,::ffff:10.0.0.0/104").list;
  ASSERT_TRUE(list);
  EXPECT_EQ(list->ToString(), "127.0.0.1,192.168.1.0/24,fd00::/8,10.0.0.0/8");
  struct Case {
    const char* peer;
    bool allowed;
  };
  for (const Case& c :
       {Case{"127.0.0.1", true}, Case{"127.0.0.2", false}, Case{"192.168.1.0", true},
        Case{"192.168.1.255", true}, Case{"192.168.0.255", false}, Case{"192.168.2.0", false},
        Case{"::ffff:192.168.1.7", true}, Case{"::ffff:127.0.0.1", true},
        Case{"fd12:3456::1", true}, Case{"fc00::1", false}, Case{"::1", false},
        Case{"10.255.0.1", true}, Case{"11.0.0.1", false}, Case{"::ffff:10.1.2.3", true}}) {
    EXPECT_EQ(list->Allows(QHostAddress(c.peer)), c.allowed) << c.peer;
  }
  const auto everyone = remote::AllowList::Parse("0.0.0.0/0").list;
  ASSERT_TRUE(everyone);
  EXPECT_TRUE(everyone->Allows(QHostAddress("203.0.113.9")));
  EXPECT_FALSE(everyone->Allows(QHostAddress("2001:db8::1")));
  // Every IPv4 client, in the mapped form; and a mapped network shorter than the mapped prefix
  // stays an IPv6 one.
  const auto mapped_all = remote::AllowList::Parse("::ffff:0.0.0.0/96").list;
  ASSERT_TRUE(mapped_all);
  EXPECT_EQ(mapped_all->ToString(), "0.0.0.0/0");
  EXPECT_TRUE(mapped_all->Allows(QHostAddress("203.0.113.9")));
  const auto wider = remote::AllowList::Parse("::ffff:0.0.0.0/95").list;
  ASSERT_TRUE(wider);
  EXPECT_EQ(wider->ToString(), "::ffff:0.0.0.0/95");
  const auto loopback_v6 = remote::AllowList::Parse("::1/128").list;
  ASSERT_TRUE(loopback_v6);
  EXPECT_TRUE(loopback_v6->Allows(QHostAddress("::1")));
  EXPECT_FALSE(loopback_v6->Allows(QHostAddress("::2")));
  EXPECT_FALSE(loopback_v6->Allows(QHostAddress("127.0.0.1")));
}

TEST(AllowList, AWrongItemIsQuotedWithWhatIsWrong) {
  struct Case {
    const char* list;
    const char* said;
  };
  for (const Case& c : {Case{"radio", "„radio“ ni naslov IP"},
                        Case{"10.0.0.0/33",
                             "„10.0.0.0/33“: dolžina "
                             "predpone mora biti od 0 do 32"},
                        Case{"fd00::/129", "od 0 do 128"}, Case{"10.0.0.0/-1", "„10.0.0.0/-1“"},
                        Case{"10.0.0.0/", "„10.0.0.0/“"}, Case{"10.0.0.0/8x", "„10.0.0.0/8x“"},
                        Case{"127.1", "„127.1“ ni naslov IP"}, Case{"10", "„10“"},
                        Case{"256.0.0.1", "„256.0.0.1“"}, Case{"1.2.3.4.5", "„1.2.3.4.5“"},
                        Case{"fd00:::1", "„fd00:::1“"}, Case{"127.0.0.1,,::1", "prazen element"},
                        Case{"127.0.0.1,", "prazen element"}, Case{"127.0.0.1,x", "„x“"}}) {
    const auto parsed = remote::AllowList::Parse(c.list);
    EXPECT_FALSE(parsed.list) << c.list;
    EXPECT_TRUE(parsed.error.contains(QString::fromUtf8(c.said)))
        << c.list << ": " << parsed.error.toStdString();
  }
  EXPECT_TRUE(remote::AllowList::Parse("10.0.0.0/0,10.0.0.0/32,::/0,::/128").list);
}

// A door with a clock of the test's own.
struct TimedDoor {
  TimedDoor(std::optional<remote::AllowList> allow)
      : door(
            std::move(allow), [this](const QString& line) { told << line; },
            [this] { return now; }) {}
  std::chrono::steady_clock::time_point now{};
  QStringList told;
  remote::Door door;
};

TEST(Door, SaysEachRefusedAddressAndEachWebPageAtMostOnceAMinute) {
  TimedDoor timed(remote::AllowList::Parse("127.0.0.1").list);
  remote::Door& door = timed.door;
  EXPECT_TRUE(door.Admits(QHostAddress("127.0.0.1")));
  EXPECT_TRUE(timed.told.isEmpty());
  EXPECT_FALSE(door.Admits(QHostAddress("::ffff:192.0.2.7")));
  ASSERT_EQ(timed.told.size(), 1);
  EXPECT_TRUE(timed.told[0].contains("192.0.2.7 ni na seznamu --rigctld-allow"))
      << timed.told[0].toStdString();
  EXPECT_FALSE(timed.told[0].contains("ffff"));
  timed.now += 59s;
  EXPECT_FALSE(door.Admits(QHostAddress("192.0.2.7")));
  EXPECT_FALSE(door.Admits(QHostAddress("192.0.2.8")));  // another address has its own minute
  EXPECT_EQ(timed.told.size(), 2);
  door.ShutOutWebPage(QHostAddress("127.0.0.1"));
  door.ShutOutWebPage(QHostAddress("127.0.0.2"));  // a page's requests are one kind, any address
  ASSERT_EQ(timed.told.size(), 3);
  EXPECT_TRUE(timed.told[2].contains("spletna stran")) << timed.told[2].toStdString();
  EXPECT_TRUE(timed.told[2].contains("127.0.0.1"));
  timed.now += 1s;  // a minute after the first refusal of 192.0.2.7
  EXPECT_FALSE(door.Admits(QHostAddress("192.0.2.7")));
  EXPECT_EQ(timed.told.size(), 4);
  timed.now += 58s;
  door.ShutOutWebPage(QHostAddress("127.0.0.1"));
  EXPECT_EQ(timed.told.size(), 4);
  timed.now += 1s;
  door.ShutOutWebPage(QHostAddress("127.0.0.1"));
  EXPECT_EQ(timed.told.size(), 5);
}

TEST(Door, AFloodFromManyAddressesSaysABoundedNumberOfLines) {
  TimedDoor timed(remote::AllowList::Parse("127.0.0.1").list);
  const auto host = [](int n) {
    return QHostAddress(QStringLiteral("2001:db8::%1").arg(n, 0, 16));
  };
  const int many = 256;  // lines a minute at most, each naming one address
  for (int n = 1; n <= 2 * many; ++n) EXPECT_FALSE(timed.door.Admits(host(n)));
  EXPECT_EQ(timed.told.size(), many);
  timed.now += 1min;  // the quiet times are over: room again, for new and old
  EXPECT_FALSE(timed.door.Admits(host(2 * many + 1)));
  EXPECT_FALSE(timed.door.Admits(host(1)));
  EXPECT_EQ(timed.told.size(), many + 2);
  EXPECT_TRUE(timed.told.back().contains("2001:db8::1 ")) << timed.told.back().toStdString();
}

TEST(Door, AnAddressIsSaidAgainAfterItsMinuteWhileManyOthersFillTheTable) {
  TimedDoor timed(remote::AllowList::Parse("127.0.0.1").list);
  EXPECT_FALSE(timed.door.Admits(QHostAddress("192.0.2.1")));
  timed.now += 30s;
  for (int n = 1; n <= 255; ++n)
    EXPECT_FALSE(timed.door.Admits(QHostAddress(QStringLiteral("2001:db8::%1").arg(n, 0, 16))));
  EXPECT_EQ(timed.told.size(), 256);
  timed.now += 30s;
  EXPECT_FALSE(timed.door.Admits(QHostAddress("192.0.2.1")));
  ASSERT_EQ(timed.told.size(), 257);
  EXPECT_TRUE(timed.told.back().contains("192.0.2.1 "));
}

TEST(Door, WithoutAListEveryoneIsLetIn) {
  TimedDoor timed(std::nullopt);
  EXPECT_TRUE(timed.door.Admits(QHostAddress("203.0.113.1")));
  EXPECT_TRUE(timed.door.Admits(QHostAddress("::1")));
  EXPECT_TRUE(timed.told.isEmpty());
}

// The control port on a fake receiver, its door on the real clock.
class GuardedPort : public ::testing::Test {
 protected:
  void Open(const QHostAddress& address, const char* allow = nullptr) {
    server.SetDoor(remote::Door(allow ? remote::AllowList::Parse(allow).list : std::nullopt,
                                [this](const QString& line) { told << line; }));
    ASSERT_TRUE(server.Listen(address, 0)) << server.ErrorString().toStdString();
  }

  struct Conversation {
    QByteArray answered;
    bool closed = false;
  };
  // Connects from `from`, sends `bytes`, and takes what comes back until the connection closes or
  // a while has passed.
  Conversation Talk(const QHostAddress& from, const QHostAddress& to, const QByteArray& bytes,
                    int patience_ms = 1500) {
    QTcpSocket socket;
    if (!socket.bind(from, 0)) return {"<no bind>", false};
    socket.connectToHost(to, server.Port());
    if (!socket.waitForConnected(2000)) return {"<no connection>", false};
    socket.write(bytes);
    socket.flush();
    Conversation conversation;
    conversation.closed = QTest::qWaitFor(
        [&] {
          conversation.answered += socket.readAll();
          return socket.state() == QAbstractSocket::UnconnectedState;
        },
        patience_ms);
    conversation.answered += socket.readAll();
    return conversation;
  }

  // A client of this machine's, connected.
  std::unique_ptr<QTcpSocket> Connect() {
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QHostAddress(QHostAddress::LocalHost), server.Port());
    EXPECT_TRUE(socket->waitForConnected(2000));
    return socket;
  }

  FakeTuning tuning;
  remote::RigctlServer server{tuning};
  QStringList told;
};

TEST_F(GuardedPort, ARequestLineWithoutItsLineEndAtTheEndOfInputIsARequestToo) {
  Open(QHostAddress(QHostAddress::LocalHost));
  const auto client = Connect();
  QTcpSocket& socket = *client;
  socket.write("GET / HTTP/1.1");
  socket.flush();
  QTest::qWait(50);  // taken in, waiting for its line end
  ::shutdown(static_cast<int>(socket.socketDescriptor()), SHUT_WR);
  EXPECT_TRUE(QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::UnconnectedState; }));
  EXPECT_EQ(socket.readAll(), "");
  ASSERT_EQ(told.size(), 1);
  EXPECT_TRUE(told[0].contains("spletna stran"));
}

TEST_F(GuardedPort, ARequestAfterCommandsEndsTheConnectionThereAndThen) {
  Open(QHostAddress(QHostAddress::LocalHost));
  const auto client = Connect();
  QTcpSocket& socket = *client;
  socket.write("F 8000000\n");
  QByteArray answered;
  ASSERT_TRUE(QTest::qWaitFor([&] { return (answered += socket.readAll()) == "RPRT 0\n"; }));
  socket.write("POST / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\nF 14000000\n");
  EXPECT_TRUE(QTest::qWaitFor([&] {
    answered += socket.readAll();
    return socket.state() == QAbstractSocket::UnconnectedState;
  }));
  EXPECT_EQ(answered, "RPRT 0\n");
  EXPECT_EQ(tuning.tuned, QList<int>{8000});
}

TEST_F(GuardedPort, Ipv6NetworksAndIpv4ClientsOfADualStackPort) {
  Open(QHostAddress(QHostAddress::Any), "::1,127.0.0.0/31");
  const QHostAddress v6("::1");
  EXPECT_EQ(Talk(v6, v6, "f\nq\n").answered, "7000000\nRPRT 0\n");
  // IPv4 clients reach this socket as ::ffff:127.0.0.x, and are taken as IPv4.
  const QHostAddress v4("127.0.0.1");
  EXPECT_EQ(Talk(v4, v4, "f\nq\n").answered, "7000000\nRPRT 0\n");
  EXPECT_EQ(Talk(QHostAddress("127.0.0.2"), v4, "f\n").answered, "");
  ASSERT_EQ(told.size(), 1);
  EXPECT_TRUE(told[0].contains(" 127.0.0.2 ")) << told[0].toStdString();
}

TEST_F(GuardedPort, ARefusedClientLeavesNothingBehind) {
  Open(QHostAddress(QHostAddress::AnyIPv4), "127.0.0.1");
  for (int n = 0; n < 20; ++n)
    EXPECT_TRUE(Talk(QHostAddress("127.0.0.2"), QHostAddress("127.0.0.1"), "f\n").closed);
  EXPECT_TRUE(QTest::qWaitFor([&] { return server.findChildren<QTcpSocket*>().isEmpty(); }))
      << server.findChildren<QTcpSocket*>().size() << " sockets kept";
}

TEST(GuardedPortWithoutADoor, AWebPageIsShutOutWithNobodyToTell) {
  FakeTuning tuning;
  remote::RigctlServer server(tuning);
  ASSERT_TRUE(server.Listen(QHostAddress(QHostAddress::LocalHost), 0));
  QTcpSocket socket;
  socket.connectToHost(QHostAddress(QHostAddress::LocalHost), server.Port());
  ASSERT_TRUE(socket.waitForConnected(2000));
  socket.write("POST / HTTP/1.1\r\n\r\nF 14000000\n");
  EXPECT_TRUE(QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::UnconnectedState; }));
  EXPECT_TRUE(tuning.tuned.isEmpty());
}

TEST(GuardedPortIpv6, AnIpv6NetworkThatDoesNotHoldTheClientRefusesIt) {
  FakeTuning tuning;
  remote::RigctlServer server(tuning);
  QStringList told;
  server.SetDoor(remote::Door(remote::AllowList::Parse("fd00::/8").list,
                              [&told](const QString& line) { told << line; }));
  ASSERT_TRUE(server.Listen(QHostAddress("::1"), 0));
  QTcpSocket socket;
  socket.connectToHost(QHostAddress("::1"), server.Port());
  ASSERT_TRUE(socket.waitForConnected(2000));
  socket.write("F 14000000\n");
  EXPECT_TRUE(QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::UnconnectedState; }));
  EXPECT_TRUE(socket.readAll().isEmpty());
  EXPECT_TRUE(tuning.tuned.isEmpty());
  ASSERT_EQ(told.size(), 1);
  EXPECT_TRUE(told[0].contains("::1 ")) << told[0].toStdString();
}

}  // namespace
}  // namespace orx::testing
