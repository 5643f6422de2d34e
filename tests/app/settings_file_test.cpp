#include "app/settings_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/settings_location.h"
#include "test_support.h"

namespace tess {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::ReadSetting;
using testing::ReadSettingIfPresent;
using testing::ScratchDir;
using testing::WriteFile;

struct stat StatOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st;
}

using Names = std::vector<std::string>;

// ---- Reading ---------------------------------------------------------------

TEST(Settings, ReadsMissingAsEmptyAndMatchesWithoutRegardToCase) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  EXPECT_EQ(ReadSetting(ini, "Tessaline", "SortExt1"), "");
  EXPECT_EQ(ReadSettingIfPresent(ini, "Tessaline", "SortExt1"), std::nullopt);
  WriteFile(ini, "[Other]\nSortExt1=.x\n[TESSALINE]\nDiffExt=\nsortext2=.abc\n");
  EXPECT_EQ(ReadSettingIfPresent(ini, "Tessaline", "SortExt1"), std::nullopt);
  EXPECT_EQ(ReadSettingIfPresent(ini, "Tessaline", "DiffExt"), std::optional<std::string>(""));
  EXPECT_EQ(ReadSetting(ini, "Tessaline", "SortExt2"), ".abc");
  // A folder at the settings path reads as a missing file.
  EXPECT_EQ(ReadSettingIfPresent(dir.path(), "Tessaline", "SortExt1"), std::nullopt);
}

TEST(Settings, ReadsEveryKindOfLineEnd) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  struct Case {
    const char* name;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"LF", "[Tessaline]\nSortExt1=.a\nDiffExt=.d\n"},
      {"CR LF", "[Tessaline]\r\nSortExt1=.a\r\nDiffExt=.d\r\n"},
      {"CR CR LF", "[Tessaline]\r\r\nSortExt1=.a\r\r\nDiffExt=.d\r\r\n"},
      {"CR only", "[Tessaline]\rSortExt1=.a\rDiffExt=.d\r"},
      {"mixed, last line unended", "[Tessaline]\r\nSortExt1=.a\r\r\nDiffExt=.d"},
      {"CRs at the end of the file", "[Tessaline]\nSortExt1=.a\nDiffExt=.d\r\r"},
  };
  for (const Case& c : cases) {
    WriteFile(ini, c.bytes);
    const SettingsSnapshot s = SettingsSnapshot::Load(ini, "Tessaline");
    EXPECT_EQ(s.Value("SortExt1"), std::optional<std::string>(".a")) << c.name;
    EXPECT_EQ(s.Value("DiffExt"), std::optional<std::string>(".d")) << c.name;
    EXPECT_EQ(ReadSetting(ini, "Tessaline", "DiffExt"), ".d") << c.name;
  }
  // With an LF in the file, a lone CR is no line end but part of the line.
  WriteFile(ini, "[Tessaline]\nSortExt1=.a\rDiffExt=.d\n");
  EXPECT_EQ(ReadSetting(ini, "Tessaline", "SortExt1"), ".a\rDiffExt=.d");
  EXPECT_EQ(ReadSettingIfPresent(ini, "Tessaline", "DiffExt"), std::nullopt);
}

TEST(Settings, ReadsValuesTrimmedUnquotedAndCut) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  WriteFile(ini, std::string("[ Tessaline ]\n; SortExt1=.comment\n") +
                     "  SortExt1 =\t .a b \n"
                     "SortExt2=\".q \"\n"
                     "DiffExt='.s'\n"
                     "EnableOpt=\"1\n" +
                     std::string("StoreSort=1\0junk", 16) + "\n" +
                     "Long=" + std::string(300, 'x') + "\n"
                     "sortext1=.second\n"
                     "[Next]\nOnlyHere=1\n");
  const SettingsSnapshot s = SettingsSnapshot::Load(ini, "tessaline");
  EXPECT_EQ(s.Value("SortExt1"), std::optional<std::string>(".a b"));  // the first of two
  EXPECT_EQ(s.Value("SortExt2"), std::optional<std::string>(".q "));
  EXPECT_EQ(s.Value("DiffExt"), std::optional<std::string>(".s"));
  EXPECT_EQ(s.Value("EnableOpt"), std::optional<std::string>("\"1"));  // unmatched quote stays
  EXPECT_EQ(s.Value("StoreSort"), std::optional<std::string>("1"));
  EXPECT_EQ(s.Value("Long"), std::optional<std::string>(std::string(254, 'x')));
  EXPECT_EQ(s.Value("OnlyHere"), std::nullopt);  // another section's key
  EXPECT_EQ(s.Value("; SortExt1"), std::nullopt);

  // A snapshot keeps what it read.
  WriteFile(ini, "[Tessaline]\nSortExt1=.new\n");
  EXPECT_EQ(s.Value("SortExt1"), std::optional<std::string>(".a b"));
  EXPECT_EQ(SettingsSnapshot::Load(ini, "Tessaline").Value("SortExt1"), std::optional<std::string>(".new"));
  EXPECT_EQ(SettingsSnapshot::Load(ini, "Missing").Value("SortExt1"), std::nullopt);
}

// ---- Writing: content --------------------------------------------------------

TEST(Settings, WritesInPlaceOrAppendsToTheSectionKeepingOtherLines) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  EXPECT_TRUE(WriteSetting(ini, "Tessaline", "EnableOpt", "0").ok());
  EXPECT_EQ(ReadFile(ini), "[Tessaline]\r\nEnableOpt=0\r\n");

  WriteFile(ini, "; note\r\n[TESSALINE]\r\nsortext1=.abc\r\n\r\n[Other]\r\nKey=v\r\n");
  EXPECT_TRUE(WriteSetting(ini, "Tessaline", "SORTEXT1", ".def").ok());  // replaced in place
  EXPECT_TRUE(WriteSetting(ini, "Tessaline", "StoreSort", "1").ok());    // before the blank line
  EXPECT_TRUE(WriteSetting(ini, "Other", "Key", "w").ok());
  EXPECT_EQ(ReadFile(ini), "; note\r\n[TESSALINE]\r\nSORTEXT1=.def\r\nStoreSort=1\r\n\r\n[Other]\r\nKey=w\r\n");
  // A long value comes back cut to 254 bytes.
  EXPECT_TRUE(WriteSetting(ini, "Tessaline", "SortExt1", std::string(300, 'x')).ok());
  EXPECT_EQ(ReadSetting(ini, "Tessaline", "SortExt1"), std::string(254, 'x'));
}

TEST(Settings, FirstWriteCreatesFoldersAndFileWithCrLfLines) {
  ScratchDir dir;
  const std::string ini = dir.File("config/tessaline/Tessaline.ini");
  for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
           {"SortExt1", ".srt"}, {"SortExt2", ".srt"}, {"DiffExt", ".dif"}, {"EnableOpt", "0"}, {"StoreSort", "1"}}) {
    const Status s = WriteSetting(ini, "Tessaline", key, value);
    EXPECT_TRUE(s.ok()) << s.Message();
  }
  EXPECT_EQ(ReadFile(ini),
            "[Tessaline]\r\nSortExt1=.srt\r\nSortExt2=.srt\r\nDiffExt=.dif\r\nEnableOpt=0\r\nStoreSort=1\r\n");
}

TEST(Settings, KeepsLinesItDoesNotChangeByteForByte) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  const std::string head = "; comment\n[Other]\r\r\nSortExt1=other\n[Tessaline]\r\n";
  const std::string tail = "\n  \r\n[Z]\nB=2";  // a blank, a blank of spaces, and no end at the end
  WriteFile(ini, head + "SortExt1=.abc\nDiffExt = .x\r\r\n" + tail);

  ASSERT_TRUE(WriteSetting(ini, "Tessaline", "SortExt1", ".def").ok());
  EXPECT_EQ(ReadFile(ini), head + "SortExt1=.def\r\nDiffExt = .x\r\r\n" + tail);

  ASSERT_TRUE(WriteSetting(ini, "Tessaline", "StoreSort", "1").ok());
  EXPECT_EQ(ReadFile(ini), head + "SortExt1=.def\r\nDiffExt = .x\r\r\nStoreSort=1\r\n" + tail);

  // A new section goes at the end; the unended last line gets CR LF first.
  ASSERT_TRUE(WriteSetting(ini, "New", "K", "v").ok());
  EXPECT_EQ(ReadFile(ini), head + "SortExt1=.def\r\nDiffExt = .x\r\r\nStoreSort=1\r\n" + tail +
                               "\r\n[New]\r\nK=v\r\n");
  EXPECT_EQ(ReadSetting(ini, "Z", "B"), "2");
  EXPECT_EQ(ReadSetting(ini, "Other", "SortExt1"), "other");
}

TEST(Settings, CompletesAnUnendedLastLineBeforeAppendingAfterIt) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  struct Case {
    std::string before, after;
  };
  const std::vector<Case> cases = {
      {"[Tessaline]\nA=1", "[Tessaline]\nA=1\r\nB=2\r\n"},
      {"[Tessaline]\nA=1\r", "[Tessaline]\nA=1\r\nB=2\r\n"},
      {"[Tessaline]\nA=1\r\r", "[Tessaline]\nA=1\r\r\nB=2\r\n"},
      {"[Tessaline]", "[Tessaline]\r\nB=2\r\n"},
      {"", "[Tessaline]\r\nB=2\r\n"},
      {"x=1", "x=1\r\n[Tessaline]\r\nB=2\r\n"},
  };
  for (const Case& c : cases) {
    WriteFile(ini, c.before);
    ASSERT_TRUE(WriteSetting(ini, "Tessaline", "B", "2").ok());
    EXPECT_EQ(ReadFile(ini), c.after) << c.before;
  }
}

TEST(Settings, WritingToACrOnlyFileEndsItsLinesInCrLf) {
  // Keeping a lone CR beside a new CR LF line would make the whole file one
  // line when read back.
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  WriteFile(ini, "; c\r[Tessaline]\rA=1\r\r[O]\rB=2");
  ASSERT_TRUE(WriteSetting(ini, "Tessaline", "C", "3").ok());
  EXPECT_EQ(ReadFile(ini), "; c\r\n[Tessaline]\r\nA=1\r\nC=3\r\n\r\n[O]\r\nB=2");
  EXPECT_EQ(ReadSetting(ini, "Tessaline", "A"), "1");
  EXPECT_EQ(ReadSetting(ini, "O", "B"), "2");
}

TEST(Settings, RefusesWhatWouldChangeOtherLines) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  const std::string before = "[Tessaline]\r\nSortExt1=.abc\r\n";
  WriteFile(ini, before);
  const std::vector<std::array<std::string, 3>> bad = {
      {"Tessaline", "SortExt1", ".a\r\n[Other]"},
      {"Tessaline", "SortExt1", ".a\rb"},
      {"Tessaline", "Sort\nExt1", ".a"},
      {"Tess\naline", "SortExt1", ".a"},
      {"Tessaline", "Sort=Ext1", ".a"},
      {"Tessaline", " ", ".a"},
      {"Tess]aline", "SortExt1", ".a"},
  };
  for (const auto& [section, key, value] : bad) {
    EXPECT_FALSE(WriteSetting(ini, section, key, value).ok()) << section << "/" << key << "=" << value;
  }
  EXPECT_EQ(ReadFile(ini), before);
}

// ---- Writing: the file system ------------------------------------------------

// Runs `checks` in a child process as a user whom file permissions bind
// (root's access() ignores them); the child's exit status is the number of
// the first failed check. 99: the child could not give up root.
int RunUnprivileged(const std::function<int()>& checks) {
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::geteuid() == 0) {
      const gid_t nobody = 65534;
      if (::setgroups(0, nullptr) != 0 || ::setresgid(nobody, nobody, nobody) != 0 ||
          ::setresuid(nobody, nobody, nobody) != 0 || ::geteuid() == 0) {
        ::_exit(99);
      }
    }
    ::_exit(checks());
  }
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST(Settings, WritingAStoredValueTouchesNothing) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  const std::string bytes = "[tessaline]\nsortext1 = \".srt\"\nDiffExt=.dif\n";
  WriteFile(ini, bytes);
  const struct stat before = StatOf(ini);
  ::usleep(20000);  // a rewrite would show in the modification time
  EXPECT_TRUE(WriteSetting(ini, "Tessaline", "SortExt1", ".srt").ok());
  EXPECT_TRUE(WriteSetting(ini, "TESSALINE", "DiffExt", ".dif").ok());
  const struct stat after = StatOf(ini);
  EXPECT_EQ(ReadFile(ini), bytes);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(dir.List(), Names({"Tessaline.ini", "Tessaline.ini.lock"}));

  // A changed value does replace the file, and leaves no temporary file.
  EXPECT_TRUE(WriteSetting(ini, "Tessaline", "DiffExt", ".dif2").ok());
  EXPECT_NE(StatOf(ini).st_ino, before.st_ino);
  EXPECT_EQ(dir.List(), Names({"Tessaline.ini", "Tessaline.ini.lock"}));
}

TEST(Settings, KeepsTheFilesPermissionsAndGivesANewFileTheUmasksOnes) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  WriteFile(ini, "[Tessaline]\r\n");
  ASSERT_EQ(::chmod(ini.c_str(), 0604), 0);
  ASSERT_TRUE(WriteSetting(ini, "Tessaline", "A", "1").ok());
  EXPECT_EQ(StatOf(ini).st_mode & 07777, 0604u);

  const mode_t old = ::umask(027);
  const std::string fresh = dir.File("sub/Tessaline.ini");
  const Status s = WriteSetting(fresh, "Tessaline", "A", "1");
  ::umask(old);
  ASSERT_TRUE(s.ok()) << s.Message();
  EXPECT_EQ(StatOf(fresh).st_mode & 07777, 0640u);

  // Root (say, under sudo) writing a user's file leaves it the user's.
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(ini.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(WriteSetting(ini, "Tessaline", "A", "2").ok());
    EXPECT_EQ(StatOf(ini).st_uid, 65534u);
    EXPECT_EQ(StatOf(ini).st_gid, 65534u);
  }
}

TEST(Settings, WritesThroughAChainOfLinksAndKeepsTheLinks) {
  ScratchDir dir;
  ASSERT_EQ(::mkdir(dir.File("dotfiles").c_str(), 0777), 0);
  ASSERT_EQ(::mkdir(dir.File("config").c_str(), 0777), 0);
  const std::string target = dir.File("dotfiles/Tessaline.ini");
  WriteFile(target, "[Tessaline]\r\nSortExt1=.abc\r\n");
  // config/Tessaline.ini -> ../middle.ini -> dotfiles/Tessaline.ini (relative links).
  ASSERT_EQ(::symlink("dotfiles/Tessaline.ini", dir.File("middle.ini").c_str()), 0);
  ASSERT_EQ(::symlink("../middle.ini", dir.File("config/Tessaline.ini").c_str()), 0);
  const std::string ini = dir.File("config/Tessaline.ini");

  const Status s = WriteSetting(ini, "Tessaline", "SortExt1", ".def");
  ASSERT_TRUE(s.ok()) << s.Message();
  EXPECT_TRUE(S_ISLNK(StatOf(ini).st_mode));
  EXPECT_TRUE(S_ISLNK(StatOf(dir.File("middle.ini")).st_mode));
  EXPECT_EQ(ReadFile(target), "[Tessaline]\r\nSortExt1=.def\r\n");
  EXPECT_EQ(ReadSetting(ini, "Tessaline", "SortExt1"), ".def");
  // The lock and the temporary file belong beside the target.
  EXPECT_TRUE(Exists(target + ".lock"));
  EXPECT_FALSE(Exists(ini + ".lock"));
  EXPECT_EQ(dir.List(), Names({"config", "dotfiles", "middle.ini"}));

  // A dangling link: its target is created, the link stays.
  const std::string dangling = dir.File("dangling.ini");
  ASSERT_EQ(::symlink("made/here.ini", dangling.c_str()), 0);
  ASSERT_TRUE(WriteSetting(dangling, "Tessaline", "A", "1").ok());
  EXPECT_TRUE(S_ISLNK(StatOf(dangling).st_mode));
  EXPECT_EQ(ReadFile(dir.File("made/here.ini")), "[Tessaline]\r\nA=1\r\n");

  // A loop of links is a failure, not a hang.
  ASSERT_EQ(::symlink("loop2", dir.File("loop1").c_str()), 0);
  ASSERT_EQ(::symlink("loop1", dir.File("loop2").c_str()), 0);
  const Status loop = WriteSetting(dir.File("loop1"), "Tessaline", "A", "1");
  EXPECT_FALSE(loop.ok());
  EXPECT_EQ(loop.SystemErrorNumber(), ELOOP);
}

TEST(Settings, NeverWritesThroughALinkPlantedBesideTheFile) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  const std::string victim = dir.File("victim");
  WriteFile(ini, "[Tessaline]\r\n");
  WriteFile(victim, "precious\n");
  // A link at the old fixed temporary name.
  ASSERT_EQ(::symlink(victim.c_str(), dir.File("Tessaline.ini.tmp").c_str()), 0);
  ASSERT_TRUE(WriteSetting(ini, "Tessaline", "A", "1").ok());
  EXPECT_EQ(ReadFile(victim), "precious\n");
  EXPECT_TRUE(S_ISLNK(StatOf(dir.File("Tessaline.ini.tmp")).st_mode));
  EXPECT_EQ(ReadFile(ini), "[Tessaline]\r\nA=1\r\n");

  // A link at the lock's name: the write fails rather than create the
  // link's target.
  ScratchDir other;
  const std::string ini2 = other.File("Tessaline.ini");
  ASSERT_EQ(::symlink(other.File("created").c_str(), other.File("Tessaline.ini.lock").c_str()), 0);
  const Status s = WriteSetting(ini2, "Tessaline", "A", "1");
  EXPECT_FALSE(s.ok());
  EXPECT_FALSE(Exists(other.File("created")));
  EXPECT_FALSE(Exists(ini2));
}

TEST(Settings, ReportsFailuresAndLeavesNothingBehind) {
  ScratchDir dir;
  // A file where a folder should be.
  WriteFile(dir.File("file"), "x");
  const Status notDir = WriteSetting(dir.File("file/Tessaline.ini"), "Tessaline", "A", "1");
  EXPECT_FALSE(notDir.ok());
  EXPECT_NE(notDir.Message().find("file"), std::string::npos) << notDir.Message();

  // A settings path that is a folder is never replaced.
  ASSERT_EQ(::mkdir(dir.File("Tessaline.ini").c_str(), 0777), 0);
  const Status isDir = WriteSetting(dir.File("Tessaline.ini"), "Tessaline", "A", "1");
  EXPECT_FALSE(isDir.ok());
  EXPECT_EQ(isDir.file(), dir.File("Tessaline.ini"));
  struct stat st {};
  ASSERT_EQ(::stat(dir.File("Tessaline.ini").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));

  // No temporary file remains after the failures.
  EXPECT_EQ(dir.List(), Names({"Tessaline.ini", "Tessaline.ini.lock", "file"}));
}

TEST(Settings, NeverReplacesAFileItCanNotRead) {
  // Replacing it would drop every line the write could not see.
  ScratchDir dir;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
  const std::string base = dir.path();
  const int failed = RunUnprivileged([&base]() -> int {
    const std::string folder = base + "/own", ini = folder + "/Tessaline.ini";
    if (::mkdir(folder.c_str(), 0755) != 0) return 90;
    WriteFile(ini, "[Tessaline]\r\nSortExt1=.abc\r\n[Other]\r\nKey=v\r\n");
    if (::chmod(ini.c_str(), 0200) != 0) return 91;  // writable, not readable
    const Status s = WriteSetting(ini, "Tessaline", "DiffExt", ".dif");
    if (::chmod(ini.c_str(), 0644) != 0) return 92;
    if (s.ok() || s.SystemErrorNumber() != EACCES) return 1;
    if (ReadFile(ini) != "[Tessaline]\r\nSortExt1=.abc\r\n[Other]\r\nKey=v\r\n") return 2;
    return 0;
  });
  EXPECT_EQ(failed, 0) << "check " << failed << " failed (99: could not run as an unprivileged user)";
}

// ---- Location ----------------------------------------------------------------

// Sets (or, with nullptr, unsets) an environment variable for one scope.
class EnvVar {
 public:
  EnvVar(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~EnvVar() {
    if (old_) {
      ::setenv(name_.c_str(), old_->c_str(), 1);
    } else {
      ::unsetenv(name_.c_str());
    }
  }
  EnvVar(const EnvVar&) = delete;
  EnvVar& operator=(const EnvVar&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

using Located = std::optional<std::string>;

TEST(SettingsLocation, FollowsXdgConfigHomeThenHomeAndCreatesNothing) {
  ScratchDir dir;
  const std::string xdg = dir.File("xdg"), home = dir.File("home");
  {
    EnvVar x("XDG_CONFIG_HOME", xdg.c_str()), h("HOME", home.c_str());
    EXPECT_EQ(LocateSettingsFile(""), Located(xdg + "/tessaline/Tessaline.ini"));
  }
  for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative/config"}) {
    EnvVar x("XDG_CONFIG_HOME", unusable), h("HOME", home.c_str());
    EXPECT_EQ(LocateSettingsFile(""), Located(home + "/.config/tessaline/Tessaline.ini"))
        << (unusable ? unusable : "(unset)");
  }
  for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative"}) {
    EnvVar x("XDG_CONFIG_HOME", nullptr), h("HOME", unusable);
    EXPECT_EQ(LocateSettingsFile(dir.path()), std::nullopt) << (unusable ? unusable : "(unset)");
  }
  EXPECT_TRUE(dir.List().empty());  // no folder made for any of them
}

TEST(SettingsLocation, ProgramFolderOnlyWhenItsFileAndFolderAreWritable) {
  ScratchDir dir;
  // Open to the unprivileged child, which makes the rest itself.
  ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
  const std::string base = dir.path();
  const int failed = RunUnprivileged([&base]() -> int {
    ::umask(022);
    ::setenv("XDG_CONFIG_HOME", "/xdg", 1);
    const Located xdg("/xdg/tessaline/Tessaline.ini");
    const std::string prog = base + "/prog", ini = prog + "/Tessaline.ini";
    if (::mkdir(prog.c_str(), 0755) != 0) return 90;

    if (LocateSettingsFile(prog) != xdg) return 1;  // no file there
    WriteFile(ini, "[Tessaline]\r\n");
    if (LocateSettingsFile(prog) != Located(ini)) return 2;
    if (LocateSettingsFile(prog + "/") != Located(ini)) return 3;
    if (LocateSettingsFile("") != xdg) return 4;

    if (::chmod(ini.c_str(), 0444) != 0) return 91;  // read-only file
    const bool readOnlyFile = LocateSettingsFile(prog) == xdg;
    if (::chmod(ini.c_str(), 0644) != 0) return 92;
    if (!readOnlyFile) return 5;

    if (::chmod(prog.c_str(), 0555) != 0) return 93;  // writable file, read-only folder
    const bool readOnlyFolder = LocateSettingsFile(prog) == xdg;
    if (::chmod(prog.c_str(), 0755) != 0) return 94;
    if (!readOnlyFolder) return 6;

    // A link counts by its target's folder, where a write puts its files.
    const std::string targets = base + "/targets";
    if (::mkdir(targets.c_str(), 0755) != 0) return 95;
    WriteFile(targets + "/real.ini", "[Tessaline]\r\n");
    const std::string linked = base + "/linked";
    if (::mkdir(linked.c_str(), 0755) != 0) return 96;
    if (::symlink("../targets/real.ini", (linked + "/Tessaline.ini").c_str()) != 0) return 97;
    if (LocateSettingsFile(linked) != Located(linked + "/Tessaline.ini")) return 7;
    if (::chmod(targets.c_str(), 0555) != 0) return 98;
    const bool readOnlyTarget = LocateSettingsFile(linked) == xdg;
    if (::chmod(targets.c_str(), 0755) != 0) return 98;
    if (!readOnlyTarget) return 8;

    // A folder named Tessaline.ini is no settings file.
    const std::string odd = base + "/odd";
    if (::mkdir(odd.c_str(), 0755) != 0 || ::mkdir((odd + "/Tessaline.ini").c_str(), 0755) != 0) return 98;
    if (LocateSettingsFile(odd) != xdg) return 9;
    return 0;
  });
  EXPECT_EQ(failed, 0) << "check " << failed << " failed (99: could not run as an unprivileged user)";
}

}  // namespace
}  // namespace tess
