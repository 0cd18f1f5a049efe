// Scale figures for Convert: a controller folder of many INI files and a
// master list the size of MAME's. Prints the time of the whole conversion
// (list generator excluded: a stand-in that returns at once), and against
// the job's physical floor measured in the same run.
//
//   convert_bench [INI_FILES [MASTER_LIST]]
//
// MASTER_LIST defaults to a generated list of 45,000 machines; pass the
// masterlist.lst the list generator made from the installed MAME to use it.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "engine/convert.h"
#include "engine/master_list.h"
#include "engine/plain_window.h"
#include "bench/fs_floor.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// User and system CPU time of this process so far, in milliseconds: the
// engine's own work shows as user time, the file system's as system time.
std::pair<double, double> CpuMilliseconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return {ms(usage.ru_utime), ms(usage.ru_stime)};
}

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string GeneratedMasterList(int machines) {
  std::string list;
  for (int i = 0; i < machines; ++i) {
    std::string name = "game" + std::to_string(i);
    std::string parent = i % 3 == 0 ? name : "game" + std::to_string(i - i % 3);
    list += name + "|Game " + std::to_string(i) + "|1985|Maker|" + parent + "|MAME|driver" +
            std::to_string(i % 900) + ".cpp|" + (i % 3 ? parent : "") + "||" +
            (i % 50 ? "2" : "") + "\r\n";
  }
  return list;
}

// About 60 lines and 2.5 KB, as a cabinet's INI file for a four-player game.
std::string IniFile(int index) {
  std::string ini = "[game" + std::to_string(index) + "]\r\n";
  for (int player = 1; player <= 4; ++player) {
    const std::string p = "P" + std::to_string(player) + "_";
    const std::string joy = "JOYCODE_" + std::to_string(player) + "_";
    ini += "# ---- Player " + std::to_string(player) + " ----\r\n";
    for (int button = 1; button <= 8; ++button) {
      ini += p + "BUTTON" + std::to_string(button) + " \"KEYCODE_" + std::to_string(button) + " | " + joy + "BUTTON" +
             std::to_string(button) + "\"\r\n";
    }
    for (const char* direction : {"UP", "DOWN", "LEFT", "RIGHT"}) {
      const std::string axis = direction[0] == 'U' || direction[0] == 'D' ? "YAXIS_" : "XAXIS_";
      ini += p + "JOYSTICK_" + direction + " \"KEYCODE_" + direction + " | " + joy + axis + direction + "_SWITCH\"\r\n";
    }
    ini += p + "START \"KEYCODE_" + std::to_string(player) + "\"\r\n";
  }
  ini += "P1_PADDLE \"KEYCODE_LEFT\"\r\nP1_PADDLE_EXT \"KEYCODE_RIGHT\"\r\n";
  return ini;
}

uintmax_t IniBytes(const fs::path& folder) {
  uintmax_t total = 0;
  for (const auto& entry : fs::directory_iterator(folder)) total += entry.file_size();
  return total;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Convert and its physical floor (bench/fs_floor.c: read every INI file and
// the master list once, write one file of the combined file's size durably),
// taken in turns on the same folder so that both meet the same machine load.
void PrintRatioToFloor(brantel::PlainWindow& window, const std::string& program, const fs::path& old_folder) {
  constexpr int kRounds = 9;
  const fs::path combined = old_folder.string() + ".cfg";
  const double growth = static_cast<double>(fs::file_size(combined)) / static_cast<double>(IniBytes(old_folder));
  const std::string master_list = (fs::path(program) / "masterlist.lst").string();
  std::vector<double> converts, floors, users, systems;
  for (int round = 0; round < kRounds; ++round) {
    const auto [user_before, system_before] = CpuMilliseconds();
    const auto start = Clock::now();
    if (brantel::ConvertFolder(window, program) != brantel::ConvertResult::kCompleted) return;
    converts.push_back(MillisecondsSince(start));
    const auto [user_after, system_after] = CpuMilliseconds();
    users.push_back(user_after - user_before);
    systems.push_back(system_after - system_before);
    floors.push_back(FloorMilliseconds(old_folder.c_str(), master_list.c_str(), growth));
  }
  std::printf("Convert: median of %d, %.1f ms wall, %.1f ms user CPU, %.1f ms system CPU\n", kRounds,
              Median(converts), Median(users), Median(systems));
  std::printf("physical floor (read all once, write one file durably): median %.1f ms (%.1f to %.1f)\n",
              Median(floors), *std::min_element(floors.begin(), floors.end()),
              *std::max_element(floors.begin(), floors.end()));
  std::printf("Convert against the floor, taken in turns: ratio %.2f\n", Median(converts) / Median(floors));
}

// The brantel-convert program as users run it, against the floor, taken in
// turns: the real list generator finding its list current, and a MAME that
// answers -listxml and -showconfig at once. BENCH_CONVERT and BENCH_LISTGEN
// name other builds of the two programs to measure.
void PrintProgramAgainstFloor(const fs::path& root, const fs::path& old_folder) {
  const char* convert = std::getenv("BENCH_CONVERT");
  const char* listgen = std::getenv("BENCH_LISTGEN");
  const fs::path program = root / "as users run it";
  fs::create_directories(program / "list generator");
  fs::copy_file(convert ? convert : BRANTEL_CONVERT_PROGRAM, program / "brantel-convert");
  fs::copy_file(listgen ? listgen : LISTGEN_PROGRAM, program / "list generator" / "listgen");
  std::string listxml = "<mame build=\\\"bench\\\">";
  for (int i = 0; i < 3000; ++i) {
    listxml += "<machine name=\\\"game" + std::to_string(i) + "\\\"><description>G</description></machine>";
  }
  WriteFile(root / "mame" / "mame",
            "#!/bin/sh\ncase \"$1\" in -listxml) echo \"" + listxml + "</mame>\";; "
            "-showconfig) printf 'ctrlrpath ctrlr\\nctrlr\\ninipath .;ini\\n';; esac\n");
  const std::string command = "cd / && \"" + (program / "brantel-convert").string() + "\" old \"" +
                              (root / "mame").string() + "/\" mame >/dev/null";
  if (std::system(command.c_str()) != 0) return;  // makes the list current
  const fs::path combined = old_folder.string() + ".cfg";
  const double growth = static_cast<double>(fs::file_size(combined)) / static_cast<double>(IniBytes(old_folder));
  const std::string master_list = (program / "masterlist.lst").string();
  constexpr int kRounds = 9;
  std::vector<double> converts, floors;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) return;
    converts.push_back(MillisecondsSince(start));
    floors.push_back(FloorMilliseconds(old_folder.c_str(), master_list.c_str(), growth));
  }
  std::printf("brantel-convert as users run it (list current, MAME answering at once): median of %d, %.1f ms "
              "wall; floor %.1f ms; ratio %.2f\n",
              kRounds, Median(converts), Median(floors), Median(converts) / Median(floors));
}

}  // namespace

int main(int argc, char** argv) {
  const int ini_files = argc > 1 ? std::stoi(argv[1]) : 2000;
  const fs::path root = fs::temp_directory_path() / "brantel-convert-bench";
  fs::remove_all(root);
  const fs::path program = root / "program";
  const fs::path old_folder = root / "mame" / "ctrlr" / "old";

  if (argc > 2) {
    fs::create_directories(program);
    fs::copy_file(argv[2], program / "masterlist.lst");
  } else {
    WriteFile(program / "masterlist.lst", GeneratedMasterList(45000));
  }
  WriteFile(program / "list generator" / "listgen", "#!/bin/sh\nexit 0\n");
  fs::permissions(program / "list generator" / "listgen", fs::perms::owner_exec, fs::perm_options::add);
  WriteFile(root / "mame" / "mame", "#!/bin/sh\n");  // a MAME for Convert to find
  fs::permissions(root / "mame" / "mame", fs::perms::owner_exec, fs::perm_options::add);
  WriteFile(old_folder / "default.ini", IniFile(-1));
  for (int i = 0; i < ini_files; ++i) {
    WriteFile(old_folder / ("game" + std::to_string(i * 22) + ".ini"), IniFile(i));
  }

  auto start = Clock::now();
  brantel::MasterList::Load((program / "masterlist.lst").string());
  double load_ms = MillisecondsSince(start);

  brantel::PlainWindow window;
  window.SetText1("old");
  window.SetText2((root / "mame").string() + "\\");
  auto [user_before, system_before] = CpuMilliseconds();
  start = Clock::now();
  brantel::ConvertResult result = brantel::ConvertFolder(window, program.string());
  double convert_ms = MillisecondsSince(start);
  auto [user_after, system_after] = CpuMilliseconds();
  if (result != brantel::ConvertResult::kCompleted) {
    std::cerr << window.messages().back().title << ": " << window.messages().back().prompt << "\n";
    return 1;
  }
  std::printf("INI files: %d, master list: %ju bytes\n", ini_files,
              static_cast<uintmax_t>(fs::file_size(program / "masterlist.lst")));
  std::printf("master list load: %.1f ms\n", load_ms);
  std::printf("whole Convert: %.1f ms wall (%.3f ms per INI file), %.1f ms user CPU, %.1f ms system CPU\n",
              convert_ms, convert_ms / ini_files, user_after - user_before, system_after - system_before);
  std::printf("combined file: %ju bytes\n", static_cast<uintmax_t>(fs::file_size(root / "mame" / "ctrlr" / "old.cfg")));
  PrintRatioToFloor(window, program.string(), old_folder);
  PrintProgramAgainstFloor(root, old_folder);
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(root);
  return 0;
}
