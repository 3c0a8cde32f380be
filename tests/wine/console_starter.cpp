// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts a windowed program from this console as Windows' own shell does: the program gets no
// console of its own, and no standard handles unless the shell redirects them.
//
//   orx_console_starter.exe [--to FILE] PROGRAM [ARGUMENT ...]
//
// With --to, standard output and error go to FILE (made anew); without it the program is given
// none. Waits for the program and ends with its exit status, or 125 where it did not start.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  int first = 1;
  const char* to = nullptr;
  if (argc > 2 && std::strcmp(argv[1], "--to") == 0) {
    to = argv[2];
    first = 3;
  }
  if (first >= argc) {
    std::fputs("usage: orx_console_starter.exe [--to FILE] PROGRAM [ARGUMENT ...]\n", stderr);
    return 125;
  }
  std::string command_line;
  for (int i = first; i < argc; ++i)
    command_line += (i > first ? " \"" : "\"") + std::string(argv[i]) + '"';

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;  // none at all unless a file is given
  if (to) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE file = CreateFileA(to, GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      std::fprintf(stderr, "orx_console_starter: %s cannot be made\n", to);
      return 125;
    }
    startup.hStdOutput = startup.hStdError = file;
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
