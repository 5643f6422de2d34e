// Hostile arguments, interruption, an unreachable display, a full disk and
// a folder turning read-only mid-run, each tried on the real binary.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <sys/stat.h>

#include "child_process.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace tess::testing {
namespace {

const std::string kLog = "Gateway of last resort is not set\n\n"
                         "C       10.0.0.0/24 is directly connected, Vlan10\n"
                         "S*      0.0.0.0/0 [1/0] via 10.0.0.1\n";

// A global table of `routes` OSPF routes in random order: about 77 bytes a
// route, long enough (300,000 routes take over a second to sort) that a run
// is still going when the test acts.
std::string LargeLog(int routes, unsigned seed) {
  std::mt19937 random(seed);
  std::string log = "router#show ip route\nGateway of last resort is not set\n\n";
  log.reserve(static_cast<size_t>(routes) * 80);
  for (int k = 0; k < routes; ++k) {
    const unsigned a = 1 + random() % 222, b = random() % 256, c = random() % 256;
    log += "O E2    " + std::to_string(a) + "." + std::to_string(b) + "." + std::to_string(c) +
           ".0/24 [110/20] via 10.0." + std::to_string(k % 256) + ".1, 00:0" + std::to_string(k % 10) +
           ":12, GigabitEthernet0/" + std::to_string(k % 4) + "\n";
  }
  return log;
}

const std::string& BigLog() {
  static const std::string log = LargeLog(300000, 1);
  return log;
}

// Names of the files in `dir` and below, relative to it.
std::vector<std::string> Tree(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    names.push_back(fs::relative(entry.path(), dir).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Whether a run has made a file in `dir` (or below) that is not in `before`.
bool MadeAFile(const std::string& dir, const std::vector<std::string>& before) {
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    const std::string name = fs::relative(it->path(), dir).string();
    if (!std::binary_search(before.begin(), before.end(), name)) return true;
  }
  return false;
}

class Robustness : public ::testing::Test {
 protected:
  ChildSpec Spec(std::vector<std::string> args) const {
    ChildSpec spec;
    spec.Args = std::move(args);
    spec.Cwd = dir.path();
    spec.ConfigHome = config.path();
    return spec;
  }
  ChildEnd Run(std::vector<std::string> args) {
    Child child(Spec(std::move(args)));
    return child.Wait();
  }

  ScratchDir dir;
  ScratchDir config;
};

// --- Interruption ------------------------------------------------------

struct SignalCase {
  int Signal;
  const char* Name;
};
constexpr SignalCase kSignals[] = {{SIGINT, "SIGINT"}, {SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}};

// Starts `args`, waits until the run has made a temporary file, sends the
// signal, and checks that the program died by it and left the folder as it
// was before the run, earlier results included.
void InterruptAndCheck(Robustness& test, const ChildSpec& spec, const std::string& dir, int sig) {
  const std::vector<std::string> before = Tree(dir);
  std::map<std::string, std::string> contents;
  for (const std::string& name : before) {
    if (fs::is_regular_file(dir + "/" + name)) contents[name] = ReadFile(dir + "/" + name);
  }
  Child child(spec);
  ASSERT_TRUE(WaitUntil(child, [&] { return MadeAFile(dir, before); }))
      << "the run made no file before it ended: " << child.Wait().Err;
  child.Send(sig);
  const ChildEnd end = child.Wait();
  EXPECT_EQ(end.Signal, sig) << "exit " << end.ExitCode << ": " << end.Err;
  EXPECT_EQ(Tree(dir), before);
  for (const auto& [name, bytes] : contents) {
    EXPECT_TRUE(ReadFile(dir + "/" + name) == bytes) << name << " changed";
  }
  (void)test;
}

TEST_F(Robustness, InterruptedSortsRemoveTheirTemporaryFilesAndDieByTheSignal) {
  WriteFile(dir.File("big.log"), BigLog());
  WriteFile(dir.File("big.srt"), "earlier result\n");
  for (const SignalCase& s : kSignals) {
    SCOPED_TRACE(s.Name);
    InterruptAndCheck(*this, Spec({"big.log"}), dir.path(), s.Signal);
  }
}

TEST_F(Robustness, InterruptedComparisonsRemoveTheirTemporaryFilesAndDieByTheSignal) {
  WriteFile(dir.File("a.log"), BigLog());
  WriteFile(dir.File("b.log"), LargeLog(300000, 2));
  WriteFile(dir.File("a.srt"), "earlier result 1\n");
  WriteFile(dir.File("b.srt"), "earlier result 2\n");
  WriteFile(dir.File("b.dif"), "earlier report\n");
  for (const SignalCase& s : kSignals) {
    SCOPED_TRACE(s.Name);
    InterruptAndCheck(*this, Spec({"a.log", "b.log"}), dir.path(), s.Signal);
  }
  // Interrupted later, while the second log is sorted.
  const std::vector<std::string> before = Tree(dir.path());
  Child child(Spec({"a.log", "b.log"}));
  ASSERT_TRUE(WaitUntil(child, [&] {
    for (const std::string& name : dir.List()) {
      if (name.rfind("b.(2)", 0) == 0) return true;
    }
    return false;
  }));
  child.Send(SIGTERM);
  EXPECT_EQ(child.Wait().Signal, SIGTERM);
  EXPECT_EQ(Tree(dir.path()), before);
}

// Pairs of folders run on several threads at once: every thread's files go.
TEST_F(Robustness, InterruptedFolderComparisonsRemoveTheFilesOfEveryThread) {
  fs::create_directory(dir.File("before"));
  fs::create_directory(dir.File("after"));
  for (const char* name : {"r1.log", "r2.log", "r3.log"}) {
    WriteFile(dir.File(std::string("before/") + name), BigLog());
    WriteFile(dir.File(std::string("after/") + name), LargeLog(200000, 3));
  }
  WriteFile(dir.File("after/r1.dif"), "earlier report\n");
  for (const SignalCase& s : kSignals) {
    SCOPED_TRACE(s.Name);
    const std::vector<std::string> before = Tree(dir.path());
    Child child(Spec({"-j", "3", "before", "after"}));
    // Files of at least two pairs exist at once before the signal.
    ASSERT_TRUE(WaitUntil(child, [&] {
      int pairs = 0;
      for (const char* stem : {"r1.(1)", "r2.(1)", "r3.(1)"}) {
        for (const std::string& name : Tree(dir.path())) {
          if (name.find(stem) != std::string::npos) {
            ++pairs;
            break;
          }
        }
      }
      return pairs >= 2;
    }));
    child.Send(s.Signal);
    EXPECT_EQ(child.Wait().Signal, s.Signal);
    EXPECT_EQ(Tree(dir.path()), before);
  }
}

// A signal the program was started with ignored (nohup, a background job of
// a script) stays ignored: the run completes.
TEST_F(Robustness, AnIgnoredHangUpStaysIgnored) {
  WriteFile(dir.File("big.log"), BigLog());
  ChildSpec spec = Spec({"big.log"});
  spec.IgnoredSignals = {SIGHUP};
  Child child(spec);
  WaitUntil(child, [&] { return dir.List().size() >= 2; });
  child.Send(SIGHUP);
  const ChildEnd end = child.Wait();
  ASSERT_EQ(end.Signal, 0) << "ended by signal " << end.Signal;
  EXPECT_EQ(end.ExitCode, 0);
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"big.log", "big.srt"}));
}

// --- The display -------------------------------------------------------

TEST_F(Robustness, AWindowWithoutADisplayEndsWithOneLineAndExitStatus2) {
  if (!TESSALINE_HAS_WINDOW) GTEST_SKIP() << "a build without the window never looks for a display";
  const std::map<std::string, std::optional<std::string>> cases[] = {
      // No X server at that display.
      {{"DISPLAY", ":77"}, {"QT_QPA_PLATFORM", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}},
      // A server address where nothing answers (a dead X server).
      {{"DISPLAY", "127.0.0.1:7391"}, {"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", std::nullopt}},
      // No such platform plugin.
      {{"DISPLAY", std::nullopt}, {"QT_QPA_PLATFORM", "no-such-plugin"}, {"WAYLAND_DISPLAY", std::nullopt}},
      // No display at all.
      {{"DISPLAY", std::nullopt}, {"QT_QPA_PLATFORM", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}},
  };
  // The window, and the viewer of a report (which it reads first).
  WriteFile(dir.File("r.dif"), CrLf({"前: a.log", "後: a.log", "", "同等です"}));
  for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"--view", "r.dif"}}) {
    for (const auto& env : cases) {
      ChildSpec spec = Spec(args);
      spec.Env = env;
      Child child(spec);
      const ChildEnd end = child.Wait();
      const std::string shown = env.at("DISPLAY").value_or("") + " " + env.at("QT_QPA_PLATFORM").value_or("") +
                                " " + std::to_string(args.size()) + " arguments";
      EXPECT_EQ(end.Signal, 0) << shown;
      EXPECT_EQ(end.ExitCode, 2) << shown;
      EXPECT_EQ(end.Err, "tessaline: cannot open a display\n") << shown;
      EXPECT_EQ(end.Out, "") << shown;
    }
  }
  EXPECT_EQ(dir.List(), std::vector<std::string>{"r.dif"});
}

// A report that cannot be read fails on the command line, before any
// window opens.
TEST_F(Robustness, AReportThatCannotBeReadIsRefusedWithoutAWindow) {
  if (!TESSALINE_HAS_WINDOW) GTEST_SKIP() << "a build without the window has no viewer";
  WriteFile(dir.File("a.log"), "Gateway of last resort is not set\r\n");
  const struct {
    const char* file;
    const char* err;  // the start of standard error
  } cases[] = {
      {"a.log", "tessaline: a.log: not a comparison report ("},
      {"nope.dif", "tessaline: nope.dif: No such file or directory\n"},
  };
  for (const auto& c : cases) {
    ChildSpec spec = Spec({"--view", c.file});
    spec.Env = {{"QT_QPA_PLATFORM", "offscreen"}};
    Child child(spec);
    const ChildEnd end = child.Wait();
    EXPECT_EQ(end.ExitCode, 2) << c.file;
    EXPECT_EQ(end.Err.rfind(c.err, 0), 0u) << end.Err;
    EXPECT_EQ(std::count(end.Err.begin(), end.Err.end(), '\n'), 1) << end.Err;
    EXPECT_EQ(end.Out, "") << c.file;
  }
  EXPECT_EQ(dir.List(), std::vector<std::string>{"a.log"});
}

// --- Faults of the machine ---------------------------------------------

// A file-size limit stands for a full disk: the write fails with EFBIG (the
// program ignores SIGXFSZ itself), the run ends with a clear message and
// exit status 2, and leaves no temporary file and the earlier results.
TEST_F(Robustness, AFileSizeLimitFailsTheRunCleanly) {
  WriteFile(dir.File("big.log"), BigLog());
  WriteFile(dir.File("b.log"), LargeLog(300000, 2));
  WriteFile(dir.File("big.srt"), "earlier result\n");
  WriteFile(dir.File("b.dif"), "earlier report\n");
  const std::vector<std::string> before = dir.List();
  const std::vector<std::vector<std::string>> runs = {{"big.log"}, {"big.log", "b.log"}};
  for (const rlim_t limit : {rlim_t{1} << 20, rlim_t{16} << 20}) {
    for (const auto& args : runs) {
      SCOPED_TRACE(args.size() == 1 ? "sort" : "comparison");
      SCOPED_TRACE(limit);
      ChildSpec spec = Spec(args);
      spec.FileSizeLimit = limit;
      Child child(spec);
      const ChildEnd end = child.Wait();
      EXPECT_EQ(end.Signal, 0);
      EXPECT_EQ(end.ExitCode, 2);
      EXPECT_TRUE(end.Err.starts_with("tessaline: ")) << end.Err;
      EXPECT_TRUE(end.Err.ends_with(": File too large\n")) << end.Err;
      EXPECT_EQ(std::count(end.Err.begin(), end.Err.end(), '\n'), 1) << end.Err;
      EXPECT_EQ(dir.List(), before);
      EXPECT_EQ(ReadFile(dir.File("big.srt")), "earlier result\n");
      EXPECT_EQ(ReadFile(dir.File("b.dif")), "earlier report\n");
    }
  }
}

// Out of memory is a failed run like any other: under an address-space
// limit that a small log's comparison fits in and a big log's sort does
// not, a sort and a comparison of the big log fail with exit 2, naming it,
// and leave nothing behind; a folder comparison counts that pair as failed
// and compares the next.
TEST_F(Robustness, RunningOutOfMemoryFailsTheRunCleanly) {
  if (kAddressSanitizer) GTEST_SKIP() << "the address sanitizer reserves more than the limit";
  const std::string small = "Gateway of last resort is not set\nC    10.0.0.0/8 is directly connected, Ethernet0\n";
  for (const std::string folder : {"a", "b"}) {
    fs::create_directory(dir.File(folder));
    WriteFile(dir.File(folder + "/big.log"), BigLog());
    WriteFile(dir.File(folder + "/small.log"), small);
  }
  WriteFile(dir.File("a/big.srt"), "earlier result\n");
  const std::vector<std::string> before = Tree(dir.path());
  const struct {
    std::vector<std::string> Args;
    std::string Out, Err;
  } runs[] = {
      {{"a/big.log"}, "", "tessaline: a/big.log: out of memory\n"},
      {{"a/big.log", "b/big.log"}, "", "tessaline: a/big.log: out of memory\n"},
      {{"-j", "1", "a", "b"},
       "big.log    failed: a/big.log: out of memory\nsmall.log  same\n"
       "2 pairs: 1 same, 0 differ, 0 one-sided, 1 failed\n",
       ""},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(run.Args.back());
    ChildSpec spec = Spec(run.Args);
    spec.AddressSpaceLimit = rlim_t{30} << 20;
    Child child(spec);
    const ChildEnd end = child.Wait();
    EXPECT_EQ(end.Signal, 0);
    EXPECT_EQ(end.ExitCode, 2);
    EXPECT_EQ(end.Out, run.Out);
    EXPECT_EQ(end.Err, run.Err);
  }
  std::vector<std::string> after = before;
  after.insert(std::upper_bound(after.begin(), after.end(), "b/small.dif"), "b/small.dif");
  EXPECT_EQ(Tree(dir.path()), after);
  EXPECT_EQ(ReadFile(dir.File("a/big.srt")), "earlier result\n");
}

// A folder made read-only while a run writes in it: the run fails with the
// system's reason and exit status 2, the earlier result stays. Root is never
// refused, so the run is made as nobody. What the run had created before
// can no longer be removed by it: only such files (temporary names) remain.
TEST_F(Robustness, AFolderTurnedReadOnlyMidRunFailsTheRunAndKeepsTheResult) {
  dir.OpenToEveryone();
  config.OpenToEveryone();
  // Many tables, so that the run goes on for a while after the change.
  std::string log;
  for (int t = 0; t < 400; ++t) {
    log += "Routing Table: vrf" + std::to_string(t) + "\n" + LargeLog(1000, static_cast<unsigned>(t));
  }
  WriteFile(dir.File("v.log"), log);
  WriteFile(dir.File("v.srt"), "earlier result\n");
  fs::permissions(dir.File("v.log"), fs::perms(0644));
  fs::permissions(dir.File("v.srt"), fs::perms(0666));
  const std::vector<std::string> before = dir.List();
  ChildSpec spec = Spec({"v.log"});
  spec.AsNobody = true;
  Child child(spec);
  // The temporary file of the log is being written.
  ASSERT_TRUE(WaitUntil(child, [&] {
    for (const std::string& name : dir.List()) {
      std::error_code ec;
      if (name.rfind("v.(1)", 0) == 0 && fs::file_size(dir.File(name), ec) > 0 && !ec) return true;
    }
    return false;
  }));
  dir.OpenReadOnlyToOthers();
  const ChildEnd end = child.Wait();
  EXPECT_EQ(end.ExitCode, 2) << end.Err;
  EXPECT_TRUE(end.Err.ends_with(": Permission denied\n")) << end.Err;
  EXPECT_EQ(std::count(end.Err.begin(), end.Err.end(), '\n'), 1) << end.Err;
  EXPECT_EQ(ReadFile(dir.File("v.srt")), "earlier result\n");
  for (const std::string& name : dir.List()) {
    if (std::find(before.begin(), before.end(), name) != before.end()) continue;
    EXPECT_TRUE(name.rfind("v.(1)", 0) == 0 || name.rfind(".tessaline-", 0) == 0) << name;
  }
}

// An input deleted while it is read: the run finishes from its open file.
TEST_F(Robustness, AnInputDeletedMidRunIsSortedFromItsOpenFile) {
  WriteFile(dir.File("big.log"), BigLog());
  Child child(Spec({"big.log"}));
  // The temporary file is made once the log is open (the staged result
  // comes earlier, before the log is opened).
  ASSERT_TRUE(WaitUntil(child, [&] { return fs::exists(dir.File("big.(1)")); }));
  fs::remove(dir.File("big.log"));
  const ChildEnd end = child.Wait();
  EXPECT_EQ(end.ExitCode, 0) << end.Err;
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"big.srt"}));
}

// --- Arguments ---------------------------------------------------------

// Every argument after "--", and every argument that is not an option, is a
// file name as given; a missing one is named in one line.
TEST_F(Robustness, OddArgumentsAreFileNamesNamedOnOneLine) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "''"},
      {"   ", "'   '"},
      {" lead.log", "' lead.log'"},
      {"-x.log", "-x.log"},
      {"-", "-"},
      {"a\"b\".log", "a\"b\".log"},
      {"line\nbreak.log", "line\\nbreak.log"},
      {"tab\there.log", "tab\\there.log"},
      {"esc\x1b[31m.log", "esc\\x1b[31m.log"},
      {"cr\r.log", "cr\\r.log"},
      {"del\x7f.log", "del\\x7f.log"},
  };
  for (const auto& [name, shown] : cases) {
    const ChildEnd end = Run({"--", name});
    EXPECT_EQ(end.ExitCode, 2) << shown;
    EXPECT_EQ(end.Err, "tessaline: " + shown + ": No such file or directory\n");
    // The same name second in a comparison.
    WriteFile(dir.File("ok.log"), kLog);
    const ChildEnd pair = Run({"--", "ok.log", name});
    EXPECT_EQ(pair.ExitCode, 2) << shown;
    EXPECT_EQ(pair.Err, "tessaline: " + shown + ": No such file or directory\n");
    fs::remove(dir.File("ok.log"));
  }
  EXPECT_TRUE(dir.List().empty());
}

TEST_F(Robustness, OddNamesThatExistAreSortedAndCompared) {
  for (const std::string name : {"-x.log", "   ", "a\"b\".log", "line\nbreak.log", "esc\x1b.log", "tab\there.log", "del\x7f.log"}) {
    WriteFile(dir.File(name), kLog);
    const ChildEnd end = Run({"--", name});
    EXPECT_EQ(end.ExitCode, 0) << name << ": " << end.Err;
    EXPECT_EQ(end.Err, "");
    const std::string result = fs::path(name).has_extension()
                                   ? fs::path(name).replace_extension(".srt").string()
                                   : name + ".srt";
    EXPECT_TRUE(Exists(dir.File(result))) << result;
    const ChildEnd pair = Run({"--", name, name});
    EXPECT_EQ(pair.ExitCode, 0) << name << ": " << pair.Err;
  }
  // A name starting with "-" before "--" is an option.
  const ChildEnd option = Run({"-x.log"});
  EXPECT_EQ(option.ExitCode, 2);
  EXPECT_EQ(option.Err, "tessaline: unknown option '-x.log'\nTry 'tessaline --help'.\n");
}

TEST_F(Robustness, OptionErrorsStayOnOneLine) {
  const ChildEnd end = Run({"--order", "hop\n--json", "a.log"});
  EXPECT_EQ(end.ExitCode, 2);
  EXPECT_EQ(end.Err, "tessaline: unknown sort order 'hop\\n--json'\nTry 'tessaline --help'.\n");
  const ChildEnd option = Run({"--\x1b[2J"});
  EXPECT_EQ(option.Err, "tessaline: unknown option '--\\x1b[2J'\nTry 'tessaline --help'.\n");
  const ChildEnd folder = Run({"-o", "no\tsuch", "a.log"});
  EXPECT_EQ(folder.Err, "tessaline: no\\tsuch: the output folder does not exist\n");
}

// --- Logs without routes -----------------------------------------------

// A sort of a log without route lines warns and succeeds (its result holds
// every line); a comparison with one publishes its report but fails, as
// nothing was compared: "同等です" with exit 0 would claim what no one checked.
TEST_F(Robustness, LogsWithoutRoutesWarnASortAndFailAComparison) {
  const std::string other = "switch#show interfaces status\nPort  Name  Status\nGi0/1       connected\n";
  WriteFile(dir.File("sw1.log"), other);
  WriteFile(dir.File("sw2.log"), other + "Gi0/2       notconnect\n");
  WriteFile(dir.File("empty.log"), "");
  WriteFile(dir.File("r.log"), kLog);

  ChildEnd end = Run({"sw1.log"});
  EXPECT_EQ(end.ExitCode, 0);
  EXPECT_EQ(end.Err, "tessaline: warning: sw1.log: no route lines found\n");
  EXPECT_TRUE(Exists(dir.File("sw1.srt")));

  end = Run({"empty.log"});
  EXPECT_EQ(end.ExitCode, 0);
  EXPECT_EQ(end.Err, "tessaline: warning: empty.log: no route lines found\n");

  // Two such logs: the report says "同等です", the run names log 1 and fails.
  end = Run({"sw1.log", "sw2.log"});
  EXPECT_EQ(end.ExitCode, 2);
  EXPECT_EQ(end.Err, "tessaline: sw1.log: no route lines found\n");
  EXPECT_EQ(end.Out, "sw2.log  failed: sw1.log: no route lines found\n");
  EXPECT_TRUE(ReadFile(dir.File("sw2.dif")).ends_with("同等です\r\n"));

  end = Run({"--json", "r.log", "sw2.log"});
  EXPECT_EQ(end.ExitCode, 2);
  EXPECT_EQ(end.Err, "tessaline: sw2.log: no route lines found\n");
  EXPECT_NE(end.Out.find("\"verdict\": \"failed\""), std::string::npos) << end.Out;
  EXPECT_NE(end.Out.find("\"report\": \"sw2.dif\""), std::string::npos) << end.Out;
  EXPECT_NE(end.Out.find("\"error\": \"sw2.log: no route lines found\""), std::string::npos) << end.Out;
  EXPECT_TRUE(ReadFile(dir.File("sw2.dif")).ends_with(" 1 の違いがあります\r\n"));


  end = Run({"r.log"});
  EXPECT_EQ(end.ExitCode, 0);
  EXPECT_EQ(end.Err, "");

  // Folders: a pair that ran with such a log is counted as failed, with the
  // same reason; its report is written.
  fs::create_directories(dir.File("b"));
  fs::create_directories(dir.File("a"));
  WriteFile(dir.File("b/x.log"), other);
  WriteFile(dir.File("a/x.log"), kLog);
  WriteFile(dir.File("b/y.log"), kLog);
  WriteFile(dir.File("a/y.log"), kLog);
  WriteFile(dir.File("b/only.log"), other);
  end = Run({"b", "a"});
  EXPECT_EQ(end.ExitCode, 2);
  EXPECT_EQ(end.Out,
            "only.log  only in b\n"
            "x.log     failed: b/x.log: no route lines found\n"
            "y.log     same\n"
            "3 pairs: 1 same, 0 differ, 1 one-sided, 1 failed\n");
  EXPECT_EQ(end.Err, "");
  EXPECT_TRUE(Exists(dir.File("a/x.dif")));
}

}  // namespace
}  // namespace tess::testing
