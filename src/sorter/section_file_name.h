// Names of the per-section temporary files beside the input.
#pragma once

#include <cstdint>
#include <string>


namespace tess {

/// The temporary file of section `section`: the slot's temporary base name,
/// the table name made safe for a file name, "_" and the section number.
/// "/", "\", NUL and control characters of the name become "_", and the name
/// is cut so that the file name (last path component) stays within 200 bytes.
std::string SectionFileName(const std::string& tempBaseName, const std::string& tableName,
                            int64_t section);

}  // namespace tess
