// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/phone_link.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/qr_code.h"

namespace orx::ui {

namespace {

// Large enough for a phone's camera from half a metre; whole modules, so that no edge blurs.
constexpr int kCodeSide = 240;

bool OnThisMachineOnly(const QString& link) {
  const QString host = QUrl(link).host();
  return host == QStringLiteral("localhost") || host.startsWith(QStringLiteral("127.")) ||
         host == QStringLiteral("::1");
}

QWidget* CodeFor(const QString& link, QWidget* parent) {
  auto* label = new QLabel(parent);
  const QImage code = QrCode(link);
  if (OnThisMachineOnly(link)) {
    // A phone would reach itself at this address, not this computer.
    label->setText(QStringLiteral(
        "Ta povezava deluje le na tem računalniku. Za telefon zaženite program z možnostjo "
        "--web-address in naslovom tega računalnika v domačem omrežju."));
    label->setWordWrap(true);
  } else if (code.isNull()) {
    label->setText(QStringLiteral("Kode QR tu ni mogoče narisati; povezavo vpišite v telefon."));
    label->setWordWrap(true);
  } else {
    const int scale = std::max(2, kCodeSide / code.width());
    label->setPixmap(QPixmap::fromImage(code.scaled(code.size() * scale)));
  }
  label->setAccessibleName(QStringLiteral("Koda QR s povezavo"));
  label->setAccessibleDescription(link);
  return label;
}

QWidget* RowFor(const QString& link, QWidget* parent) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* text = new QLineEdit(link, row);
  text->setReadOnly(true);
  text->setAccessibleName(QStringLiteral("Povezava"));
  text->setMinimumWidth(text->fontMetrics().horizontalAdvance(link) + 16);
  auto* copy = new QPushButton(QStringLiteral("&Kopiraj"), row);
  copy->setAccessibleDescription(QStringLiteral("Povezavo skopira v odložišče"));
  QObject::connect(copy, &QPushButton::clicked, row,
                   [link] { QApplication::clipboard()->setText(link); });
  layout->addWidget(text, 1);
  layout->addWidget(copy);
  return row;
}

}  // namespace

PhoneLink::PhoneLink(const QStringList& links, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Spletna stran za telefon"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(
      QStringLiteral("Odprite povezavo v brskalniku telefona ali pa kodo poskenirajte s kamero. "
                     "Kdor ima povezavo, lahko sprejemnik uglašuje, zato je ne dajte drugim."),
      this);
  intro->setWordWrap(true);
  layout->addWidget(intro);
  for (const QString& link : links) {
    layout->addWidget(CodeFor(link, this), 0, Qt::AlignHCenter);
    layout->addWidget(RowFor(link, this));
  }
  auto* close = new QPushButton(QStringLiteral("&Zapri"), this);
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(close, 0, Qt::AlignRight);
}

}  // namespace orx::ui
