// What went wrong, as a code: every refusal and failure the program reports
// has one, with its English text (messages of the command line) and its
// Japanese text (the window's message box) side by side in one table.
#pragma once

#include <cstddef>
#include <string_view>

namespace tess {

enum class ErrorCode {
  SystemError,  // a system call failed; the error number says why
  OutOfMemory,
  RunStopped,
  ResultWouldOverwriteInput,
  ResultWouldOverwriteOtherInput,
  ComparisonOutputWouldOverwriteInput,
  ReportWouldOverwriteResult,
  PageWouldOverwriteOutput,
  BothResultsOneFile,
  TemporaryWouldOverwriteInputOrResult,
  TemporaryFileShrank,
  FileNotOpen,
  FileNotFinished,
  NotARegularFile,
  SettingHoldsLineBreak,
  InvalidSettingName,
  PairsWriteOneFile,
  LogComparedWithFolder,
  OutputFolderMissing,
  NoRouteLines,  // a comparison ran, but a log held no route line to compare
  JunitWouldOverwrite,
  NotAReport,  // a file read as a comparison report is not one; the detail says where
  CommandLine,  // a command line that cannot run; its text is the detail
};

/// One row of the table. "{}" in the English text stands for the failure's
/// detail (names that make the message precise); the Japanese text, shown
/// with the file's name below it, needs none.
struct ErrorText {
  ErrorCode Code;
  std::string_view English;
  std::string_view Japanese;
};

/// The row of `code`. SystemError's texts are empty: the error number's own
/// text stands in their place.
const ErrorText& TextOf(ErrorCode code);

/// Every row, in the order of the codes.
std::size_t ErrorTextCount();
const ErrorText& ErrorTextAt(std::size_t index);

}  // namespace tess
