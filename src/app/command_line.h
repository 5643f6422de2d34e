// Splitting of the command-line text into at most two file names.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tess {

/// What SplitCommandLine delivers: for each slot a name (possibly empty) or
/// nothing, and the collected text of argument 2, which selects a comparison.
struct SplitArguments {
  std::optional<std::string> Argument1;
  std::optional<std::string> Argument2;
  std::string Collected2;
};

/// Splits `text`: a space ends an unquoted argument, a double quote opens a
/// quoted part that the next double quote ends, runs of spaces between the
/// two arguments are skipped and anything after the second is ignored.
SplitArguments SplitCommandLine(const std::string& text);

/// Rebuilds one text from an argument vector: elements joined by single
/// spaces, an element holding a space (or empty) wrapped in double quotes.
std::string JoinArguments(const std::vector<std::string>& args);

}  // namespace tess
