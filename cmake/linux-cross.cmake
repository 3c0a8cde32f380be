# SPDX-FileCopyrightText: 2026 ORX frekvenca developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the toolchain files for Debian's cross compilers: the triplet's compilers, its
# libraries from dpkg's foreign architecture, the host's own Qt tools (moc, rcc, uic), and
# qemu-user to run what is built, test discovery included.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${ORX_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${ORX_TRIPLET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${ORX_TRIPLET})
set(PKG_CONFIG_EXECUTABLE /usr/bin/${ORX_TRIPLET}-pkg-config)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ORX_EMULATOR})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
