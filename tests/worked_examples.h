// The sample controller folder used across the tests: an INI file, the
// intermediate cfg it translates to, and what the section copy makes of it.
#pragma once

#include <string>
#include <vector>

#include "engine/io/host_path.h"
#include "tests/test_folder.h"

namespace brantel::test_support {

inline std::string Spaces(int count) { return std::string(count, ' '); }

inline std::string SampleIni() {
  return CrLf({"[sample]", "ctrlrname \"Panel\"", "# player one",
               "  BUTTON1\t\"KEY_A | JOY_FIRE\"", "P1_DIAL \"KEY_LEFT\"",
               "P1_DIAL_EXT \"KEY_RIGHT\" KEY_X", "  \t", "START \"KEY_1   KEY_SHIFT||\""});
}

// What the translation notes on the sample, each after "sample.ini:": all of
// it is not applied by MAME.
inline std::vector<std::string> SampleNotes() {
  const std::string no_input = "; the port will have no input (kept as written)";
  const std::string unknown = "current MAME (as of 0.251) does not know the port type ";
  return {"4: " + unknown + "\"BUTTON1\" (kept as written)",
          "4: port BUTTON1: current MAME (as of 0.251) knows no code in \"KEY_A OR JOY_FIRE\"" + no_input,
          "5: port P1_DIAL: current MAME (as of 0.251) knows no code in \"KEY_LEFT\"" + no_input,
          "6: old MAME ignored this line, which holds more than a name and one value; written as port "
          "\"P1_DIAL_EXT\" all the same",
          "6: port P1_DIAL_EXT (the increment of P1_DIAL): current MAME (as of 0.251) knows no code in \"KEY_RIGHT\"" + no_input,
          "8: " + unknown + "\"START\" (kept as written)",
          "8: port START: current MAME (as of 0.251) knows no code in \"KEY_1 KEY_SHIFT\"" + no_input};
}

// The same as brantel-convert prints them for the folder "old".
inline std::string SampleNotesPrinted() {
  std::string printed;
  for (const std::string& note : SampleNotes()) {
    const size_t line_end = note.find(": ");
    printed += "Conversion Notes: " + JoinPath("old", "sample.ini") + ":" + note.substr(0, line_end) + ": not applied" +
               note.substr(line_end) + "\n";
  }
  return printed;
}

inline std::string PortLine(const std::string& name) {
  return Spaces(28) + "<port type=\"" + name + "\">";
}
inline std::string NewseqLine(const std::string& type, const std::string& sequence) {
  return Spaces(42) + "<newseq type=\"" + type + "\">" + sequence + "</newseq>";
}
inline std::string ClosingLine() { return Spaces(28) + "</port>"; }

inline std::vector<std::string> SampleCfgLines() {
  return {"<system name=\"sample\">", Spaces(14) + "<input>", "",
               "<!-- [sample] -->", "<!-- ctrlrname \"Panel\" -->", "<!-- # player one -->",
               "", PortLine("BUTTON1"), NewseqLine("standard", "KEY_A OR JOY_FIRE"), ClosingLine(),
               "", PortLine("P1_DIAL"), NewseqLine("decrement", "KEY_LEFT"), ClosingLine(),
               "", PortLine("P1_DIAL"), NewseqLine("increment", "KEY_RIGHT"), ClosingLine(),
               "", PortLine("START"), NewseqLine("standard", "KEY_1 KEY_SHIFT"), ClosingLine(),
               Spaces(14) + "</input>", "</system>"};
}

inline std::string SampleCfg() {
  std::string text;
  for (const std::string& line : SampleCfgLines()) text += line + "\r\n";
  return text;
}

inline std::string SampleSection() {
  return CrLf({"", "", "<system name=\"sample\">", Spaces(14) + "<input>", "",
               "<!-- [sample] -->", "<!-- ctrlrname \"Panel\" -->", "<!-- # player one -->", "", "",
               PortLine("BUTTON1"), NewseqLine("standard", "KEY_A OR JOY_FIRE"), ClosingLine(),
               "", "", PortLine("P1_DIAL"), NewseqLine("decrement", "KEY_LEFT"),
               NewseqLine("increment", "KEY_RIGHT"), ClosingLine(), "", "", PortLine("START"),
               NewseqLine("standard", "KEY_1 KEY_SHIFT"), ClosingLine(), Spaces(14) + "</input>",
               "</system>"});
}

// The section of a one-port system, as the copy writes it.
inline std::string OnePortSection(const std::string& system, const std::string& port,
                                  const std::string& sequence) {
  return CrLf({"", "", "<system name=\"" + system + "\">", Spaces(14) + "<input>", "", "",
               PortLine(port), NewseqLine("standard", sequence), ClosingLine(),
               Spaces(14) + "</input>", "</system>"});
}

inline std::string EmptyDefaultSection() {
  return CrLf({"", "", "<system name=\"default\">", Spaces(14) + "<input>", "",
               Spaces(14) + "</input>", "</system>"});
}

}  // namespace brantel::test_support
