#include "cli/json_report.h"

#include "compare/utf8_text.h"

namespace tess {

namespace {

const char* OutcomeName(TableOutcome outcome) {
  return outcome == TableOutcome::Gone ? "gone" : outcome == TableOutcome::New ? "new" : "compared";
}

const char* KindName(DifferenceKind kind) {
  return kind == DifferenceKind::Gone ? "gone" : kind == DifferenceKind::New ? "new" : "changed";
}

// A path or null when there is none.
std::string PathOrNull(const std::string& path) { return path.empty() ? "null" : JsonString(path); }

std::string Lines(const std::vector<std::string>& lines) {
  std::string out = "[";
  for (size_t i = 0; i < lines.size(); ++i) out += (i > 0 ? ", " : "") + JsonString(lines[i]);
  return out + "]";
}

std::string Tables(const ComparisonRecord& record) {
  std::string out = "[";
  for (size_t i = 0; i < record.Tables.size(); ++i) {
    const RecordedTable& t = record.Tables[i];
    out += std::string(i > 0 ? "," : "") + "\n        {\"name\": " + JsonString(t.Name) +
           ", \"status\": \"" + OutcomeName(t.Outcome) + "\"}";
  }
  return out + (record.Tables.empty() ? "]" : "\n      ]");
}

std::string Differences(const ComparisonRecord& record) {
  std::string out = "[";
  for (size_t i = 0; i < record.Differences.size(); ++i) {
    const RecordedDifference& d = record.Differences[i];
    out += std::string(i > 0 ? "," : "") + "\n        {\"kind\": \"" + KindName(d.Kind) +
           "\", \"table\": " + JsonString(d.Table) +
           ", \"whole_table\": " + (d.WholeTable ? "true" : "false") +
           ", \"before\": " + Lines(d.Before) + ", \"after\": " + Lines(d.After) + "}";
  }
  return out + (record.Differences.empty() ? "]" : "\n      ]");
}

// The routes each log's sort found, null when the logs were not both sorted.
std::string RouteCounts(const PairResult& pair) {
  const bool sorted = !pair.BeforePath.empty() && !pair.AfterPath.empty() && pair.Outcome.status.ok();
  if (!sorted) return "null";
  return "{\"before\": " + std::to_string(pair.Outcome.BeforeRouteLines) +
         ", \"after\": " + std::to_string(pair.Outcome.AfterRouteLines) + "}";
}

std::string Pair(const PairResult& pair) {
  std::string out = "    {\n";
  out += "      \"name\": " + JsonString(pair.Name) + ",\n";
  out += "      \"before\": " + PathOrNull(pair.BeforePath) + ",\n";
  out += "      \"after\": " + PathOrNull(pair.AfterPath) + ",\n";
  out += std::string("      \"verdict\": \"") + VerdictName(pair.Verdict) + "\",\n";
  out += "      \"difference_count\": " + std::to_string(pair.Outcome.DifferenceCount) + ",\n";
  out += "      \"routes\": " + RouteCounts(pair) + ",\n";
  // A comparison that ran without comparing (a log without route lines)
  // failed, but its report was published.
  const bool ran = !pair.ReportPath.empty() && pair.Outcome.status.ok();
  out += "      \"report\": " + PathOrNull(ran ? pair.ReportPath : "") + ",\n";
  if (pair.Verdict == PairVerdict::Failed) {
    out += "      \"error\": " + JsonString(FailureOf(pair.Outcome).Message()) + ",\n";
  }
  out += "      \"tables\": " + Tables(pair.Outcome.Record) + ",\n";
  out += "      \"differences\": " + Differences(pair.Outcome.Record) + "\n";
  return out + "    }";
}

}  // namespace

std::string JsonString(const std::string& text) {
  const std::string utf8 = LogTextToUtf8(text, ReportEncoding::kUtf8);
  std::string out = "\"";
  for (const char c : utf8) {
    const unsigned char u = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (u < 0x20 || u == 0x7F) {
          static constexpr char kHex[] = "0123456789abcdef";
          out += "\\u00";
          out += kHex[u >> 4];
          out += kHex[u & 0xF];
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string ComparisonJson(const std::vector<PairResult>& pairs, const std::string& beforeDir,
                           const std::string& afterDir) {
  std::string body;
  for (size_t i = 0; i < pairs.size(); ++i) {
    body += (i > 0 ? ",\n" : "") + Pair(pairs[i]);
  }
  std::string out = "{\n";
  out += "  \"before_folder\": " + PathOrNull(beforeDir) + ",\n";
  out += "  \"after_folder\": " + PathOrNull(afterDir) + ",\n";
  out += "  \"pairs\": [" + (pairs.empty() ? std::string() : "\n" + body + "\n  ") + "],\n";
  const VerdictCounts counts = CountVerdicts(pairs);
  out += "  \"summary\": {\"pairs\": " + std::to_string(pairs.size()) +
         ", \"same\": " + std::to_string(counts.Same) +
         ", \"different\": " + std::to_string(counts.Different) +
         ", \"one_sided\": " + std::to_string(counts.OneSided) +
         ", \"failed\": " + std::to_string(counts.Failed) + "}\n";
  return out + "}\n";
}

}  // namespace tess
