// The two files a compilation writes next to the design: the equation listing (a readable summary
// headed by the CHIP line and the pin names) and the intermediate file (the equations in the
// fitter's form, closed by the symbol table block), and reading the symbol table back.
#pragma once

#include <cstdio>
#include <istream>
#include <string>

#include "device/pin_table.h"

namespace kem {

// Writes `text` unchecked; the writers of these files do not check their writes.
void WriteText(std::FILE* file, std::string_view text);

void WriteListingHeader(std::FILE* listing, const DesignValues& design, const PinTable& pins);
void WriteSymbolTableBlock(std::FILE* intermediate, const DesignValues& design,
                           const PinTable& pins);

// The open listing and intermediate file of one compilation.
class OutputFiles {
 public:
  OutputFiles() = default;
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;
  ~OutputFiles() { CloseBoth(); }

  // Creates the listing, writes its header, then creates the intermediate file; 1 on success.
  // 0 when a name is missing or a file cannot be created; `failed_name` then names that file, and
  // a listing that was created keeps its header.
  int OpenOutputs(const std::string& listing_name, const std::string& intermediate_name,
                  const DesignValues& design, const PinTable& pins, std::string* failed_name);

  // Writes the symbol table block and closes the listing, then the intermediate file. 1 when
  // both are whole; 0 when a write or the closing of one failed (a full disk), and
  // `failed_name` then names the first such file.
  int CloseOutputs(const DesignValues& design, const PinTable& pins,
                   std::string* failed_name = nullptr);

  std::FILE* listing() { return listing_; }
  std::FILE* intermediate() { return intermediate_; }

 private:
  static bool CloseChecked(std::FILE*& file);
  void CloseBoth();

  std::FILE* listing_ = nullptr;
  std::FILE* intermediate_ = nullptr;
  std::string listing_name_;
  std::string intermediate_name_;
};

// Reads the symbol table block of an intermediate file into `design` and `pins` (design records
// from 1). 0 when the file ends before the block is complete or holds values that describe no
// device; the stream is then left wherever reading stopped.
int ReadSymbolTable(std::istream& in, DesignValues& design, PinTable& pins);

}  // namespace kem
