#include "sorter/sorted_line_reader.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

#include "io/line_reader.h"

namespace tess {

namespace {

// The file is gathered from in regions of 1 MiB: each is read once per
// window, with the lines that start in it.
constexpr int kRegionShift = 20;
constexpr size_t kReadAheadBytes = size_t{256} << 10;

int64_t RegionOf(int64_t position) { return (position - 1) >> kRegionShift; }

// A line as read from the file: up to its LF, less the CRs before it.
std::string_view WithoutLineEnd(const char* bytes, size_t length) {
  if (length > 0 && bytes[length - 1] == '\n') --length;
  while (length > 0 && bytes[length - 1] == '\r') --length;
  return {bytes, length};
}

}  // namespace

SortedLineReader::~SortedLineReader() {
  if (fd_ >= 0) ::close(fd_);
}

Status SortedLineReader::Open(const std::string& path) {
  path_ = path;
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  return fd_ < 0 ? Status::FromErrno(path, errno) : Status::Ok();
}

Status SortedLineReader::Read(std::span<const LinePlace> lines, const std::function<void(std::string_view)>& take,
                              size_t windowBytes) {
  const size_t n = lines.size();
  const bool longLine = std::any_of(lines.begin(), lines.end(),
                                    [](LinePlace p) { return p.Length() == LinePlace::kLongLine; });
  if (longLine) return TakeEachLine(lines, take);
  for (size_t first = 0; first < n;) {
    size_t last = first;
    size_t bytes = 0;
    while (last < n && (last == first || bytes + lines[last].Length() <= windowBytes)) {
      bytes += lines[last++].Length();
    }
    if (Status st = TakeWindow(lines, first, last, take); !st.ok()) return st;
    first = last;
  }
  return Status::Ok();
}

// Lines [first, last) of the sorted order: their texts gathered region by
// region into one buffer, then handed out in sorted order.
Status SortedLineReader::TakeWindow(std::span<const LinePlace> lines, size_t first, size_t last,
                                    const std::function<void(std::string_view)>& take) {
  const size_t count = last - first;
  offset_.resize(count + 1);
  offset_[0] = 0;
  for (size_t k = 0; k < count; ++k) offset_[k + 1] = offset_[k] + lines[first + k].Length();
  char* window = window_.Reserve(offset_[count]);
  GroupByRegion(lines, first, last);
  for (size_t r = 0; r + 1 < regionFirst_.size(); ++r) {
    const size_t members = regionFirst_[r + 1] - regionFirst_[r];
    if (members == 0) continue;
    if (Status st = GatherRegion(lines, first, &inRegions_[regionFirst_[r]], members, regionStart_[r],
                                 regionEnd_[r]);
        !st.ok()) {
      return st;
    }
  }
  for (size_t k = 0; k < count; ++k) take(WithoutLineEnd(window + offset_[k], lines[first + k].Length()));
  return Status::Ok();
}

// Orders the window's lines by the region they start in (a counting sort),
// and notes where each region's wanted bytes begin and end: a small section
// reads only its own lines.
void SortedLineReader::GroupByRegion(std::span<const LinePlace> lines, size_t first, size_t last) {
  int64_t low = std::numeric_limits<int64_t>::max();
  int64_t high = 0;
  for (size_t i = first; i < last; ++i) {
    low = std::min(low, RegionOf(lines[i].Position()));
    high = std::max(high, RegionOf(lines[i].Position()));
  }
  const size_t regions = static_cast<size_t>(high - low + 1);
  regionFirst_.assign(regions + 1, 0);
  regionStart_.assign(regions, std::numeric_limits<int64_t>::max());
  regionEnd_.assign(regions, 0);
  for (size_t i = first; i < last; ++i) {
    const size_t r = static_cast<size_t>(RegionOf(lines[i].Position()) - low);
    ++regionFirst_[r + 1];
    regionStart_[r] = std::min(regionStart_[r], lines[i].Position());
    regionEnd_[r] = std::max(regionEnd_[r], lines[i].Position() + lines[i].Length());
  }
  for (size_t r = 0; r < regions; ++r) regionFirst_[r + 1] += regionFirst_[r];
  std::vector<uint32_t> next(regionFirst_.begin(), regionFirst_.end() - 1);
  inRegions_.resize(last - first);
  for (size_t i = first; i < last; ++i) {
    const size_t r = static_cast<size_t>(RegionOf(lines[i].Position()) - low);
    inRegions_[next[r]++] = static_cast<uint32_t>(i - first);
  }
}

// Takes bytes [from, to) of the file once and copies each member line to
// its place in the window.
Status SortedLineReader::GatherRegion(std::span<const LinePlace> lines, size_t first, const uint32_t* members,
                                      size_t count, int64_t from, int64_t to) {
  const char* region = nullptr;
  if (Status st = Bytes(from, to, region); !st.ok()) return st;
  char* window = window_.data();
  for (size_t m = 0; m < count; ++m) {
    const uint32_t k = members[m];
    const LinePlace line = lines[first + k];
    std::copy_n(region + (line.Position() - from), line.Length(), window + offset_[k]);
  }
  return Status::Ok();
}

// Bytes [from, to) of the file: from what the last read brought in when it
// holds them, otherwise read with what follows them, up to kReadAheadBytes
// in all, since the small tables of a many-table log are read one after
// the other.
Status SortedLineReader::Bytes(int64_t from, int64_t to, const char*& bytes) {
  if (from < cachedFrom_ || to > cachedFrom_ + static_cast<int64_t>(cachedBytes_)) {
    const size_t wanted = static_cast<size_t>(to - from);
    // Powers of two: the buffer grows a few times at most.
    const size_t size = std::bit_ceil(std::max(wanted, kReadAheadBytes));
    char* into = region_.Reserve(size);
    cachedFrom_ = from;
    cachedBytes_ = 0;
    while (cachedBytes_ < size) {
      const ssize_t n = ::pread(fd_, into + cachedBytes_, size - cachedBytes_,
                                static_cast<off_t>(from - 1 + static_cast<int64_t>(cachedBytes_)));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return Status::FromErrno(path_, errno);
      if (n == 0) break;
      cachedBytes_ += static_cast<size_t>(n);
    }
    if (cachedBytes_ < wanted) return Status::Fail(ErrorCode::TemporaryFileShrank, path_);
  }
  bytes = region_.data() + (from - cachedFrom_);
  return Status::Ok();
}

// One line at a time, for sections with a line of a mebibyte or more.
Status SortedLineReader::TakeEachLine(std::span<const LinePlace> lines,
                                      const std::function<void(std::string_view)>& take) {
  LineReader in;
  if (Status st = in.Open(path_); !st.ok()) return st;
  std::string line;
  for (const LinePlace record : lines) {
    in.Seek(record.Position());
    if (!in.ReadLine(line)) {
      return in.status().ok() ? Status::Fail(ErrorCode::TemporaryFileShrank, path_) : in.status();
    }
    take(line);
  }
  return Status::Ok();
}

}  // namespace tess
