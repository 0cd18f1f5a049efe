#include "engine/mame_codes.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/mame_observed_tokens.h"

namespace brantel {
namespace {

// Every old token, judged as MAME judged it when it was tried on it; every
// current name given for one is a code MAME reads.
TEST(MameCodesTest, JudgesOldTokensAsMameDid) {
  const std::map<std::string_view, CodeVerdict> verdicts = {
      {"OK", CodeVerdict::kRead},
      {"DROPPED", CodeVerdict::kDropped},
      {"SPECIAL", CodeVerdict::kDropped},  // NONE, as one token among others
      {"PARSES_BUT_DEAD", CodeVerdict::kNeverFires},
      {"CRASH", CodeVerdict::kNoDevice}};
  for (const test_support::ObservedToken& observed : test_support::kObservedTokens) {
    if (observed.status == "OK_KEYWORD") {
      EXPECT_TRUE(IsSequenceKeyword(observed.token)) << observed.token;
      continue;
    }
    EXPECT_EQ(JudgeCodeToken(observed.token), verdicts.at(observed.status)) << observed.token;
    const auto current = CurrentCodeName(observed.token, true);
    if (current && !IsSequenceKeyword(*current) && *current != "NONE") {
      EXPECT_EQ(JudgeCodeToken(*current), CodeVerdict::kRead) << observed.token << " as " << *current;
    }
  }
}

}  // namespace
}  // namespace brantel
