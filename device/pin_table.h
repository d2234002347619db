// The pin table: the signal records of a design (one per pin, then one per node), shared by the
// compiler, which keeps the language's keywords in front of them, and the fitter, which reads
// them back from the intermediate file. Records are numbered from 1.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kem {

inline constexpr int kPinTableCapacity = 58;

// `IO` values of a record.
inline constexpr int kIoUnused = -1;
inline constexpr int kIoInput = 1;
inline constexpr int kIoOutput = 2;
inline constexpr int kIoOutputReadBack = 3;
inline constexpr int kIoUnavailable = 4;

// `Pin_or_Node` values.
inline constexpr int kPin = 1;
inline constexpr int kNode = 2;

struct PinRecord {
  std::string name;
  int Pin_or_Node = 0;
  int IO = kIoUnused;
  int Number = 0;
  int Trst = -1;  // 1: the output has an output-enable equation
  int Pol = 1;    // 0: the output's equation is written for its complement
  int Reg = -1;   // 0 combinational, 1 registered, -1 no equation
};

// An output is assigned by an equation; a readable record may stand in one as a literal.
inline bool IsOutput(const PinRecord& r) {
  return r.IO == kIoOutput || r.IO == kIoOutputReadBack;
}
inline bool IsReadable(const PinRecord& r) {
  return r.IO == kIoInput || r.IO == kIoOutputReadBack;
}

class PinTable {
 public:
  // Empties the table; records from `first_design_record` on are design records, the ones before
  // it keywords.
  void Reset(int first_design_record);

  // Appends a record as number count() + 1; false when the table is full.
  bool Add(PinRecord record);

  // The number of the first record named exactly `name`, or 0.
  int LookupSymbol(std::string_view name) const;
  // True when `name` is one of the keyword records.
  bool IsKeyword(std::string_view name) const;

  int count() const { return static_cast<int>(records_.size()); }
  int first_design_record() const { return first_design_record_; }
  int design_record_count() const;

  PinRecord& record(int number) { return records_[number - 1]; }
  const PinRecord& record(int number) const { return records_[number - 1]; }

 private:
  std::vector<PinRecord> records_;
  int first_design_record_ = 1;
};

// The values of the design header.
struct DesignValues {
  std::string Design_Name;
  int Gal_Type = -1;
  int Gal_Mode = 0;
  std::string user_id;  // empty when the design has none
};

}  // namespace kem
