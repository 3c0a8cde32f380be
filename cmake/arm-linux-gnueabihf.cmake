# SPDX-FileCopyrightText: 2026 ORX frekvenca developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# 32-bit ARM with hardware floating point (Debian's armhf: a Raspberry Pi 2 or later on a 32-bit
# system).
set(CMAKE_SYSTEM_PROCESSOR arm)
set(ORX_TRIPLET arm-linux-gnueabihf)
set(ORX_EMULATOR qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
