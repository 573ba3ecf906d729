#include "view/batch.hpp"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>
#include <unistd.h>

namespace Batch {

namespace {

// What the workers share with the calling thread.
struct pool_state {
  std::atomic<std::size_t> next{0};
  std::mutex mutex;
  std::condition_variable item_done;
  std::vector<char> done;                   // guarded by mutex
  std::vector<std::exception_ptr> errors;   // written by the worker of the item, read after done
  std::atomic<bool> stopping{false};
};

void worker(pool_state& s, std::size_t count, const std::function<void(std::size_t)>& work) {
  for (;;) {
    if (s.stopping.load(std::memory_order_relaxed)) return;
    const std::size_t i = s.next.fetch_add(1, std::memory_order_relaxed);
    if (i >= count) return;
    try {
      work(i);
    } catch (...) {
      s.errors[i] = std::current_exception();
    }
    {
      const std::lock_guard<std::mutex> lock(s.mutex);
      s.done[i] = 1;
    }
    s.item_done.notify_one();
  }
}

}  // namespace

void run(std::size_t count, unsigned jobs, const std::function<void(std::size_t)>& work,
         const std::function<void(std::size_t)>& deliver) {
  if (jobs <= 1 || count <= 1) {
    for (std::size_t i = 0; i < count; ++i) {
      work(i);
      deliver(i);
    }
    return;
  }
  pool_state s;
  s.done.assign(count, 0);
  s.errors.assign(count, nullptr);
  std::vector<std::thread> threads;
  const std::size_t n = std::min<std::size_t>(jobs, count);
  threads.reserve(n);
  for (std::size_t t = 0; t < n; ++t) threads.emplace_back(worker, std::ref(s), count, std::cref(work));
  std::exception_ptr failure;
  try {
    for (std::size_t i = 0; i < count; ++i) {
      {
        std::unique_lock<std::mutex> lock(s.mutex);
        s.item_done.wait(lock, [&] { return s.done[i] != 0; });
      }
      if (s.errors[i]) std::rethrow_exception(s.errors[i]);
      deliver(i);
    }
  } catch (...) {
    failure = std::current_exception();
    s.stopping = true;
  }
  for (std::thread& t : threads) t.join();
  if (failure) std::rethrow_exception(failure);
}

status_line::status_line(std::FILE* stream, std::size_t total, std::size_t threshold)
    : stream_(stream), total_(total), enabled_(total > threshold && ::isatty(::fileno(stream)) != 0) {}

status_line::~status_line() { clear(); }

std::string status_line::text(std::size_t done, std::size_t total, const std::string& name) {
  return "[" + std::to_string(done) + "/" + std::to_string(total) + "] " + name;
}

void status_line::update(std::size_t done, const std::string& name) {
  if (!enabled_) return;
  std::string line = "\r" + text(done, total_, name);
  // Long names would wrap and leave the line behind: keep it short.
  if (line.size() > 100) line = line.substr(0, 100);
  line += "\x1b[K";
  std::fputs(line.c_str(), stream_);
  std::fflush(stream_);
  shown_ = true;
}

void status_line::clear() {
  if (!shown_) return;
  std::fputs("\r\x1b[K", stream_);
  std::fflush(stream_);
  shown_ = false;
}

}  // namespace Batch
