#include "io/temporary_files.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>
#include <new>
#include <pthread.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace tess {

namespace {

// The list the handler reads: blocks of slots, each slot a path allocated at
// registration or null. Blocks are linked once and never freed, so the
// handler can walk them without a lock. Whoever exchanges a slot's pointer
// for null owns it: an unregistering thread frees it, the handler unlinks
// it (and lets it leak, the process is about to die).
constexpr size_t kSlotsPerBlock = 256;
struct Block {
  std::atomic<char*> Slots[kSlotsPerBlock] = {};
  std::atomic<Block*> Next{nullptr};
};
Block g_firstBlock;

// Set by the handler before it walks the list; creations count themselves in
// `g_creating` first, so that either the creation sees the flag and does not
// happen, or the handler sees the count and waits for the file's
// registration (sequentially consistent on both sides).
std::atomic<bool> g_interrupted{false};
std::atomic<int> g_creating{0};

// What threads share outside the handler: which slots are free and where each
// path stands. Held only with the cleanup signals blocked in the holding
// thread, so the handler never interrupts a holder.
struct Index {
  std::mutex Lock;
  std::vector<Block*> Blocks{&g_firstBlock};
  std::vector<size_t> FreeSlots;
  size_t SlotsUsed = 0;
  std::unordered_multimap<std::string, size_t> SlotOfPath;
  size_t Count = 0;
};
Index& TheIndex() {
  static Index* index = new Index;  // never destroyed: runs may end after exit starts
  return *index;
}

constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

sigset_t CleanupSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (int sig : kCleanupSignals) sigaddset(&set, sig);
  return set;
}

// Blocks the cleanup signals in this thread for its lifetime.
class SignalsBlocked {
 public:
  SignalsBlocked() {
    const sigset_t set = CleanupSignalSet();
    pthread_sigmask(SIG_BLOCK, &set, &saved_);
  }
  ~SignalsBlocked() { pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
  SignalsBlocked(const SignalsBlocked&) = delete;
  SignalsBlocked& operator=(const SignalsBlocked&) = delete;

 private:
  sigset_t saved_;
};

std::atomic<char*>& SlotAt(Index& index, size_t slot) {
  return index.Blocks[slot / kSlotsPerBlock]->Slots[slot % kSlotsPerBlock];
}

void OnCleanupSignal(int sig) {
  const int savedErrno = errno;
  g_interrupted.store(true);
  // Creations in progress on other threads finish and register their file
  // (a file system call; a second at most, to never hang here).
  for (int waited = 0; g_creating.load() > 0 && waited < 1000; ++waited) {
    const timespec pause{0, 1000 * 1000};
    nanosleep(&pause, nullptr);
  }
  for (Block* block = &g_firstBlock; block != nullptr; block = block->Next.load(std::memory_order_acquire)) {
    for (std::atomic<char*>& slot : block->Slots) {
      if (char* path = slot.exchange(nullptr)) ::unlink(path);
    }
  }
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(sig, &action, nullptr);
  // Delivered with the default action once this handler returns and the
  // signal is unblocked again.
  raise(sig);
  errno = savedErrno;
}

}  // namespace

void InstallInterruptCleanup() {
  struct sigaction action {};
  action.sa_handler = OnCleanupSignal;
  action.sa_mask = CleanupSignalSet();  // one handler at a time per thread
  action.sa_flags = SA_RESTART;
  for (int sig : kCleanupSignals) {
    struct sigaction old {};
    if (sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    sigaction(sig, &action, nullptr);
  }
}

void RegisterTemporaryFile(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> copy(::strdup(path.c_str()), &std::free);
  if (copy == nullptr) throw std::bad_alloc();
  const SignalsBlocked blocked;
  Index& index = TheIndex();
  const std::lock_guard<std::mutex> lock(index.Lock);
  size_t slot;
  if (!index.FreeSlots.empty()) {
    slot = index.FreeSlots.back();
    index.FreeSlots.pop_back();
  } else {
    slot = index.SlotsUsed++;
    if (slot / kSlotsPerBlock >= index.Blocks.size()) {
      Block* block = new Block;
      index.Blocks.back()->Next.store(block, std::memory_order_release);
      index.Blocks.push_back(block);
    }
  }
  // Out of memory here loses the slot (never used again), nothing else.
  index.SlotOfPath.emplace(path, slot);
  SlotAt(index, slot).store(copy.release(), std::memory_order_release);
  ++index.Count;
}

void UnregisterTemporaryFile(const std::string& path) {
  const SignalsBlocked blocked;
  Index& index = TheIndex();
  const std::lock_guard<std::mutex> lock(index.Lock);
  const auto it = index.SlotOfPath.find(path);
  if (it == index.SlotOfPath.end()) return;
  const size_t slot = it->second;
  index.SlotOfPath.erase(it);
  // Null when the handler has taken the path: it is unlinking it.
  if (char* copy = SlotAt(index, slot).exchange(nullptr)) std::free(copy);
  index.FreeSlots.push_back(slot);
  --index.Count;
}

size_t RegisteredTemporaryFileCount() {
  const SignalsBlocked blocked;
  Index& index = TheIndex();
  const std::lock_guard<std::mutex> lock(index.Lock);
  return index.Count;
}

TemporaryFileCreation::TemporaryFileCreation() {
  const sigset_t set = CleanupSignalSet();
  pthread_sigmask(SIG_BLOCK, &set, &saved_);
  g_creating.fetch_add(1);
  allowed_ = !g_interrupted.load();
}

TemporaryFileCreation::~TemporaryFileCreation() {
  g_creating.fetch_sub(1);
  pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
}

}  // namespace tess
