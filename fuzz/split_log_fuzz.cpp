// The line splitting and the table splitting of a log: the reader's lines and
// positions, then the log's routing tables in their temporary files.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "io/line_reader.h"
#include "io/paths.h"
#include "sorter/split_tables.h"

using namespace tess;
using namespace tess::fuzz;

namespace {

// Every line read from a position stored before it reads again the same.
void CheckLineReader(const std::string& path, size_t size) {
  LineReader reader;
  FUZZ_CHECK(reader.Open(path).ok());
  std::vector<std::pair<int64_t, std::string>> lines;
  std::string line;
  int64_t last = 0;
  while (true) {
    const int64_t at = reader.Position();
    if (!reader.ReadLine(line)) break;
    FUZZ_CHECK(at > last);
    FUZZ_CHECK(reader.Position() > at);
    FUZZ_CHECK(reader.Position() <= static_cast<int64_t>(size) + 1);
    FUZZ_CHECK(line.size() < static_cast<size_t>(reader.Position() - at) + 1);
    last = at;
    lines.emplace_back(at, line);
  }
  FUZZ_CHECK(reader.status().ok());
  FUZZ_CHECK(reader.AtEnd());
  for (size_t k = lines.size(); k-- > 0;) {
    reader.Seek(lines[k].first);
    FUZZ_CHECK(reader.ReadLine(line));
    FUZZ_CHECK(line == lines[k].second);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ClearScratch();
  const std::string log = ScratchFile("r.log");
  WriteBytes(log, std::string_view(reinterpret_cast<const char*>(data), size));
  CheckLineReader(log, size);

  std::vector<SplitSection> sections;
  const std::string temp = ScratchFile("r.(1)");
  const Status st = SplitTables(log, temp, ScratchFile("r.srt"), sections);
  FUZZ_CHECK(st.ok());
  FUZZ_CHECK(!sections.empty());
  // The sections stand one after another in the temporary file.
  LineReader reader;
  FUZZ_CHECK(reader.Open(temp).ok());
  int64_t start = 1;
  std::string line;
  for (const SplitSection& section : sections) {
    FUZZ_CHECK(section.Start == start);
    FUZZ_CHECK(section.LineCount >= 0);
    reader.Seek(section.Start);
    for (int64_t k = 0; k < section.LineCount; ++k) FUZZ_CHECK(reader.ReadLine(line));
    start = reader.Position();
  }
  FUZZ_CHECK(reader.AtEnd());
  reader.Close();
  FUZZ_CHECK(RemoveFile(temp).ok());
  ExpectOnly({"r.log"});
  return 0;
}
