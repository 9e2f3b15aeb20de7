#include "ui/exec/executor.h"

namespace orvo_ui::exec {

Executor::Executor(std::size_t threads)
{
    if (threads == 0)
        threads = 1;
    for (std::size_t i = 0; i < threads; ++i)
        m_threads.emplace_back([this] { run(); });
}

Executor::~Executor()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    for (auto& thread : m_threads)
        thread.join();
}

Executor& Executor::shared()
{
    static Executor executor(2);
    return executor;
}

void Executor::submit(std::function<void()> job)
{
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(job));
    }
    m_wake.notify_one();
}

std::size_t Executor::pending() const
{
    std::lock_guard lock(m_mutex);
    return m_queue.size() + m_running;
}

void Executor::run()
{
    std::unique_lock lock(m_mutex);
    while (true) {
        m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_queue.empty())
            return; // stopping and drained
        auto job = std::move(m_queue.front());
        m_queue.pop_front();
        ++m_running;
        lock.unlock();
        job();
        lock.lock();
        --m_running;
    }
}

} // namespace orvo_ui::exec
