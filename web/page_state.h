// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include "receiver/receiver.h"

namespace orx::web {

// The receiver as a page shows it, the whole of it in one message:
//   {"type":"state","frequency":"03500","kHz":3500,"status":" 03500 kHz","lowest":0,
//    "highest":24000,"selected":3,"notes":[16 notes],"limits":["0","24000"],"stores":true,
//    "synthesizer":true}
QByteArray PageState(const receiver::Receiver& receiver, bool stores);

// The answer to the page that asked: {"type":"said","text":"...","refused":true}
QByteArray PageSaid(const QString& text, bool refused);

}  // namespace orx::web
