// Times a sort or a comparison started from the main window, as a user's
// click starts it, until the window shows its outcome. bench/window.sh runs
// it beside the same run in batch mode.
//
// Usage: window_run_perf sort LOG | window_run_perf compare BEFORE AFTER
// Prints the wall time in seconds. The window uses the settings file batch
// mode would use (XDG_CONFIG_HOME), so both runs take the same options.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <string>

#include "app/settings_location.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
  const bool sort = argc == 3 && std::string(argv[1]) == "sort";
  const bool compare = argc == 4 && std::string(argv[1]) == "compare";
  if (!sort && !compare) {
    std::fputs("usage: window_run_perf sort LOG | window_run_perf compare BEFORE AFTER\n", stderr);
    return 2;
  }
  QApplication app(argc, argv);
  tess::MainWindow window;
  window.Load(tess::LocateSettingsFile(""));
  window.show();
  QApplication::processEvents();
  window.InputDropped(1, QString::fromLocal8Bit(argv[2]));
  if (compare) window.InputDropped(2, QString::fromLocal8Bit(argv[3]));
  const auto start = std::chrono::steady_clock::now();
  if (sort) {
    window.SortLogOfSlot(1);
  } else {
    window.CompareBothLogs();
  }
  while (window.RunInProgress()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%.3f\n", took.count());
  return 0;
}
