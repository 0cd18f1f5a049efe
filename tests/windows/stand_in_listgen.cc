// A stand-in for the list generator, for tests on Windows (and under Wine),
// where MAME is not at hand. Installed as "list generator\listgen.exe" it
// does what Convert relies on: from its own folder it copies "prepared.lst"
// to "masterlist.lst" in the parent folder, the program folder (an empty
// master list when there is nothing prepared). It first pauses, so a caller
// that did not wait for its end finds no master list yet.
//
// In the parent folder it also notes its arguments in "listgen.ran", one
// line as a POSIX shell's echo "$*" writes it, and in "listgen-start.txt"
// its current folder and the start-up flags and window show state it was
// given. "--exit N" makes it end with exit code N, saying so on its
// standard error. A number of seconds in "running-seconds.txt" beside it
// makes it run that much longer, through a copy of itself, as the real one
// runs MAME, that writes "..\child-ended.txt" at its end; meanwhile it keeps
// a work folder "..\~btwork-standin" as the real one's.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

constexpr auto kPauseBeforeWriting = std::chrono::milliseconds(200);

void WriteMasterList() {
  std::ofstream list("..\\masterlist.lst", std::ios::binary);
  std::ifstream prepared("prepared.lst", std::ios::binary);
  if (prepared && prepared.peek() != std::ifstream::traits_type::eof()) list << prepared.rdbuf();
}

void NoteTheArguments(int argc, char** argv) {
  std::ofstream ran("..\\listgen.ran", std::ios::binary);
  for (int i = 1; i < argc; ++i) ran << (i > 1 ? " " : "") << argv[i];
  ran << "\n";
}

void NoteTheStart() {
  STARTUPINFOA startup{};
  GetStartupInfoA(&startup);
  std::ofstream start("..\\listgen-start.txt", std::ios::binary);
  start << "folder: " << fs::current_path().string() << "\r\nflags: " << startup.dwFlags
        << "\r\nshow: " << startup.wShowWindow << "\r\n";
}

int SecondsAsked() {
  std::ifstream asked("running-seconds.txt");
  int seconds = 0;
  return asked >> seconds ? seconds : 0;
}

// Runs a copy of itself for the seconds asked and waits for its end, as the
// real one waits for MAME, meanwhile leaving a work folder with a temporary
// file in the program folder, as the real one does while it writes the list.
void RunForTheSecondsAsked() {
  if (SecondsAsked() == 0) return;
  const fs::path work = "..\\~btwork-standin";
  fs::create_directory(work);
  std::ofstream(work / "~btwork.mark", std::ios::binary)
      << "brantel Manager work folder: removed by the program itself\r\n";
  std::ofstream(work / "~btabcdef.tmp");
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = "listgen.exe --child";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return;
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  fs::remove_all(work);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--child") {
    std::this_thread::sleep_for(std::chrono::seconds(SecondsAsked()));
    std::ofstream("..\\child-ended.txt") << "ended\n";
    return 0;
  }
  RunForTheSecondsAsked();
  std::this_thread::sleep_for(kPauseBeforeWriting);
  WriteMasterList();
  NoteTheArguments(argc, argv);
  NoteTheStart();
  if (argc == 3 && std::string(argv[1]) == "--exit") {
    // More than the caller keeps: it must keep the end.
    std::fprintf(stderr, "%05000d\nstand-in: ending with %s\n", 0, argv[2]);
    return std::stoi(argv[2]);
  }
  return 0;
}
