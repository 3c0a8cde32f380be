# SPDX-FileCopyrightText: 2026 ORX frekvenca developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Writes OUT: each test of the files in ENTRIES ("file|reason" each, files in DIR) registered
# as a test that is skipped with its file's reason, so that a build that cannot run them counts
# them rather than leaving them out in silence.
set(body "")
foreach(entry IN LISTS ENTRIES)
  string(REGEX REPLACE "\\|.*" "" file "${entry}")
  string(REGEX REPLACE "^[^|]*\\|" "" reason "${entry}")
  file(READ ${DIR}/${file} text)
  string(REGEX MATCHALL "\nTEST(_F|_P)?\\([ \n]*[A-Za-z0-9_]+,[ \n]*[A-Za-z0-9_]+\\)" tests "${text}")
  foreach(test IN LISTS tests)
    string(REGEX REPLACE "^\nTEST(_F|_P)?\\([ \n]*([A-Za-z0-9_]+),[ \n]*([A-Za-z0-9_]+)\\)$"
                         "\\2;\\3" names "${test}")
    list(GET names 0 suite)
    list(GET names 1 name)
    string(APPEND body "  Skip(\"${suite}\", \"${name}\", \"${file}\", \"${reason}\");\n")
  endforeach()
endforeach()
file(WRITE ${OUT} "// Made by skipped_tests.cmake.
#include <gtest/gtest.h>

#include <string>

namespace {

class SkippedHere : public ::testing::Test {
 public:
  explicit SkippedHere(std::string reason) : reason_(std::move(reason)) {}
  void TestBody() override { GTEST_SKIP() << \"not on Windows: \" << reason_; }

 private:
  std::string reason_;
};

void Skip(const char* suite, const char* name, const char* file, const char* reason) {
  ::testing::RegisterTest(suite, name, nullptr, nullptr, file, 0,
                          [reason]() -> ::testing::Test* { return new SkippedHere(reason); });
}

const bool registered = [] {
${body}  return true;
}();

}  // namespace
")
