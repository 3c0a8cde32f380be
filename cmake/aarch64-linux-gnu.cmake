# SPDX-FileCopyrightText: 2026 ORX frekvenca developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# 64-bit ARM (Debian's arm64: a Raspberry Pi 3, 4 or 5 on a 64-bit system).
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(ORX_TRIPLET aarch64-linux-gnu)
set(ORX_EMULATOR qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
