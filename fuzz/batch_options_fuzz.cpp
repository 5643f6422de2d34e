// The batch command line: the input is the arguments, separated by NUL.
#include <algorithm>
#include <string>
#include <vector>

#include "cli/batch_options.h"
#include "fuzz_support.h"

using namespace tess;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  size_t start = 0;
  while (start <= bytes.size()) {
    const size_t end = std::min(bytes.find('\0', start), bytes.size());
    args.emplace_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  BatchOptions parsed;
  if (const Status st = ParseBatchOptions(args, parsed); !st.ok()) {
    FUZZ_CHECK(!st.reason().empty());
    return 0;
  }
  const BatchOptions* options = &parsed;
  // Every file name is an argument as given, in order: after "--" every
  // argument is one.
  size_t found = 0;
  for (const std::string& arg : args) {
    if (found < options->Files.size() && arg == options->Files[found]) ++found;
  }
  FUZZ_CHECK(found == options->Files.size());
  if (!args.empty() && args[0] == "--") {
    FUZZ_CHECK(options->Files == std::vector<std::string>(args.begin() + 1, args.end()));
  }
  if (options->Jobs) FUZZ_CHECK(*options->Jobs >= 1 && *options->Jobs <= 9999);
  if (options->OutputDir) FUZZ_CHECK(!options->OutputDir->empty());
  return 0;
}
