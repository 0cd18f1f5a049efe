// Paths travel through the system in the host's form. The texts the user
// types, and the fixed pieces the program adds to them, use "\\" as their
// separator; they become host paths once, through HostPath, where they enter
// the engine. Names read from the file system are never mapped: on POSIX a
// "\\" can be part of a file's name.
#pragma once

#include <string>

namespace brantel {

#ifdef _WIN32
inline constexpr char kHostSeparator = '\\';
inline constexpr const char* kHostSeparators = "\\/";
#else
inline constexpr char kHostSeparator = '/';
inline constexpr const char* kHostSeparators = "/";
#endif

// The host form of a typed path: on POSIX every "\\" becomes "/", and a
// path that is "~" or starts with "~/" starts in the home folder, as in the
// shell.
std::string HostPath(const std::string& typed);

#ifndef _WIN32
// HOME as the shell gives it; without one, the home of the user's account.
std::string HomeFolder();
#endif

// The folder name as the host can have it: on Windows, where no name ends in
// a space or a dot, those are dropped from its end ("hotrod " is hotrod);
// elsewhere it is the name as typed.
std::string HostFolderName(const std::string& typed);

// The position of the last host separator, or npos. The second byte of a
// double-byte character of the code page is never one, even when it is "\\".
size_t LastSeparator(const std::string& path);

// `name` inside `folder`, with one host separator between them.
std::string JoinPath(const std::string& folder, const std::string& name);

// The folder that holds the file `path` ("." when the path names none).
std::string FolderOfFile(const std::string& path);

// What follows the last host separator (all of `path` when it has none).
std::string LastPathPiece(const std::string& path);

// `path` without the separators it ends in; a root keeps its own.
std::string WithoutTrailingSeparators(std::string path);

// `count` random letters and digits, for names of the program's own files
// and folders that no other run picks at the same time.
std::string RandomNamePart(int count);
// True when every character of `part` is one RandomNamePart gives.
bool IsRandomNamePart(const std::string& part);

}  // namespace brantel
