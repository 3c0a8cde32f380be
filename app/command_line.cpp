// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line.h"

#include <QCommandLineParser>

namespace orx::app {

namespace {

const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");
const QString kPort = QStringLiteral("port");
const QString kSettings = QStringLiteral("settings");
const QString kListPorts = QStringLiteral("list-ports");
const QString kRigctld = QStringLiteral("rigctld");
const QString kRigctldAddress = QStringLiteral("rigctld-address");
const QString kRigctldAllow = QStringLiteral("rigctld-allow");
const QString kWeb = QStringLiteral("web");
const QString kWebAddress = QStringLiteral("web-address");
const QString kWebKeyFile = QStringLiteral("web-key-file");
const QString kWebNewKey = QStringLiteral("web-new-key");
const QString kBusyWait = QStringLiteral("busy-wait");
const QString kNoWindow = QStringLiteral("no-window");
const QString kSeeHelp = QStringLiteral(" (glej --help)");

Options Failed(const QString& what) {
  Options options;
  options.action = Options::Action::kError;
  options.error = QStringLiteral("%1: %2%3").arg(kProgramName, what, kSeeHelp);
  return options;
}

// QCommandLineParser says only "missing value"; name the option the user left without one.
QString OptionMissingItsValue(const QStringList& arguments) {
  for (const QString& name : {kPort, kSettings, kRigctld, kRigctldAddress, kRigctldAllow, kWeb,
                              kWebAddress, kWebKeyFile}) {
    if (arguments.size() > 1 && arguments.back() == QStringLiteral("--") + name) return name;
  }
  return QString();
}

std::optional<quint16> TcpPort(const QString& text) {
  bool ok = false;
  const uint value = text.toUInt(&ok);
  if (!ok || value == 0 || value > 65535) return std::nullopt;
  return static_cast<quint16>(value);
}

}  // namespace

Options ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.addOptions({
      {{QStringLiteral("h"), kHelp}, {}},
      {{QStringLiteral("v"), kVersion}, {}},
      {kPort, {}, QStringLiteral("NAME")},
      {kSettings, {}, QStringLiteral("FILE")},
      {kListPorts, {}},
      {kRigctld, {}, QStringLiteral("PORT")},
      {kRigctldAddress, {}, QStringLiteral("ADDR")},
      {kRigctldAllow, {}, QStringLiteral("LIST")},
      {kWeb, {}, QStringLiteral("PORT")},
      {kWebAddress, {}, QStringLiteral("ADDR")},
      {kWebKeyFile, {}, QStringLiteral("FILE")},
      {kWebNewKey, {}},
      {kBusyWait, {}},
      {kNoWindow, {}},
  });
  if (!parser.parse(arguments)) {
    if (!parser.unknownOptionNames().isEmpty()) {
      return Failed(QStringLiteral("neznana možnost %1").arg(parser.unknownOptionNames().first()));
    }
    const QString missing = OptionMissingItsValue(arguments);
    if (!missing.isEmpty())
      return Failed(QStringLiteral("možnost --%1 potrebuje vrednost").arg(missing));
    return Failed(parser.errorText());
  }
  if (!parser.positionalArguments().isEmpty()) {
    return Failed(QStringLiteral("odveč je argument %1").arg(parser.positionalArguments().first()));
  }

  Options options;
  if (parser.isSet(kHelp))
    options.action = Options::Action::kHelp;
  else if (parser.isSet(kVersion))
    options.action = Options::Action::kVersion;
  else if (parser.isSet(kListPorts))
    options.action = Options::Action::kListPorts;
  options.port = parser.value(kPort);
  options.settings_file = parser.value(kSettings);
  if (parser.isSet(kPort) && options.port.isEmpty()) {
    return Failed(QStringLiteral("možnost --port potrebuje ime vrat"));
  }
  if (parser.isSet(kSettings) && options.settings_file.isEmpty()) {
    return Failed(QStringLiteral("možnost --settings potrebuje ime datoteke"));
  }
  if (parser.isSet(kRigctld)) {
    options.rigctld_port = TcpPort(parser.value(kRigctld));
    if (!options.rigctld_port) {
      return Failed(QStringLiteral("--rigctld potrebuje številko vrat TCP od 1 do 65535, ne „%1“")
                        .arg(parser.value(kRigctld)));
    }
  }
  if (parser.isSet(kRigctldAddress) &&
      !options.rigctld_address.setAddress(parser.value(kRigctldAddress))) {
    return Failed(QStringLiteral("--rigctld-address potrebuje naslov IP, ne „%1“")
                      .arg(parser.value(kRigctldAddress)));
  }
  // Empty is no list: the service's conf file may leave it so.
  if (!parser.value(kRigctldAllow).trimmed().isEmpty()) {
    auto parsed = remote::AllowList::Parse(parser.value(kRigctldAllow));
    if (!parsed.list) return Failed(QStringLiteral("--rigctld-allow: %1").arg(parsed.error));
    options.rigctld_allow = std::move(parsed.list);
  }
  // Empty is no page, as the service's conf file may leave it.
  if (!parser.value(kWeb).isEmpty()) {
    options.web.port = TcpPort(parser.value(kWeb));
    if (!options.web.port) {
      return Failed(QStringLiteral("--web potrebuje številko vrat TCP od 1 do 65535, ne „%1“")
                        .arg(parser.value(kWeb)));
    }
  }
  if (!parser.value(kWebAddress).isEmpty() &&
      !options.web.address.setAddress(parser.value(kWebAddress))) {
    return Failed(QStringLiteral("--web-address potrebuje naslov IP, ne „%1“")
                      .arg(parser.value(kWebAddress)));
  }
  options.web.key_file = parser.value(kWebKeyFile);
  if (parser.isSet(kWebKeyFile) && options.web.key_file.isEmpty())
    return Failed(QStringLiteral("možnost --web-key-file potrebuje ime datoteke"));
  options.web.new_key = parser.isSet(kWebNewKey);
  options.busy_wait = parser.isSet(kBusyWait);
  options.no_window = parser.isSet(kNoWindow);
  if (options.no_window && !options.rigctld_port && !options.web.port) {
    return Failed(QStringLiteral(
        "--no-window potrebuje --rigctld ali --web, prek katerega se sprejemnik uglasi"));
  }
  for (const QString& name : {kRigctldAddress, kRigctldAllow}) {
    if (parser.isSet(name) && !options.rigctld_port)
      return Failed(QStringLiteral("--%1 velja le skupaj z --rigctld").arg(name));
  }
  for (const QString& name : {kWebAddress, kWebKeyFile, kWebNewKey}) {
    if (parser.isSet(name) && !parser.isSet(kWeb))
      return Failed(QStringLiteral("--%1 velja le skupaj z --web").arg(name));
  }
  return options;
}

QString HelpText() {
  return QStringLiteral(
      "Uporaba: orx-frekvenca [možnosti]\n"
      "Nastavlja frekvenco sprejemnika prek sintetizatorja PLL na serijskih vratih.\n"
      "\n"
      "  -h, --help              izpiše to pomoč\n"
      "  -v, --version           izpiše različico programa\n"
      "  --port NAME             vrata sintetizatorja: COM1, COM2 ... ali pot do naprave,\n"
      "                          npr. /dev/ttyUSB0 (privzeto ključ Port v pll.ini, sicer COM2)\n"
      "  --settings FILE         datoteka z nastavitvami namesto pll.ini\n"
      "  --list-ports            izpiše serijska vrata, ki so na voljo\n"
      "  --rigctld PORT          sprejema ukaze Hamlib (rigctld) na vratih TCP PORT\n"
      "  --rigctld-address ADDR  naslov za --rigctld (privzeto 127.0.0.1)\n"
      "  --rigctld-allow LIST    --rigctld streže le odjemalcem s teh naslovov in omrežij,\n"
      "                          ločenih z vejico, npr. 127.0.0.1,192.168.1.0/24,fd00::/8\n"
      "                          (brez seznama vsakemu, ki doseže vrata)\n"
      "  --web PORT              streže spletno stran za telefon na vratih TCP PORT\n"
      "  --web-address ADDR      naslov za --web (privzeto 127.0.0.1); zunaj tega računalnika\n"
      "                          stran potrebuje ključ, ki je v povezavi, ki jo program izpiše\n"
      "  --web-key-file FILE     datoteka s ključem za --web (privzeto\n"
      "                          ~/.local/share/orx-frekvenca/web-key)\n"
      "  --web-new-key           naredi nov ključ; stare povezave ne delujejo več\n"
      "  --busy-wait             čaka brez spanja (za računalnike z nenatančnim časovnikom)\n"
      "  --no-window             brez okna, kot storitev: uglašujejo ga le --rigctld in --web\n"
      "\n"
      "Datoteka pll.ini: tista iz --settings; sicer pll.ini v mapi programa, če obstaja ali\n"
      "je v mapo mogoče pisati (ne za nameščen program); sicer\n"
      "~/.config/orx-frekvenca/pll.ini.\n");
}

QString VersionText() {
  return QStringLiteral("%1 %2\n").arg(kProgramName, QStringLiteral(ORX_VERSION));
}

}  // namespace orx::app
