// Buffered line reader over a file, with byte positions that can be stored
// and returned to later (the sorter re-reads lines in sorted order).
//
// A line ends at LF and the CRs just before it are dropped, so CR LF, LF and
// CR CR LF all work; a file that holds no LF at all is split at each CR.
// Positions count bytes from 1, as the stored line positions do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/status.h"

namespace tess {

class LineReader {
 public:
  LineReader() = default;
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  /// Opens `path` for reading; the reader then stands at position 1.
  Status Open(const std::string& path);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  const std::string& Path() const { return path_; }

  /// True when no further line can be read.
  bool AtEnd();
  /// Reads the next line without its line end; false at the end of the file
  /// or on a read failure (see status()).
  bool ReadLine(std::string& line);
  /// Whether the bytes from the reading position on begin with `prefix`
  /// (which holds no line end), read ahead without moving: a cheap look at
  /// the next line.
  bool NextBytesAre(std::string_view prefix);
  /// 1-based position of the next byte to be read.
  int64_t Position() const { return pos_; }
  /// Moves to a 1-based position previously returned by Position().
  void Seek(int64_t position);
  /// Ok, or the first read failure met.
  const Status& status() const { return status_; }

 private:
  bool Fill();  // loads the buffer at pos_; false at end or on failure
  bool DetectLineFeeds();

  int fd_ = -1;
  std::string path_;
  bool splitAtLf_ = true;
  int64_t pos_ = 1;          // next byte, 1-based
  int64_t bufStart_ = 1;     // file position of buf_[0]
  std::vector<char> buf_;
  size_t bufLen_ = 0;
  // Bytes the next fill asks for: small after a far jump (lines read back
  // in sorted order), doubling while reading goes on sequentially.
  size_t fillSize_ = 0;
  Status status_;
};

}  // namespace tess
