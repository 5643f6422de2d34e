#include "app/command_line.h"

namespace tess {

namespace {

// Collects one argument from text[pos...] with delimiter `delim` (a space at
// the start). Returns the argument when a delimiter delivered it.
std::optional<std::string> CollectArgument(const std::string& text, size_t& pos, char& delim,
                                           std::string& collected) {
  // At the end of the text the delimiter is met once more, so an argument
  // still being collected is delivered (unless a quote just opened).
  bool pendingDelimiter = false;
  while (pos < text.size() || pendingDelimiter) {
    char c;
    if (pendingDelimiter) {
      c = delim;
      pendingDelimiter = false;
    } else {
      c = text[pos++];
    }
    if (c == delim) {
      delim = ' ';
      return collected;
    }
    if (c == '"') {
      delim = '"';
    } else {
      collected += c;
      if (pos == text.size()) pendingDelimiter = true;
    }
  }
  return std::nullopt;
}

}  // namespace

SplitArguments SplitCommandLine(const std::string& text) {
  SplitArguments result;
  size_t pos = 0;
  char delim = ' ';
  std::string collected1;
  result.Argument1 = CollectArgument(text, pos, delim, collected1);
  while (pos < text.size() && text[pos] == delim) ++pos;
  result.Argument2 = CollectArgument(text, pos, delim, result.Collected2);
  return result;
}

std::string JoinArguments(const std::vector<std::string>& args) {
  std::string text;
  for (size_t i = 0; i < args.size(); ++i) {
    if (i > 0) text += ' ';
    const bool quote = args[i].empty() || args[i].find(' ') != std::string::npos;
    text += quote ? "\"" + args[i] + "\"" : args[i];
  }
  return text;
}

}  // namespace tess
