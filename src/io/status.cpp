#include "io/status.h"

#include <cstring>

namespace tess {

Status Status::FromErrno(std::string file, int errnum) {
  Status s = Fail(std::move(file), std::strerror(errnum));
  s.code_ = errnum;
  return s;
}

std::string Status::Message() const {
  const std::string shown = file_.empty() ? std::string("(empty file name)") : file_;
  return shown + ": " + reason_;
}

}  // namespace tess
