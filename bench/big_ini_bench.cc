// Peak memory of Convert on one large INI file: the files are read a line at
// a time, so memory stays near that of a small folder whatever the size.
//
//   big_ini_bench [MEGABYTES [old|headless|lf]]     (default 100, current code names)
//
// "old" writes old code names, whose conversion notes the window keeps for
// its box; "headless" converts the same file with brantel-convert, which
// prints each note as it is found; "lf" ends the lines in LF alone, as
// MAME's own controller files do.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "engine/convert.h"
#include "engine/plain_window.h"

namespace fs = std::filesystem;

namespace {

long PeakKilobytes(int who = RUSAGE_SELF) {
  rusage usage{};
  getrusage(who, &usage);
  return usage.ru_maxrss;
}

// With old code names every mapping line gives a conversion note.
void WriteBigIni(const fs::path& path, long megabytes, bool old_names, const std::string& line_end) {
  std::ofstream out(path, std::ios::binary);
  const std::string block = std::string("P1_BUTTON1 \"") + (old_names ? "KEY_A" : "KEYCODE_A") +
                            " | JOYCODE_1_BUTTON1\"" + line_end + "# a comment line -- with hyphens" + line_end;
  for (long written = 0; written < megabytes << 20; written += static_cast<long>(block.size())) out << block;
}

bool ConvertInWindow(const fs::path& work) {
  brantel::PlainWindow window;
  window.SetText1("big");
  window.SetText2((work / "mame").string());
  return brantel::ConvertFolder(window, (work / "program").string()) == brantel::ConvertResult::kCompleted;
}

// A copy in the program folder, as a user runs it; its notes are counted as
// they are printed.
bool ConvertHeadless(const fs::path& work) {
  const fs::path program = work / "program/brantel-convert";
  fs::copy_file(BRANTEL_CONVERT_PROGRAM, program);
  const std::string command = "'" + program.string() + "' big '" + (work / "mame").string() + "'";
  std::unique_ptr<FILE, int (*)(FILE*)> output(popen(command.c_str(), "r"), pclose);
  if (!output) return false;
  long notes = 0;
  std::string last;
  for (char line[4096]; std::fgets(line, sizeof line, output.get()) != nullptr; last = line) {
    if (std::string(line).starts_with("Conversion Notes: ")) ++notes;
  }
  std::cout << "notes printed: " << notes << "\n";
  return pclose(output.release()) == 0 && last.starts_with("Conversion Complete!");
}

}  // namespace

int main(int argc, char** argv) {
  const long megabytes = argc > 1 ? std::stol(argv[1]) : 100;
  const fs::path work = fs::temp_directory_path() / ("big-ini-bench-" + std::to_string(getpid()));
  fs::create_directories(work / "mame/ctrlr/big");
  fs::create_directories(work / "program/list generator");
  {
    std::ofstream listgen(work / "program/list generator/listgen");
    listgen << "#!/bin/sh\nprintf 'big|Big|1980|Maker|big|MAME|big.cpp|||1\\r\\n' > ../masterlist.lst\n";
  }
  fs::permissions(work / "program/list generator/listgen", fs::perms::owner_exec, fs::perm_options::add);
  fs::create_symlink("/bin/true", work / "mame/mame");  // Convert looks for MAME; the stand-in never runs it
  const std::string mode = argc > 2 ? argv[2] : "";
  const bool old_names = mode == "old" || mode == "headless";
  WriteBigIni(work / "mame/ctrlr/big/game.ini", megabytes, old_names, mode == "lf" ? "\n" : "\r\n");
  const long before = PeakKilobytes();

  auto start = std::chrono::steady_clock::now();
  const bool completed = mode == "headless" ? ConvertHeadless(work) : ConvertInWindow(work);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  std::cout << "INI file: " << megabytes << " MB of " << (old_names ? "old" : "current") << " code names"
            << (mode == "lf" ? ", LF line ends" : "") << "; combined file: " << fs::file_size(work / "mame/ctrlr/big.cfg") / (1 << 20)
            << " MB\n"
            << "Convert" << (mode == "headless" ? " by brantel-convert" : "") << ": " << seconds << " s, "
            << (completed ? "completed" : "FAILED") << "\n";
  if (mode == "headless") {
    std::cout << "peak memory of brantel-convert: " << PeakKilobytes(RUSAGE_CHILDREN) / 1024 << " MB\n";
  } else {
    std::cout << "peak memory: " << PeakKilobytes() / 1024 << " MB (" << before / 1024 << " MB before Convert)\n";
  }
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(work);
  return completed ? 0 : 1;
}
