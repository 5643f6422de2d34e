#include "cli/junit_report.h"

#include "cli/summary_text.h"
#include "compare/report_text.h"
#include "compare/utf8_text.h"
#include "io/paths.h"
#include "io/staged_file.h"
#include "sorter/log_format.h"

namespace tess {

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The characters XML 1.0 cannot hold or that show as nothing: C0 controls
// but tab and line feed, DEL, C1 controls (U+0080 to U+009F), U+FFFE and
// U+FFFF. `s` is UTF-8; `length` tells the bytes the character at `i` took.
bool Unwanted(const std::string& s, size_t i, size_t& length) {
  const auto byte = [&](size_t k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0; };
  const unsigned char b = byte(i);
  length = 1;
  if (b < 0x20) return b != '\t' && b != '\n';
  if (b == 0x7F) return true;
  if (b == 0xC2 && byte(i + 1) <= 0x9F) {
    length = 2;
  } else if (b == 0xEF && byte(i + 1) == 0xBF && byte(i + 2) >= 0xBE) {
    length = 3;
  }
  return length > 1;
}

const char* Entity(char c, XmlPlace place) {
  switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    case '\t': return place == XmlPlace::kAttribute ? "&#9;" : nullptr;
    case '\n': return place == XmlPlace::kAttribute ? "&#10;" : nullptr;
    default: return nullptr;
  }
}

const char* TypeOf(PairVerdict verdict) { return VerdictName(verdict); }

// The report's difference lines of a record, without the blank lines that
// part them, until `limit` lines. Headings stand as the report writes them:
// a VRF's before its first difference, none for the text before the first
// table (the first table recorded) and the default instance.
class DifferenceLines {
 public:
  DifferenceLines(const ComparisonRecord& record, size_t limit) : record_(record), limit_(limit) {
    for (const RecordedDifference& d : record.Differences) {
      if (!Add(d)) break;
    }
  }
  const std::vector<std::string>& Lines() const { return lines_; }
  bool Cut() const { return cut_; }

 private:
  bool IsVrf(const std::string& table) const {
    return table != kDefaultInstanceName && (record_.Tables.empty() || table != record_.Tables.front().Name);
  }
  bool Add(const RecordedDifference& d) {
    const bool gone = d.Kind == DifferenceKind::Gone;
    if (d.WholeTable) {
      if (IsVrf(d.Table) && !Push((gone ? texts_.GoneTable : texts_.NewTable) + d.Table)) return false;
      table_.clear();
      const std::string& prefix = gone ? texts_.GoneTableLine : texts_.NewTableLine;
      return PushAll(prefix, gone ? d.Before : d.After);
    }
    if (d.Table != table_ && IsVrf(d.Table) && !Push(texts_.PairHeading + d.Table)) return false;
    table_ = d.Table;
    return PushAll(gone ? texts_.GoneBlock : texts_.ChangedBefore, d.Before) &&
           PushAll(d.Kind == DifferenceKind::New ? texts_.NewBlock : texts_.ChangedAfter, d.After);
  }
  bool PushAll(const std::string& prefix, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
      if (!Push(prefix + line)) return false;
    }
    return true;
  }
  bool Push(std::string line) {
    if (lines_.size() == limit_) {
      cut_ = true;
      return false;
    }
    lines_.push_back(std::move(line));
    return true;
  }

  const ComparisonRecord& record_;
  const size_t limit_;
  const ReportTexts texts_ = MakeReportTexts(ReportEncoding::kUtf8);
  std::vector<std::string> lines_;
  std::string table_;  // the table of the last route difference
  bool cut_ = false;
};

// "3 differences" and the report's first difference lines; a name in one
// folder only has its summary alone.
std::string FailureText(const PairResult& pair, const std::string& summary) {
  std::string text = summary + "\n";
  const DifferenceLines lines(pair.Outcome.Record, kJunitDifferenceLines);
  for (const std::string& line : lines.Lines()) text += line + "\n";
  if (lines.Cut()) text += "(more in " + pair.ReportPath + ")\n";
  return XmlEscaped(text, XmlPlace::kText);
}

std::string TestCase(const PairResult& pair, const std::string& beforeDir, const std::string& afterDir) {
  std::string out = "  <testcase name=\"" + XmlEscaped(pair.Name, XmlPlace::kAttribute) + "\" classname=\"tessaline\"";
  if (pair.Verdict == PairVerdict::Same) return out + "/>\n";
  out += ">\n";
  if (pair.Verdict == PairVerdict::Failed) {
    const std::string error = FailureOf(pair.Outcome).Message();
    out += "    <error message=\"" + XmlEscaped(error, XmlPlace::kAttribute) + "\" type=\"failed\">" +
           XmlEscaped(error, XmlPlace::kText) + "</error>\n";
  } else {
    const std::string summary = DescribePair(pair, beforeDir, afterDir);
    out += "    <failure message=\"" + XmlEscaped(summary, XmlPlace::kAttribute) + "\" type=\"" +
           TypeOf(pair.Verdict) + "\">" + FailureText(pair, summary) + "</failure>\n";
  }
  return out + "  </testcase>\n";
}

}  // namespace

std::string XmlEscaped(const std::string& text, XmlPlace place) {
  const std::string utf8 = LogTextToUtf8(text, ReportEncoding::kUtf8);
  std::string out;
  out.reserve(utf8.size());
  size_t length = 1;
  for (size_t i = 0; i < utf8.size(); i += length) {
    if (Unwanted(utf8, i, length)) {
      out += kReplacement;
    } else if (const char* entity = Entity(utf8[i], place)) {
      out += entity;
    } else {
      out += utf8[i];
    }
  }
  return out;
}

std::string JunitXml(const std::vector<PairResult>& pairs, const std::string& beforeDir,
                     const std::string& afterDir) {
  const VerdictCounts counts = CountVerdicts(pairs);
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<testsuite name=\"tessaline\" tests=\"" + std::to_string(pairs.size()) + "\" failures=\"" +
         std::to_string(counts.Different + counts.OneSided) + "\" errors=\"" + std::to_string(counts.Failed) +
         "\" skipped=\"0\">\n";
  for (const PairResult& pair : pairs) out += TestCase(pair, beforeDir, afterDir);
  return out + "</testsuite>\n";
}

Status CheckJunitTarget(const std::string& path, const std::vector<PairResult>& pairs,
                        const std::vector<CompareRequest>& requests) {
  for (size_t i = 0; i < pairs.size(); ++i) {
    std::vector<const std::string*> files = {&pairs[i].BeforePath, &pairs[i].AfterPath, &pairs[i].ReportPath};
    if (!pairs[i].ReportPath.empty() && requests[i].KeepSortResults) {
      files.insert(files.end(), {&requests[i].Before.ResultPath, &requests[i].After.ResultPath});
    }
    for (const std::string* file : files) {
      if (!file->empty() && SameFile(path, *file)) return Status::Fail(ErrorCode::JunitWouldOverwrite, path);
    }
  }
  return Status::Ok();
}

Status WriteJunitFile(const std::string& path, const std::string& document) {
  StagedFile file;
  if (Status st = file.Create(path); !st.ok()) return st;
  if (Status st = file.Write(document); !st.ok()) return st;
  if (Status st = file.Close(Durability::kRenameOnly); !st.ok()) return st;
  return file.Publish(Durability::kRenameOnly);
}

}  // namespace tess
