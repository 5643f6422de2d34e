#include "io/two_at_once.h"

#include <optional>
#include <system_error>
#include <thread>

namespace tess {

void RunTwoAtOnce(const std::function<void()>& here, const std::function<void()>& there) {
  std::optional<std::thread> thread;
  try {
    thread.emplace(there);
  } catch (const std::system_error&) {
    // No thread to be had: the two run one after the other.
  }
  here();
  if (thread) {
    thread->join();
  } else {
    there();
  }
}

}  // namespace tess
