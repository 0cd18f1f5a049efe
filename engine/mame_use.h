// How MAME picks up the new combined file, for the completion message.
#pragma once

#include <string>
#include <vector>

namespace brantel {

// The lines the completion message adds: the new file's full path, then
// that MAME already uses it (a mame.ini of MAME's has a "ctrlr" line naming
// the folder) or what to set so that it does.
std::vector<std::string> HowMameUsesTheFile(const std::string& combined_file, const std::string& mame_path,
                                            const std::string& folder_name);

}  // namespace brantel
