// A small file read whole, with what the system says of it.
#pragma once

#include <string>
#include <sys/stat.h>

#include "io/status.h"

namespace tess {

struct WholeFile {
  bool Exists = false;
  std::string Bytes;
  struct stat Stat {};
};

/// Reads the regular file at `path` in full. A missing file is no failure
/// (`Exists` stays false); anything but a regular file is refused, and a
/// FIFO planted at the path never hangs the program.
Status ReadWholeFile(const std::string& path, WholeFile& file);

}  // namespace tess
