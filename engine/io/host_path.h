// Paths travel through the system in the form the user typed them, with "\"
// as separator. They become host paths only here, at the file-system
// boundary.
#pragma once

#include <string>

namespace brantel {

// The host form of a path: on POSIX every "\" becomes "/".
std::string HostPath(const std::string& path);

}  // namespace brantel
