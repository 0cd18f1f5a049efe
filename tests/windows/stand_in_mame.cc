// A stand-in for MAME on Windows (and under Wine), for the whole chain of
// Convert, the real list generator and MAME: "-listxml" prints a small
// machine list in MAME's format; anything else is refused as MAME would. It
// ends with the code in "exit-code.txt" beside it, when there is one.
// "--hold FILE" holds FILE open, sharing nothing, for a minute (FILE.held).
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kListXml = R"xml(<?xml version="1.0"?>
<mame build="0.251 (stand-in)">
	<machine name="neogeo" sourcefile="neogeo/neogeo.cpp" isbios="yes">
		<description>Neo-Geo MV-6F</description>
		<year>1990</year>
		<manufacturer>SNK</manufacturer>
	</machine>
	<machine name="pacman" sourcefile="pacman/pacman.cpp">
		<description>Pac-Man (Midway)</description>
		<year>1980</year>
		<manufacturer>Namco (Midway license)</manufacturer>
		<input players="2" coins="2"/>
	</machine>
	<machine name="mspacman" sourcefile="pacman/pacman.cpp" cloneof="pacman" romof="pacman">
		<description>Ms. Pac-Man</description>
		<year>1981</year>
		<manufacturer>Midway / General Computer Corporation</manufacturer>
		<input players="2" coins="2"/>
	</machine>
	<machine name="sample" sourcefile="misc/sample.cpp">
		<description>Sample &amp; Co.</description>
		<year>1990</year>
		<manufacturer>Maker</manufacturer>
		<input players="1"/>
	</machine>
</mame>
)xml";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string_view(argv[1]) == "--hold") {
    HANDLE held = CreateFileA(argv[2], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 1;
    std::ofstream(std::string(argv[2]) + ".held");
    Sleep(60000);
    return 0;
  }
  unsigned long code = 0;
  if (std::ifstream(std::filesystem::path(argv[0]).parent_path() / "exit-code.txt") >> code) {
    return static_cast<int>(code);
  }
  if (argc != 2 || std::string_view(argv[1]) != "-listxml") {
    std::fputs("Unknown command line for this stand-in MAME\n", stderr);
    return 1;
  }
  std::fwrite(kListXml.data(), 1, kListXml.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
