#include "sorter/sorted_line_reader.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <memory>
#include <unistd.h>
#include <vector>

#include "io/line_reader.h"

namespace tess {

namespace {

constexpr size_t kChunkBytes = 1 << 20;

// A line as read from the file: up to its LF, less the CRs before it.
std::string_view WithoutLineEnd(const char* bytes, size_t length) {
  if (length > 0 && bytes[length - 1] == '\n') --length;
  while (length > 0 && bytes[length - 1] == '\r') --length;
  return {bytes, length};
}

// The buffers of one window, kept from window to window.
struct Window {
  std::vector<size_t> offset;
  std::vector<uint32_t> inFileOrder;
  std::unique_ptr<char[]> lines;
  size_t capacity = 0;
};

// Lines [first, last) of the sorted order: their texts gathered in file
// order into one buffer, then handed out in sorted order.
Status TakeWindow(ChunkedFile& file, const std::vector<LineRecord>& r, size_t first, size_t last,
                  Window& w, const std::function<void(std::string_view)>& take) {
  w.offset.assign(1, 0);
  w.inFileOrder.clear();
  for (size_t i = first; i < last; ++i) {
    w.offset.push_back(w.offset.back() + r[i].Length());
    w.inFileOrder.push_back(static_cast<uint32_t>(i - first));
  }
  if (w.offset.back() > w.capacity) {
    w.capacity = w.offset.back();
    w.lines.reset(new char[w.capacity]);
  }
  std::sort(w.inFileOrder.begin(), w.inFileOrder.end(),
            [&](uint32_t a, uint32_t b) { return r[first + a].Position() < r[first + b].Position(); });
  for (uint32_t k : w.inFileOrder) {
    const char* bytes = nullptr;
    const LineRecord& line = r[first + k];
    if (Status st = file.Bytes(line.Position(), line.Length(), bytes); !st.ok()) return st;
    std::copy(bytes, bytes + line.Length(), w.lines.get() + w.offset[k]);
  }
  for (size_t i = first; i < last; ++i) {
    take(WithoutLineEnd(w.lines.get() + w.offset[i - first], r[i].Length()));
  }
  return Status::Ok();
}

// One line at a time, for sections with a line of 4 GiB or more.
Status TakeEachLine(const std::string& path, const std::vector<LineRecord>& r,
                    const std::function<void(std::string_view)>& take) {
  LineReader in;
  if (Status st = in.Open(path); !st.ok()) return st;
  std::string line;
  for (const LineRecord& record : r) {
    in.Seek(record.Position());
    if (!in.ReadLine(line)) {
      return in.status().ok() ? Status::Fail(path, "temporary file is shorter than expected") : in.status();
    }
    take(line);
  }
  return Status::Ok();
}

}  // namespace

ChunkedFile::~ChunkedFile() {
  if (fd_ >= 0) ::close(fd_);
}

Status ChunkedFile::Open(const std::string& path) {
  path_ = path;
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return Status::FromErrno(path, errno);
  struct stat st {};
  if (::fstat(fd_, &st) != 0) return Status::FromErrno(path, errno);
  fileSize_ = static_cast<int64_t>(st.st_size);
  return Status::Ok();
}

Status ChunkedFile::Bytes(int64_t position, size_t length, const char*& bytes) {
  const int64_t end = position + static_cast<int64_t>(length);
  if (position < start_ || end > start_ + static_cast<int64_t>(filled_)) {
    // A chunk never reaches past the end of the file: small files load small.
    const int64_t rest = std::max<int64_t>(fileSize_ - (position - 1), 0);
    const size_t size = std::max(length, std::min(kChunkBytes, static_cast<size_t>(rest)));
    if (Status st = Load(position, size); !st.ok()) return st;
    if (filled_ < length) return Status::Fail(path_, "temporary file is shorter than expected");
  }
  bytes = chunk_.get() + (position - start_);
  return Status::Ok();
}

Status ChunkedFile::Load(int64_t position, size_t size) {
  if (capacity_ < size) {
    chunk_.reset(new char[size]);
    capacity_ = size;
  }
  start_ = position;
  filled_ = 0;
  while (filled_ < size) {
    const ssize_t n = ::pread(fd_, chunk_.get() + filled_, size - filled_,
                              static_cast<off_t>(position - 1 + static_cast<int64_t>(filled_)));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Status::FromErrno(path_, errno);
    if (n == 0) break;
    filled_ += static_cast<size_t>(n);
  }
  return Status::Ok();
}

Status ReadLinesInSortedOrder(ChunkedFile& file, const std::vector<LineRecord>& records,
                              const std::function<void(std::string_view)>& take, size_t windowBytes) {
  const size_t n = records.size();
  const bool longLine = std::any_of(records.begin(), records.end(),
                                    [](const LineRecord& r) { return r.Length() == LineRecord::kLongLine; });
  if (longLine) return TakeEachLine(file.Path(), records, take);
  Window window;
  for (size_t first = 0; first < n;) {
    size_t last = first;
    size_t bytes = 0;
    while (last < n && (last == first || bytes + records[last].Length() <= windowBytes)) {
      bytes += records[last++].Length();
    }
    if (Status st = TakeWindow(file, records, first, last, window, take); !st.ok()) return st;
    first = last;
  }
  return Status::Ok();
}

}  // namespace tess
