// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The Windows program itself (ORX_WINDOWS_PROGRAM, cross-built) under Wine, on an X server of
// the test's own, with COM2 a pseudo-terminal. Wine drives a port's lines with the same ioctls
// as the Linux program, and a pseudo-terminal refuses them, so the preloaded stand-in takes and
// records them: the words are read off the wire as the Linux tests read them. Izhod's pll.ini
// is read back with Wine's own profile functions (ORX_PROFILE_ORACLE), and the window's pixels
// are held against the Linux face.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <functional>
#include <iostream>
#include <optional>

#include "link/word_frame.h"
#include "settings/bas_ini_file.h"
#include "settings/text_decoding.h"
#include "support/face_child.h"
#include "support/form_harness.h"

namespace orx::testing {
namespace {

using settings::Encoding;

// The screen as Xvfb keeps it in its frame-buffer file (X window dump, 32 bits a pixel).
QImage ScreenOf(const QString& dump) {
  const QByteArray bytes = ReadBytes(dump);
  if (bytes.size() < 100) return {};
  const auto field = [&](int n) { return qFromBigEndian<quint32>(bytes.constData() + 4 * n); };
  const quint32 header = field(0), width = field(4), height = field(5);
  const quint32 bits = field(11), line = field(12), colours = field(19);
  const qsizetype start = qsizetype(header) + 12 * qsizetype(colours);
  if (bits != 32 || bytes.size() < start + qsizetype(line) * height) return {};
  QImage image(int(width), int(height), QImage::Format_RGB32);
  for (quint32 y = 0; y < height; ++y)
    std::memcpy(image.scanLine(int(y)), bytes.constData() + start + y * line, width * 4);
  return image;
}

// The share of pixels alike within a small difference of colour.
double Alike(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 0;
  qint64 alike = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
              std::abs(qBlue(p) - qBlue(q)) <=
          48)
        ++alike;
    }
  }
  return double(alike) / (double(a.width()) * a.height());
}

class WindowsProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = qEnvironmentVariable("ORX_WINDOWS_PROGRAM");
    oracle_ = QProcess::splitCommand(qEnvironmentVariable("ORX_PROFILE_ORACLE"));
    if (program_.isEmpty() || oracle_.isEmpty())
      GTEST_SKIP() << "set ORX_WINDOWS_PROGRAM and ORX_PROFILE_ORACLE (tools/test does)";
    wine_fonts_ = qEnvironmentVariable("ORX_WINE_FONTCONFIG");
    if (wine_fonts_.isEmpty())
      GTEST_SKIP() << "set ORX_WINE_FONTCONFIG, the faces Wine is given (tools/test does)";
    prefix_ = qEnvironmentVariable("WINEPREFIX");
    ASSERT_TRUE(QFileInfo(prefix_ + "/dosdevices").isDir()) << "WINEPREFIX is no Wine prefix";
  }
  void TearDown() override {
    for (QProcess* process : {&wine_, &display_}) {
      if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(5000);
      }
    }
    if (!com2_.isEmpty()) QFile::remove(com2_);
    if (terminal_ >= 0) ::close(terminal_);
  }

  // An X server of its own, drawing into a file.
  bool StartDisplay() {
    display_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "800x600x24", "-fbdir",
                            folder_.path(), "-nolisten", "tcp"});
    if (!display_.waitForReadyRead(20000)) return false;
    display_name_ = ":" + QString::fromLatin1(display_.readLine().trimmed());
    return true;
  }
  QString Xdotool(const QStringList& arguments) {
    QProcess xdotool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display_name_);
    xdotool.setProcessEnvironment(environment);
    xdotool.start("xdotool", arguments);
    xdotool.waitForFinished(10000);
    return QString::fromLatin1(xdotool.readAllStandardOutput()).trimmed();
  }
  // COM2 of the prefix, a pseudo-terminal of this test's own for as long as it runs.
  bool MapCom2() {
    terminal_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (terminal_ < 0 || grantpt(terminal_) != 0 || unlockpt(terminal_) != 0) return false;
    com2_ = prefix_ + "/dosdevices/com2";
    QFile::remove(com2_);
    return QFile::link(QString::fromLocal8Bit(ptsname(terminal_)), com2_);
  }
  // A copy of the program in the test's folder, or the one at `copy`.
  void StartProgram(const QStringList& arguments = {}, QString copy = {}) {
    if (copy.isEmpty()) {
      copy = folder_.filePath("orx-frekvenca.exe");
      QFile::remove(copy);
      ASSERT_TRUE(QFile::copy(program_, copy));
    }
    QProcessEnvironment environment = WithoutDisplay();
    environment.insert("DISPLAY", display_name_);
    // Wine's errors, which the message of a failure shows; not its notes of what it lacks.
    environment.insert("WINEDEBUG", "fixme-all");
    environment.insert("LD_PRELOAD", ORX_FAILING_CALLS);
    environment.insert("ORX_FAIL", "modem-lines");
    environment.insert("ORX_FAIL_EVENTS", Events());
    // Wine is given the faces Windows has in place of this machine's, as the prefix was made.
    environment.insert("FONTCONFIG_FILE", wine_fonts_);
    wine_.setProcessEnvironment(environment);
    wine_.setWorkingDirectory(folder_.path());
    wine_.start(Wine(), QStringList{copy} + arguments);
    ASSERT_TRUE(wine_.waitForStarted());
  }
  static QString Wine() {
    return QFileInfo::exists("/usr/lib/wine/wine64") ? "/usr/lib/wine/wine64" : "wine64";
  }
  static QString Wineserver() {
    const QString server = QFileInfo(Wine()).dir().filePath("wineserver64");
    return QFileInfo::exists(server) ? server : QStringLiteral("wineserver");
  }
  // No Wine server of the prefix, nor any process of an earlier one, is left: the next program
  // starts a server of its own, whose desktop is drawn on that program's display.
  static void EndTheServer() {
    QProcess::execute(Wineserver(), {"-k"});
    QProcess::execute(Wineserver(), {"-w"});
  }
  // A Windows program run to its end without a window: what it printed.
  static QString Run(const QStringList& arguments, int* exit_code = nullptr) {
    QProcess wine;
    QProcessEnvironment environment = WithoutDisplay();
    environment.insert("WINEDEBUG", "-all");
    wine.setProcessEnvironment(environment);
    wine.start(Wine(), arguments);
    EXPECT_TRUE(wine.waitForFinished(120000)) << arguments.join(' ').toStdString();
    if (exit_code) *exit_code = wine.exitCode();
    return QString::fromLocal8Bit(wine.readAllStandardOutput());
  }
  // The same, and every process it left behind to its end, as Wine's server with it.
  static QString RunToTheEnd(const QStringList& arguments, int* exit_code = nullptr) {
    const QString printed = Run(arguments, exit_code);
    QProcess::execute(Wineserver(), {"-w"});
    return printed;
  }
  // A Windows program run to its end on a terminal, which Wine makes its console: what the
  // console showed, with Wine's cursor steps between words as the spaces they stand for.
  // With `output`, standard output goes to that file instead, as `> output` in a shell.
  static QString InAConsole(const QStringList& arguments, int* exit_code = nullptr,
                            const QString& output = {}) {
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    EXPECT_TRUE(terminal >= 0 && grantpt(terminal) == 0 && unlockpt(terminal) == 0);
    const winsize size{50, 200, 0, 0};  // wide enough that no line of --help wraps
    ioctl(terminal, TIOCSWINSZ, &size);
    const QByteArray terminal_name = ptsname(terminal);
    QProcess wine;
    QProcessEnvironment environment = WithoutDisplay();
    environment.insert("WINEDEBUG", "-all");
    wine.setProcessEnvironment(environment);
    const QByteArray output_name = QFile::encodeName(output);
    wine.setChildProcessModifier([&terminal_name, &output_name] {
      setsid();
      const int own = ::open(terminal_name.constData(), O_RDWR);
      ioctl(own, TIOCSCTTY, 0);
      for (int fd : {0, 1, 2}) dup2(own, fd);
      if (!output_name.isEmpty())
        dup2(::open(output_name.constData(), O_WRONLY | O_CREAT, 0600), 1);
    });
    QByteArray shown;
    const auto take = [&] {
      char buffer[4096];
      for (ssize_t n; (n = ::read(terminal, buffer, sizeof buffer)) > 0;) shown.append(buffer, n);
    };
    wine.start(Wine(), arguments);
    QElapsedTimer timer;
    timer.start();
    while (!wine.waitForFinished(50) && timer.elapsed() < 120000) take();
    take();
    EXPECT_EQ(wine.state(), QProcess::NotRunning) << arguments.join(' ').toStdString();
    if (exit_code) *exit_code = wine.exitCode();
    ::close(terminal);
    QString text = QString::fromUtf8(shown);
    static const QRegularExpression kStep("\\x1b\\[(\\d*)C"),
        kControl("\\x1b\\[[0-9;?]*[A-Za-z]|\\r");
    for (auto match = kStep.match(text); match.hasMatch(); match = kStep.match(text))
      text.replace(match.capturedStart(), match.capturedLength(),
                   QString(qMax(1, match.captured(1).toInt()), u' '));
    return text.remove(kControl);
  }
  // A path of the prefix's drive C: as this machine sees it.
  QString OnDriveC(const QString& windows_path) const {
    if (!windows_path.startsWith("C:\\", Qt::CaseInsensitive)) return {};
    return prefix_ + "/drive_c/" + QString(windows_path.mid(3)).replace('\\', '/');
  }
  QString Events() const { return folder_.filePath("events"); }
  // Wine opens and closes a port without a call the stand-in sees: every line operation counts.
  std::vector<uint16_t> Words() const {
    return WordsOf(ReceiveWords(EventsOfChild(Events()), Reach::kAllOperations));
  }
  bool WaitForWords(size_t count, int ms) {
    return QTest::qWaitFor([&] { return Words().size() >= count; }, ms);
  }
  // Wine's GetPrivateProfileStringA of each key, under code page 1250.
  QStringList TheirValues(const QString& file, const QList<std::pair<QString, QString>>& keys) {
    QByteArray commands;
    const QByteArray path = ("Z:" + QDir::toNativeSeparators(file)).toLatin1().toHex();
    for (const auto& [section, key] : keys)
      commands += "read " + path + " " +
                  settings::EncodeText(section, Encoding::kWindows1250)->toHex() + " " +
                  settings::EncodeText(key, Encoding::kWindows1250)->toHex() + "\n";
    QProcess oracle;
    oracle.start(oracle_.first(), oracle_.mid(1));
    oracle.write(commands);
    oracle.closeWriteChannel();
    EXPECT_TRUE(oracle.waitForFinished(120000));
    QStringList values;
    for (const QByteArray& answer : oracle.readAllStandardOutput().split('\n'))
      if (answer.startsWith("value "))
        values << settings::DecodeText(QByteArray::fromHex(answer.mid(6).trimmed()),
                                       Encoding::kWindows1250);
    return values;
  }

  QTemporaryDir folder_;
  QString program_;
  QStringList oracle_;
  QString prefix_;
  QString wine_fonts_;
  QString com2_;
  int terminal_ = -1;
  QProcess display_;
  QString display_name_;
  QProcess wine_;
};

// As the user meets it: the window opens on COM2, the start words go out, a scroll-bar step
// tunes, Izhod saves pll.ini in the Windows program's own form and ends the program, and the
// window looks as it does on Linux but for the fonts' rendering.
TEST_F(WindowsProgram, TunesOnCom2SavesPllIniAsWindowsDoesAndLooksAsOnLinux) {
  // The Windows program's own pll.ini: code page 1250, CR LF.
  const QByteArray ini =
      "[Freq]\r\nF1=7000\r\nF2=3650\r\n[Opombe]\r\nT2=\xe8ist\xfd QTH \x9e"
      "elezniki\r\n";
  WriteBytes(folder_.filePath("pll.ini"), ini);
  ASSERT_TRUE(StartDisplay()) << "Xvfb does not start";
  ASSERT_TRUE(MapCom2()) << "no pseudo-terminal here";
  QString window;
  QByteArray wine_errors;
  constexpr QByteArrayView kNoDesktop = "no driver could be loaded";
  // The window, or Wine's word that its desktop reached no X server.
  const auto shown = [&] {
    return QTest::qWaitFor(
               [&] {
                 wine_errors += wine_.readAllStandardError();
                 return wine_errors.contains(kNoDesktop) ||
                        !(window = Xdotool({"search", "--name", "^ORX frekvenca$"})).isEmpty();
               },
               90000) &&
           !window.isEmpty();
  };
  EndTheServer();
  StartProgram();
  bool window_shown = shown();
  // Now and then Wine's desktop process reaches no X server though the display is up: Wine's
  // own start failing, not the program. Such a start is said, and made once more afresh.
  if (!window_shown && wine_errors.contains(kNoDesktop)) {
    std::cerr << "Wine's desktop reached no display; Wine started once more\n";
    wine_.kill();
    wine_.waitForFinished(5000);
    EndTheServer();
    QFile::remove(Events());
    wine_errors.clear();
    StartProgram();
    window_shown = shown();
  }
  ASSERT_TRUE(window_shown)
      << "no window on " << display_name_.toStdString() << "; on the screen: "
      << Xdotool({"search", "--name", ".", "getwindowname", "%@"}).toStdString() << "\n"
      << wine_errors.toStdString();
  window = window.section('\n', 0, 0);
  ASSERT_TRUE(WaitForWords(2, 30000));
  EXPECT_EQ(Words(), (std::vector<uint16_t>{0x8505, 7000 + link::kDividerOffset}));

  // The face, once the window has drawn itself, with the pointer (which Xvfb draws) aside.
  Xdotool({"mousemove", "799", "599"});
  QTest::qWait(2000);
  const QStringList geometry = Xdotool({"getwindowgeometry", "--shell", window}).split('\n');
  QRect place;
  for (const QString& line : geometry) {
    const int value = line.section('=', 1).toInt();
    if (line.startsWith("X=")) place.moveLeft(value);
    if (line.startsWith("Y=")) place.moveTop(value);
    if (line.startsWith("WIDTH=")) place.setWidth(value);
    if (line.startsWith("HEIGHT=")) place.setHeight(value);
  }
  const QImage screen = ScreenOf(folder_.filePath("Xvfb_screen0"));
  ASSERT_FALSE(screen.isNull()) << "Xvfb's frame buffer cannot be read";
  const QImage theirs = screen.copy(place);
  FormHarness harness;
  ui::Form1& linux_form = harness.StartShown(ini);
  const QImage ours = linux_form.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(theirs.size(), ours.size()) << "the window is not the Linux window's size";
  theirs.save(folder_.filePath("windows-face.png"));
  const double alike = Alike(theirs, ours);
  EXPECT_GE(alike, 0.95) << "the Windows face differs from the Linux face beyond the fonts";
  // The read-out and the "ORX" label in the face Linux shows, the Comic Neue the program
  // carries: another face (a serif, as where it is missing) leaves a fifth of them unlike.
  for (const QLabel* label : {linux_form.Label1, linux_form.ORX}) {
    const QRect area = label->geometry();
    EXPECT_GE(Alike(theirs.copy(area), ours.copy(area)), 0.84)
        << label->objectName().toStdString() << " is not drawn in the Linux face";
  }
  // The presets' captions in the sans serif Linux draws them in (MS Sans Serif stands in as
  // DejaVu Sans under Wine), not in a serif: a serif leaves a tenth of the worst one unlike.
  double presets = 1;
  for (int n = 1; n <= 16; ++n) {
    const QRect area = linux_form.M(n)->geometry();
    presets = std::min(presets, Alike(theirs.copy(area), ours.copy(area)));
  }
  EXPECT_GE(presets, 0.92) << "a preset's caption is not drawn in the Linux face";
  if (qEnvironmentVariableIsSet("ORX_WINDOWS_FACE"))
    theirs.save(qEnvironmentVariable("ORX_WINDOWS_FACE"));
  if (HasFailure()) {
    // Both faces kept, to be looked at.
    const QString kept = QDir::temp().filePath(
        QStringLiteral("orx-windows-face-%1").arg(QCoreApplication::applicationPid()));
    theirs.save(kept + "-windows.png");
    ours.save(kept + "-linux.png");
    std::cerr << "the faces: " << kept.toStdString() << "-{windows,linux}.png\n";
  }

  // One step of the scroll bar, which has the focus at start.
  Xdotool({"key", "--window", window, "Right"});
  ASSERT_TRUE(WaitForWords(3, 20000));
  EXPECT_EQ(Words().back(), 7001 + link::kDividerOffset);

  // Izhod: past the presets to it, and pressed.
  Xdotool({"key", "--window", window, "Tab", "Tab", "space"});
  ASSERT_TRUE(wine_.waitForFinished(30000)) << "Izhod did not end the program";
  EXPECT_EQ(wine_.exitCode(), 0);
  // Each frame in the protocol's timing, on the real clock, through Wine's serial calls.
  for (const ReceivedWord& frame : ReceiveWords(EventsOfChild(Events()), Reach::kAllOperations))
    EXPECT_EQ(FrameProblems(frame), std::vector<std::string>()) << frame.word;
  // The very bytes the Linux program writes after the same step and Izhod, in the same form.
  QTest::keyClick(linux_form.HScroll1, Qt::Key_Right);
  QTest::mouseClick(linux_form.Exit, Qt::LeftButton);
  const QByteArray saved = ReadBytes(folder_.filePath("pll.ini"));
  EXPECT_EQ(saved, harness.IniBytes());
  EXPECT_EQ(saved.count("\r\n"), saved.count('\n')) << "a line not ended by CR LF";
  EXPECT_TRUE(
      saved.contains("\xe8ist\xfd QTH \x9e"
                     "elezniki"))
      << "the note is not in code page 1250";
  // Every key of it as Wine's own profile functions read it.
  QList<std::pair<QString, QString>> keys;
  QString section;
  for (const QByteArray& line : saved.split('\n')) {
    const QString text = settings::DecodeText(line.trimmed(), Encoding::kWindows1250);
    if (text.startsWith('['))
      section = text.mid(1, text.indexOf(']') - 1);
    else if (text.contains('='))
      keys.append({section, text.section('=', 0, 0)});
  }
  ASSERT_GE(keys.size(), 34);
  QStringList ours_read;
  for (const auto& [in, key] : keys)
    ours_read << settings::basIniFile::ReadIni(folder_.filePath("pll.ini"), in, key, "");
  EXPECT_EQ(TheirValues(folder_.filePath("pll.ini"), keys), ours_read);
  EXPECT_TRUE(ours_read.contains(QString::fromUtf8("čistý QTH železniki")));
}

// --list-ports names what Windows knows of, from the registry (Wine's mount manager maps COM1
// to the first serial device), in the order of their numbers whatever the order of the drivers
// that made them (Wine lists the values as their names sort). Nothing is opened.
TEST_F(WindowsProgram, ListsThePortsTheSystemKnowsInTheirNumbersOrder) {
  // The key lives as long as the server: one that stays for the test's length, made afresh.
  EndTheServer();
  QProcess::execute(Wineserver(), {"-p30"});
  for (const auto& [device, port] :
       {std::pair{"\\Device\\Acm0", "COM10"}, std::pair{"\\Device\\Usb0", "COM9"}})
    Run({"reg", "add", "HKLM\\HARDWARE\\DEVICEMAP\\SERIALCOMM", "/v", device, "/d", port, "/f"});
  // A value that names no port, empty or of another type, is no port.
  Run({"reg", "add", "HKLM\\HARDWARE\\DEVICEMAP\\SERIALCOMM", "/v", "\\Device\\Blank0", "/d", "",
       "/f"});
  Run({"reg", "add", "HKLM\\HARDWARE\\DEVICEMAP\\SERIALCOMM", "/v", "\\Device\\Count0", "/t",
       "REG_DWORD", "/d", "7", "/f"});
  const QStringList lines = Run({program_, "--list-ports"}).split('\n', Qt::SkipEmptyParts);
  QStringList names;
  for (const QString& line : lines) names << line.section(u' ', 0, 0).trimmed();
  EXPECT_EQ(names, (QStringList{"COM1", "COM9", "COM10"})) << lines.join('\n').toStdString();
  EXPECT_TRUE(lines.value(2).contains("\\Device\\Acm0")) << lines.value(2).toStdString();
  EndTheServer();
}

// A program folder that refuses new files though its attributes let them be (a folder of
// Program Files by its access list; here a read-only FAT volume, as Wine knows no access
// lists): the settings are the user's own, in the folder Windows gives each user for them.
TEST_F(WindowsProgram, KeepsPllIniInTheUsersFolderWhereItsOwnTakesNoNewFile) {
  if (QStandardPaths::findExecutable("fusefat").isEmpty() ||
      QStandardPaths::findExecutable("mkfs.fat").isEmpty() || !QFile::exists("/dev/fuse"))
    GTEST_SKIP() << "needs fusefat, dosfstools and /dev/fuse (tools/test installs them)";
  const QString image = folder_.filePath("fat.img");
  const QString volume = folder_.filePath("volume");
  ASSERT_TRUE(QDir(folder_.path()).mkdir("volume"));
  const auto quiet = [](const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit
               ? process.exitCode()
               : -1;
  };
  QFile file(image);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(64 << 20));
  file.close();
  ASSERT_EQ(quiet("mkfs.fat", {image}), 0);
  if (quiet("fusefat", {"-o", "rw+", image, volume}) != 0)
    GTEST_SKIP() << "a FUSE file system cannot be mounted here";
  // Written, not copied: fusefat takes no copy_file_range.
  WriteBytes(QDir(volume).filePath("orx-frekvenca.exe"), ReadBytes(program_));
  ASSERT_EQ(quiet("fusermount", {"-u", volume}), 0);
  ASSERT_EQ(quiet("fusefat", {"-o", "ro", image, volume}), 0);
  struct Unmount {
    std::function<void()> run;
    ~Unmount() { run(); }
  } unmount{[&] { quiet("fusermount", {"-u", volume}); }};

  const QString users_folder =
      OnDriveC(Run({"cmd", "/c", "echo", "%LOCALAPPDATA%"}).trimmed()) + "/orx-frekvenca";
  ASSERT_TRUE(QDir().mkpath(users_folder)) << users_folder.toStdString();
  WriteBytes(users_folder + "/pll.ini", "[Freq]\r\nF1=9100\r\n");
  ASSERT_TRUE(StartDisplay()) << "Xvfb does not start";
  ASSERT_TRUE(MapCom2()) << "no pseudo-terminal here";
  EndTheServer();
  StartProgram({}, QDir(volume).filePath("orx-frekvenca.exe"));
  EXPECT_TRUE(WaitForWords(2, 60000)) << wine_.readAllStandardError().toStdString();
  EXPECT_EQ(Words(), (std::vector<uint16_t>{0x8505, 9100 + link::kDividerOffset}));
  wine_.kill();
  wine_.waitForFinished(5000);
  EndTheServer();

  // A folder that takes new files keeps them beside the program (none yet: the start's own
  // frequency), and the trial file is gone again.
  QFile::remove(Events());
  StartProgram();
  EXPECT_TRUE(WaitForWords(2, 60000)) << wine_.readAllStandardError().toStdString();
  EXPECT_EQ(Words(), (std::vector<uint16_t>{0x8505, 2000 + link::kDividerOffset}));
  wine_.kill();
  wine_.waitForFinished(5000);
  EndTheServer();
  EXPECT_EQ(QDir(folder_.path()).entryList({".orx-frekvenca-*"}, QDir::Files | QDir::Hidden),
            QStringList());
  QDir(users_folder).removeRecursively();
}

// From a console, where the listener types --help: the letters č, š and ž as themselves, also
// when Windows' shell starts the windowed program with no console and no handles of its own
// (it takes the console it was started from). What is sent to a file or a pipe goes there, in
// the ANSI code page, and then the program leaves the console alone, even with one of the two
// streams given nowhere to go.
TEST_F(WindowsProgram, SpeaksSlovenianToTheConsoleItIsStartedFromAndKeepsAFileItIsGiven) {
  const QString starter = qEnvironmentVariable("ORX_CONSOLE_STARTER");
  if (starter.isEmpty()) GTEST_SKIP() << "set ORX_CONSOLE_STARTER (tools/test does)";
  const QString windows_program = "Z:" + QDir::toNativeSeparators(program_);
  const auto windows_file = [this](const char* name) {
    return "Z:" + QDir::toNativeSeparators(folder_.filePath(name));
  };
  const QString help_line = QString::fromUtf8("Uporaba: orx-frekvenca [možnosti]");
  const QString refusal = QString::fromUtf8("neznana možnost bogus");

  QString shown = InAConsole({program_, "--help"});
  EXPECT_EQ(shown.count("Uporaba"), 1) << shown.toStdString();
  EXPECT_TRUE(shown.contains(help_line)) << shown.toStdString();
  EXPECT_TRUE(shown.contains(QString::fromUtf8("izpiše to pomoč"))) << shown.toStdString();
  // Standard output sent to a file, standard error still the console's.
  shown = InAConsole({program_, "--help"}, nullptr, folder_.filePath("redirected.txt"));
  EXPECT_FALSE(shown.contains("Uporaba")) << shown.toStdString();
  EXPECT_TRUE(ReadBytes(folder_.filePath("redirected.txt")).startsWith("Uporaba: orx-frekvenca"));

  int status = -1;
  shown = InAConsole({starter, windows_program, "--help"}, &status);
  EXPECT_TRUE(shown.contains(help_line)) << shown.toStdString();
  EXPECT_EQ(status, 0);
  shown = InAConsole({starter, windows_program, "--bogus"}, &status);
  EXPECT_TRUE(shown.contains(refusal)) << shown.toStdString();
  EXPECT_EQ(status, 2);

  shown = InAConsole({starter, "--to", windows_file("both.txt"), windows_program, "--help"});
  EXPECT_FALSE(shown.contains("Uporaba")) << shown.toStdString();
  EXPECT_TRUE(ReadBytes(folder_.filePath("both.txt")).startsWith("Uporaba: orx-frekvenca [mo"));
  shown = InAConsole({starter, "--out", windows_file("out.txt"), windows_program, "--bogus"});
  EXPECT_FALSE(shown.contains("neznana")) << shown.toStdString();
  EXPECT_EQ(ReadBytes(folder_.filePath("out.txt")), "");
  shown = InAConsole({starter, "--err", windows_file("err.txt"), windows_program, "--help"});
  EXPECT_FALSE(shown.contains("Uporaba")) << shown.toStdString();
  EXPECT_TRUE(ReadBytes(folder_.filePath("err.txt")).isEmpty());
}

// The installer, as a user runs it (silently here): the program, its texts and a way to remove
// it, for this user alone in a folder of the user's own, so that pll.ini lives beside the
// program. Installing anew and removing the program never touch the user's pll.ini.
TEST_F(WindowsProgram, InstallsForTheUserAloneAndLeavesPllIniWhenRemoved) {
  const QString installer = qEnvironmentVariable("ORX_WINDOWS_INSTALLER");
  if (installer.isEmpty()) GTEST_SKIP() << "set ORX_WINDOWS_INSTALLER (tools/test does)";
  const QString key =
      "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\orx-frekvenca";
  const auto value = [&](const QString& name) {
    const QString answer = RunToTheEnd({"reg", "query", key, "/v", name});
    return answer.section(QStringLiteral("REG_SZ"), 1).trimmed();
  };
  // What an earlier run may have left.
  EndTheServer();
  RunToTheEnd({"reg", "delete", key, "/f"});
  const QString users = prefix_ + "/drive_c/users";
  for (const QString& user : QDir(users).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    QDir(users + "/" + user + "/AppData/Local/Programs/ORX frekvenca").removeRecursively();
    QFile::remove(users + "/" + user +
                  "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/ORX frekvenca.lnk");
  }

  int status = -1;
  RunToTheEnd({installer, "/S"}, &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(value("DisplayName"), "ORX frekvenca");
  const QString location = value("InstallLocation");
  ASSERT_TRUE(location.endsWith("\\AppData\\Local\\Programs\\ORX frekvenca"))
      << "not installed for the user alone: " << location.toStdString();
  const QString folder = OnDriveC(location);
  EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
            (QStringList{"Comic-Neue-licence.txt", "LICENSE.txt", "README.txt", "odstrani.exe",
                         "orx-frekvenca-sl.txt", "orx-frekvenca.exe", "orx-frekvenca.txt"}));
  EXPECT_EQ(value("UninstallString"), "\"" + location + "\\odstrani.exe\"");
  EXPECT_EQ(value("QuietUninstallString"), "\"" + location + "\\odstrani.exe\" /S");
  const QString user_folder = QFileInfo(folder + "/../../../..").canonicalFilePath();
  const QString shortcut =
      user_folder + "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/ORX frekvenca.lnk";
  EXPECT_TRUE(QFileInfo::exists(shortcut)) << "no entry in the Start menu";
  // It is the program.
  EXPECT_TRUE(
      RunToTheEnd({location + "\\orx-frekvenca.exe", "--help"}).contains("Uporaba: orx-frekvenca"));

  // The user's presets and notes, then the same version installed over them.
  const QByteArray ini = "[Freq]\r\nF1=7000\r\n[Opombe]\r\nT1=\xe8ist\r\n";
  WriteBytes(folder + "/pll.ini", ini);
  RunToTheEnd({installer, "/S"}, &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadBytes(folder + "/pll.ini"), ini) << "installing anew changed pll.ini";

  // Removed (the uninstaller goes on from a copy of itself; every process is waited for).
  RunToTheEnd({location + "\\odstrani.exe", "/S"}, &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"pll.ini"});
  EXPECT_EQ(ReadBytes(folder + "/pll.ini"), ini) << "removing the program changed pll.ini";
  EXPECT_FALSE(QFileInfo::exists(shortcut)) << "the Start menu still names the program";
  RunToTheEnd({"reg", "query", key}, &status);
  EXPECT_NE(status, 0) << "still listed as installed";
  QDir(folder).removeRecursively();
}

}  // namespace
}  // namespace orx::testing
