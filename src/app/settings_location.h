// Where the settings file lives.
#pragma once

#include <string>

namespace tess {

/// The program's own folder when a writable Tessaline.ini already stands
/// there (portable use); otherwise $XDG_CONFIG_HOME/tessaline/Tessaline.ini
/// (~/.config when the variable is unset or empty). The folder is created
/// when missing.
std::string LocateSettingsFile(const std::string& programFolder);

/// The folder that holds the running program.
std::string ProgramFolder();

}  // namespace tess
