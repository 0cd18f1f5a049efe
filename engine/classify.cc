#include "engine/classify.h"

#include "engine/io/host_path.h"

namespace brantel {

Classifier::Classifier(std::string master_list_path, Window& window)
    : master_list_path_(std::move(master_list_path)), window_(window) {}

const MasterList& Classifier::Master() {
  if (!master_) master_ = MasterList::Load(master_list_path_);
  return *master_;
}

void Classifier::ClassifyCfgFile(const std::string& folder, const std::string& entry) {
  if (entry == "default.cfg") return;
  std::string base_name = entry.substr(0, entry.size() >= 4 ? entry.size() - 4 : 0);
  std::string full_path = JoinPath(folder, entry);
  switch (Master().GroupOf(base_name)) {
    case Group::kParent: window_.ParentList().push_back(full_path); break;
    case Group::kRom: window_.RomList().push_back(full_path); break;
    case Group::kDriver: window_.DriverList().push_back(full_path); break;
  }
}

}  // namespace brantel
