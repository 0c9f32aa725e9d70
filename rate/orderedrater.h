#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Runs a job on every item on worker threads and hands the results, in the
// order the items came, to one writer thread. At most `window` items are
// held between Add and their result being written, so a huge input costs no
// more memory than a small one, and one slow item holds up only the writing.
template <typename TItem> class TOrderedRater {
public:
  using TWork = std::function<std::string(const TItem &)>; // on a worker
  using TWrite = std::function<void(const std::string &)>; // on the writer, in order
  // On the writer whenever it would wait, at least every tenth of a second:
  // the number of items whose result is ready.
  using TIdle = std::function<void(std::uint64_t rated)>;

  TOrderedRater(int threads, std::size_t window, TWork work, TWrite write, TIdle idle)
      : m_work(std::move(work)), m_write(std::move(write)), m_idle(std::move(idle)),
        m_slots(window) {
    for (int i = 0; i < threads; ++i)
      m_workers.emplace_back([this] { Work(); });
    m_writer = std::thread([this] { Write(); });
  }
  TOrderedRater(const TOrderedRater &) = delete;
  TOrderedRater &operator=(const TOrderedRater &) = delete;
  ~TOrderedRater() { Finish(); }

  // Waits while the window is full.
  void Add(const TItem &item) {
    std::unique_lock lock(m_mutex);
    m_room.wait(lock, [this] { return m_added - m_written < m_slots.size(); });
    m_slots[m_added % m_slots.size()].reset();
    m_pending.emplace_back(m_added++, item);
    m_ready.notify_one();
  }

  // Waits until every result is written.
  void Finish() {
    {
      std::lock_guard lock(m_mutex);
      if (m_finishing)
        return;
      m_finishing = true;
    }
    m_ready.notify_all();
    m_resultReady.notify_all();
    for (std::thread &worker : m_workers)
      worker.join();
    m_writer.join();
  }

private:
  void Work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
      m_ready.wait(lock, [this] { return !m_pending.empty() || m_finishing; });
      if (m_pending.empty())
        return;
      auto [index, item] = std::move(m_pending.front());
      m_pending.pop_front();
      lock.unlock();
      std::string result = m_work(item);
      lock.lock();
      m_slots[index % m_slots.size()] = std::move(result);
      ++m_rated;
      if (index == m_written)
        m_resultReady.notify_one();
    }
  }

  void Write() {
    std::unique_lock lock(m_mutex);
    for (;;) {
      std::optional<std::string> &slot = m_slots[m_written % m_slots.size()];
      if (slot) {
        const std::string result = std::move(*slot);
        slot.reset();
        lock.unlock();
        m_write(result);
        lock.lock();
        ++m_written;
        m_room.notify_one();
        continue;
      }
      if (m_finishing && m_written == m_added)
        return;
      const std::uint64_t rated = m_rated;
      lock.unlock();
      m_idle(rated);
      lock.lock();
      m_resultReady.wait_for(lock, std::chrono::milliseconds(100), [&] {
        return slot.has_value() || (m_finishing && m_written == m_added);
      });
    }
  }

  TWork m_work;
  TWrite m_write;
  TIdle m_idle;
  std::mutex m_mutex;
  std::condition_variable m_ready, m_resultReady, m_room;
  std::deque<std::pair<std::uint64_t, TItem>> m_pending;
  // The result of item i waits in m_slots[i % window] until it is written.
  std::vector<std::optional<std::string>> m_slots;
  std::uint64_t m_added = 0, m_rated = 0, m_written = 0;
  bool m_finishing = false;
  std::vector<std::thread> m_workers;
  std::thread m_writer;
};
