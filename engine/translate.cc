#include "engine/translate.h"

#include <algorithm>
#include <new>

#include "engine/current_sequence.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"
#include "engine/io/line_file.h"
#include "engine/io/stop_request.h"
#include "engine/mame_codes.h"
#include "engine/old_ini_reading.h"
#include "engine/old_options.h"
#include "engine/text_rules.h"
#include "engine/xml_text.h"

namespace brantel {
namespace {

const std::string kPortIndent(28, ' ');
const std::string kNewseqIndent(42, ' ');
const std::string kInputIndent(14, ' ');

constexpr const char* kDecrementNames[] = {"PADDLE",   "AD_STICK",   "DIAL",    "TRACKBALL",
                                           "LIGHTGUN", "POSITIONAL", "MOUSE_X", "MOUSE_Y"};

bool HoldsLineEnd(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
}

std::string_view TrimmedSpaces(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Tabs deleted, spaces trimmed, then CR and LF deleted. A view of `raw`
// itself when it holds no tab nor line end, as nearly every line; otherwise
// of `storage`, whose room is kept from line to line. A line may be as long
// as the file.
std::string_view CleanLine(std::string_view raw, std::string& storage) {
  const bool plain = std::none_of(raw.begin(), raw.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; });
  if (plain) return TrimmedSpaces(raw);
  storage.clear();
  for (const char c : raw) {
    if (c != '\t') storage += c;
  }
  storage.erase(storage.find_last_not_of(' ') + 1);
  storage.erase(0, storage.find_first_not_of(' '));
  if (HoldsLineEnd(storage)) std::erase_if(storage, [](char c) { return c == '\r' || c == '\n'; });
  return storage;
}

void AppendComment(std::string& line, std::string_view text) {
  line += "<!-- ";
  AppendXmlCommentText(line, text);
  line += " -->";
}

// The alternatives between "|" joined by " OR ", each with its runs of
// spaces shrunk to one and trimmed; empty ones dropped. Into `result`.
void SequenceText(std::string_view value, std::string& result) {
  result.clear();
  for (size_t start = 0; start <= value.size();) {
    const size_t bar = std::min(value.find('|', start), value.size());
    const std::string_view alternative = value.substr(start, bar - start);
    bool first_word = true;
    for (size_t at = 0; at < alternative.size();) {
      const size_t end = std::min(alternative.find(' ', at), alternative.size());
      if (end > at) {
        if (first_word && !result.empty()) result += " OR ";
        if (!first_word) result += ' ';
        result.append(alternative.substr(at, end - at));
        first_word = false;
      }
      at = end + 1;
    }
    start = bar + 1;
  }
}

// The same as a view: `value` itself when it is already so written.
std::string_view SequenceTextView(std::string_view value, std::string& storage) {
  const bool joined = value.find('|') == std::string_view::npos && value.find("  ") == std::string_view::npos &&
                      !value.starts_with(' ') && !value.ends_with(' ');
  if (joined) return value;
  SequenceText(value, storage);
  return storage;
}

std::string SequenceText(std::string_view value) {
  std::string result;
  SequenceText(value, result);
  return result;
}

// Old MAME kept a pedal's key under the pedal's name. Every other analog
// control had two names: the plain one held the keys that move it left or
// up, which MAME now calls decrement, and its "_EXT" twin those that move it
// right or down, now increment. The name loses its "_EXT", into `storage`.
const char* SequenceType(std::string_view& port_name, std::string& storage) {
  const bool pedal = Contains(port_name, "PEDAL");
  const bool twin = Contains(port_name, "_EXT");
  if (twin) {
    storage = RemoveAll(port_name, "_EXT");
    port_name = storage;
  }
  if (pedal) return twin ? "decrement" : "increment";
  if (twin) return "increment";
  for (const char* analog : kDecrementNames) {
    if (Contains(port_name, analog)) return "decrement";
  }
  return "standard";
}

// A port type MAME 0.251 knows, or the "_EXT" twin of one.
bool IsKnownPortOrTwin(std::string_view name) {
  return IsKnownPortType(name) || (name.ends_with("_EXT") && IsKnownPortType(name.substr(0, name.size() - 4)));
}

// Old MAME's "_EXT" of a pedal switched its auto release on or off.
bool IsPedalAutoRelease(std::string_view name) {
  return name.ends_with("_EXT") && Contains(name, "PEDAL") && IsKnownPortType(name.substr(0, name.size() - 4));
}

// The value as the mapping rules read it: tabs deleted, spaces trimmed.
std::string ValueText(const OldIniReading& reading) { return TrimSpaces(RemoveChars(reading.value, "\t")); }

// The translation of one file's lines: their output lines, their notes, and
// what the file as a whole tells. Each line is made in a text whose room is
// kept, and handed on at once.
class IniTranslator {
 public:
  explicit IniTranslator(IntermediateSink& out) : out_(out) {}

  void Translate(std::string_view raw, ConversionNotes& notes);
  const RenameTally& renames() const { return renames_; }
  std::vector<IniInclude>& includes() { return includes_; }

 private:
  bool TranslateAsOption(const OldIniReading& reading, std::string_view line);
  bool TranslateAsKeyLine(const OldIniReading& reading, std::string_view line);
  bool TranslateAsMappingWithHash(const OldIniReading& reading, std::string_view line);
  bool TranslateAsOldMapping(const OldIniReading& reading);
  void AppendPortBlock(std::string_view name_as_written, std::string_view value);
  void AppendRemark(const OldIniReading& reading);
  void AppendComment(std::string_view text);
  void Note(NoteKind kind, const std::string& text) { notes_->push_back({"", 0, kind, text}); }

  IntermediateSink& out_;
  ConversionNotes* notes_ = nullptr;
  RenameTally renames_;
  std::vector<IniInclude> includes_;
  // Room kept from line to line.
  std::string clean_, without_line_ends_, out_line_, sequence_, written_, port_, port_name_;
};

// A comment of more than a megabyte goes as several, one a line: the
// combined file's check, and MAME, take each in one piece.
void IniTranslator::AppendComment(std::string_view text) {
  constexpr size_t kLongestComment = 1 << 20;
  out_line_.clear();
  ::brantel::AppendComment(out_line_, text);
  if (out_line_.size() <= kLongestComment) {
    out_.Line(out_line_);
    return;
  }
  const std::string whole = std::move(out_line_);
  const std::string_view inside = std::string_view(whole).substr(5, whole.size() - 9);  // "<!-- " and " -->"
  for (const std::string_view piece : CommentPieces(inside, kLongestComment)) {
    out_line_.assign("<!-- ");
    out_line_ += piece;
    out_line_ += " -->";
    out_.Line(out_line_);
  }
}

void IniTranslator::AppendPortBlock(std::string_view name_as_written, std::string_view value) {
  // Judged as MAME reads them: in the characters the file holds.
  const std::string_view written = XmlCharacters(name_as_written, written_);
  if (IsPedalAutoRelease(written)) {
    Note(NoteKind::kLeftOutLine,
         QuotedInNote(written) + " left out: it switched the pedal's auto release, which MAME 0.251 no longer has");
    return;
  }
  std::string_view port_name = TrimmedSpaces(name_as_written);
  const char* type = SequenceType(port_name, port_name_);
  const std::string_view port = XmlCharacters(port_name, port_);
  const bool renamed = port != written;
  if (!IsKnownPortType(port)) {
    Note(NoteKind::kUnknownPortType, "MAME 0.251 does not know the port type \"" + QuotedInNote(port) + "\"" +
                                         (renamed ? " of " + QuotedInNote(written) : "") + " (kept as written)");
  }
  std::string xml_sequence_storage;
  const std::string_view sequence = XmlCharacters(SequenceTextView(value, sequence_), xml_sequence_storage);
  out_.Line("");
  out_line_.assign(kPortIndent);
  out_line_ += "<port type=\"";
  AppendXmlEscapedText(out_line_, port_name);
  out_line_ += "\">";
  out_.Line(out_line_);
  // The sequence goes straight into its line: it may be as long as the file.
  out_line_.assign(kNewseqIndent);
  out_line_ += "<newseq type=\"";
  out_line_ += type;
  out_line_ += "\">";
  const size_t sequence_start = out_line_.size();
  struct Label {
    std::string_view written, port;
    const char* type;
    bool renamed;
  } const named{written, port, type, renamed};
  CurrentSequence(
      [&named] {
        if (!named.renamed) return QuotedInNote(named.port);
        return QuotedInNote(named.written) + " (the " + named.type + " of " + QuotedInNote(named.port) + ")";
      },
      sequence, out_line_, *notes_, renames_);
  EscapeXmlTextFrom(out_line_, sequence_start);
  out_line_ += "</newseq>";
  out_.Line(out_line_);
  out_line_.assign(kPortIndent);
  out_line_ += "</port>";
  out_.Line(out_line_);
}

// A remark after the value: the cleaning made on the whole line is the
// same on its end.
void IniTranslator::AppendRemark(const OldIniReading& reading) {
  if (reading.remark.empty()) return;
  std::string storage;
  AppendComment(CleanLine(reading.remark, storage));
}

// Options such as "mouse 1" set how old MAME read its devices; they are no
// input, and MAME 0.251 takes them from mame.ini, not a controller file.
bool IniTranslator::TranslateAsOption(const OldIniReading& reading, std::string_view line) {
  const auto option = FindOldOption(reading.name);
  if (!option) return false;
  AppendComment(line);
  std::string text = "option line \"" + QuotedInNote(ToXmlCharacters(line)) + "\": ";
  if (option->names_ini_file) {
    text += "old MAME read the INI file it names for those controls only; ";
    if (HasValue(reading)) includes_.push_back({option->name, option->current, ValueText(reading)});
  } else {
    text += "an option of old MAME, not an input; ";
  }
  text += option->current.empty() ? "MAME 0.251 has no option for it"
                                   : "set MAME 0.251's option " + option->current + " (in mame.ini) instead";
  Note(NoteKind::kOptionLine, text + " (kept as a comment)");
  return true;
}

// "KEYCODE_LEFT KEYCODE_4_PAD" put the second code wherever a default used
// the first, which MAME 0.251 does with a remap.
bool IniTranslator::TranslateAsKeyLine(const OldIniReading& reading, std::string_view line) {
  if (!IsInputCodeName(reading.name) || !HasValue(reading)) return false;
  const std::string original = ToXmlCharacters(reading.name);
  const std::string value = ToXmlCharacters(SequenceText(ValueText(reading)));
  const auto from = CurrentSingleCode(original);
  const auto to = CurrentSingleCode(value);
  if (!from || !to) {
    AppendComment(line);
    Note(NoteKind::kKeyLine, "key line " + QuotedInNote(original) +
                                 ": MAME 0.251 remaps one code it knows to another, and \"" +
                                 QuotedInNote(from ? value : original) + "\" is not one; kept as a comment");
    return true;
  }
  if (*from != original) renames_.Add(original, *from);
  if (*to != value) renames_.Add(value, *to);
  // In MAME's own spelling, as it writes remaps.
  out_.Line(kPortIndent + "<remap origcode=\"" + XmlEscapedText(UpperAscii(*from)) + "\" newcode=\"" +
            XmlEscapedText(UpperAscii(*to)) + "\" />");
  AppendRemark(reading);
  return true;
}

// A mapping old MAME applied whose port name or value holds a "#": MAME
// 0.251 reads no code with one, and the section copy takes any line holding
// a "#" for a plain line, so a port block of it would come apart there.
bool IniTranslator::TranslateAsMappingWithHash(const OldIniReading& reading, std::string_view line) {
  if (!HasValue(reading) || Contains(reading.name, "\"")) return false;
  const bool mapping = reading.quote == '"' || (!Contains(reading.value, "\"") && IsKnownPortOrTwin(reading.name));
  const bool name_hash = Contains(reading.name, "#");
  if (!mapping || (!name_hash && !Contains(reading.value, "#"))) return false;
  AppendComment(line);
  const std::string what = name_hash ? "port name \"" + QuotedInNote(ToXmlCharacters(reading.name)) + "\""
                                     : "port " + QuotedInNote(ToXmlCharacters(reading.name)) + ": value \"" +
                                           QuotedInNote(ToXmlCharacters(ValueText(reading))) + "\"";
  Note(NoteKind::kHashInMapping,
       what + " holds a \"#\", which MAME 0.251 reads in no port name or code; the line is kept as a comment");
  return true;
}

// Lines old MAME applied that the plain reading loses: a remark after the
// quoted value, or a value without double quotes after a port's name.
bool IniTranslator::TranslateAsOldMapping(const OldIniReading& reading) {
  if (!HasValue(reading) || Contains(reading.name, "\"")) return false;
  const bool remark_after_quotes = reading.quote == '"' && !reading.remark.empty();
  const bool bare_value = reading.quote != '"' && !Contains(reading.value, "\"") && IsKnownPortOrTwin(reading.name);
  if (!remark_after_quotes && !bare_value) return false;
  AppendPortBlock(reading.name, ValueText(reading));
  AppendRemark(reading);
  return true;
}

void IniTranslator::Translate(std::string_view raw, ConversionNotes& notes) {
  notes_ = &notes;
  const std::string_view line = CleanLine(raw, clean_);
  if (line.empty()) return;
  // The text before the first double quote, and between it and the next.
  const size_t quote = line.find('"');
  const bool quoted = quote != std::string::npos;
  const std::string_view before = std::string_view(line).substr(0, quote);
  const std::string_view inside =
      quoted ? std::string_view(line).substr(quote + 1, line.find('"', quote + 1) - quote - 1) : std::string_view();
  // The controller's name, remark and all.
  if (quoted && TrimmedSpaces(before) == "ctrlrname") {
    AppendComment(line);
    return;
  }
  std::string_view read = raw;
  if (HoldsLineEnd(raw)) {
    without_line_ends_ = RemoveChars(raw, "\r\n");
    read = without_line_ends_;
  }
  const OldIniReading reading = ReadAsOldMame(read);
  if (TranslateAsOption(reading, line) || TranslateAsKeyLine(reading, line) ||
      TranslateAsMappingWithHash(reading, line) || TranslateAsOldMapping(reading)) {
    return;
  }
  if (Contains(line, "#") || !quoted) {
    AppendComment(line);
    return;
  }
  const std::string_view port_name = TrimmedSpaces(before);
  if (!HasValue(reading)) {
    Note(NoteKind::kIgnoredByOldMame,
         std::string("old MAME ignored this line, which holds ") +
             (reading.ignored ? "more than a name and one value" : "no value after its name") +
             "; written as port \"" + QuotedInNote(ToXmlCharacters(port_name)) + "\" all the same");
  }
  AppendPortBlock(port_name, TrimmedSpaces(inside));
}

std::vector<std::string> SystemOpenLines(const std::string& system_name) {
  return {"<system name=\"" + XmlEscapedText(system_name) + "\">", kInputIndent + "<input>", ""};
}

std::vector<std::string> SystemCloseLines() { return {kInputIndent + "</input>", "</system>"}; }

// One INI line: its intermediate lines, its notes by line number.
void TranslateNumberedLine(IniTranslator& translator, std::string_view raw, int number, const std::string& file,
                           const NoteSink& notes) {
  ConversionNotes line_notes;
  translator.Translate(raw, line_notes);
  for (ConversionNote& note : line_notes) {
    note.file = file;
    note.line = number;
    notes(std::move(note));
  }
}

void NoteRenames(const IniTranslator& translator, const std::string& file, const NoteSink& notes) {
  if (auto note = translator.renames().Note(file)) notes(std::move(*note));
}

// Line by line, so that memory stays bounded by the longest line.
std::vector<IniInclude> TranslateLines(LineReader& ini, const std::string& name, IntermediateSink& section,
                                       const NoteSink& notes) {
  const std::string system_name = SystemName(name);
  for (const std::string& line : SystemOpenLines(system_name)) section.Line(line);
  IniTranslator translator(section);
  for (int number = 1; !ini.AtEnd(); ++number) {
    // A file of millions of lines takes seconds.
    ThrowIfStopRequested();
    TranslateNumberedLine(translator, ini.ReadLineView(), number, name, notes);
  }
  for (const std::string& line : SystemCloseLines()) section.Line(line);
  NoteRenames(translator, name, notes);
  return std::move(translator.includes());
}

}  // namespace

std::vector<std::string> IntermediateLines(const std::string& system_name,
                                           const std::vector<std::string>& ini_lines,
                                           ConversionNotes* notes) {
  std::vector<std::string> out = SystemOpenLines(system_name);
  const NoteSink keep = [notes](ConversionNote note) {
    if (notes != nullptr) notes->push_back(std::move(note));
  };
  struct Collected : IntermediateSink {
    explicit Collected(std::vector<std::string>& lines) : lines_(lines) {}
    void Line(std::string_view line) override { lines_.emplace_back(line); }
    std::vector<std::string>& lines_;
  } collected(out);
  IniTranslator translator(collected);
  for (size_t index = 0; index < ini_lines.size(); ++index) {
    TranslateNumberedLine(translator, ini_lines[index], static_cast<int>(index + 1), "", keep);
  }
  NoteRenames(translator, "", keep);
  for (std::string& line : SystemCloseLines()) out.push_back(std::move(line));
  return out;
}

bool IsDefaultIni(const std::string& name) { return UpperAscii(name) == "DEFAULT.INI"; }

std::string SystemName(const std::string& name) {
  if (IsDefaultIni(name)) return "default";
  return name.substr(0, name.size() >= 4 ? name.size() - 4 : 0);
}

std::vector<IniInclude> TranslateIniFile(const std::string& folder, const std::string& name,
                                         IntermediateSink& section, const NoteSink& notes) {
  const std::string ini_path = JoinPath(folder, name);
  LineReader ini(ini_path, LineReader::Marks::kHonour);
  try {
    return TranslateLines(ini, name, section, notes);
  } catch (const std::bad_alloc&) {
    throw IoError("Could not translate", ini_path, "Not enough memory for one of its lines");
  }
}

// Old MAME read "paddle_ini mouse" as: for paddle games, also read
// mouse.ini. MAME 0.251 applies a section to the machine it names only.
void NoteIncludedIniFiles(const std::vector<std::string>& entries, const std::vector<IniInclude>& includes,
                          const NoteSink& notes) {
  for (const std::string& entry : entries) {
    const std::string system = UpperAscii(SystemName(entry));
    std::vector<const IniInclude*> naming;
    for (const IniInclude& include : includes) {
      std::string named = UpperAscii(include.file);
      if (named.ends_with(".INI")) named.resize(named.size() - 4);
      const bool listed = std::any_of(naming.begin(), naming.end(),
                                      [&](const IniInclude* earlier) { return earlier->option == include.option; });
      if (named == system && !listed) naming.push_back(&include);
    }
    if (naming.empty()) continue;
    std::string named_by;
    for (const IniInclude* include : naming) named_by += (named_by.empty() ? "" : ", ") + include->option;
    const std::string& device_option = naming.front()->current;
    notes({entry, 0, NoteKind::kIncludeFile,
           "named by " + named_by + " lines: old MAME read it for those controls, but its section \"" +
               SystemName(entry) + "\" applies to no machine in MAME 0.251; " +
               (device_option.empty() ? "" : "set MAME's " + device_option + " option instead, or ") +
               "copy its lines into the sections of the games that need them"});
  }
}

}  // namespace brantel
