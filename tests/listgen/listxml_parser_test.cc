// The streaming parser on its own: MAME's output arrives in pieces cut
// anywhere, and failures must come out as exceptions, never through expat.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tools/listgen/listxml_parser.h"

namespace listgen {
namespace {

const std::string kDocument =
    "<?xml version=\"1.0\"?>\n"
    "<mame build=\"0.251\">\n"
    "\t<machine name=\"puckman\" sourcefile=\"namco/pacman.cpp\">\n"
    "\t\t<description>PuckMan &amp; friends (Japan set 1)</description>\n"
    "\t\t<year>1980</year>\n"
    "\t\t<manufacturer>Namco</manufacturer>\n"
    "\t\t<input players=\"2\" coins=\"2\"/>\n"
    "\t</machine>\n"
    "\t<machine name=\"pacman\" sourcefile=\"namco/pacman.cpp\" cloneof=\"puckman\" romof=\"puckman\">\n"
    "\t\t<description>Pac-Man (Midway)</description>\n"
    "\t\t<year>1980</year>\n"
    "\t\t<manufacturer>Namco (Midway license)</manufacturer>\n"
    "\t</machine>\n"
    "</mame>\n";

std::string Summary(const Machine& m) {
  return m.name + "/" + m.description + "/" + m.year + "/" + m.manufacturer + "/" + m.source_file + "/" +
         m.clone_of + "/" + m.rom_of + "/" + (m.has_input ? "input " + m.players : "no input");
}

std::vector<std::string> ParseInPiecesOf(std::size_t size) {
  std::vector<std::string> machines;
  ListXmlParser parser([&](const Machine& machine) { machines.push_back(Summary(machine)); });
  for (std::size_t at = 0; at < kDocument.size(); at += size) {
    parser.Parse(std::string_view(kDocument).substr(at, size), false);
  }
  parser.Parse({}, true);
  return machines;
}

TEST(ListXmlParserTest, PiecesCutAnywhereGiveTheSameMachines) {
  const std::vector<std::string> expected = {
      "puckman/PuckMan & friends (Japan set 1)/1980/Namco/namco/pacman.cpp///input 2",
      "pacman/Pac-Man (Midway)/1980/Namco (Midway license)/namco/pacman.cpp/puckman/puckman/no input",
  };
  for (std::size_t size : {kDocument.size(), std::size_t{1}, std::size_t{7}, std::size_t{64}}) {
    EXPECT_EQ(ParseInPiecesOf(size), expected) << "pieces of " << size;
  }
}

TEST(ListXmlParserTest, ErrorCarriesExpatsLineAndColumn) {
  ListXmlParser parser([](const Machine&) {});
  try {
    parser.Parse("<mame>\n<machine name=\"a\">\n<year>1980</yaer>\n", false);
    FAIL() << "a mismatched tag must be reported";
  } catch (const ListXmlError& error) {
    EXPECT_EQ(error.line(), 3u);
    EXPECT_EQ(error.column(), 12u);
    EXPECT_NE(std::string(error.what()).find("line 3, column 12"), std::string::npos) << error.what();
  }
}

TEST(ListXmlParserTest, UnfinishedDocumentFailsAtItsEnd) {
  ListXmlParser parser([](const Machine&) {});
  parser.Parse("<mame><machine name=\"a\">", false);
  EXPECT_THROW(parser.Parse({}, true), ListXmlError);
}

TEST(ListXmlParserTest, FailureOfTheMachineHandlerComesOutUnchanged) {
  int calls = 0;
  ListXmlParser parser([&](const Machine&) {
    ++calls;
    throw std::runtime_error("disk full");
  });
  try {
    parser.Parse(kDocument, true);
    FAIL() << "the handler's exception must come out";
  } catch (const ListXmlError&) {
    FAIL() << "the handler's exception must not become a parse error";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "disk full");
  }
  EXPECT_EQ(calls, 1) << "parsing stops at the first failure";
}

}  // namespace
}  // namespace listgen
