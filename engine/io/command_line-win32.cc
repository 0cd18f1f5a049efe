#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "engine/io/command_line.h"
#include "engine/io/wide_path.h"
#include "engine/text_rules.h"

namespace brantel {
namespace {

std::string Utf8(const std::wstring& text) {
  int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                   nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length, nullptr,
                      nullptr);
  return utf8;
}

std::wstring FromUtf8(const std::string& text) {
  int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

}  // namespace

std::vector<std::string> CommandLineArguments(int /*argc*/, char** /*argv*/) {
  // Split in UTF-8, where quotes, spaces and backslashes are single bytes
  // whatever else the line holds.
  std::vector<std::string> words = SplitWindowsCommandLine(Utf8(GetCommandLineW()));
  std::vector<std::string> arguments;
  for (size_t index = 1; index < words.size(); ++index) {
    const std::wstring wide = FromUtf8(words[index]);
    std::string argument;
    if (!ToAnsi(wide, argument)) argument = AnsiPath(wide);
    arguments.push_back(argument);
  }
  return arguments;
}

}  // namespace brantel
