// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Converting settings texts into numbers and flags, over their edges.
#include <gtest/gtest.h>

#include "settings/value_conversions.h"

namespace orx::testing {
namespace {

using settings::ToBoolean;
using settings::ToInteger16;
using settings::ToWholeInteger16;

TEST(ToInteger16, AcceptsDecimalsAndRoundsHalvesToEven) {
  const std::pair<const char*, int> cases[] = {
      {"0", 0},           {" 12 ", 12},     {"\t-7\t", -7},     {"+5", 5},
      {"2.5", 2},         {"3.5", 4},       {"-0.5", 0},        {"-1.5", -2},
      {"2.4", 2},         {"2.6", 3},       {".5", 0},          {"5.", 5},
      {"007", 7},         {"32767", 32767}, {"-32768", -32768}, {"-32768.5", -32768},
      {"32766.5", 32766}, {"24000", 24000}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(ToInteger16(text), std::optional<int16_t>(value)) << text;
  }
}

TEST(ToInteger16, GivesNothingForAnythingElse) {
  for (const char* text : {"",
                           "   ",
                           "abc",
                           "32768",
                           "32767.5",
                           "-32769",
                           "-32768.51",
                           "1e3",
                           "0x10",
                           "&H10",
                           "1,000",
                           "1 000",
                           "12kHz",
                           "--1",
                           "+-1",
                           ".",
                           "-",
                           "1.2.3",
                           "99999999999999999999999",
                           "inf",
                           "nan"}) {
    EXPECT_EQ(ToInteger16(text), std::nullopt) << text;
  }
}

TEST(ToWholeInteger16, TakesOnlyWholeNumbersThatFit) {
  EXPECT_EQ(ToWholeInteger16(" -32768 "), std::optional<int16_t>(-32768));
  EXPECT_EQ(ToWholeInteger16("+24000"), std::optional<int16_t>(24000));
  for (const char* text : {"", "2.0", "2.5", "32768", "abc", "1e3", "12 kHz"}) {
    EXPECT_EQ(settings::ToWholeInteger16(text), std::nullopt) << text;
  }
}

TEST(ToBoolean, ReadsTrueFalseInAnyCaseAndNumbers) {
  const std::pair<const char*, bool> cases[] = {{"True", true},   {"tRuE", true}, {"FALSE", false},
                                                {"false", false}, {"-1", true},   {"0", false},
                                                {"2", true},      {"0.0", false}, {" True ", true}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(ToBoolean(text), std::optional<bool>(value)) << text;
  }
  for (const char* text : {"", "yes", "no", "Truee", "1e1", "T"}) {
    EXPECT_EQ(ToBoolean(text), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace orx::testing
