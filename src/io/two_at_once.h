// Two pieces of work at once, one of them on a thread of its own.
#pragma once

#include <functional>

namespace tess {

/// Runs `here` on this thread while `there` runs on a new one, and returns
/// when both are done. When the system gives no thread (out of memory, a
/// limit of processes), `there` runs after `here` on this thread. Neither
/// may throw: an exception cannot cross to the waiting thread.
void RunTwoAtOnce(const std::function<void()>& here, const std::function<void()>& there);

}  // namespace tess
