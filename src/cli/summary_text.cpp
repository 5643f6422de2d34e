#include "cli/summary_text.h"

#include <algorithm>

namespace tess {

std::string DescribePair(const PairResult& pair, const std::string& beforeDir, const std::string& afterDir) {
  switch (pair.Verdict) {
    case PairVerdict::Same:
      return "same";
    case PairVerdict::Different: {
      const int64_t n = pair.Outcome.DifferenceCount;
      return std::to_string(n) + (n == 1 ? " difference" : " differences");
    }
    case PairVerdict::OnlyBefore:
      return "only in " + beforeDir;
    case PairVerdict::OnlyAfter:
      return "only in " + afterDir;
    case PairVerdict::Failed:
      break;
  }
  return "failed: " + FailureOf(pair.Outcome).Message();
}

std::string SummaryLines(const std::vector<PairResult>& pairs, const std::string& beforeDir,
                         const std::string& afterDir) {
  size_t width = 0;
  for (const PairResult& pair : pairs) width = std::max(width, pair.Name.size());
  std::string text;
  for (const PairResult& pair : pairs) {
    text += pair.Name + std::string(width - pair.Name.size() + 2, ' ') +
            DescribePair(pair, beforeDir, afterDir) + "\n";
  }
  return text;
}

std::string SummaryText(const std::vector<PairResult>& pairs, const std::string& beforeDir,
                        const std::string& afterDir) {
  const VerdictCounts counts = CountVerdicts(pairs);
  return SummaryLines(pairs, beforeDir, afterDir) + std::to_string(pairs.size()) +
         (pairs.size() == 1 ? " pair: " : " pairs: ") + std::to_string(counts.Same) + " same, " +
         std::to_string(counts.Different) + " differ, " + std::to_string(counts.OneSided) + " one-sided, " +
         std::to_string(counts.Failed) + " failed\n";
}

int FolderExitCode(const std::vector<PairResult>& pairs) {
  int code = 0;
  for (const PairResult& pair : pairs) {
    if (pair.Verdict == PairVerdict::Failed) return 2;
    if (pair.Verdict != PairVerdict::Same) code = 1;
  }
  return code;
}

}  // namespace tess
