// Errors as values: a run step returns a Status that either is ok or names
// the file involved, the code of what went wrong and, for a system call, the
// system's error number; front ends turn it into their own words.
#pragma once

#include <new>
#include <string>
#include <utility>

#include "io/error_code.h"

namespace tess {

class Status {
 public:
  /// A successful result.
  static Status Ok() { return Status(); }
  /// The program's own failure `code` concerning `file`; `detail` fills the
  /// "{}" of the code's English text.
  static Status Fail(ErrorCode code, std::string file, std::string detail = {}) {
    Status s;
    s.ok_ = false;
    s.code_ = code;
    s.file_ = std::move(file);
    s.detail_ = std::move(detail);
    return s;
  }
  /// A failure from a system call on `file`, with the error number `errnum`.
  static Status FromErrno(std::string file, int errnum);

  bool ok() const { return ok_; }
  const std::string& file() const { return file_; }
  /// What went wrong (SystemError for a failed system call).
  ErrorCode code() const { return code_; }
  /// The system's error number of a failed system call, 0 otherwise.
  int SystemErrorNumber() const { return errno_; }
  /// The reason in English: the code's text with its detail, or the
  /// system's text of the error number.
  std::string reason() const;
  /// "FILE: reason", the form every front end shows: one line, the file
  /// name as ShownFileName gives it.
  std::string Message() const;

 private:
  bool ok_ = true;
  ErrorCode code_ = ErrorCode::SystemError;
  std::string file_;
  std::string detail_;
  int errno_ = 0;
};

/// `run()`, a Status; running out of memory in it (std::bad_alloc) is a
/// failed run about `file` like any other. For the boundaries of a run only:
/// what the run made is removed as the exception unwinds it.
template <typename Run>
Status FailOnOutOfMemory(const std::string& file, Run&& run) {
  try {
    return run();
  } catch (const std::bad_alloc&) {
    return Status::Fail(ErrorCode::OutOfMemory, file);
  }
}

/// `text` with its control characters escaped as ShownFileName does.
std::string EscapeControlCharacters(const std::string& text);
/// A file name as messages show it, always on one line: control characters
/// escaped ("\n", "\t", "\r", others as "\x1b"), and an empty name, or one
/// that begins or ends with a space, in single quotes ('', '  a.log').
std::string ShownFileName(const std::string& name);

}  // namespace tess
