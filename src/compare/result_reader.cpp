#include "compare/result_reader.h"

#include <string_view>

#include "sorter/log_format.h"

namespace tess {

void ResultReader::EnterSection(int64_t sectionStart, int64_t sectionEnd) {
  in_.Seek(sectionStart);
  sectionEnd_ = sectionEnd;
}

bool ResultReader::ReadWithinSection(std::string& line) {
  if (in_.Position() >= sectionEnd_) return false;
  return in_.ReadLine(line);
}

std::string ResultReader::ReadResultLine(int32_t& DestHigh, int32_t& DestLow, int& MaskCode,
                                         int64_t& lineCount) {
  RouteFields f;
  f.DestHigh = DestHigh;
  f.DestLow = DestLow;
  f.MaskCode = MaskCode;
  int lineState = kBeforeFirstRoute;
  std::string line;
  if (lineCount == 0) {
    while (ReadWithinSection(line)) {
      ParseRouteLine(line, f, lineState, stream_);
      DestHigh = f.DestHigh;
      DestLow = f.DestLow;
      MaskCode = f.MaskCode;
      if (f.ProtoCode >= kNotRouteProto) continue;
      const int64_t after = in_.Position();
      lineCount = CountBlockLines(line, f, lineState);
      in_.Seek(after);
      return line;
    }
    return "";
  }
  if (!ReadWithinSection(line)) return "";
  ParseRouteLine(line, f, lineState, stream_);
  if (f.ProtoCode < kNotRouteProto) {
    DestHigh = f.DestHigh;
    DestLow = f.DestLow;
    MaskCode = f.MaskCode;
  }
  return line;
}

// Counts the lines under `first` that complete (with the head of the line
// above, up to its "[") to a route line of the same destination and mask:
// each begins with four spaces, holds only spaces before a "[" that stands
// within two columns of the "[" above. Stops at the first line that does not
// begin with four spaces or completes to another route.
int64_t ResultReader::CountBlockLines(const std::string& first, const RouteFields& firstFields,
                                      int lineState) {
  int64_t count = 1;
  std::string previous = first;
  std::string next;
  RouteFields m;
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
    ParseRouteLine(completed, m, lineState, stream_);
    if (m.ProtoCode >= kNotRouteProto || m.DestHigh != firstFields.DestHigh ||
        m.DestLow != firstFields.DestLow || m.MaskCode != firstFields.MaskCode) {
      break;
    }
    ++count;
    previous = std::move(completed);
  }
  return count;
}

ResultReader::Mark ResultReader::Save() const {
  return {in_.Position(), stream_.MaskInForce, destHigh_, destLow_,
          maskCode_};
}

void ResultReader::Restore(const Mark& mark) {
  in_.Seek(mark.position);
  stream_.MaskInForce = mark.maskInForce;
  destHigh_ = mark.destHigh;
  destLow_ = mark.destLow;
  maskCode_ = mark.maskCode;
}

bool ResultReader::ReadBlock(RouteBlock& block) {
  block.Lines.clear();
  int64_t count = 0;
  const int64_t before = in_.Position();
  std::string first = ReadResultLine(destHigh_, destLow_, maskCode_, count);
  if (count < 1 || in_.Position() > sectionEnd_) return false;
  block.Start = before;
  block.DestHigh = destHigh_;
  block.DestLow = destLow_;
  block.MaskCode = maskCode_;
  block.Lines.push_back(std::move(first));
  for (int64_t k = 1; k < count; ++k) {
    block.Lines.push_back(ReadResultLine(destHigh_, destLow_, maskCode_, count));
  }
  return true;
}

}  // namespace tess
