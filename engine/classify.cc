#include "engine/classify.h"

#include "engine/io/host_path.h"
#include "engine/translate.h"

namespace brantel {

Classifier::Classifier(std::string master_list_path, Window& window)
    : master_list_path_(std::move(master_list_path)), window_(window) {}

Classifier::Classifier(MasterList master, Window& window) : window_(window), master_(std::move(master)) {}

const MasterList& Classifier::Master() {
  if (!master_) master_ = MasterList::Load(master_list_path_);
  return *master_;
}

void Classifier::ClassifyIniFile(const std::string& folder, const std::string& entry) {
  if (IsDefaultIni(entry)) return;
  ClassifySection(SystemName(entry), JoinPath(folder, entry));
}

Group Classifier::GroupOf(std::string_view system_name) { return Master().GroupOf(std::string(system_name)); }

void Classifier::ClassifySection(const std::string& system_name, const std::string& path) {
  switch (GroupOf(system_name)) {
    case Group::kParent: window_.ParentList().push_back(path); break;
    case Group::kRom: window_.RomList().push_back(path); break;
    case Group::kDriver: window_.DriverList().push_back(path); break;
  }
}

}  // namespace brantel
