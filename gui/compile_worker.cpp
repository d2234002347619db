#include "gui/compile_worker.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <new>

#include "common/allocation.h"
#include "device/fitter.h"

namespace kem::gui {

template <typename Call>
void MarshallingHost::OnUiThread(Call&& call) {
  if (QThread::currentThread() == context_->thread()) {
    call();
    return;
  }
  QMetaObject::invokeMethod(context_, std::forward<Call>(call), Qt::BlockingQueuedConnection);
}

void MarshallingHost::AppendLogLine(std::string_view text, bool transient) {
  OnUiThread([&] { ui_host_.Log().AppendLogLine(text, transient); });
}

void MarshallingHost::AdvanceProgressMarker() {
  OnUiThread([&] { ui_host_.Log().AdvanceProgressMarker(); });
}

BoxAnswer MarshallingHost::ShowMessageBox(std::string_view text, BoxIcon icon, BoxButtons buttons) {
  BoxAnswer answer = BoxAnswer::kCancel;
  OnUiThread([&] { answer = ui_host_.ShowMessageBox(text, icon, buttons); });
  return answer;
}

void MarshallingHost::SetMenuItemEnabled(int command_id, bool enabled) {
  OnUiThread([&] { ui_host_.SetMenuItemEnabled(command_id, enabled); });
}

void MarshallingHost::ShowWaitCursor() {
  OnUiThread([&] { ui_host_.ShowWaitCursor(); });
}

void MarshallingHost::ClearCompileNeeded() {
  OnUiThread([&] { ui_host_.ClearCompileNeeded(); });
}

void MarshallingHost::RunSaveAsCommand() {
  OnUiThread([&] { ui_host_.RunSaveAsCommand(); });
}

void MarshallingHost::RunFitCommand(std::string_view document_name) {
  FitCommand(document_name, *this, *this);
}

void CompileWorker::Start(CompileWork work, CompileDone done) {
  if (thread_.joinable()) thread_.join();  // the previous one has handed over its run already
  finished_ = false;
  thread_ = std::thread([this, work = std::move(work), done = std::move(done)] {
    std::unique_ptr<CompileRun> run;
    // Memory that runs out must not end the IDE and take the editor's text with it.
    try {
      run = work(host_);
    } catch (const std::bad_alloc&) {
      host_.ShowMessageBox(kOutOfMemoryBox, BoxIcon::kError, BoxButtons::kOk);
    }
    host_.OnUiThread([&] { done(std::move(run)); });
    finished_ = true;
  });
}

void CompileWorker::WaitForEnd() {
  while (!finished_) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (thread_.joinable()) thread_.join();
}

}  // namespace kem::gui
