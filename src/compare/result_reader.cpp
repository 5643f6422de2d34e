#include "compare/result_reader.h"

#include <string_view>

#include "sorter/log_format.h"

namespace tess {

void ResultReader::EnterSection(int64_t sectionStart, int64_t sectionEnd, TableDialect dialect) {
  in_.Seek(sectionStart);
  sectionEnd_ = sectionEnd;
  blockStream_.reset();
  if (ReadsRouteBlocks(dialect)) blockStream_.emplace(dialect, RouteBlockStream::Source::SortResult);
}

bool ResultReader::ReadWithinSection(std::string& line) {
  if (in_.Position() >= sectionEnd_) return false;
  return in_.ReadLine(line);
}

// Skips non-route lines up to the next route start line, then counts the
// block's lines ahead of the reader without consuming them.
ResultReader::BlockHead ResultReader::ReadBlockHead() {
  BlockHead head;
  while (ReadWithinSection(head.line)) {
    head.fields = stream_.Parse(head.line);
    if (!head.fields.StartsRoute()) continue;
    const int64_t after = in_.Position();
    head.lineCount = CountBlockLines(head.line, head.fields);
    in_.Seek(after);
    break;
  }
  return head;
}

// A further line of the block; parsed only for the mask it may put in force.
std::string ResultReader::ReadPathLine() {
  std::string line;
  if (!ReadWithinSection(line)) return {};
  stream_.Parse(line);
  return line;
}

// Counts the lines under `first` that complete (with the head of the line
// above, up to its "[") to a route line of the same destination and mask:
// each begins with four spaces, holds only spaces before a "[" that stands
// within two columns of the "[" above. Stops at the first line that does not
// begin with four spaces or completes to another route.
int64_t ResultReader::CountBlockLines(const std::string& first, const RouteFields& firstFields) {
  int64_t count = 1;
  std::string previous = first;
  std::string next;
  // A line that does not begin with four spaces ends the block: looked at
  // before it is read, since most blocks are one line.
  while (in_.Position() < sectionEnd_ && in_.NextBytesAre("    ") && ReadWithinSection(next)) {
    const size_t b = BracketColumn(next);
    const size_t f = BracketColumn(previous);
    if (!BracketsLineUp(b, f) || b == 0 || next.find_first_not_of(' ') < b - 1) {
      previous = next;
      continue;
    }
    std::string completed = previous.substr(0, f);
    completed.append(next, b);
    const RouteFields m = stream_.Parse(completed);
    if (!m.StartsRoute() || m.DestHigh != firstFields.DestHigh ||
        m.DestLow != firstFields.DestLow || m.MaskCode != firstFields.MaskCode) {
      break;
    }
    ++count;
    previous = std::move(completed);
  }
  return count;
}

ResultReader::Mark ResultReader::Save() const { return {in_.Position(), stream_, blockStream_}; }

void ResultReader::Restore(const Mark& mark) {
  in_.Seek(mark.position);
  stream_ = mark.stream;
  blockStream_ = mark.blockStream;
}

// A head with the paths and continuations under it. Blank lines between
// them are not part of the block; the first other line that is neither
// ends it and is read again by the next call.
bool ResultReader::ReadRouteBlock(RouteBlock& block) {
  std::string line;
  BlockLine fields;
  do {
    block.Start = in_.Position();
    if (!ReadWithinSection(line)) return false;
    fields = blockStream_->Parse(line);
  } while (!OpensRoute(fields.Role));
  block.Destination = fields.Destination;
  // The mask as IOS IPv4 blocks carry it, so that routes of paired tables
  // of two dialects pair by mask too.
  block.MaskCode = fields.MaskLength == 0 ? 0 : fields.MaskLength - 1;
  block.ReadAsBlocks = true;
  block.Lines.push_back(std::move(line));
  Mark end = Save();
  while (ReadWithinSection(line)) {
    const LineRole role = blockStream_->Parse(line).Role;
    if (IsBlankLine(line)) continue;
    if (role != LineRole::Path && role != LineRole::Continuation) break;
    block.Lines.push_back(std::move(line));
    end = Save();
  }
  Restore(end);
  return true;
}

bool ResultReader::ReadBlock(RouteBlock& block) {
  block.Lines.clear();
  if (blockStream_) return ReadRouteBlock(block);
  const int64_t before = in_.Position();
  BlockHead head = ReadBlockHead();
  if (head.lineCount < 1 || in_.Position() > sectionEnd_) return false;
  block.Start = before;
  block.Destination = Address128::FromIpv4(static_cast<uint32_t>(head.fields.DestHigh) << 16 |
                                           static_cast<uint32_t>(head.fields.DestLow));
  block.MaskCode = head.fields.MaskCode;
  block.ReadAsBlocks = false;
  block.Lines.push_back(std::move(head.line));
  for (int64_t k = 1; k < head.lineCount; ++k) block.Lines.push_back(ReadPathLine());
  return true;
}

}  // namespace tess
