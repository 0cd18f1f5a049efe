#include "engine/io/file_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"

namespace brantel {
namespace {

namespace fs = std::filesystem;

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool LessWithoutCase(const std::string& a, const std::string& b) {
  auto lower_less = [](char x, char y) {
    return static_cast<unsigned char>(Lower(x)) < static_cast<unsigned char>(Lower(y));
  };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lower_less)) return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lower_less)) return false;
  return a < b;  // names that differ only in case keep one fixed order
}

// The full path of a folder, without a trailing separator.
std::string FullFolderPath(const std::string& folder) {
  std::error_code error;
  fs::path full = fs::absolute(fs::path(HostPath(folder)), error).lexically_normal();
  if (error) throw IoError("Could not find the folder", folder, error.message());
  std::string text = full.string();
  while (text.size() > 1 && (text.back() == '/' || text.back() == '\\') &&
         text[text.size() - 2] != ':') {
    text.pop_back();
  }
  return text;
}

}  // namespace

bool MatchesPattern(const std::string& name, const std::string& pattern) {
  // Classic wildcard walk: remember the last "*" and retry from one further.
  size_t n = 0, p = 0, star = std::string::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

FileList::FileList() { Rebuild(FullFolderPath(CurrentDirectory())); }

void FileList::SetPath(const std::string& path) {
  if (path.empty() || !FolderExists(path)) {
    throw IoError("Could not find the folder", path, "Path not found");
  }
  Rebuild(FullFolderPath(path));
}

void FileList::SetPattern(const std::string& pattern) {
  pattern_ = pattern;
  Refresh();
}

void FileList::Refresh() { Rebuild(path_); }

void FileList::SetChangeObserver(std::function<void()> observer) { observer_ = std::move(observer); }

void FileList::Rebuild(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(fs::path(folder), error), end; !error && it != end;
       it.increment(error)) {
    std::error_code type_error;
    if (!it->is_regular_file(type_error)) continue;
    std::string name = it->path().filename().string();
    if (MatchesPattern(name, pattern_)) names.push_back(std::move(name));
  }
  if (error) throw IoError("Could not list the folder", folder, error.message());
  std::sort(names.begin(), names.end(), LessWithoutCase);
  path_ = folder;
  names_ = std::move(names);
  if (observer_) observer_();
}

}  // namespace brantel
