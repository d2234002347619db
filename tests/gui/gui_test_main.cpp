// The GUI test program: runs the one Qt Test class named first on its command line, with the
// application object that class needs, and hands the rest of the command line to Qt Test:
//   kem_gui_tests CLASS [Qt Test options and test functions]
// One class per process, as when each class was a program of its own: a class's windows,
// settings file and working folder never meet another's, and ctest runs the classes in parallel.
#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <string_view>
#include <vector>

int RunCompileWorkerTest(int argc, char** argv);
int RunDailyUseTest(int argc, char** argv);
int RunDesktopTest(int argc, char** argv);
int RunHelpTest(int argc, char** argv);
int RunJumpTest(int argc, char** argv);
int RunLogWindowTest(int argc, char** argv);
int RunMainWindowTest(int argc, char** argv);
int RunWaveformTest(int argc, char** argv);

namespace {

struct TestClass {
  std::string_view name;
  int (*run)(int argc, char** argv);
  bool widgets;  // a QApplication; otherwise a QCoreApplication
};

constexpr TestClass kClasses[] = {
    {"CompileWorkerTest", RunCompileWorkerTest, false},
    {"DailyUseTest", RunDailyUseTest, true},
    {"DesktopTest", RunDesktopTest, true},
    {"HelpTest", RunHelpTest, true},
    {"JumpTest", RunJumpTest, true},
    {"LogWindowTest", RunLogWindowTest, true},
    {"MainWindowTest", RunMainWindowTest, true},
    {"WaveformTest", RunWaveformTest, true},
};

// What QTEST_MAIN does before it runs a class.
template <typename Application>
int RunWith(const TestClass& test_class, int argc, char** argv) {
  Application application(argc, argv);
  Application::setAttribute(Qt::AA_Use96Dpi, true);
  return test_class.run(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
  const TestClass* chosen = nullptr;
  for (const TestClass& test_class : kClasses)
    if (argc > 1 && test_class.name == argv[1]) chosen = &test_class;
  if (chosen == nullptr) {
    std::fprintf(stderr, "usage: %s CLASS [Qt Test options]; CLASS is one of:", argv[0]);
    for (const TestClass& test_class : kClasses)
      std::fprintf(stderr, " %.*s", static_cast<int>(test_class.name.size()),
                   test_class.name.data());
    std::fprintf(stderr, "\n");
    return 2;
  }
  // The program's name, then what follows the class's name.
  std::vector<char*> arguments{argv[0]};
  arguments.insert(arguments.end(), argv + 2, argv + argc);
  const int count = static_cast<int>(arguments.size());
  arguments.push_back(nullptr);
  return chosen->widgets ? RunWith<QApplication>(*chosen, count, arguments.data())
                         : RunWith<QCoreApplication>(*chosen, count, arguments.data());
}
