// Errors as values: a run step returns a Status that either is ok or names
// the file involved and the reason, ready to be shown to the user.
#pragma once

#include <string>
#include <utility>

namespace tess {

class Status {
 public:
  /// A successful result.
  static Status Ok() { return Status(); }
  /// A failure concerning `file`, with a human-readable `reason`.
  static Status Fail(std::string file, std::string reason) {
    Status s;
    s.ok_ = false;
    s.file_ = std::move(file);
    s.reason_ = std::move(reason);
    return s;
  }
  /// A failure from a system call on `file`, with the text of `errnum`.
  static Status FromErrno(std::string file, int errnum);

  bool ok() const { return ok_; }
  const std::string& file() const { return file_; }
  const std::string& reason() const { return reason_; }
  /// The system's error number of a failed system call, 0 otherwise.
  int code() const { return code_; }
  /// "FILE: reason", the form every front end shows: one line, the file
  /// name as ShownFileName gives it.
  std::string Message() const;

 private:
  bool ok_ = true;
  std::string file_;
  std::string reason_;
  int code_ = 0;
};

/// `text` with its control characters escaped as ShownFileName does.
std::string EscapeControlCharacters(const std::string& text);
/// A file name as messages show it, always on one line: control characters
/// escaped ("\n", "\t", "\r", others as "\x1b"), and an empty name, or one
/// that begins or ends with a space, in single quotes ('', '  a.log').
std::string ShownFileName(const std::string& name);

}  // namespace tess
