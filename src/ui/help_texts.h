// The texts of the help menu. Each is a list of lines, every line followed
// by CR LF, the last one included.
#pragma once

#include <string>
#include <string_view>

namespace tess {

/// The caption of the window and the title of every message box.
constexpr const char* kWindowCaption = "Tessaline - Cisco [show ip route]";

std::string HowTo1Text();  ///< sorting
std::string HowTo2Text();  ///< comparing
std::string HowTo3Text();  ///< batch use from the command line
std::string Tech1Text();   ///< internal behaviour 1
std::string Tech2Text();   ///< internal behaviour 2 and what this build needs at run time
/// The version note of version `major`.`minor`; the minor number is always
/// shown with two digits. Its fifth line is `documentationAddress`.
std::string AboutText(int major, int minor, const std::string& documentationAddress);
/// The file address of a documentation folder given as an absolute path:
/// "file://", the path percent-encoded where a URL path needs it (spaces,
/// "%", "?", "#", bytes outside ASCII, ...), and one closing "/".
std::string DocumentationAddress(std::string_view folder);

}  // namespace tess
