#include "text/format.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "text/exceptions.hpp"

namespace Format {

// ---------------------------------------------------------------------------
// The engine.
//
// Text is measured before it is printed: every token enters the token queue
// with its size, known for text, unknown for box openings and breaks until
// the material they govern has been enqueued. `right_total` counts the
// sizes of all enqueued tokens, `left_total` those of the printed ones; the
// scan stack holds the queue positions still waiting for their size. The
// front of the queue is printed as soon as its size is known, or as soon as
// the pending material alone no longer fits in `space_left` (then it cannot
// fit whatever follows, and it is printed with size `infinity`). Each token
// is enqueued, sized and printed once: time is linear in the output, and
// the queue holds at most about one line of material.
//
// Nothing is allocated per token: the queue is a ring of plain elements,
// the bytes of waiting texts are copied once into one store, and a text
// that finds the queue empty is written at once without waiting at all.

namespace {

constexpr long long infinity = 1000000010;

// The kinds a box takes once printed: the five of the directives, and
// `Fits` for a non-vertical box whose whole contents fit on the line.
enum class Layout { H, V, HV, HOV, B, Fits };

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
  void grow() {
    std::size_t capacity = capacity_ == 0 ? 64 : 2 * capacity_;
    std::unique_ptr<Queue_element[]> larger(new Queue_element[capacity]);
    std::size_t new_mask = capacity - 1;
    for (std::size_t p = head_; p != tail_; ++p) larger[p & new_mask] = slots_[p & mask_];
    slots_ = std::move(larger);
    capacity_ = capacity;
    mask_ = new_mask;
  }

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

}  // namespace

struct Printer::Engine {
  // Output: a file, or the string buffer when `file` is null. A file
  // printer gathers in `buffer` what one operation writes and hands it to
  // the file before the operation returns.
  std::FILE* file = nullptr;
  std::string buffer;

  int margin = 78;
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

  explicit Engine(std::FILE* output) : file(output) {
    if (file == nullptr) buffer.swap(spare_buffer());
    reset();
  }
  ~Engine() {
    if (file == nullptr && buffer.capacity() > spare_buffer().capacity() &&
        buffer.capacity() <= spare_limit) {
      buffer.clear();
      buffer.swap(spare_buffer());
    }
  }

  // String printers come and go (one per message); the largest buffer left
  // by one of them is kept for the next, so that long texts are not grown
  // again from nothing, page after page, each time.
  static constexpr std::size_t spare_limit = std::size_t{64} << 20;
  static std::string& spare_buffer() {
    // Never destroyed: a printer may outlive the thread's other objects.
    thread_local std::string* spare = new std::string;
    return *spare;
  }

  // --- output operations
  void output(std::string_view s) { buffer.append(s); }
  void output_newline() { buffer.push_back('\n'); }
  void output_spaces(int n) {
    if (n > 0) buffer.append(static_cast<std::size_t>(n), ' ');
  }
  // Hands a file printer's gathered text to its file.
  void drain() {
    if (file != nullptr && !buffer.empty()) {
      std::fwrite(buffer.data(), 1, buffer.size(), file);
      buffer.clear();
    }
  }
  void output_flush() {
    drain();
    if (file != nullptr) std::fflush(file);
  }

  // --- printing tokens
  void break_new_line(int offset, int width) {
    output_newline();
    is_new_line = true;
    current_indent = std::min(max_indent, margin - width + offset);
    space_left = margin - current_indent;
    output_spaces(current_indent);
  }

  void break_same_line(int blanks) {
    space_left -= blanks;
    output_spaces(blanks);
  }

  // Used before opening a box too far to the right.
  void force_break_line() {
    if (box_stack.empty()) {
      output_newline();
      return;
    }
    const Box& box = box_stack.back();
    if (box.width > space_left && box.kind != Layout::Fits && box.kind != Layout::H)
      break_new_line(0, box.width);
  }

  void print_break(long long size, const Queue_element& b) {
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
        else if (current_indent > margin - box.width + b.offset) break_new_line(b.offset, box.width);
        else break_same_line(b.blanks);
        break;
      case Layout::HV:
      case Layout::V: break_new_line(b.offset, box.width); break;
      case Layout::Fits:
      case Layout::H: break_same_line(b.blanks); break;
    }
  }

  void print_open(long long size, const Queue_element& o) {
    if (margin - space_left > max_indent) force_break_line();
    Layout kind = layout_of(o.box);
    if (kind != Layout::V && size <= space_left) kind = Layout::Fits;
    box_stack.push_back({kind, space_left - o.offset});
  }

  void print_text(long long size, std::string_view s) {
    space_left -= size;
    output(s);
    is_new_line = false;
  }

  void print_token(long long size, const Queue_element& token) {
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

  // --- the queue
  void advance() {
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
  void forget_texts() {
    texts.clear();
    texts_base = 0;
    texts_printed = 0;
  }

  // A new token at the back of the queue, adding `length` to right_total;
  // the caller fills in the fields of its kind.
  Queue_element& enqueue(Token_kind kind, long long size, bool size_known, long long length) {
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
  void set_size(bool of_break) {
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
  void scan_push(bool settle_previous_break) {
    if (settle_previous_break) set_size(true);
    scan_stack.push_back({right_total, token_queue.last()});
  }

  // --- operations
  void text(std::string_view s) {
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

  void open_box(Box_kind kind, int indent) {
    ++curr_depth;
    Queue_element& element = enqueue(Token_kind::Open, -right_total, false, 0);
    element.box = kind;
    element.offset = indent;
    scan_push(false);
  }

  void close_box() {
    if (curr_depth <= 1) return;  // the outermost box stays open
    enqueue(Token_kind::Close, 0, true, 0);
    set_size(true);
    set_size(false);
    --curr_depth;
  }

  void break_hint(int blanks, int offset) {
    Queue_element& element = enqueue(Token_kind::Break, -right_total, false, blanks);
    element.blanks = blanks;
    element.offset = offset;
    scan_push(true);
  }

  void force_newline() {
    enqueue(Token_kind::Newline, 0, true, 0);
    advance();
  }

  void flush(bool end_with_newline) {
    while (curr_depth > 1) close_box();
    right_total = infinity;
    advance();
    if (end_with_newline) output_newline();
    reset();
    output_flush();
  }

  // The state of a new printer: empty queue and stacks, one outermost
  // `hov` box waiting in the queue.
  void reset() {
    token_queue.clear();
    forget_texts();
    scan_stack.clear();
    box_stack.clear();
    left_total = 1;
    right_total = 1;
    space_left = margin;
    current_indent = 0;
    curr_depth = 0;
    open_box(Box_kind::HOV, 0);
  }
};

Printer::Printer() : engine_(std::make_unique<Engine>(nullptr)) {}
Printer::Printer(std::FILE* file) : engine_(std::make_unique<Engine>(file)) {}
Printer::~Printer() = default;
Printer::Printer(Printer&&) noexcept = default;
Printer& Printer::operator=(Printer&&) noexcept = default;

void Printer::open_box(Box_kind kind, int indent) { engine_->open_box(kind, indent); }
void Printer::close_box() { engine_->close_box(); }
void Printer::print_string(std::string_view text) { engine_->text(text); }
void Printer::print_char(char c) { engine_->text(std::string_view(&c, 1)); }
void Printer::print_break(int blanks, int offset) {
  engine_->break_hint(std::max(blanks, 0), offset);  // no negative width on the line
}
void Printer::print_cut() { engine_->break_hint(0, 0); }
void Printer::print_space() { engine_->break_hint(1, 0); }
void Printer::force_newline() { engine_->force_newline(); }
void Printer::print_newline() { engine_->flush(true); }
void Printer::print_flush() { engine_->flush(false); }

// Pending material is printed first; the printer then restarts with the
// new margin, max_indent keeping min_space_left columns free.
void Printer::set_margin(int margin) {
  if (margin < 1) return;
  engine_->flush(false);
  engine_->margin = static_cast<int>(std::min<long long>(margin, 1000000));
  engine_->max_indent =
      std::max({engine_->margin - engine_->min_space_left, engine_->margin / 2, 1});
  engine_->reset();
}

int Printer::margin() const { return engine_->margin; }

std::string Printer::contents() {
  engine_->flush(false);
  return engine_->buffer;
}

namespace {
// The standard printers print what is still pending when the program ends.
struct Flushed_at_exit {
  Printer printer;
  explicit Flushed_at_exit(std::FILE* file) : printer(file) {}
  ~Flushed_at_exit() { printer.print_flush(); }
};
}  // namespace

Printer& err_formatter() {
  static Flushed_at_exit err(stderr);
  return err.printer;
}

Printer& std_formatter() {
  static Flushed_at_exit out(stdout);
  return out.printer;
}

// ---------------------------------------------------------------------------
// The directive interpreter.

namespace detail {

void format_error(const char* message) { throw Invalid_argument(std::string("format: ") + message); }

namespace {

// Room for the text of one plain conversion: numbers are written into
// `digits` (the longest fixed notation, 309 integral digits, a sign, a point
// and 200 decimals, fits), escaped texts into `escaped`.
struct Conversion_text {
  char digits[560];
  std::string escaped;
};

std::string_view text_of_integer(const Arg& a, Conversion_text& out) {
  char* end = out.digits + sizeof out.digits;
  auto result = a.is_unsigned ? std::to_chars(out.digits, end, a.uinteger)
                              : std::to_chars(out.digits, end, a.integer);
  return std::string_view(out.digits, static_cast<std::size_t>(result.ptr - out.digits));
}

// Fixed notation, correctly rounded from the binary value, whatever the
// process locale.
std::string_view text_of_fixed(double x, int precision, Conversion_text& out) {
  auto result = std::to_chars(out.digits, out.digits + sizeof out.digits, x,
                              std::chars_format::fixed, precision);
  return std::string_view(out.digits, static_cast<std::size_t>(result.ptr - out.digits));
}

// The float of the value text syntax: "%.12g", with a "." when the text
// holds only digits and a sign.
std::string_view text_of_value_float(double x, Conversion_text& out) {
  if (std::isnan(x)) return "nan";
  if (std::isinf(x)) return x > 0 ? "infinity" : "neg_infinity";
  auto result = std::to_chars(out.digits, out.digits + 64, x, std::chars_format::general, 12);
  char* end = result.ptr;
  bool only_digits =
      std::all_of(out.digits, end, [](char c) { return (c >= '0' && c <= '9') || c == '-'; });
  if (only_digits) *end++ = '.';
  return std::string_view(out.digits, static_cast<std::size_t>(end - out.digits));
}

// Escapes as the value text syntax reads back: `quote` is the delimiter.
void append_escaped(std::string& out, char c, char quote) {
  unsigned char u = static_cast<unsigned char>(c);
  if (c == '\\' || c == quote) {
    out += '\\';
    out += c;
  } else if (c == '\n') {
    out += "\\n";
  } else if (c == '\t') {
    out += "\\t";
  } else if (c == '\r') {
    out += "\\r";
  } else if (c == '\b') {
    out += "\\b";
  } else if (u >= ' ' && u <= '~') {
    out += c;
  } else {
    out += '\\';
    out += static_cast<char>('0' + u / 100);
    out += static_cast<char>('0' + u / 10 % 10);
    out += static_cast<char>('0' + u % 10);
  }
}

std::string escaped_string(std::string_view s) {
  std::string out = "\"";
  for (char c : s) append_escaped(out, c, '"');
  out += '"';
  return out;
}

std::string escaped_char(char c) {
  std::string out = "'";
  append_escaped(out, c, '\'');
  out += '\'';
  return out;
}

// The arguments of one format, taken in order; a format given at run time
// may not match them, which is reported as an invalid argument.
struct Arguments {
  std::span<const Arg> args;
  std::size_t next = 0;

  const Arg& take(bool Arg_traits::*kind) {
    if (next >= args.size()) format_error("more conversions than arguments");
    const Arg& a = args[next++];
    if (!(a.traits.*kind)) format_error("argument of the wrong kind for its conversion");
    return a;
  }
  const Arg& take_any() {
    if (next >= args.size()) format_error("more conversions than arguments");
    return args[next++];
  }
  void finish() const {
    if (next != args.size()) format_error("more arguments than conversions");
  }
};

// The text of the conversions that print a plain value, false for the
// others. The text may live in `room`.
bool plain_conversion(const Conversion_spec& c, Arguments& args, Conversion_text& room,
                      std::string_view& text) {
  switch (c.letter) {
    case 's': text = args.take(&Arg_traits::string).text; return true;
    case 'S':
      room.escaped = escaped_string(args.take(&Arg_traits::string).text);
      text = room.escaped;
      return true;
    case 'c':
      room.digits[0] = args.take(&Arg_traits::character).character;
      text = std::string_view(room.digits, 1);
      return true;
    case 'C':
      room.escaped = escaped_char(args.take(&Arg_traits::character).character);
      text = room.escaped;
      return true;
    case 'd':
    case 'i': text = text_of_integer(args.take(&Arg_traits::integer), room); return true;
    case 'f':
      text = text_of_fixed(args.take(&Arg_traits::floating).number,
                           c.precision < 0 ? 6 : c.precision, room);
      return true;
    case 'F':
      text = text_of_value_float(args.take(&Arg_traits::floating).number, room);
      return true;
    case 'B': text = args.take(&Arg_traits::boolean).boolean ? "true" : "false"; return true;
    default: return false;
  }
}

// Interprets a format on a layout printer.
struct Layout_handler {
  Printer& ppf;
  Arguments& args;

  void literal(std::string_view s) { ppf.print_string(s); }
  void error(const char* message) { format_error(message); }

  void directive(const Directive_spec& d, std::string_view) {
    switch (d.directive) {
      case Directive::Open_box: ppf.open_box(d.kind, d.indent); break;
      case Directive::Close_box: ppf.close_box(); break;
      case Directive::Break: ppf.print_break(d.blanks, d.offset); break;
      case Directive::Force_newline: ppf.force_newline(); break;
      case Directive::Newline: ppf.print_newline(); break;
      case Directive::Flush: ppf.print_flush(); break;
      case Directive::At: ppf.print_string("@"); break;
    }
  }

  void conversion(const Conversion_spec& c) {
    Conversion_text room;
    std::string_view text;
    if (plain_conversion(c, args, room, text)) {
      ppf.print_string(text);
    } else if (c.letter == 'a') {
      const Arg& f = args.take(&Arg_traits::applier);
      const Arg& v = args.take_any();
      f.apply(ppf, f, v);
    } else if (c.letter == 't') {
      const Arg& f = args.take(&Arg_traits::thunk);
      f.thunk(ppf, f);
    } else if (c.letter == '(') {
      const Arg& f = args.take(&Arg_traits::fmt);
      Arguments none{{}};
      Layout_handler inner{ppf, none};
      parse_format(f.text, inner);
      none.finish();
    }
  }
};

// Interprets a format as plain text: directives are copied as written.
struct Plain_handler {
  std::string& out;
  Arguments& args;

  void literal(std::string_view s) { out.append(s); }
  void error(const char* message) { format_error(message); }
  void directive(const Directive_spec&, std::string_view raw) { out.append(raw); }

  void conversion(const Conversion_spec& c) {
    Conversion_text room;
    std::string_view text;
    if (plain_conversion(c, args, room, text)) {
      out += text;
    } else if (c.letter == 'a') {
      const Arg& f = args.take(&Arg_traits::applier);
      const Arg& v = args.take_any();
      Printer buffer;
      f.apply(buffer, f, v);
      out += buffer.contents();
    } else if (c.letter == 't') {
      const Arg& f = args.take(&Arg_traits::thunk);
      Printer buffer;
      f.thunk(buffer, f);
      out += buffer.contents();
    } else if (c.letter == '(') {
      const Arg& f = args.take(&Arg_traits::fmt);
      Arguments none{{}};
      Plain_handler inner{out, none};
      parse_format(f.text, inner);
      none.finish();
    }
  }
};

}  // namespace

void vfprintf(Printer& ppf, std::string_view format, std::span<const Arg> args) {
  Arguments arguments{args};
  Layout_handler handler{ppf, arguments};
  parse_format(format, handler);
  arguments.finish();
}

std::string vasprintf(std::string_view format, std::span<const Arg> args) {
  Printer buffer;
  vfprintf(buffer, format, args);
  return buffer.contents();
}

std::string vsprintf(std::string_view format, std::span<const Arg> args) {
  std::string out;
  Arguments arguments{args};
  Plain_handler handler{out, arguments};
  parse_format(format, handler);
  arguments.finish();
  return out;
}

}  // namespace detail

}  // namespace Format
