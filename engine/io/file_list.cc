#include "engine/io/file_list.h"

#include <algorithm>

#include "engine/io/folder.h"
#include "engine/io/host_path.h"
#include "engine/io/io_error.h"

namespace brantel {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool LessWithoutCase(const std::string& a, const std::string& b) {
  auto lower_less = [](char x, char y) {
    return static_cast<unsigned char>(Lower(x)) < static_cast<unsigned char>(Lower(y));
  };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lower_less)) return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lower_less)) return false;
  return a < b;  // names that differ only in case keep one fixed order
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

void FileList::SetPath(const std::string& path) {
  const std::string host = HostPath(path);
  if (host.empty() || !FolderExists(host)) {
    throw IoError("Could not find the folder", host, "Path not found");
  }
  Rebuild(FullFolderPath(host));
}

void FileList::SetPattern(const std::string& pattern) {
  pattern_ = pattern;
  try {
    Rebuild(path_);
  } catch (const IoError&) {
    // The folder was removed or closed to us since it was listed; the next
    // SetPath reports what is wrong with the folder it names.
    names_.clear();
    if (observer_) observer_();
  }
}

void FileList::Clear() { Rebuild(""); }

void FileList::Refresh() { Rebuild(path_); }

void FileList::SetChangeObserver(std::function<void()> observer) { observer_ = std::move(observer); }

void FileList::Rebuild(const std::string& folder) {
  std::vector<std::string> names;
  std::vector<UnusableFile> unusable;
  if (!folder.empty()) {
    for (std::string& name : OrdinaryFileNames(folder, &unusable)) {
      if (MatchesPattern(name, pattern_)) names.push_back(std::move(name));
    }
  }
  std::erase_if(unusable, [&](const UnusableFile& file) { return !MatchesPattern(file.name, pattern_); });
  std::sort(names.begin(), names.end(), LessWithoutCase);
  path_ = folder;
  names_ = std::move(names);
  unusable_ = std::move(unusable);
  if (observer_) observer_();
}

}  // namespace brantel
