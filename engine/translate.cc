#include "engine/translate.h"

#include "engine/io/line_file.h"
#include "engine/text_rules.h"
#include "engine/xml_text.h"

namespace brantel {
namespace {

const std::string kPortIndent(28, ' ');
const std::string kNewseqIndent(42, ' ');
const std::string kInputIndent(14, ' ');

constexpr const char* kAnalogNames[] = {"PADDLE", "PEDAL", "AD_STICK", "DIAL", "TRACKBALL", "LIGHTGUN"};

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

// An "_EXT" twin is the decrement half of an analog control; an analog name
// alone is its increment half.
std::string SequenceType(std::string& port_name) {
  if (Contains(port_name, "_EXT")) {
    port_name = RemoveAll(port_name, "_EXT");
    return "decrement";
  }
  for (const char* analog : kAnalogNames) {
    if (Contains(port_name, analog)) return "increment";
  }
  return "standard";
}

void AppendPortBlock(std::vector<std::string>& out, const std::vector<std::string>& pieces) {
  std::string port_name = TrimSpaces(pieces[0]);
  std::string sequence = SequenceText(TrimSpaces(pieces[1]));
  std::string type = SequenceType(port_name);
  out.emplace_back();
  out.push_back(kPortIndent + "<port type=\"" + XmlEscapedText(port_name) + "\">");
  out.push_back(kNewseqIndent + "<newseq type=\"" + type + "\">" + XmlEscapedText(sequence) +
                "</newseq>");
  out.push_back(kPortIndent + "</port>");
}

void AppendIniLine(std::vector<std::string>& out, const std::string& raw) {
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
  AppendPortBlock(out, pieces);
}

}  // namespace

std::vector<std::string> IntermediateLines(const std::string& system_name,
                                           const std::vector<std::string>& ini_lines) {
  std::vector<std::string> out = {"<system name=\"" + XmlEscapedText(system_name) + "\">",
                                  kInputIndent + "<input>", ""};
  for (const std::string& raw : ini_lines) AppendIniLine(out, raw);
  out.push_back(kInputIndent + "</input>");
  out.push_back("</system>");
  return out;
}

void TranslateIniFile(const std::string& folder, const std::string& name) {
  std::vector<std::string> ini_lines;
  for (LineReader ini(folder + "\\" + name); !ini.AtEnd();) ini_lines.push_back(ini.ReadLine());
  std::string system_name = name.substr(0, name.size() >= 4 ? name.size() - 4 : 0);
  std::string cfg_name = name.substr(0, name.size() >= 3 ? name.size() - 3 : 0) + "cfg";
  LineWriter cfg(folder + "\\" + cfg_name);
  for (const std::string& line : IntermediateLines(system_name, ini_lines)) cfg.Print(line);
  cfg.Close();
}

}  // namespace brantel
