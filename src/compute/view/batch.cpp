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

// What the threads share.
struct pool_state {
  std::atomic<std::size_t> next{0};
  std::mutex mutex;
  std::condition_variable item_done;
  std::vector<char> done;                   // guarded by mutex
  std::vector<std::exception_ptr> errors;   // written by the thread of the item, read after done
  std::atomic<bool> stopping{false};
};

// Takes the next item and does it; false when there is none left to take.
bool do_one(pool_state& s, std::size_t count, const std::function<void(std::size_t)>& work) {
  if (s.stopping.load(std::memory_order_relaxed)) return false;
  const std::size_t i = s.next.fetch_add(1, std::memory_order_relaxed);
  if (i >= count) return false;
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
  return true;
}

void worker(pool_state& s, std::size_t count, const std::function<void(std::size_t)>& work) {
  while (do_one(s, count, work)) {
  }
}

// Hands on the items done, in order, from `next` on: all that are ready, or,
// when `wait`, every one left.
void deliver_done(pool_state& s, std::size_t count, std::size_t& next, bool wait,
                  const std::function<void(std::size_t)>& deliver) {
  while (next < count) {
    {
      std::unique_lock<std::mutex> lock(s.mutex);
      if (wait)
        s.item_done.wait(lock, [&] { return s.done[next] != 0; });
      else if (s.done[next] == 0)
        return;
    }
    if (s.errors[next]) std::rethrow_exception(s.errors[next]);
    deliver(next++);
  }
}

}  // namespace

// The calling thread is one of the `jobs`: between its own items it hands on
// those done, so no thread sits waiting while another works (on a machine
// with as many cores as jobs, a waiting thread woken for every item would
// take turns with the workers).
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
  const std::size_t helpers = std::min<std::size_t>(jobs, count) - 1;
  threads.reserve(helpers);
  for (std::size_t t = 0; t < helpers; ++t) threads.emplace_back(worker, std::ref(s), count, std::cref(work));
  std::exception_ptr failure;
  try {
    std::size_t next = 0;
    while (do_one(s, count, work)) deliver_done(s, count, next, false, deliver);
    deliver_done(s, count, next, true, deliver);
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
