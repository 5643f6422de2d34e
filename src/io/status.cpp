#include "io/status.h"

#include <cstring>

namespace tess {

Status Status::FromErrno(std::string file, int errnum) {
  return Fail(std::move(file), std::strerror(errnum));
}

std::string Status::Message() const {
  const std::string shown = file_.empty() ? std::string("(empty file name)") : file_;
  return shown + ": " + reason_;
}

}  // namespace tess
