// The IDE against kemc on the same compilation: the IDE's compile command, from the menu to the
// end of the run, against a whole kemc run of the same design at the same level. Both run several
// times, alternating; wall and processor time are printed (the IDE's processor time is that of
// both its threads). Runs on the offscreen platform unless another one is chosen.
//
// With --statements N the design is N repeated statements instead of one large equation: one log
// line each, so the IDE's cost is that of its log window. The log keeps its lines from one run to
// the next, so each run is also printed on its own: a later run must not cost more.
//
//   kem_ide_bench [--kind parity] [--v 17] [--statements N] [--level 2] [--runs 5]
#include <sys/resource.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_functions.h"
#include "common/command_ids.h"
#include "gui/main_window.h"
#include "synthesis/levels.h"

namespace kem::bench {

namespace {

struct Options {
  std::string kind = "parity";
  int v = 17;
  int level = 2;
  int runs = 5;
  int statements = 0;
};

Options ParseOptions(const QStringList& arguments) {
  Options o;
  for (int i = 1; i + 1 < arguments.size(); i += 2) {
    const QString option = arguments[i];
    const std::string value = arguments[i + 1].toStdString();
    if (option == "--kind") o.kind = value;
    if (option == "--v") o.v = std::atoi(value.c_str());
    if (option == "--level") o.level = std::clamp(std::atoi(value.c_str()), 0, 2);
    if (option == "--runs") o.runs = std::max(1, std::atoi(value.c_str()));
    if (option == "--statements") o.statements = std::max(0, std::atoi(value.c_str()));
  }
  return o;
}

bool WriteFile(const QString& path, const std::string& text) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) &&
         file.write(text.data(), static_cast<qint64>(text.size())) ==
             static_cast<qint64>(text.size());
}

// Wall and processor time of one run.
struct Timing {
  double wall = 0;
  double cpu = 0;
};

double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

Timing RunKemc(const QString& design, int level) {
  const double cpu = CpuSeconds(RUSAGE_CHILDREN);
  QElapsedTimer timer;
  timer.start();
  QProcess kemc;
  kemc.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  kemc.setStandardOutputFile(QProcess::nullDevice());
  kemc.start(QStringLiteral(KEMC_PATH), {QStringLiteral("-m"), QString::number(level), design});
  kemc.waitForFinished(-1);
  return {static_cast<double>(timer.nsecsElapsed()) / 1e9, CpuSeconds(RUSAGE_CHILDREN) - cpu};
}

// From the menu command to the end of the run, with the log window open and receiving lines.
Timing RunIde(gui::MainWindow& window) {
  const double cpu = CpuSeconds(RUSAGE_SELF);
  QElapsedTimer timer;
  timer.start();
  window.action(kCmdCompileOnly)->trigger();
  // The program's own event loop, which sleeps while nothing happens; a short timer looks for
  // the end of the run.
  QEventLoop loop;
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, [&] {
    if (!window.compiling() && !window.frame().compiling()) loop.quit();
  });
  look.start(2);
  loop.exec();
  // Until the log shows the last line.
  if (window.logWindow()) window.logWindow()->ShowPendingLines();
  return {static_cast<double>(timer.nsecsElapsed()) / 1e9, CpuSeconds(RUSAGE_SELF) - cpu};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Series {
  std::vector<double> wall;
  std::vector<double> cpu;
  void Add(const Timing& t) {
    wall.push_back(t.wall);
    cpu.push_back(t.cpu);
  }
};

void Print(const char* what, const Series& s) {
  std::printf("  %-5s wall: fastest %8.3f s, median %8.3f s   processor: median %8.3f s\n", what,
              *std::min_element(s.wall.begin(), s.wall.end()), Median(s.wall), Median(s.cpu));
}

void PrintRuns(const Series& kemc, const Series& ide) {
  for (size_t run = 0; run < ide.wall.size(); ++run) {
    std::printf("  run %2zu: kemc %8.3f s, IDE %8.3f s (processor %8.3f s), IDE / kemc %.2f\n",
                run + 1, kemc.wall[run], ide.wall[run], ide.cpu[run],
                ide.wall[run] / kemc.wall[run]);
  }
}

int Main() {
  const Options o = ParseOptions(QApplication::arguments());
  std::string source;
  std::string what;
  if (o.statements > 0) {
    source = RepeatedStatementsDesign(o.statements);
    what = std::to_string(o.statements) + " repeated statements";
  } else {
    const auto& kinds = FunctionKinds();
    const auto kind = std::find_if(kinds.begin(), kinds.end(),
                                   [&](const FunctionKind& k) { return o.kind == k.name; });
    if (kind == kinds.end()) {
      std::fprintf(stderr, "unknown kind %s\n", o.kind.c_str());
      return 2;
    }
    source = BenchDesign(kind->equation(o.v));
    what = std::string(kind->name) + " of " + std::to_string(o.v) + " inputs";
  }
  QTemporaryDir folder;
  const QString design = folder.filePath(QStringLiteral("bench.kem"));
  // The IDE takes its level from the settings file of its start folder.
  if (!WriteFile(design, source) ||
      !WriteFile(
          folder.filePath(QStringLiteral("kem.ini")),
          std::string("KEMWinMinLevel=") +
              std::string(kMinimizationLevels[static_cast<std::size_t>(o.level)].settings_word) +
              "\n"))
    return 1;

  Series kemc;
  Series ide;
  qsizetype log_lines = 0;
  {
    gui::MainWindow window(folder.path());
    window.show();
    window.OpenFile(design);
    if (window.frame().minimization_level() != o.level) {
      std::fprintf(stderr, "the IDE did not take level %d\n", o.level);
      return 1;
    }
    // The first painting of the design is the editor's cost, not the compilation's.
    QEventLoop settle;
    QTimer::singleShot(300, &settle, &QEventLoop::quit);
    settle.exec();
    // Alternating, so that both see the same load of the machine.
    for (int run = 0; run < o.runs; ++run) {
      kemc.Add(RunKemc(design, o.level));
      ide.Add(RunIde(window));
    }
    if (window.logWindow()) log_lines = window.logWindow()->Lines().size();
  }
  std::printf("IDE against kemc: %s, level %d, %d runs each, %lld log lines at the end\n",
              what.c_str(), o.level, o.runs, static_cast<long long>(log_lines));
  Print("kemc", kemc);
  Print("IDE", ide);
  std::printf("  IDE / kemc: wall %.2f (fastest), %.2f (medians); processor %.2f (medians)\n",
              *std::min_element(ide.wall.begin(), ide.wall.end()) /
                  *std::min_element(kemc.wall.begin(), kemc.wall.end()),
              Median(ide.wall) / Median(kemc.wall), Median(ide.cpu) / Median(kemc.cpu));
  // The log keeps its lines from run to run: each run on its own shows whether that costs.
  if (o.statements > 0) PrintRuns(kemc, ide);
  return 0;
}

}  // namespace

}  // namespace kem::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return kem::bench::Main();
}
