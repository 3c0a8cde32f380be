// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The Windows profile functions as an oracle for pll.ini: reads commands on standard input,
// one a line, every text in hexadecimal so that any byte passes, and answers each on a line.
//
//   acp                          ->  acp N            (the ANSI code page in force)
//   read FILE SECTION KEY        ->  value HEX        (GetPrivateProfileStringA)
//   write FILE SECTION KEY VALUE ->  written 0|1      (WritePrivateProfileStringA)
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

std::string ToHex(const char* bytes, size_t size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (size_t i = 0; i < size; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
}

}  // namespace

int main() {
  std::string line;
  std::vector<char> buffer(1 << 16);
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string command, file, section, key, value;
    words >> command >> file >> section >> key >> value;
    if (command == "acp") {
      std::cout << "acp " << ::GetACP() << "\n";
    } else if (command == "read") {
      const DWORD count = ::GetPrivateProfileStringA(
          FromHex(section).c_str(), FromHex(key).c_str(), "", buffer.data(),
          static_cast<DWORD>(buffer.size()), FromHex(file).c_str());
      std::cout << "value " << ToHex(buffer.data(), count) << "\n";
    } else if (command == "write") {
      const BOOL written =
          ::WritePrivateProfileStringA(FromHex(section).c_str(), FromHex(key).c_str(),
                                       FromHex(value).c_str(), FromHex(file).c_str());
      std::cout << "written " << (written ? 1 : 0) << "\n";
    } else {
      std::cout << "unknown\n";
    }
  }
  std::cout.flush();
  return 0;
}
