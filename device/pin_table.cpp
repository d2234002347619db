#include "device/pin_table.h"

#include <utility>

namespace kem {

void PinTable::Reset(int first_design_record) {
  records_.clear();
  records_.reserve(kPinTableCapacity);
  first_design_record_ = first_design_record;
}

bool PinTable::Add(PinRecord record) {
  if (count() >= kPinTableCapacity) return false;
  records_.push_back(std::move(record));
  return true;
}

int PinTable::LookupSymbol(std::string_view name) const {
  for (int i = 1; i <= count(); ++i) {
    if (record(i).name == name) return i;
  }
  return 0;
}

bool PinTable::IsKeyword(std::string_view name) const {
  const int index = LookupSymbol(name);
  return index >= 1 && index < first_design_record_;
}

int PinTable::design_record_count() const {
  const int n = count() - first_design_record_ + 1;
  return n > 0 ? n : 0;
}

}  // namespace kem
