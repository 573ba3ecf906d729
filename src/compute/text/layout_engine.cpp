#include "text/layout_engine.hpp"

#include <algorithm>

namespace Layout_engine {

namespace {

constexpr long long infinity = 1000000010;

Layout layout_of(Box_kind kind) {
  switch (kind) {
    case Box_kind::H: return Layout::H;
    case Box_kind::V: return Layout::V;
    case Box_kind::HV: return Layout::HV;
    case Box_kind::HOV: return Layout::HOV;
    case Box_kind::B: return Layout::B;
  }
  return Layout::B;
}

}  // namespace

void Token_queue::grow() {
  std::size_t capacity = capacity_ == 0 ? 64 : 2 * capacity_;
  std::unique_ptr<Queue_element[]> larger(new Queue_element[capacity]);
  std::size_t new_mask = capacity - 1;
  for (std::size_t p = head_; p != tail_; ++p) larger[p & new_mask] = slots_[p & mask_];
  slots_ = std::move(larger);
  capacity_ = capacity;
  mask_ = new_mask;
}

// The engine's own steps are defined inline (used in this file only): each
// token passes through several of them, and they are to be folded into the
// operations that call them.

Engine::Engine(std::FILE* output) : file(output) {
  if (std::string* spare = file == nullptr ? spare_buffer() : nullptr) buffer.swap(*spare);
  reset();
}

Engine::~Engine() {
  std::string* spare = file == nullptr ? spare_buffer() : nullptr;
  if (spare != nullptr && buffer.capacity() > spare->capacity() && buffer.capacity() <= spare_limit) {
    buffer.clear();
    buffer.swap(*spare);
  }
}

namespace {

// Frees the thread's spare buffer when the thread ends, and leaves the
// pointer null for a printer that outlives the thread's other objects (a
// process-wide printer flushed at exit).
struct Spare_release {
  std::string*& spare;
  ~Spare_release() {
    delete spare;
    spare = nullptr;
  }
};

}  // namespace

std::string* Engine::spare_buffer() {
  thread_local std::string* spare = new std::string;
  thread_local Spare_release release{spare};
  return spare;
}

// ---------------------------------------------------------------------------
// Output.

// Hands a file engine's gathered text to its file.
inline void Engine::drain() {
  if (file != nullptr && !buffer.empty()) {
    std::fwrite(buffer.data(), 1, buffer.size(), file);
    buffer.clear();
  }
}

inline void Engine::output_flush() {
  drain();
  if (file != nullptr) std::fflush(file);
}

// ---------------------------------------------------------------------------
// Printing tokens.

inline void Engine::break_new_line(int offset, int width) {
  output_newline();
  is_new_line = true;
  current_indent = std::min(max_indent, margin_ - width + offset);
  space_left = margin_ - current_indent;
  output_spaces(current_indent);
}

inline void Engine::break_same_line(int blanks) {
  space_left -= blanks;
  output_spaces(blanks);
}

// Used before opening a box too far to the right.
inline void Engine::force_break_line() {
  if (box_stack.empty()) {
    output_newline();
    return;
  }
  const Box& box = box_stack.back();
  if (box.width > space_left && box.kind != Layout::Fits && box.kind != Layout::H) break_new_line(0, box.width);
}

inline void Engine::print_break(long long size, const Queue_element& b) {
  if (box_stack.empty()) return;
  const Box& box = box_stack.back();
  switch (box.kind) {
    case Layout::HOV:
      if (size > space_left) break_new_line(b.offset, box.width);
      else break_same_line(b.blanks);
      break;
    case Layout::B:
      if (is_new_line) break_same_line(b.blanks);
      else if (size > space_left) break_new_line(b.offset, box.width);
      else if (current_indent > margin_ - box.width + b.offset) break_new_line(b.offset, box.width);
      else break_same_line(b.blanks);
      break;
    case Layout::HV:
    case Layout::V: break_new_line(b.offset, box.width); break;
    case Layout::Fits:
    case Layout::H: break_same_line(b.blanks); break;
  }
}

inline void Engine::print_open(long long size, const Queue_element& o) {
  if (margin_ - space_left > max_indent) force_break_line();
  Layout kind = layout_of(o.box);
  if (kind != Layout::V && size <= space_left) kind = Layout::Fits;
  box_stack.push_back({kind, space_left - o.offset});
}

inline void Engine::print_text(long long size, std::string_view s) {
  space_left -= size;
  output(s);
  is_new_line = false;
}

inline void Engine::print_token(long long size, const Queue_element& token) {
  switch (token.kind) {
    case Token_kind::Text: {
      std::size_t start = token.text - texts_base;
      print_text(size, std::string_view(texts.data() + start, token.text_size));
      texts_printed = start + token.text_size;
      break;
    }
    case Token_kind::Open: print_open(size, token); break;
    case Token_kind::Close:
      if (!box_stack.empty()) box_stack.pop_back();
      break;
    case Token_kind::Break: print_break(size, token); break;
    case Token_kind::Newline:
      if (box_stack.empty()) output_newline();
      else break_new_line(0, box_stack.back().width);
      break;
  }
}

// ---------------------------------------------------------------------------
// The queue.

inline void Engine::advance() {
  while (!token_queue.empty()) {
    Queue_element& front = token_queue.front();
    if (!front.size_known && right_total - left_total < space_left) break;
    long long size = front.size_known ? front.size : infinity;
    token_queue.pop();
    print_token(size, front);
    left_total += front.length;
  }
  if (token_queue.empty()) forget_texts();
  drain();
}

// No queued token refers to the text store any more.
inline void Engine::forget_texts() {
  texts.clear();
  texts_base = 0;
  texts_printed = 0;
}

// A new token at the back of the queue, adding `length` to right_total;
// the caller fills in the fields of its kind.
inline Queue_element& Engine::enqueue(Token_kind kind, long long size, bool size_known, long long length) {
  Queue_element& element = token_queue.push();
  element.kind = kind;
  element.size = size;
  element.size_known = size_known;
  element.length = length;
  right_total += length;
  return element;
}

// Settles the size of the scan stack's top entry: a break when `of_break`,
// a box opening otherwise.
inline void Engine::set_size(bool of_break) {
  if (scan_stack.empty()) return;
  const Scan_entry top = scan_stack.back();
  if (top.recorded_total < left_total || top.position < token_queue.base()) {
    scan_stack.clear();  // its token is already printed: nothing to settle
    return;
  }
  Queue_element& element = token_queue.at(top.position);
  bool is_break = element.kind == Token_kind::Break;
  bool is_open = element.kind == Token_kind::Open;
  if ((of_break && is_break) || (!of_break && is_open)) {
    element.size = right_total + element.size;
    element.size_known = true;
    scan_stack.pop_back();
  }
}

// Called once the element just enqueued is complete.
inline void Engine::scan_push(bool settle_previous_break) {
  if (settle_previous_break) set_size(true);
  scan_stack.push_back({right_total, token_queue.last()});
}

// The state of a new engine: empty queue and stacks, one outermost `hov`
// box waiting in the queue.
inline void Engine::reset() {
  token_queue.clear();
  forget_texts();
  scan_stack.clear();
  box_stack.clear();
  left_total = 1;
  right_total = 1;
  space_left = margin_;
  current_indent = 0;
  curr_depth = 0;
  open_box(Box_kind::HOV, 0);
}

// ---------------------------------------------------------------------------
// Operations.

void Engine::text(std::string_view s) {
  long long size = static_cast<long long>(std::min<std::size_t>(s.size(), infinity));
  if (token_queue.empty()) {
    // Nothing waits: the text would be enqueued and printed at once.
    right_total += size;
    print_text(size, s);
    left_total += size;
    drain();
    return;
  }
  if (texts_printed > 4096 && texts_printed > texts.size() / 2) {
    texts.erase(0, texts_printed);
    texts_base += texts_printed;
    texts_printed = 0;
  }
  Queue_element& element = enqueue(Token_kind::Text, size, true, size);
  element.text = texts_base + texts.size();
  element.text_size = s.size();
  texts.append(s);
  advance();
}

void Engine::open_box(Box_kind kind, int indent) {
  ++curr_depth;
  Queue_element& element = enqueue(Token_kind::Open, -right_total, false, 0);
  element.box = kind;
  element.offset = indent;
  scan_push(false);
}

void Engine::close_box() {
  if (curr_depth <= 1) return;  // the outermost box stays open
  enqueue(Token_kind::Close, 0, true, 0);
  set_size(true);
  set_size(false);
  --curr_depth;
}

void Engine::break_hint(int blanks, int offset) {
  Queue_element& element = enqueue(Token_kind::Break, -right_total, false, blanks);
  element.blanks = blanks;
  element.offset = offset;
  scan_push(true);
}

void Engine::force_newline() {
  enqueue(Token_kind::Newline, 0, true, 0);
  advance();
}

void Engine::flush(bool end_with_newline) {
  while (curr_depth > 1) close_box();
  right_total = infinity;
  advance();
  if (end_with_newline) output_newline();
  reset();
  output_flush();
}

void Engine::set_margin(int new_margin) {
  if (new_margin < 1) return;
  flush(false);
  margin_ = static_cast<int>(std::min<long long>(new_margin, 1000000));
  max_indent = std::max({margin_ - min_space_left, margin_ / 2, 1});
  reset();
}

std::string Engine::contents() {
  flush(false);
  return buffer;
}

std::string Engine::take_contents() {
  flush(false);
  // A flush keeps whether the last thing printed was a line break; a new
  // engine starts on a new line.
  is_new_line = true;
  std::string taken = buffer;
  buffer.clear();
  return taken;
}

}  // namespace Layout_engine
