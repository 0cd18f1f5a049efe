#include "tools/listgen/generate.h"

#include <optional>
#include <stdexcept>
#include <vector>

#include "engine/io/line_file.h"
#include "engine/io/stop_request.h"
#include "engine/io/host_path.h"
#include "tools/listgen/empty_element_sieve.h"
#include "tools/listgen/listxml_parser.h"
#include "tools/listgen/mame_pipe.h"
#include "tools/listgen/master_list_record.h"

namespace listgen {
namespace {

constexpr std::size_t kChunk = 256 * 1024;
constexpr long kProgressStep = 10000;

void DropRest(MameOutput& mame) {
  std::vector<char> buffer(kChunk);
  while (mame.Read(buffer.data(), buffer.size()) > 0) {
  }
}

// Feeds MAME's output to the parser as it comes. After a parse error the rest
// of the output is read and dropped, so that a MAME that failed can still be
// reported as such rather than as bad XML.
std::optional<ListXmlError> ParseAll(MameOutput& mame, ListXmlParser& parser) {
  EmptyElementSieve sieve(kElementsRead);
  std::vector<char> buffer(kChunk);
  for (;;) {
    brantel::ThrowIfStopRequested();
    const std::size_t length = mame.Read(buffer.data(), buffer.size());
    try {
      if (length > 0) {
        parser.Parse(sieve.Sift({buffer.data(), length}), false);
      } else {
        parser.Parse(sieve.Rest(), true);
      }
    } catch (const ListXmlError& error) {
      DropRest(mame);
      return error;
    }
    if (length == 0) return std::nullopt;
  }
}

}  // namespace

GeneratedList GenerateMasterList(const std::string& mame_program, const std::string& list_file,
                                 const ProgressReport& progress) {
  // Under a temporary name beside the list: what a run that is killed
  // leaves, the next Convert recognises and removes.
  brantel::ReplacingLineWriter list(list_file);
  long machines = 0;
  std::string record;
  ListXmlParser parser([&](const Machine& machine) {
    record.clear();
    AppendMasterListRecord(machine, record);
    list.Print(record);
    if (++machines % kProgressStep == 0 && progress) progress(machines);
  });

  MameOutput mame(mame_program, "-listxml");
  const std::optional<ListXmlError> parse_error = ParseAll(mame, parser);
  const ProgramEnd end = mame.Wait();
  const std::string command = "\"" + mame_program + " -listxml\"";
  if (!end.succeeded) throw std::runtime_error(command + " " + end.description);
  if (parse_error) throw *parse_error;
  if (machines == 0) throw std::runtime_error(command + " listed no machines");
  list.Commit();
  return {machines, parser.Build()};
}

}  // namespace listgen
