// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rigctl_session.h"

#include <QList>
#include <QString>
#include <algorithm>
#include <cmath>
#include <optional>

namespace orx::remote {

namespace {

// Hamlib's result codes.
constexpr int kOk = 0;
constexpr int kInvalidArgument = -1;  // RIG_EINVAL
constexpr int kInputOutput = -6;      // RIG_EIO
constexpr int kNotAvailable = -11;    // RIG_ENAVAIL

constexpr double kHzPerKhz = 1000.0;
const QByteArray kVfo = "VFOA";
const QByteArray kMode = "AM";
const QByteArray kPassband = "0";
constexpr std::size_t kLongestCommandLine = 1024;

QByteArray Report(int code) {
  return "RPRT " + QByteArray::number(code) + "\n";
}

// A command as typed, with its extended-response separator when it asked for one.
struct Command {
  std::optional<char> separator;
  QByteArray name;  // the long name, without the backslash
  QList<QByteArray> arguments;
};

QByteArray LongName(char short_name) {
  switch (short_name) {
    case 'f':
      return "get_freq";
    case 'F':
      return "set_freq";
    case 'v':
      return "get_vfo";
    case 'V':
      return "set_vfo";
    case 'm':
      return "get_mode";
    case 'M':
      return "set_mode";
    case 't':
      return "get_ptt";
    case 'T':
      return "set_ptt";
    case 's':
      return "get_split_vfo";
    case 'S':
      return "set_split_vfo";
    case 'q':
    case 'Q':
      return "quit";
    default:
      return QByteArray(1, short_name);
  }
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsPrintable(const QByteArray& line) {
  return std::all_of(line.begin(), line.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 0x20 && byte < 0x7f) || c == '\t';
  });
}

bool IsSeparator(char c) {
  return QByteArray("+;|,").contains(c);
}

// How many arguments a command takes, as Hamlib's command table has them.
int ArgumentCount(const QByteArray& name) {
  static const QList<QByteArray> kTwo = {"set_mode",  "set_split_vfo",
                                         "set_level", "set_func",
                                         "set_parm",  "set_split_mode",
                                         "set_ant",   "scan",
                                         "M",         "S",
                                         "L",         "U",
                                         "P",         "X",
                                         "Y",         "g"};
  static const QList<QByteArray> kOne = {"set_freq",
                                         "set_vfo",
                                         "set_ptt",
                                         "set_powerstat",
                                         "get_vfo_info",
                                         "get_level",
                                         "get_func",
                                         "get_parm",
                                         "get_ant",
                                         "set_rit",
                                         "set_xit",
                                         "set_rptr_shift",
                                         "set_rptr_offs",
                                         "set_ctcss_tone",
                                         "set_dcs_code",
                                         "set_split_freq",
                                         "set_ts",
                                         "set_mem",
                                         "set_bank",
                                         "vfo_op",
                                         "set_trn",
                                         "reset",
                                         "send_morse",
                                         "send_cmd",
                                         "F",
                                         "V",
                                         "T",
                                         "l",
                                         "u",
                                         "p",
                                         "y",
                                         "J",
                                         "Z",
                                         "R",
                                         "O",
                                         "C",
                                         "D",
                                         "I",
                                         "N",
                                         "E",
                                         "B",
                                         "G",
                                         "A",
                                         "*",
                                         "b",
                                         "w"};
  if (kTwo.contains(name)) return 2;
  if (kOne.contains(name)) return 1;
  return 0;
}

std::optional<Command> Parse(QByteArray line) {
  Command command;
  if (!line.isEmpty() && IsSeparator(line.front())) {
    command.separator = line.front() == '+' ? '\n' : line.front();
    line.remove(0, 1);
  }
  line = line.trimmed();
  if (line.isEmpty()) return std::nullopt;
  QByteArray rest;
  line.replace('\t', ' ');
  if (line.front() == '\\') {
    const qsizetype end = line.indexOf(' ');
    command.name = line.mid(1, end < 0 ? -1 : end - 1);
    rest = end < 0 ? QByteArray() : line.mid(end + 1);
  } else {
    command.name = LongName(line.front());
    rest = line.mid(1);
  }
  command.arguments = rest.simplified().split(' ');
  command.arguments.removeAll(QByteArray());
  return command;
}

// The reply of a command that reads values: the values alone, or in the extended form each
// with its label, after the command's name and before the result code.
QByteArray Values(const Command& command, const QList<std::pair<QByteArray, QByteArray>>& values) {
  if (!command.separator) {
    QByteArray text;
    for (const auto& [label, value] : values) text += value + "\n";
    return text;
  }
  const char separator = *command.separator;
  QByteArray text = command.name + ":" + separator;
  for (const auto& [label, value] : values) text += label + ": " + value + separator;
  return text + "RPRT 0\n";
}

// What the extended form of a reply opens with: the command's name, and for a command that
// sets something its arguments.
QByteArray Echo(const Command& command) {
  if (command.arguments.isEmpty() && !command.name.startsWith("set_"))
    return command.name + ":" + *command.separator;
  return command.name + ": " + command.arguments.join(' ') + *command.separator;
}

// The reply of a command that ended with a result code and no values.
QByteArray Result(const Command& command, int code) {
  if (!command.separator) return Report(code);
  return Echo(command) + Report(code);
}

// A whole number at the front of `text`, as sscanf's %d takes it.
bool StartsWithInteger(const QByteArray& text) {
  qsizetype i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

std::optional<int> Kilohertz(const QByteArray& hertz_text) {
  bool ok = false;
  const double hertz = hertz_text.toDouble(&ok);
  if (!ok || !std::isfinite(hertz)) return std::nullopt;
  const double kilohertz = std::floor(hertz / kHzPerKhz + 0.5);  // a half goes up
  if (std::abs(kilohertz) > 1e9) return std::nullopt;
  return static_cast<int>(kilohertz);
}

QByteArray Hertz(int kilohertz) {
  return QByteArray::number(static_cast<qint64>(kilohertz) * 1000);
}

}  // namespace

QList<QByteArray> RigctlSession::Commands(const QByteArray& line) {
  if (line.size() > static_cast<qsizetype>(kLongestCommandLine) || !IsPrintable(line))
    return {line};
  QList<QByteArray> commands;
  const qsizetype size = line.size();
  qsizetype at = 0;
  const auto skip_blanks = [&] {
    while (at < size && IsBlank(line[at])) ++at;
  };
  const auto skip_word = [&] {
    while (at < size && !IsBlank(line[at])) ++at;
  };
  while (true) {
    skip_blanks();
    if (at == size) break;
    const qsizetype begin = at;
    if (IsSeparator(line[at])) {
      ++at;
      skip_blanks();
      if (at == size) {
        commands.push_back(line.mid(begin));
        break;
      }
    }
    QByteArray name;
    if (line[at] == '\\') {
      const qsizetype name_begin = ++at;
      skip_word();
      name = line.mid(name_begin, at - name_begin);
    } else {
      name = QByteArray(1, line[at++]);
    }
    for (int n = ArgumentCount(name); n > 0; --n) {
      skip_blanks();
      skip_word();
    }
    commands.push_back(line.mid(begin, at - begin));
  }
  return commands;
}

bool RigctlSession::SendsAWord(const QByteArray& line) {
  if (!IsPrintable(line)) return false;
  const auto parsed = Parse(line);
  return parsed && parsed->name == "set_freq";
}

RigctlSession::Reply RigctlSession::Handle(const QByteArray& line) {
  // A blank line is no command, and gets no answer (an answer would shift every later one).
  if (line.trimmed().isEmpty()) return {};
  if (line.size() > static_cast<qsizetype>(kLongestCommandLine) || !IsPrintable(line)) {
    return {Report(kInvalidArgument)};
  }
  const auto parsed = Parse(line);
  if (!parsed) return {Report(kInvalidArgument)};
  const Command& command = *parsed;
  const QByteArray& name = command.name;
  const QByteArray first = command.arguments.value(0);

  if (name == "quit") return {Report(kOk), true};
  if (name == "get_freq")
    return {Values(command, {{"Frequency", Hertz(target_.ShownKilohertz())}})};
  if (name == "set_freq") {
    const auto kilohertz = Kilohertz(first);
    if (!kilohertz || *kilohertz < target_.LowestKilohertz() ||
        *kilohertz > target_.HighestKilohertz()) {
      return {Result(command, kInvalidArgument)};
    }
    // Answered once the word is on the wire, and only a success when it got there.
    return {Result(command, target_.TuneTo(*kilohertz) ? kOk : kInputOutput)};
  }
  if (name == "get_vfo") return {Values(command, {{"VFO", kVfo}})};
  if (name == "set_vfo") {
    if (first.isEmpty()) return {Result(command, kInvalidArgument)};
    return {Result(command, first == kVfo || first == "currVFO" ? kOk : kNotAvailable)};
  }
  if (name == "get_mode") return {Values(command, {{"Mode", kMode}, {"Passband", kPassband}})};
  if (name == "set_mode") {
    const QByteArray passband = command.arguments.value(1);
    if (first.isEmpty() || !StartsWithInteger(passband)) return {Result(command, kInvalidArgument)};
    return {Result(command, first == kMode ? kOk : kNotAvailable)};
  }
  if (name == "get_ptt") return {Values(command, {{"PTT", "0"}})};  // it never transmits
  if (name == "get_split_vfo") return {Values(command, {{"Split", "0"}, {"TX VFO", kVfo}})};
  if (name == "get_powerstat") return {Values(command, {{"Power Status", "1"}})};
  // It is on whenever it can answer: on again is no change, off it cannot go.
  if (name == "set_powerstat") {
    if (first.isEmpty()) return {Result(command, kInvalidArgument)};
    return {Result(command, first == "1" ? kOk : kNotAvailable)};
  }
  // Hamlib 4.5 asks before every set_mode; rigctld answers with the value and the result.
  if (name == "get_lock_mode") {
    if (command.separator) return {Values(command, {{"Locked", "0"}})};
    return {QByteArray("0\n") + Report(kOk)};
  }
  if (name == "chk_vfo") {
    return {command.separator ? QByteArray("ChkVFO: 0\n") : QByteArray("0\n")};
  }
  if (name == "dump_state") {
    const QByteArray lowest = Hertz(std::max(target_.LowestKilohertz(), 0));
    const QByteArray highest = Hertz(std::max(target_.HighestKilohertz(), 0));
    const QByteArray header =
        command.separator ? "dump_state:" + QByteArray(1, *command.separator) : QByteArray();
    const QByteArray trailer = command.separator ? Report(kOk) : QByteArray();
    return {header +
            QByteArray("1\n"     // protocol version
                       "2\n"     // model: NET rigctl
                       "0\n") +  // ITU region
            lowest +
            ".000000 " + highest + ".000000 0x1 -1 -1 0x1 0x0\n" +  // receive: AM, VFO A
            "0 0 0 0 0 0 0\n"                                       // end of the receive ranges
            "0 0 0 0 0 0 0\n"                                       // no transmit ranges
            "0x1 1000\n"                                            // tuning step: 1 kHz
            "0 0\n"
            "0x1 0\n"  // filter: the receiver's own
            "0 0\n"
            "0\n0\n0\n"                       // no RIT, XIT or IF shift
            "0\n"                             // no announcements
            "0\n0\n"                          // no preamplifier, no attenuator
            "0x0\n0x0\n0x0\n0x0\n0x0\n0x0\n"  // no functions, levels or parameters
            "vfo_ops=0x0\n"
            "ptt_type=0x0\n"
            "targetable_vfo=0x0\n"
            "has_set_vfo=0\n"
            "has_get_vfo=1\n"
            "has_set_freq=1\n"
            "has_get_freq=1\n"
            "has_set_conf=0\n"
            "has_get_conf=0\n"
            "has_power2mW=0\n"
            "has_mW2power=0\n"
            "timeout=0\n"
            "done\n" +
            trailer};
  }
  return {Result(command, kNotAvailable)};
}

}  // namespace orx::remote
