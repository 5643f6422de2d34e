#include "io/status.h"

#include <cstring>

namespace tess {

Status Status::FromErrno(std::string file, int errnum) {
  // strerror_r: runs of a folder comparison fail on several threads at once.
  char buffer[256];
  Status s = Fail(std::move(file), ::strerror_r(errnum, buffer, sizeof buffer));
  s.code_ = errnum;
  return s;
}

std::string Status::Message() const {
  const std::string shown = file_.empty() ? std::string("(empty file name)") : file_;
  return shown + ": " + reason_;
}

}  // namespace tess
