#pragma once

// A channel that carries exactly one answer from a background job to the
// user-interface thread. The receiver polls (`try_take`) and never blocks the
// frame; a sender dropped without answering closes the channel, so the
// receiver can tell "not yet" from "never".

#include "ui/exec/executor.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace orvo_ui::exec {

namespace detail {

template <typename T>
struct AnswerSlot {
    std::mutex mutex;
    std::condition_variable ready;
    std::optional<T> value;
    bool sender_gone = false;
    bool taken = false;
};

} // namespace detail

template <typename T>
class AnswerSender {
public:
    explicit AnswerSender(std::shared_ptr<detail::AnswerSlot<T>> slot) : m_slot(std::move(slot)) {}
    AnswerSender(AnswerSender&&) noexcept = default;
    AnswerSender& operator=(AnswerSender&&) noexcept = default;
    AnswerSender(AnswerSender const&) = delete;
    AnswerSender& operator=(AnswerSender const&) = delete;
    ~AnswerSender() { close(); }

    // The first answer wins; later ones are dropped.
    void send(T value)
    {
        if (!m_slot)
            return;
        {
            std::lock_guard lock(m_slot->mutex);
            if (!m_slot->value && !m_slot->taken)
                m_slot->value = std::move(value);
        }
        close();
    }

private:
    void close()
    {
        if (!m_slot)
            return;
        {
            std::lock_guard lock(m_slot->mutex);
            m_slot->sender_gone = true;
        }
        m_slot->ready.notify_all();
        m_slot.reset();
    }

    std::shared_ptr<detail::AnswerSlot<T>> m_slot;
};

template <typename T>
class AnswerReceiver {
public:
    explicit AnswerReceiver(std::shared_ptr<detail::AnswerSlot<T>> slot) : m_slot(std::move(slot)) {}

    // The answer when it has arrived; each answer is taken once.
    std::optional<T> try_take()
    {
        std::lock_guard lock(m_slot->mutex);
        return take_locked();
    }
    // Waits at most `limit` (for tests and shutdown paths, never for frames).
    std::optional<T> take_within(std::chrono::milliseconds limit)
    {
        std::unique_lock lock(m_slot->mutex);
        m_slot->ready.wait_for(lock, limit, [this] { return m_slot->value.has_value() || m_slot->sender_gone; });
        return take_locked();
    }
    // The sender went away (answered or dropped) and nothing is left to take.
    bool is_closed() const
    {
        std::lock_guard lock(m_slot->mutex);
        return m_slot->sender_gone && !m_slot->value;
    }

private:
    std::optional<T> take_locked()
    {
        if (!m_slot->value)
            return std::nullopt;
        std::optional<T> out = std::move(m_slot->value);
        m_slot->value.reset();
        m_slot->taken = true;
        return out;
    }

    std::shared_ptr<detail::AnswerSlot<T>> m_slot;
};

template <typename T>
std::pair<AnswerSender<T>, AnswerReceiver<T>> one_answer()
{
    auto slot = std::make_shared<detail::AnswerSlot<T>>();
    return {AnswerSender<T>(slot), AnswerReceiver<T>(slot)};
}

// Runs `job` on the executor; its return value is the answer.
template <typename Job>
auto run_in_background(Executor& executor, Job job) -> AnswerReceiver<decltype(job())>
{
    using T = decltype(job());
    auto [sender, receiver] = one_answer<T>();
    auto shared_sender = std::make_shared<AnswerSender<T>>(std::move(sender));
    executor.submit([shared_sender, job = std::move(job)]() mutable { shared_sender->send(job()); });
    return receiver;
}

} // namespace orvo_ui::exec
