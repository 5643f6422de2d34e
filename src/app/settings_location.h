// Where the settings file lives.
#pragma once

#include <optional>
#include <string>

namespace tess {

/// The settings file to use:
/// - `programFolder`/Tessaline.ini when that file already exists and both it
///   and its folder are writable (portable use; a link there counts by its
///   target and the target's folder, which a write replaces);
/// - otherwise $XDG_CONFIG_HOME/tessaline/Tessaline.ini;
/// - otherwise $HOME/.config/tessaline/Tessaline.ini;
/// - otherwise nullopt: the program runs on its defaults and stores nothing.
/// An unset, empty or relative variable counts as missing, so the file is
/// never placed in the current folder. Nothing is created here; the first
/// write creates the folder.
std::optional<std::string> LocateSettingsFile(const std::string& programFolder);

/// The folder that holds the running program.
std::string ProgramFolder();

}  // namespace tess
