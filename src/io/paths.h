// Path helpers shared by the runs: joining and splitting paths, same-file
// tests and deletion.
#pragma once

#include <cstdint>
#include <string>

#include "io/status.h"

namespace tess {

/// Separator of path components, in the base-name rule and wherever a path
/// is joined or split.
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

/// `folder` and `name` joined by exactly one separator, however many the
/// folder ends with; an empty folder gives `name` alone.
std::string JoinPath(const std::string& folder, const std::string& name);
/// The folder that holds `path`, to be opened: "." for a bare name, the
/// root for a name in the root; the last separator is not part of it.
std::string FolderOf(const std::string& path);
/// The last component of `path`: what follows its last separator.
std::string NameOf(const std::string& path);

/// Whether two paths name the same file: the same inode when both exist,
/// otherwise the same absolute path after resolving links and dot segments.
bool SameFile(const std::string& a, const std::string& b);
/// Whether both paths exist and are one file (a path that does not exist
/// yet can be created without touching anything).
bool SameExistingFile(const std::string& a, const std::string& b);
/// Whether `path` can be opened and read (a folder cannot): a run checks
/// its inputs with it before its outputs, so that its message names the file
/// at fault.
Status CheckReadable(const std::string& path);
/// Deletes `path`; a missing file counts as already deleted.
Status RemoveFile(const std::string& path);
/// False when opening the file fails because it or a folder on its path is
/// missing or access is refused (a folder counts as missing); true otherwise.
bool FileExists(const std::string& fileName);
/// The size of the file at `path`; 0 when it cannot be known (a run that
/// reads it then says why). For the share of a log read so far.
int64_t FileSizeOrZero(const std::string& path);
/// The process's umask, read without changing it: umask() can only be read
/// by setting it, which would race with other threads creating files.
unsigned ProcessUmask();

}  // namespace tess
