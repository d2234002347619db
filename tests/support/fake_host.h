// A scripted host for the compile driver: records every box, log line and event of the
// compilation, and answers questions as told.
#pragma once

#include <string>
#include <vector>

#include "common/message_log.h"
#include "compiler/compile_host.h"

namespace kem::testing_support {

class FakeHost : public CompileHost {
 public:
  FakeHost() { log.EnsureLogWindow(); }

  MessageLog& Log() override { return log_override != nullptr ? *log_override : log; }
  BoxAnswer ShowMessageBox(std::string_view text, BoxKind kind, BoxIcon icon,
                           BoxButtons buttons) override {
    boxes.emplace_back(text);
    box_kinds.push_back(kind);
    box_icons.push_back(icon);
    log_length_at_box.push_back(log.lines().size());
    return buttons == BoxButtons::kYesNoCancel ? answer : BoxAnswer::kOk;
  }
  void CompilationStarted() override { events.emplace_back("started"); }
  void SourceCompiled() override { events.emplace_back("compiled"); }
  void CompilationEnded() override { events.emplace_back("ended"); }
  void SaveUnderAnotherNameRequested() override { events.emplace_back("save as"); }

  LogModel log;
  MessageLog* log_override = nullptr;  // a log of the test's own in place of `log`
  BoxAnswer answer = BoxAnswer::kNo;
  std::vector<std::string> boxes;
  std::vector<BoxKind> box_kinds;
  std::vector<BoxIcon> box_icons;
  std::vector<std::size_t> log_length_at_box;
  std::vector<std::string> events;
  std::vector<std::string> fits;  // the documents fitted, as a fixture notes them from the runs
};

}  // namespace kem::testing_support
