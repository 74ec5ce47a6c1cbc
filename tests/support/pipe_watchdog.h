#pragma once

// A step that must not wait on pipes standing in place of files, run under a watchdog: when the step has not
// ended by the deadline, the test fails with a message, and the pipes are opened from both ends, closed and
// removed. That lets an open waiting for the other end return, and a read end at once, so that a regression
// fails the test in seconds instead of holding it up until the runner gives up.
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace test_support {

class PipeWatchdog {
public:
    PipeWatchdog(std::vector<std::filesystem::path> pipes, std::string step,
                 std::chrono::seconds deadline = std::chrono::seconds(10))
        : m_pipes(std::move(pipes)), m_step(std::move(step)),
          m_thread([this, deadline] { Watch(deadline); }) {}

    ~PipeWatchdog() {
        {
            const std::lock_guard lock(m_mutex);
            m_ended = true;
        }
        m_changed.notify_all();
        m_thread.join();
        if (m_fired)
            ADD_FAILURE() << m_step << " waited on a pipe past the deadline";
    }

    PipeWatchdog(const PipeWatchdog&) = delete;
    PipeWatchdog& operator=(const PipeWatchdog&) = delete;

private:
    void Watch(std::chrono::seconds deadline) {
        std::unique_lock lock(m_mutex);
        if (m_changed.wait_for(lock, deadline, [this] { return m_ended; }))
            return;
        m_fired = true;
        // Whoever waits on a pipe is let go, and the pipe is removed, so that nothing waits on it again or
        // retries until it goes (as a lock file does). This goes on until the step ends.
        do {
            for (const std::filesystem::path& pipe : m_pipes) {
                const int fd = ::open(pipe.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0)
                    ::close(fd);
                std::error_code ignored;
                if (std::filesystem::is_fifo(pipe, ignored))
                    std::filesystem::remove(pipe, ignored);
            }
        } while (!m_changed.wait_for(lock, std::chrono::milliseconds(50), [this] { return m_ended; }));
    }

    const std::vector<std::filesystem::path> m_pipes;
    const std::string m_step;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_ended = false;
    bool m_fired = false;
    std::thread m_thread;
};

} // namespace test_support
