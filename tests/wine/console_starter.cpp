// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts a windowed program from this console as Windows' own shell does: the program gets no
// console of its own, and no standard handles unless the shell redirects them.
//
//   orx_console_starter.exe [--out FILE | --err FILE | --to FILE] PROGRAM [ARGUMENT ...]
//
// With --out standard output goes to FILE (made anew), with --err standard error, with --to
// both; the program is given no other handle. Waits for the program and ends with its exit
// status, or 125 where it did not start.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  int first = 1;
  const char* which = nullptr;
  const char* to = nullptr;
  if (argc > 2 && (std::strcmp(argv[1], "--out") == 0 || std::strcmp(argv[1], "--err") == 0 ||
                   std::strcmp(argv[1], "--to") == 0)) {
    which = argv[1];
    to = argv[2];
    first = 3;
  }
  if (first >= argc) {
    std::fputs("usage: orx_console_starter.exe [--out|--err|--to FILE] PROGRAM [ARGUMENT ...]\n",
               stderr);
    return 125;
  }
  std::string command_line;
  for (int i = first; i < argc; ++i)
    command_line += (i > first ? " \"" : "\"") + std::string(argv[i]) + '"';

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;  // none at all but the file asked for
  if (to) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE file = CreateFileA(to, GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      std::fprintf(stderr, "orx_console_starter: %s cannot be made\n", to);
      return 125;
    }
    if (std::strcmp(which, "--err") != 0) startup.hStdOutput = file;
    if (std::strcmp(which, "--out") != 0) startup.hStdError = file;
  }
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS,
                      nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "orx_console_starter: %s does not start (%lu)\n", argv[first],
                 GetLastError());
    return 125;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 125;
  GetExitCodeProcess(process.hProcess, &status);
  return static_cast<int>(status);
}
