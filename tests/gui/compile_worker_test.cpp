// The worker's calls into the windows: log lines never make the worker wait, and whatever it
// calls reaches the user-interface thread in call order.
#include <QCoreApplication>
#include <QtTest>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "gui/compile_worker.h"
#include "tests/support/fake_host.h"

namespace {

using Events = std::vector<std::string>;

// Records every call in order; runs on the user-interface thread only.
class RecordingHost : public kem::CompileHost, public kem::MessageLog {
 public:
  kem::MessageLog& Log() override { return *this; }
  void AppendLogLine(std::string_view text, bool) override { events.emplace_back(text); }
  void AdvanceProgressMarker() override { events.emplace_back(">"); }
  kem::BoxAnswer ShowMessageBox(std::string_view text, kem::BoxKind, kem::BoxIcon,
                                kem::BoxButtons) override {
    events.push_back("box " + std::string(text));
    return kem::BoxAnswer::kYes;
  }
  void CompilationStarted() override { events.emplace_back("started"); }
  void SourceCompiled() override { events.emplace_back("compiled"); }
  void CompilationEnded() override { events.emplace_back("ended"); }
  void SaveUnderAnotherNameRequested() override { events.emplace_back("save as"); }

  Events events;
};

// Until the future is ready or the time is up, serving the worker's calls.
bool ServeUntil(std::future<void>& done, int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (done.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) {
    if (timer.elapsed() > milliseconds) return false;
    QCoreApplication::processEvents();
  }
  QCoreApplication::processEvents();
  return true;
}

}  // namespace

class CompileWorkerTest : public QObject {
  Q_OBJECT

 private slots:
  // The user-interface thread serves nothing while the worker writes a thousand lines.
  void logLinesDoNotWaitForTheWindow() {
    QObject ui;
    RecordingHost host;
    kem::gui::MarshallingHost marshalling(&ui, host);
    auto done = std::async(std::launch::async, [&] {
      for (int i = 0; i < 1000; ++i) {
        marshalling.Log().AppendLogLine(std::to_string(i), false);
        marshalling.Log().AdvanceProgressMarker();
      }
    });
    const bool finished_alone =
        done.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    const bool nothing_shown = host.events.empty();
    QVERIFY(ServeUntil(done, 20000));  // a worker that waits for the window is let go
    QVERIFY(finished_alone);
    QVERIFY(nothing_shown);
    QCOMPARE(host.events.size(), 2000u);
    for (int i = 0; i < 1000; ++i) QCOMPARE(host.events[2 * i], std::to_string(i));
  }

  // Lines posted before an event of the compilation or a box are in the log before it; the
  // box's answer comes back to the worker.
  void callsKeepTheirOrder() {
    QObject ui;
    RecordingHost host;
    kem::gui::MarshallingHost marshalling(&ui, host);
    kem::BoxAnswer answer = kem::BoxAnswer::kCancel;
    auto done = std::async(std::launch::async, [&] {
      marshalling.SaveUnderAnotherNameRequested();
      marshalling.Log().AppendLogLine("A", false);
      marshalling.CompilationStarted();
      marshalling.Log().AppendLogLine("B", false);
      marshalling.Log().AdvanceProgressMarker();
      answer = marshalling.ShowMessageBox("Frage", kem::BoxKind::kQuestion, kem::BoxIcon::kQuestion,
                                          kem::BoxButtons::kYesNoCancel);
      marshalling.SourceCompiled();
      marshalling.Log().AppendLogLine("C", false);
      marshalling.CompilationEnded();
    });
    QVERIFY(ServeUntil(done, 20000));
    QCOMPARE(host.events,
             (Events{"save as", "A", "started", "B", ">", "box Frage", "compiled", "C", "ended"}));
    QCOMPARE(answer, kem::BoxAnswer::kYes);
  }

  // Memory that runs out on the compilation's thread ends the compilation with the memory box;
  // the IDE, and with it the editor's text, goes on.
  void memoryRunningOutOnTheWorkerEndsWithTheMemoryBox() {
    QObject context;
    kem::testing_support::FakeHost host;
    bool done = false;
    bool run_handed_over = true;
    {
      kem::gui::CompileWorker worker(&context, host);
      worker.Start(
          [](kem::CompileHost&) -> std::unique_ptr<kem::CompileRun> { throw std::bad_alloc(); },
          [&](std::unique_ptr<kem::CompileRun> run) {
            done = true;
            run_handed_over = run != nullptr;
          });
      worker.WaitForEnd();
    }
    QVERIFY(done);
    QVERIFY(!run_handed_over);
    QCOMPARE(host.boxes, std::vector<std::string>{"Nicht genügend Speicher für Compilierung"});
  }
};

#include "tests/gui/gui_test_class.h"
KEM_GUI_TEST_CLASS(CompileWorkerTest)
#include "compile_worker_test.moc"
