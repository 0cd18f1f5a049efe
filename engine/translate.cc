#include "engine/translate.h"

#include <new>

#include "engine/current_sequence.h"
#include "engine/io/file_safety.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/mame_codes.h"
#include "engine/text_rules.h"
#include "engine/xml_text.h"

namespace brantel {
namespace {

const std::string kPortIndent(28, ' ');
const std::string kNewseqIndent(42, ' ');
const std::string kInputIndent(14, ' ');

constexpr const char* kDecrementNames[] = {"PADDLE",   "AD_STICK",   "DIAL",    "TRACKBALL",
                                           "LIGHTGUN", "POSITIONAL", "MOUSE_X", "MOUSE_Y"};

std::string CleanLine(const std::string& raw) {
  std::string text = TrimSpaces(RemoveChars(raw, "\t"));
  return RemoveChars(text, "\r\n");
}

std::string CommentLine(const std::string& text) {
  return "<!-- " + XmlCommentText(text) + " -->";
}

// Runs of spaces inside one alternative shrink to one space.
std::string TidyAlternative(const std::string& alternative) {
  std::string trimmed = TrimSpaces(alternative);
  if (!Contains(trimmed, " ")) return trimmed;
  std::string result;
  for (const std::string& piece : Split(trimmed, ' ')) {
    if (piece.empty()) continue;
    if (!result.empty()) result += ' ';
    result += piece;
  }
  return result;
}

std::string SequenceText(const std::string& value) {
  std::string result;
  for (const std::string& alternative : Split(value, '|')) {
    std::string tidy = TidyAlternative(alternative);
    if (tidy.empty()) continue;
    if (!result.empty()) result += " OR ";
    result += tidy;
  }
  return result;
}

// Old MAME kept a pedal's key under the pedal's name. Every other analog
// control had two names: the plain one held the keys that move it left or
// up, which MAME now calls decrement, and its "_EXT" twin those that move it
// right or down, now increment.
std::string SequenceType(std::string& port_name) {
  const bool pedal = Contains(port_name, "PEDAL");
  const bool twin = Contains(port_name, "_EXT");
  if (twin) port_name = RemoveAll(port_name, "_EXT");
  if (pedal) return twin ? "decrement" : "increment";
  if (twin) return "increment";
  for (const char* analog : kDecrementNames) {
    if (Contains(port_name, analog)) return "decrement";
  }
  return "standard";
}

void AppendPortBlock(std::vector<std::string>& out, const std::vector<std::string>& pieces,
                     ConversionNotes& notes) {
  std::string port_name = TrimSpaces(pieces[0]);
  const std::string type = SequenceType(port_name);
  // Judged as MAME reads them: in the characters the file holds.
  const std::string port = ToXmlCharacters(port_name);
  if (!IsKnownPortType(port)) {
    notes.push_back({"", 0, NoteKind::kUnknownPortType,
                     "MAME 0.251 does not know the port type \"" + port + "\" (kept as written)"});
  }
  const std::string sequence =
      CurrentSequence(port, ToXmlCharacters(SequenceText(TrimSpaces(pieces[1]))), notes);
  out.emplace_back();
  out.push_back(kPortIndent + "<port type=\"" + XmlEscapedText(port_name) + "\">");
  out.push_back(kNewseqIndent + "<newseq type=\"" + type + "\">" + XmlEscapedText(sequence) +
                "</newseq>");
  out.push_back(kPortIndent + "</port>");
}

void AppendIniLine(std::vector<std::string>& out, const std::string& raw, ConversionNotes& notes) {
  std::string line = CleanLine(raw);
  if (line.empty()) return;
  if (Contains(line, "#")) {
    out.push_back(CommentLine(line));
    return;
  }
  std::vector<std::string> pieces = Split(line, '"');
  if (pieces.size() == 1 || TrimSpaces(pieces[0]) == "ctrlrname") {
    out.push_back(CommentLine(pieces[0]));
    return;
  }
  AppendPortBlock(out, pieces, notes);
}

bool IsDefaultIni(const std::string& name) { return UpperAscii(name) == "DEFAULT.INI"; }

std::vector<std::string> SystemOpenLines(const std::string& system_name) {
  return {"<system name=\"" + XmlEscapedText(system_name) + "\">", kInputIndent + "<input>", ""};
}

std::vector<std::string> SystemCloseLines() { return {kInputIndent + "</input>", "</system>"}; }

// One INI line: its lines of the intermediate file, its notes by line number.
void AppendNumberedIniLine(std::vector<std::string>& out, const std::string& raw, int number,
                           const std::string& file, const NoteSink& notes) {
  ConversionNotes line_notes;
  AppendIniLine(out, raw, line_notes);
  for (ConversionNote& note : line_notes) {
    note.file = file;
    note.line = number;
    notes(std::move(note));
  }
}

// Line by line, so that memory stays bounded by the longest line.
void WriteIntermediateFile(LineReader& ini, const std::string& name, LineWriter& cfg,
                           const NoteSink& notes) {
  const std::string system_name = SystemName(name);
  for (const std::string& line : SystemOpenLines(system_name)) cfg.Print(line);
  std::vector<std::string> body;
  for (int number = 1; !ini.AtEnd(); ++number) {
    body.clear();
    AppendNumberedIniLine(body, ini.ReadLine(), number, name, notes);
    for (const std::string& line : body) cfg.Print(line);
  }
  for (const std::string& line : SystemCloseLines()) cfg.Print(line);
  cfg.Close();
}

}  // namespace

std::vector<std::string> IntermediateLines(const std::string& system_name,
                                           const std::vector<std::string>& ini_lines,
                                           ConversionNotes* notes) {
  std::vector<std::string> out = SystemOpenLines(system_name);
  const NoteSink keep = [notes](ConversionNote note) {
    if (notes != nullptr) notes->push_back(std::move(note));
  };
  for (size_t index = 0; index < ini_lines.size(); ++index) {
    AppendNumberedIniLine(out, ini_lines[index], static_cast<int>(index + 1), "", keep);
  }
  for (std::string& line : SystemCloseLines()) out.push_back(std::move(line));
  return out;
}

std::string SystemName(const std::string& name) {
  if (IsDefaultIni(name)) return "default";
  return name.substr(0, name.size() >= 4 ? name.size() - 4 : 0);
}

std::string IntermediateName(const std::string& name) {
  if (IsDefaultIni(name)) return "default.cfg";
  return name.substr(0, name.size() >= 3 ? name.size() - 3 : 0) + "cfg";
}

void TranslateIniFile(const std::string& folder, const std::string& name, const std::string& cfg_folder,
                      const NoteSink& notes) {
  const std::string ini_path = JoinPath(folder, name);
  const std::string cfg_path = JoinPath(cfg_folder, IntermediateName(name));
  LineReader ini(ini_path);
  LineWriter cfg(cfg_path, LineWriter::InOwnFolder{});
  try {
    WriteIntermediateFile(ini, name, cfg, notes);
  } catch (...) {
    RemoveEntryIfPresent(cfg_path);  // no half-written file stays behind
    try {
      throw;
    } catch (const std::bad_alloc&) {
      throw IoError("Could not translate", ini_path, "Not enough memory for one of its lines");
    }
  }
}

}  // namespace brantel
