// The sieve in front of the parser: it may blank only lines that are one
// whole empty element the parser does not read, and must keep every line
// end, however MAME's output is cut into pieces.
#include <gtest/gtest.h>

#include <string>

#include "tools/listgen/empty_element_sieve.h"
#include "tools/listgen/listxml_parser.h"

namespace listgen {
namespace {

const std::string kOutput =
    "<?xml version=\"1.0\"?>\n"
    "<mame>\n"
    "\t<machine name=\"a\" sourcefile=\"a.cpp\">\n"
    "\t\t<description>A</description>\n"
    "\t\t<rom name=\"a.1\" size=\"1\"/>\n"
    "\t\t<input players=\"2\"/>\r\n"
    "\t\t<chip type=\"cpu\" name=\"a/>b\"/>\n"
    "\t\t<dipvalue name=\"runs on\n"
    "<to the next line\"/>\n"
    "\t\t<sample name=\"x\"/><sample name=\"y\"/>\n"
    "\t\t<port tag=\"p\">\n"
    "\t\t<!-- <x/> -->\n"
    "/>\n"
    "\t\t<rom name=\"b\"/>\r\n"
    "\t</machine>\n"
    "</mame>";

const std::string kSifted =
    "<?xml version=\"1.0\"?>\n"
    "<mame>\n"
    "\t<machine name=\"a\" sourcefile=\"a.cpp\">\n"
    "\t\t<description>A</description>\n"
    "\n"
    "\t\t<input players=\"2\"/>\r\n"
    "\n"
    "\t\t<dipvalue name=\"runs on\n"
    "<to the next line\"/>\n"
    "\t\t<sample name=\"x\"/><sample name=\"y\"/>\n"
    "\t\t<port tag=\"p\">\n"
    "\t\t<!-- <x/> -->\n"
    "/>\n"
    "\r\n"
    "\t</machine>\n"
    "</mame>";

std::string SiftInPiecesOf(std::size_t size) {
  EmptyElementSieve sieve(kElementsRead);
  std::string sifted;
  for (std::size_t at = 0; at < kOutput.size(); at += size) {
    sifted += sieve.Sift(std::string_view(kOutput).substr(at, size));
  }
  return sifted + std::string(sieve.Rest());
}

TEST(EmptyElementSieveTest, BlanksOnlyWholeEmptyElementsTheParserDoesNotRead) {
  EXPECT_EQ(SiftInPiecesOf(kOutput.size()), kSifted);
}

TEST(EmptyElementSieveTest, PiecesCutAnywhereGiveTheSameText) {
  for (std::size_t size : {std::size_t{1}, std::size_t{2}, std::size_t{5}, std::size_t{33}}) {
    EXPECT_EQ(SiftInPiecesOf(size), kSifted) << "pieces of " << size;
  }
}

TEST(EmptyElementSieveTest, KeepsEveryElementTheParserReadsEvenWhenEmpty) {
  EmptyElementSieve sieve(kElementsRead);
  const std::string lines =
      "<machine name=\"m\"/>\n<game name=\"g\"/>\n<description/>\n<year/>\n<manufacturer/>\n<input players=\"1\"/>\n";
  EXPECT_EQ(sieve.Sift(lines), lines);
}

}  // namespace
}  // namespace listgen
