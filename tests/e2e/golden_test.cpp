// Every folder under tests/data is one sort case: input.log, the command-line
// options in args, and the result worked out by hand in expected.srt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>

#include "test_support.h"

namespace tess::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(SourceDir()) / "tests" / "data";

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kData)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, SortsToTheExpectedResult) {
  const fs::path folder = kData / GetParam();
  ScratchDir work, config;
  WriteFile(work.File("input.log"), ReadFile((folder / "input.log").string()));
  std::istringstream options(ReadFile((folder / "args").string()));
  std::vector<std::string> args;
  for (std::string word; options >> word;) args.push_back(word);
  args.push_back("input.log");
  const RunResult r = RunTessaline(args, work.path(), config.path());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(work.List(), (std::vector<std::string>{"input.log", "input.srt"}));
  EXPECT_EQ(ReadFile(work.File("input.srt")), ReadFile((folder / "expected.srt").string()));
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

}  // namespace
}  // namespace tess::testing
