// Peak memory of Convert on one large INI file: the files are read a line at
// a time, so memory stays near that of a small folder whatever the size.
//
//   big_ini_bench [MEGABYTES [old]]     (default 100, current code names)
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "engine/convert.h"
#include "engine/plain_window.h"

namespace fs = std::filesystem;

namespace {

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// With old code names every mapping line gives a conversion note, and the
// notes are kept for the end of Convert.
void WriteBigIni(const fs::path& path, long megabytes, bool old_names) {
  std::ofstream out(path, std::ios::binary);
  const std::string block = std::string("P1_BUTTON1 \"") + (old_names ? "KEY_A" : "KEYCODE_A") +
                            " | JOYCODE_1_BUTTON1\"\r\n# a comment line -- with hyphens\r\n";
  for (long written = 0; written < megabytes << 20; written += static_cast<long>(block.size())) out << block;
}

}  // namespace

int main(int argc, char** argv) {
  const long megabytes = argc > 1 ? std::stol(argv[1]) : 100;
  const fs::path work = fs::temp_directory_path() / ("big-ini-bench-" + std::to_string(getpid()));
  fs::create_directories(work / "mame/ctrlr/big");
  fs::create_directories(work / "program/list generator");
  {
    std::ofstream listgen(work / "program/list generator/listgen");
    listgen << "#!/bin/sh\n: > ../masterlist.lst\n";
  }
  fs::permissions(work / "program/list generator/listgen", fs::perms::owner_exec, fs::perm_options::add);
  const bool old_names = argc > 2 && std::string(argv[2]) == "old";
  WriteBigIni(work / "mame/ctrlr/big/game.ini", megabytes, old_names);
  const long before = PeakKilobytes();

  brantel::PlainWindow window;
  window.SetText1("big");
  window.SetText2((work / "mame").string());
  auto start = std::chrono::steady_clock::now();
  brantel::ConvertResult result = brantel::ConvertFolder(window, (work / "program").string());
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  std::cout << "INI file: " << megabytes << " MB of " << (old_names ? "old" : "current") << " code names; combined file: " << fs::file_size(work / "mame/ctrlr/big.cfg") / (1 << 20)
            << " MB\n"
            << "Convert: " << seconds << " s, " << (result == brantel::ConvertResult::kCompleted ? "completed" : "FAILED")
            << "\n"
            << "peak memory: " << PeakKilobytes() / 1024 << " MB (" << before / 1024 << " MB before Convert)\n";
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(work);
  return result == brantel::ConvertResult::kCompleted ? 0 : 1;
}
