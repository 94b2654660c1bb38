#pragma once

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace testsupport {

// Unblocks a reader that wrongly opened a FIFO: after a while, unless
// dismissed, it opens the FIFO's writing end and closes it again, over and
// over, so that the reader sees an empty file and the test fails instead of
// hanging.
class FifoWatchdog {
public:
    explicit FifoWatchdog(std::filesystem::path fifo, std::chrono::milliseconds after = std::chrono::seconds(10))
        : thread_([this, fifo = std::move(fifo), after] {
              std::unique_lock lock(mutex_);
              if (wake_.wait_for(lock, after, [this] { return dismissed_; }))
                  return;
              fired_ = true;
              while (!wake_.wait_for(lock, std::chrono::milliseconds(50), [this] { return dismissed_; })) {
                  const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                  if (fd >= 0)
                      ::close(fd);
              }
          })
    {
    }
    ~FifoWatchdog()
    {
        {
            std::lock_guard lock(mutex_);
            dismissed_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    FifoWatchdog(const FifoWatchdog&) = delete;
    FifoWatchdog& operator=(const FifoWatchdog&) = delete;

    // Whether a reader had to be unblocked.
    bool fired()
    {
        std::lock_guard lock(mutex_);
        return fired_;
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool dismissed_ = false;
    bool fired_ = false;
    std::thread thread_;
};

} // namespace testsupport
