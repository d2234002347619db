#include "gui/compile_worker.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <new>

#include "common/allocation.h"

namespace kem::gui {

MarshallingHost::MarshallingHost(QObject* ui_context, CompileHost& ui_host)
    : context_(ui_context), ui_host_(ui_host), mailbox_([this] {
        QMetaObject::invokeMethod(
            context_, [this] { DeliverLog(); }, Qt::QueuedConnection);
      }) {}

bool MarshallingHost::OnUiThreadNow() const {
  return QThread::currentThread() == context_->thread();
}

// Events posted to one thread are handled in the order they were posted, so a blocking call
// comes after the delivery of every log line posted before it.
template <typename Call>
void MarshallingHost::OnUiThread(Call&& call) {
  if (OnUiThreadNow()) {
    DeliverLog();
    call();
    return;
  }
  QMetaObject::invokeMethod(context_, std::forward<Call>(call), Qt::BlockingQueuedConnection);
}

void MarshallingHost::AppendLogLine(std::string_view text, bool transient) {
  if (!OnUiThreadNow()) {
    mailbox_.AppendLogLine(text, transient);
    return;
  }
  DeliverLog();
  ui_host_.Log().AppendLogLine(text, transient);
}

void MarshallingHost::AdvanceProgressMarker() {
  if (!OnUiThreadNow()) {
    mailbox_.AdvanceProgressMarker();
    return;
  }
  DeliverLog();
  ui_host_.Log().AdvanceProgressMarker();
}

BoxAnswer MarshallingHost::ShowMessageBox(std::string_view text, BoxKind kind, BoxIcon icon,
                                          BoxButtons buttons) {
  BoxAnswer answer = BoxAnswer::kCancel;
  OnUiThread([&] { answer = ui_host_.ShowMessageBox(text, kind, icon, buttons); });
  return answer;
}

void MarshallingHost::CompilationStarted() {
  OnUiThread([&] { ui_host_.CompilationStarted(); });
}

void MarshallingHost::SourceCompiled() {
  OnUiThread([&] { ui_host_.SourceCompiled(); });
}

void MarshallingHost::CompilationEnded() {
  OnUiThread([&] { ui_host_.CompilationEnded(); });
}

void MarshallingHost::SaveUnderAnotherNameRequested() {
  OnUiThread([&] { ui_host_.SaveUnderAnotherNameRequested(); });
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
      host_.ShowMessageBox(kOutOfMemoryBox, BoxKind::kFailure, BoxIcon::kError, BoxButtons::kOk);
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
