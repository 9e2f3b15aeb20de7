#pragma once

// A small pool of background threads for work that must not run on the
// user-interface thread (decoding, file listing, imports). Results come back
// through one-answer channels that the UI thread polls without waiting.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace orvo_ui::exec {

class Executor {
public:
    explicit Executor(std::size_t threads);
    // Finishes the jobs already queued, then joins the threads.
    ~Executor();
    Executor(Executor const&) = delete;
    Executor& operator=(Executor const&) = delete;

    // The process-wide pool (two threads), created on first use.
    static Executor& shared();

    void submit(std::function<void()> job);
    // Jobs queued or running.
    std::size_t pending() const;

private:
    void run();

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_queue;
    std::size_t m_running = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};

} // namespace orvo_ui::exec
