// Runs a number of jobs each on a thread of its own and returns once every one has ended.
#pragma once

#include <cstddef>
#include <exception>
#include <functional>
#include <system_error>
#include <thread>
#include <vector>

namespace platform {

// Runs job(0) ... job(count - 1), each on a thread of its own, and joins them all before it
// returns: no thread outlives the call, whatever happens. A job that cannot have a thread (the
// system has none to give) runs on the calling thread once the others are started. An exception
// a job throws is kept; once every thread has been joined, the first in job order is thrown on.
inline void RunOnThreads(size_t count, const std::function<void(size_t)>& job) {
  std::vector<std::exception_ptr> failures(count);
  auto guarded = [&job, &failures](size_t i) {
    try {
      job(i);
    } catch (...) {
      failures[i] = std::current_exception();
    }
  };
  std::vector<size_t> left;
  left.reserve(count);
  {
    // Declared after what the jobs use, so that leaving this block by any way joins them first.
    std::vector<std::jthread> threads;
    threads.reserve(count);
    for (size_t i = 0; i < count; ++i) {
      try {
        threads.emplace_back(guarded, i);
      } catch (const std::system_error&) {
        left.push_back(i);
      }
    }
    for (size_t i : left) guarded(i);
  }
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
}

}  // namespace platform
