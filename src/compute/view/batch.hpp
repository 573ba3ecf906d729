#pragma once
// The batch runner, as `ninja -j` runs its edges: a fixed pool of threads,
// the calling one among them, takes the items in order, and the calling
// thread hands each result on in input order once it and every one before it
// are done, so what is printed and summarised does not depend on the number
// of threads. On a
// terminal, one status line shows how far the batch is.
#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

namespace Batch {

// Runs work(i) for every i below count on `jobs` threads, the calling thread
// included (alone when jobs is 1), and deliver(i) on the calling thread in
// increasing order of i, each once work(i) is done. An exception raised by work(i) is
// raised again by run, from the calling thread, when item i is due.
void run(std::size_t count, unsigned jobs, const std::function<void(std::size_t)>& work,
         const std::function<void(std::size_t)>& deliver);

// "[done/total] name" rewritten in place on the stream while a long batch
// runs, when the stream is a terminal and the batch has more than
// `threshold` items; erased before any other line is written and at the end.
class status_line {
 public:
  status_line(std::FILE* stream, std::size_t total, std::size_t threshold = 20);
  ~status_line();
  status_line(const status_line&) = delete;
  status_line& operator=(const status_line&) = delete;

  bool enabled() const { return enabled_; }
  // One more item done.
  void update(std::size_t done, const std::string& name);
  // Erases the line (before writing anything else on the stream).
  void clear();

  // The text of the line.
  static std::string text(std::size_t done, std::size_t total, const std::string& name);

 private:
  std::FILE* stream_;
  std::size_t total_;
  bool enabled_;
  bool shown_ = false;
};

}  // namespace Batch
