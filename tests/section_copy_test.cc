#include "engine/section_copy.h"

#include <gtest/gtest.h>

#include "tests/worked_examples.h"

namespace brantel {
namespace {

using namespace test_support;

class SectionCopyTest : public ::testing::Test {
 protected:
  // What the copy writes for the given section lines, without its two
  // leading empty lines and the footer.
  std::string CopyOf(const std::vector<std::string>& lines) {
    std::string written = Copy(lines);
    std::string frame_start = CrLf({"", ""});
    std::string frame_end = CrLf({Spaces(14) + "</input>", "</system>"});
    EXPECT_EQ(written.substr(0, frame_start.size()), frame_start);
    EXPECT_EQ(written.substr(written.size() - frame_end.size()), frame_end);
    return written.substr(frame_start.size(),
                          written.size() - frame_start.size() - frame_end.size());
  }

  std::string Copy(const std::vector<std::string>& lines) {
    std::string name = "out" + std::to_string(count_++);
    {
      LineWriter out(folder_.path() + "/" + name);
      SlotPair pair;
      CopySectionLines(lines, pair, out);
      EXPECT_EQ(pair.first, SlotArray{});
      EXPECT_EQ(pair.second, SlotArray{});
      out.Close();
    }
    return folder_.Read(name);
  }

  TestFolder folder_;
  int count_ = 0;
};

TEST_F(SectionCopyTest, SampleSectionMergesTheDialHalves) { EXPECT_EQ(Copy(SampleCfgLines()), SampleSection()); }

TEST_F(SectionCopyTest, EmptyAndPortlessSections) {
  EXPECT_EQ(CopyOf({}), "");
  EXPECT_EQ(CopyOf({"<system name=\"a\">", Spaces(14) + "<input>", "<!-- note -->",
                    Spaces(14) + "</input>", "</system>"}),
            CrLf({"<system name=\"a\">", Spaces(14) + "<input>", "<!-- note -->"}));
}

TEST_F(SectionCopyTest, OnlyNeighbouringIdenticalPortLinesMerge) {
  std::vector<std::string> a = {PortLine("A"), NewseqLine("increment", "K1"), ClosingLine()};
  std::vector<std::string> a2 = {PortLine("A"), NewseqLine("decrement", "K2"), ClosingLine()};
  std::vector<std::string> b = {PortLine("B"), NewseqLine("standard", "K3"), ClosingLine()};
  auto join = [](std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  };
  EXPECT_EQ(CopyOf(join({a, {"<!-- between -->", ""}, a2})),
            CrLf({"<!-- between -->", "", PortLine("A"), NewseqLine("increment", "K1"),
                  NewseqLine("decrement", "K2"), ClosingLine(), ""}));
  EXPECT_EQ(CopyOf(join({a, b, a2})),
            CrLf({PortLine("A"), NewseqLine("increment", "K1"), ClosingLine(), "", PortLine("B"),
                  NewseqLine("standard", "K3"), ClosingLine(), "", PortLine("A"),
                  NewseqLine("decrement", "K2"), ClosingLine()}));
  // After a merge the pair is empty, so a third block of the same port stands alone.
  EXPECT_EQ(CopyOf(join({a, a2, a})),
            CrLf({PortLine("A"), NewseqLine("increment", "K1"), NewseqLine("decrement", "K2"),
                  ClosingLine(), "", PortLine("A"), NewseqLine("increment", "K1"), ClosingLine()}));
  std::vector<std::string> a_indented = {" " + PortLine("A"), NewseqLine("decrement", "K2"),
                                         ClosingLine()};
  EXPECT_EQ(CopyOf(join({a, a_indented})),
            CrLf({PortLine("A"), NewseqLine("increment", "K1"), ClosingLine(), "",
                  " " + PortLine("A"), NewseqLine("decrement", "K2"), ClosingLine()}));
}

TEST_F(SectionCopyTest, LineKindsAreTheTextsAfterTheFirstAngleBracket) {
  // Tabs count for recognition only; the raw line is written with them.
  EXPECT_EQ(CopyOf({"\t" + PortLine("A"), NewseqLine("standard", "K"), ClosingLine()}),
            CrLf({"\t" + PortLine("A"), NewseqLine("standard", "K"), ClosingLine()}));
  // A "#" stops the cut: the line is not recognised and is written at once.
  EXPECT_EQ(CopyOf({PortLine("A") + " #", "port x", NewseqLine("standard", "K"), ClosingLine()}),
            CrLf({PortLine("A") + " #", "port x", NewseqLine("standard", "K"), ClosingLine()}));
  EXPECT_EQ(CopyOf({Spaces(14) + "</input> ", Spaces(14) + "</input> # end", "</system>"}),
            CrLf({Spaces(14) + "</input> ", Spaces(14) + "</input> # end"}));
}

}  // namespace
}  // namespace brantel
