// The compile worker: runs a compilation on a thread of its own while every call the compile
// driver makes to its host (log lines, what happens to the compilation, message boxes) is carried
// out on the user-interface thread, in the order of the calls. Log lines and markers are posted
// and the worker goes on at once, so a busy window never slows the compilation; the other calls
// wait until they are done, which also delivers every log line posted before them. The fit after
// a clean compilation runs on the worker with it; only its lines and boxes cross.
#pragma once

#include <QObject>
#include <atomic>
#include <thread>

#include "compiler/compile_host.h"
#include "shell/frame_ui.h"
#include "shell/log_mailbox.h"

namespace kem::gui {

class MarshallingHost : public CompileHost, public MessageLog {
 public:
  MarshallingHost(QObject* ui_context, CompileHost& ui_host);

  MessageLog& Log() override { return *this; }
  void AppendLogLine(std::string_view text, bool transient) override;
  void AdvanceProgressMarker() override;
  BoxAnswer ShowMessageBox(std::string_view text, BoxKind kind, BoxIcon icon,
                           BoxButtons buttons) override;
  void CompilationStarted() override;
  void SourceCompiled() override;
  void CompilationEnded() override;
  void SaveUnderAnotherNameRequested() override;

  // Runs `call` on the user-interface thread and returns when it is done.
  template <typename Call>
  void OnUiThread(Call&& call);

 private:
  bool OnUiThreadNow() const;
  void DeliverLog() { mailbox_.Deliver(ui_host_.Log()); }

  QObject* context_;
  CompileHost& ui_host_;
  LogMailbox mailbox_;
};

class CompileWorker {
 public:
  CompileWorker(QObject* ui_context, CompileHost& ui_host) : host_(ui_context, ui_host) {}
  ~CompileWorker() { WaitForEnd(); }
  CompileWorker(const CompileWorker&) = delete;
  CompileWorker& operator=(const CompileWorker&) = delete;

  void Start(CompileWork work, CompileDone done);
  bool running() const { return thread_.joinable() && !finished_; }
  // Serves the worker's calls on the user-interface thread until it has ended.
  void WaitForEnd();

 private:
  MarshallingHost host_;  // lives as long as the runs that refer to it
  std::thread thread_;
  std::atomic<bool> finished_{true};
};

}  // namespace kem::gui
