// Compiles a design text in a temporary folder through the driver, as the frame's command does.
#pragma once

#include <memory>
#include <string>

#include "compiler/driver.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_dir.h"

namespace kem::testing_support {

struct Compiled {
  std::unique_ptr<CompileRun> run;
  std::optional<std::string> errors;        // <stem>ERR
  std::optional<std::string> listing;       // <stem>mds
  std::optional<std::string> intermediate;  // <stem>boo
};

class CompileFixture {
 public:
  Compiled Compile(const std::string& source, const std::string& name = "design.kem",
                   CompileOptions options = {}, bool fit = false) {
    dir.Write(name, source);
    return CompileFile(name, options, fit);
  }

  Compiled CompileFile(const std::string& name, CompileOptions options = {}, bool fit = false) {
    CompileJob job{dir.File(name), fit};
    Compiled result;
    result.run = RunCompileCommand(job, host, options);
    if (result.run && result.run->fit) host.fits.push_back(job.document_name);
    const std::string stem = name.substr(0, name.rfind('.'));
    result.errors = dir.Read(stem + ".ERR");
    result.listing = dir.Read(stem + ".mds");
    result.intermediate = dir.Read(stem + ".boo");
    return result;
  }

  TempDir dir;
  FakeHost host;
};

}  // namespace kem::testing_support
