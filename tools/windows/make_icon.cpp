// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders the program's SVG icon at the sizes Windows asks for and writes them as one .ico
// (each image a PNG, as Windows Vista and later read them). Built for this machine by
// tools/windows-build: the Windows program's Qt has no SVG support.
//
//   make_icon ICON.svg OUT.ico OUT.png     (the .png: the largest size alone)

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <cstdio>
#include <vector>

namespace {

void Append16(QByteArray& bytes, quint16 value) {
  const quint16 le = qToLittleEndian(value);
  bytes.append(reinterpret_cast<const char*>(&le), 2);
}

void Append32(QByteArray& bytes, quint32 value) {
  const quint32 le = qToLittleEndian(value);
  bytes.append(reinterpret_cast<const char*>(&le), 4);
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  if (argc != 4) {
    std::fputs("usage: make_icon ICON.svg OUT.ico OUT.png\n", stderr);
    return 2;
  }
  const std::vector<int> sizes{16, 24, 32, 48, 64, 256};
  std::vector<QByteArray> images;
  for (int size : sizes) {
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    reader.setScaledSize(QSize(size, size));
    const QImage image = reader.read();
    if (image.isNull()) {
      std::fprintf(stderr, "make_icon: %s: %s\n", argv[1], qPrintable(reader.errorString()));
      return 1;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG");
    images.push_back(png);
    if (size == 256 && !image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
      std::fprintf(stderr, "make_icon: %s cannot be written\n", argv[3]);
      return 1;
    }
  }
  QByteArray ico;
  Append16(ico, 0);  // reserved
  Append16(ico, 1);  // an icon
  Append16(ico, quint16(sizes.size()));
  quint32 offset = 6 + 16 * quint32(sizes.size());
  for (size_t i = 0; i < sizes.size(); ++i) {
    const int size = sizes[i];
    ico.append(char(size >= 256 ? 0 : size));  // 0 stands for 256
    ico.append(char(size >= 256 ? 0 : size));
    ico.append(char(0));  // no palette
    ico.append(char(0));
    Append16(ico, 1);   // planes
    Append16(ico, 32);  // bits a pixel
    Append32(ico, quint32(images[i].size()));
    Append32(ico, offset);
    offset += quint32(images[i].size());
  }
  for (const QByteArray& png : images) ico.append(png);
  QFile out(QString::fromLocal8Bit(argv[2]));
  if (!out.open(QIODevice::WriteOnly) || out.write(ico) != ico.size()) {
    std::fprintf(stderr, "make_icon: %s: %s\n", argv[2], qPrintable(out.errorString()));
    return 1;
  }
  return 0;
}
