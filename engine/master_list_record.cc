#include "engine/master_list_record.h"

namespace brantel::master_list {

void AppendRecord(const Fields& fields, std::string& out) {
  for (size_t index = 0; index < fields.size(); ++index) {
    if (index > 0) out += kSeparator;
    for (char c : fields[index]) out += (c == kSeparator || c == '\r' || c == '\n') ? ' ' : c;
  }
}

const std::string& FieldOf(const std::vector<std::string>& fields, Field field) {
  static const std::string kMissing;
  return field < fields.size() ? fields[field] : kMissing;
}

}  // namespace brantel::master_list
