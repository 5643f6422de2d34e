// Chooses between batch mode (one or more arguments), the viewer of a
// report (--view REPORT) and the window.
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <malloc.h>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/batch_options.h"
#include "app/settings_location.h"
#include "io/temporary_files.h"
#include "open_window.h"

namespace {

bool DisplayAvailable() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // Ctrl-C, a closed terminal or a kill remove the run's temporary files.
  tess::InstallInterruptCleanup();
  // A file-size limit makes a write fail with EFBIG, which the run reports
  // and cleans up after, instead of killing the program mid-run.
  std::signal(SIGXFSZ, SIG_IGN);
  // The large buffers (sort records, read-back windows) are mappings of
  // their own (io/large_allocation.h). Everything else stays in the heap and
  // its pages are reused, not given back and faulted in anew: a fresh page
  // costs more than the work done on it.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  const std::optional<std::string> settingsPath = tess::LocateSettingsFile(tess::ProgramFolder());
  const std::vector<std::string> args(argv + 1, argv + argc);
  // --view REPORT alone opens the viewer; any other arguments are a batch run
  // (which also reports a malformed command line).
  tess::BatchOptions options;
  const bool view = tess::ParseBatchOptions(args, options).ok() && options.View.has_value();
  if (argc > 1 && !view) {
    // Runs fail by themselves when memory runs out; this catches what is
    // left (settings, the summary), so the program still ends by exit 2
    // after the unwinding has removed what it made.
    try {
      return tess::RunBatch(args, settingsPath, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
      std::cerr << "tessaline: out of memory\n";
      return 2;
    }
  }
  if (!DisplayAvailable()) {
    std::cerr << "tessaline: cannot open a display\n";
    return 2;
  }
  // The viewer gets the program's name alone: no report name is taken for an
  // option of Qt.
  return view ? tess::OpenViewer(1, argv, *options.View) : tess::OpenWindow(argc, argv, settingsPath);
}
