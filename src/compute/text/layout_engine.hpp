#pragma once
// The engine of the box layout printer: an Oppen-style pretty printer
// (D. C. Oppen, "Prettyprinting", ACM TOPLAS 2(4), 1980).
//
// Text is measured before it is printed: every token enters the token queue
// with its size, known for text, unknown for box openings and breaks until
// the material they govern has been enqueued. `right_total` counts the
// sizes of all enqueued tokens, `left_total` those of the printed ones; the
// scan stack holds the queue positions still waiting for their size; the
// box stack holds the open boxes with their widths. The front of the queue
// is printed as soon as its size is known, or as soon as the pending
// material alone no longer fits in `space_left` (then it cannot fit
// whatever follows, and it is printed with size `infinity`). Each token is
// enqueued, sized and printed once: time is linear in the output, and the
// queue holds at most about one line of material. Sizes are bytes, so an
// accented letter in UTF-8 counts two columns.
//
// Nothing is allocated per token: the queue is a ring of plain elements,
// the bytes of waiting texts are copied once into one store, and a text
// that finds the queue empty is written at once without waiting at all.
//
// The engine knows nothing of format strings: Format_interpreter turns them
// into the calls below, and Format::Printer is the handle the code holds.
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Layout_engine {

// Box kinds of the format directives "@[<h n>", "@[<v n>", "@[<hv n>",
// "@[<hov n>" and "@[<b n>" (the plain "@[").
enum class Box_kind { H, V, HV, HOV, B };

// The kinds a box takes once printed: the five of the directives, and
// `Fits` for a non-vertical box whose whole contents fit on the line.
enum class Layout { H, V, HV, HOV, B, Fits };

// Tokens: text, break (blanks on the same line, offset on a new line), box
// opening (indentation offset and kind), box closing, forced newline.
enum class Token_kind : unsigned char { Text, Break, Open, Close, Newline };

// A pending token, plain data: the bytes of a text wait in the engine's
// text store, the element only says where. Each kind reads only its own
// fields.
struct Queue_element {
  long long size;    // known when size_known; while unknown, minus right_total at enqueueing
  long long length;  // what the token adds to right_total
  Token_kind kind;
  bool size_known;
  Box_kind box;           // Open
  int blanks;             // Break
  int offset;             // Break, Open
  std::size_t text;       // Text: where its bytes start in the text store
  std::size_t text_size;  // Text: how many bytes
};

// The token queue: a ring over a power-of-two array. Positions are counted
// from the last reset, so a scan-stack entry stays meaningful while its
// token waits, and is recognised as printed once the front has passed it.
class Token_queue {
 public:
  bool empty() const { return head_ == tail_; }
  std::size_t base() const { return head_; }  // position of the front
  std::size_t last() const { return tail_ - 1; }
  Queue_element& front() { return slots_[head_ & mask_]; }
  Queue_element& at(std::size_t position) { return slots_[position & mask_]; }
  // The popped element stays readable until the next push.
  void pop() { ++head_; }
  // A new element at the back, for the caller to fill in place.
  Queue_element& push() {
    if (tail_ - head_ == capacity_) grow();
    return slots_[tail_++ & mask_];
  }
  void clear() { head_ = tail_ = 0; }

 private:
  void grow();

  std::unique_ptr<Queue_element[]> slots_;
  std::size_t capacity_ = 0;
  std::size_t mask_ = 0;
  std::size_t head_ = 0;
  std::size_t tail_ = 0;
};

struct Scan_entry {
  long long recorded_total;  // right_total after the element was enqueued
  std::size_t position;      // position of the element in the queue
};

struct Box {
  Layout kind;
  int width;
};

class Engine {
 public:
  // Bound to a file (the engine does not close it), or to a string buffer
  // when `output` is null.
  explicit Engine(std::FILE* output);
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // --- operations
  void text(std::string_view s);
  void open_box(Box_kind kind, int indent);
  // The outermost box stays open.
  void close_box();
  void break_hint(int blanks, int offset);
  void force_newline();
  // Closes the open boxes, prints everything pending (then a newline when
  // `end_with_newline`), flushes the output and starts afresh.
  void flush(bool end_with_newline);
  // Pending material is printed first; the engine then restarts with the
  // new margin, max_indent keeping min_space_left columns free.
  void set_margin(int new_margin);
  int margin() const { return margin_; }
  // For a string-buffer engine: prints everything pending and returns the
  // whole text written so far. Empty for a file engine.
  std::string contents();
  // The same, then the text is forgotten and the engine is as a new one with
  // the same margin: a caller laying out many short texts in turn need not
  // make an engine for each.
  std::string take_contents();

 private:
  // --- output operations
  void output(std::string_view s) { buffer.append(s); }
  void output_newline() { buffer.push_back('\n'); }
  void output_spaces(int n) {
    if (n > 0) buffer.append(static_cast<std::size_t>(n), ' ');
  }
  void drain();
  void output_flush();

  // --- printing tokens
  void break_new_line(int offset, int width);
  void break_same_line(int blanks);
  void force_break_line();
  void print_break(long long size, const Queue_element& b);
  void print_open(long long size, const Queue_element& o);
  void print_text(long long size, std::string_view s);
  void print_token(long long size, const Queue_element& token);

  // --- the queue
  void advance();
  void forget_texts();
  Queue_element& enqueue(Token_kind kind, long long size, bool size_known, long long length);
  void set_size(bool of_break);
  void scan_push(bool settle_previous_break);
  void reset();

  // String engines come and go (one per message); the largest buffer left
  // by one of them is kept for the next, so that long texts are not grown
  // again from nothing, page after page, each time.
  static constexpr std::size_t spare_limit = std::size_t{64} << 20;
  // The thread's spare buffer; null once the thread is ending.
  static std::string* spare_buffer();

  // Output: a file, or the string buffer when `file` is null. A file
  // engine gathers in `buffer` what one operation writes and hands it to
  // the file before the operation returns.
  std::FILE* file = nullptr;
  std::string buffer;

  int margin_ = 78;
  int min_space_left = 10;
  int max_indent = 68;
  int space_left = 78;
  int current_indent = 0;
  bool is_new_line = true;
  long long left_total = 1;
  long long right_total = 1;
  int curr_depth = 0;

  Token_queue token_queue;
  // The bytes of the queued texts, in queue order; texts_base is the
  // position of texts[0], texts_printed the length of the prefix already
  // written out.
  std::string texts;
  std::size_t texts_base = 0;
  std::size_t texts_printed = 0;
  std::vector<Scan_entry> scan_stack;
  std::vector<Box> box_stack;
};

}  // namespace Layout_engine
