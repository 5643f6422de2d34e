// Log text as UTF-8, for output that must be UTF-8 whatever the logs hold.
#pragma once

#include <string>
#include <string_view>

#include "compare/report_text.h"

namespace tess {

/// `bytes` of a log in `encoding` as UTF-8: CP932 converted, and every byte
/// that is valid in neither encoding replaced by U+FFFD.
std::string LogTextToUtf8(std::string_view bytes, ReportEncoding encoding);

}  // namespace tess
