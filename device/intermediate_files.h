// The two files a compilation writes next to the design: the equation listing (a readable summary
// headed by the CHIP line and the pin names) and the intermediate file (the equations in the
// fitter's form, closed by the symbol table block), and reading the symbol table back.
#pragma once

#include <cstdio>
#include <istream>
#include <string>
#include <string_view>

#include "common/output_file.h"
#include "device/pin_table.h"

namespace kem {

// The token that ends the equations of an intermediate file and starts its symbol table.
inline constexpr std::string_view kSymbolTableMarker = "$__SYMTAB_INFO:";

// The next token of an intermediate file; false at its end, with `token` empty, so a failed read
// never hands on the token before.
bool NextToken(std::istream& in, std::string& token);

// Writes `text` unchecked; the writers of these files do not check their writes.
void WriteText(std::FILE* file, std::string_view text);

void WriteListingHeader(std::FILE* listing, const DesignValues& design, const PinTable& pins);
void WriteSymbolTableBlock(std::FILE* intermediate, const DesignValues& design,
                           const PinTable& pins);

// The listing and intermediate file of one compilation. Each is written to a new file that takes
// its name only when published, so an earlier run's file stays until this run's is whole.
class OutputFiles {
 public:
  OutputFiles() = default;
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;

  // Starts the listing, writes its header, then starts the intermediate file; 1 on success.
  // 0 when a name is missing or a file cannot be created; `failed_name` then names that file, and
  // a listing that was started is finished with its header, to be published.
  int OpenOutputs(const std::string& listing_name, const std::string& intermediate_name,
                  const DesignValues& design, const PinTable& pins, std::string* failed_name);

  // Writes the symbol table block and finishes the listing, then the intermediate file. 1 when
  // both are whole; 0 when a write or the closing of one failed (a full disk): `failed_name`
  // then names the first such file, which will not be published.
  int CloseOutputs(const DesignValues& design, const PinTable& pins,
                   std::string* failed_name = nullptr);

  // Finishes the files still open as they stand, without the symbol table block (a run that ran
  // out of memory); 0 and `failed_name` as for CloseOutputs.
  int FinishAsTheyStand(std::string* failed_name);
  // Puts the finished files in place of their names; false when a rename failed, and
  // `failed_name` then names the first such file.
  bool Publish(std::string* failed_name);
  // Drops both new files: the names keep what they held before the run.
  void Discard();

  std::FILE* listing() { return listing_.stream(); }
  std::FILE* intermediate() { return intermediate_.stream(); }

 private:
  OutputFile listing_;
  OutputFile intermediate_;
};

// Reads the symbol table block of an intermediate file into `design` and `pins` (design records
// from 1). 0 when the file ends before the block is complete or a field holds a value out of its
// range (the values the compiler writes for the device); the stream is then left wherever
// reading stopped.
int ReadSymbolTable(std::istream& in, DesignValues& design, PinTable& pins);

// Whether every record read back is one the device allows in the design's mode: only a pin that
// can drive is an output, only an output has an equation, a polarity of 0, a register (where its
// macrocell has one) or an output-enable equation (where it has an enable row), and a fixed pin
// is not used.
bool RecordsFitTheMode(const DesignValues& design, const PinTable& pins);

}  // namespace kem
