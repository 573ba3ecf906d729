#include "text/scanning.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <bitset>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "text/format.hpp"

namespace Scanning {

// ---------------------------------------------------------------------------
// Character sources.

// Hands out the source's characters block by block.
class Scanbuf::Source {
 public:
  virtual ~Source() = default;
  // Sets [next, limit) to the next non-empty block; false at the end.
  virtual bool refill(const char*& next, const char*& limit) = 0;
};

namespace {

class String_source final : public Scanbuf::Source {
 public:
  explicit String_source(std::string text) : text_(std::move(text)) {}
  bool refill(const char*& next, const char*& limit) override {
    if (given_ || text_.empty()) return false;
    given_ = true;
    next = text_.data();
    limit = text_.data() + text_.size();
    return true;
  }

 private:
  std::string text_;
  bool given_ = false;
};

// Reads the descriptor in large blocks; a pipe gives what is available
// without waiting for a full block, so an exchange with a child process
// does not stall.
class Fd_source final : public Scanbuf::Source {
 public:
  Fd_source(int fd, bool close_at_end) : fd_(fd), close_at_end_(close_at_end), block_(1 << 16) {}
  ~Fd_source() override { close_fd(); }
  bool refill(const char*& next, const char*& limit) override {
    if (fd_ < 0) return false;
    for (;;) {
      ssize_t n = ::read(fd_, block_.data(), block_.size());
      if (n > 0) {
        next = block_.data();
        limit = block_.data() + n;
        return true;
      }
      if (n < 0 && errno == EINTR) continue;
      // End of file, or a read error which ends the input just the same.
      close_fd();
      return false;
    }
  }

 private:
  void close_fd() {
    if (fd_ >= 0 && close_at_end_) ::close(fd_);
    fd_ = -1;
  }
  int fd_;
  bool close_at_end_;
  std::vector<char> block_;
};

class Function_source final : public Scanbuf::Source {
 public:
  explicit Function_source(std::function<std::optional<char>()> next) : next_(std::move(next)) {}
  bool refill(const char*& next, const char*& limit) override {
    std::optional<char> c = next_();
    if (!c) return false;
    character_ = *c;
    next = &character_;
    limit = &character_ + 1;
    return true;
  }

 private:
  std::function<std::optional<char>()> next_;
  char character_ = 0;
};

}  // namespace

Scanbuf::Scanbuf(std::string name, std::unique_ptr<Source> source)
    : name_(std::move(name)), source_(std::move(source)) {}
Scanbuf::Scanbuf(Scanbuf&&) noexcept = default;
Scanbuf& Scanbuf::operator=(Scanbuf&&) noexcept = default;
Scanbuf::~Scanbuf() = default;

Scanbuf Scanbuf::from_file(const std::string& name) {
  if (name == "-") return Scanbuf("-", std::make_unique<Fd_source>(STDIN_FILENO, false));
  int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw Open_failure(name + ": " + std::strerror(errno));
  return Scanbuf(name, std::make_unique<Fd_source>(fd, true));
}

Scanbuf Scanbuf::from_channel(std::FILE* channel) {
  std::string name = channel == stdin ? "-" : "unnamed Stdlib input channel";
  return Scanbuf(name, std::make_unique<Fd_source>(::fileno(channel), false));
}

Scanbuf Scanbuf::from_fd(int fd, bool close_at_end) {
  std::string name = fd == STDIN_FILENO ? "-" : "unnamed Stdlib input channel";
  return Scanbuf(name, std::make_unique<Fd_source>(fd, close_at_end));
}

Scanbuf Scanbuf::from_named_fd(int fd, bool close_at_end, std::string name) {
  return Scanbuf(std::move(name), std::make_unique<Fd_source>(fd, close_at_end));
}

Scanbuf Scanbuf::from_function(std::function<std::optional<char>()> next) {
  return Scanbuf("unnamed function", std::make_unique<Function_source>(std::move(next)));
}

Scanbuf Scanbuf::from_string(std::string text) {
  return Scanbuf("unnamed character string", std::make_unique<String_source>(std::move(text)));
}

int Scanbuf::fetch() {
  if (next_ == limit_) {
    if (!source_ || !source_->refill(next_, limit_)) {
      // The source has reported its end: a file is closed now.
      end_of_input_ = true;
      source_.reset();
      next_ = limit_ = nullptr;
      return -1;
    }
  }
  return take_from_block();
}

std::string quoted_char(char c) {
  switch (c) {
    case '\'': return "'\\''";
    case '\\': return "'\\\\'";
    case '\n': return "'\\n'";
    case '\t': return "'\\t'";
    case '\r': return "'\\r'";
    case '\b': return "'\\b'";
    default: break;
  }
  unsigned char u = static_cast<unsigned char>(c);
  if (u >= ' ' && u <= '~') return std::string{'\'', c, '\''};
  char code[8];
  std::snprintf(code, sizeof code, "'\\%03u'", static_cast<unsigned>(u));
  return code;
}

// ---------------------------------------------------------------------------
// Conversions of collected texts.

namespace {

[[noreturn, gnu::noinline]] void fail(std::string message) { throw Scan_failure(message); }

bool is_digit(int c) { return c >= '0' && c <= '9'; }

// The decimal exponent of the first significant digit of a valid decimal
// float text, to tell an underflow from an overflow.
long long magnitude(std::string_view text) {
  std::size_t e = text.find_first_of("eE");
  std::string_view mantissa = text.substr(0, e);
  long long exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view ex = text.substr(e + 1);
    if (!ex.empty() && ex[0] == '+') ex.remove_prefix(1);
    auto [p, ec] = std::from_chars(ex.data(), ex.data() + ex.size(), exponent);
    if (ec == std::errc::result_out_of_range)
      exponent = ex[0] == '-' ? -(1LL << 40) : (1LL << 40);
  }
  std::size_t point = mantissa.find('.');
  if (point == std::string_view::npos) point = mantissa.size();
  std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return -(1LL << 50);  // zero
  long long position = first < point ? static_cast<long long>(point - first - 1)
                                     : -static_cast<long long>(first - point);
  return position + exponent;
}

}  // namespace

// Decimal syntax only: [+-] digits [. digits] [(e|E) [+-] digits], with at
// least one mantissa digit. Correctly rounded; an infinite result fails.
double float_of_string(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::string_view body = text.substr(i);
  std::size_t digits = 0, j = 0;
  while (j < body.size() && is_digit(body[j])) ++j, ++digits;
  if (j < body.size() && body[j] == '.') {
    ++j;
    while (j < body.size() && is_digit(body[j])) ++j, ++digits;
  }
  if (digits == 0) fail("float_of_string");
  if (j < body.size() && (body[j] == 'e' || body[j] == 'E')) {
    ++j;
    if (j < body.size() && (body[j] == '+' || body[j] == '-')) ++j;
    std::size_t start = j;
    while (j < body.size() && is_digit(body[j])) ++j;
    if (j == start) fail("float_of_string");
  }
  if (j != body.size()) fail("float_of_string");
  double value = 0.0;
  auto [p, ec] = std::from_chars(body.data(), body.data() + body.size(), value,
                                 std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    if (magnitude(body) >= 0) fail("float_of_string");
    value = 0.0;  // below the smallest subnormal
  } else if (ec != std::errc() || p != body.data() + body.size()) {
    fail("float_of_string");
  }
  return negative ? -value : value;
}

// [+-] then decimal digits, or 0x/0X, 0o, 0b and digits of that base.
long long int_of_string(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  unsigned base = 10;
  if (i + 1 < text.size() && text[i] == '0') {
    char p = text[i + 1];
    if (p == 'x' || p == 'X') base = 16;
    else if (p == 'o') base = 8;
    else if (p == 'b') base = 2;
    if (base != 10) i += 2;
  }
  if (i >= text.size()) fail("int_of_string");
  unsigned long long magnitude = 0;
  auto [p, ec] = std::from_chars(text.data() + i, text.data() + text.size(), magnitude, base);
  if (ec != std::errc() || p != text.data() + text.size()) fail("int_of_string");
  constexpr unsigned long long max_positive = std::numeric_limits<long long>::max();
  if (negative) {
    if (magnitude > max_positive + 1) fail("int_of_string");
    return magnitude == max_positive + 1 ? std::numeric_limits<long long>::min()
                                         : -static_cast<long long>(magnitude);
  }
  if (magnitude > max_positive) fail("int_of_string");
  return static_cast<long long>(magnitude);
}

// ---------------------------------------------------------------------------
// The pattern items.

namespace {

bool is_white(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

[[noreturn, gnu::noinline]] void character_mismatch(char expected, char found) {
  fail(Format::sprintf("looking for %C, found %C", expected, found));
}

void store(Scanbuf& ib, char c) {
  ib.token.push_back(c);
  ib.consume();
}

void skip_whites(Scanbuf& ib) { ib.skip_whites(); }

void check_this_char(Scanbuf& ib, char expected) {
  if (ib.consume_if_next(expected)) return;
  char c = ib.checked_peek();
  if (c != expected) character_mismatch(expected, c);
  ib.consume();
}

void check_newline(Scanbuf& ib) {
  char c = ib.checked_peek();
  if (c == '\n') {
    ib.consume();
  } else if (c == '\r') {
    ib.consume();
    check_this_char(ib, '\n');
  } else {
    character_mismatch('\n', c);
  }
}

// Digit runs: underscores are skipped, not collected.
void decimal_digit_star(Scanbuf& ib) {
  for (;;) {
    int c = ib.peek();
    if (is_digit(c)) store(ib, static_cast<char>(c));
    else if (c == '_') ib.consume();
    else return;
  }
}

void decimal_digit_plus(Scanbuf& ib) {
  char c = ib.checked_peek();
  if (!is_digit(c)) fail(Format::sprintf("character %C is not a decimal digit", c));
  store(ib, c);
  decimal_digit_star(ib);
}

bool is_base_digit(unsigned base, int c) {
  switch (base) {
    case 2: return c == '0' || c == '1';
    case 8: return c >= '0' && c <= '7';
    default: return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
  }
}

void base_digit_plus(Scanbuf& ib, unsigned base, const char* base_name) {
  char c = ib.checked_peek();
  if (!is_base_digit(base, c))
    fail(Format::sprintf("character %C is not a valid %s digit", c, base_name));
  store(ib, c);
  for (;;) {
    int d = ib.peek();
    if (is_base_digit(base, d)) store(ib, static_cast<char>(d));
    else if (d == '_') ib.consume();
    else return;
  }
}

void scan_sign(Scanbuf& ib) {
  char c = ib.checked_peek();
  if (c == '+' || c == '-') store(ib, c);
}

void scan_exponent_part(Scanbuf& ib) {
  int c = ib.peek();
  if (c != 'e' && c != 'E') return;
  store(ib, static_cast<char>(c));
  scan_sign(ib);
  decimal_digit_plus(ib);
}

void scan_float(Scanbuf& ib) {
  scan_sign(ib);
  decimal_digit_star(ib);
  if (ib.peek() == '.') {
    store(ib, '.');
    if (is_digit(ib.peek())) decimal_digit_star(ib);
  }
  scan_exponent_part(ib);
}

void scan_int(Scanbuf& ib, char conversion) {
  scan_sign(ib);
  if (conversion == 'd' || ib.checked_peek() != '0') {
    decimal_digit_plus(ib);
    return;
  }
  store(ib, '0');
  int c = ib.peek();
  if (c == 'x' || c == 'X') {
    store(ib, static_cast<char>(c));
    base_digit_plus(ib, 16, "hexadecimal");
  } else if (c == 'o') {
    store(ib, 'o');
    base_digit_plus(ib, 8, "octal");
  } else if (c == 'b') {
    store(ib, 'b');
    base_digit_plus(ib, 2, "binary");
  } else {
    decimal_digit_star(ib);
  }
}

long long int_of_token(const std::string& token, char int_size) {
  long long value = int_of_string(token);
  long long low = std::numeric_limits<long long>::min();
  long long high = std::numeric_limits<long long>::max();
  if (int_size == 'l') {
    low = std::numeric_limits<std::int32_t>::min();
    high = std::numeric_limits<std::int32_t>::max();
  } else if (int_size == 'n') {
    low = std::numeric_limits<std::intptr_t>::min();
    high = std::numeric_limits<std::intptr_t>::max();
  }
  if (value < low || value > high) fail("int_of_string");
  return value;
}

[[noreturn]] void premature_end(const char* what) {
  fail(Format::sprintf("scanning of %s failed: premature end of file occurred before end of token", what));
}

char next_in_token(Scanbuf& ib, const char* what) {
  int c = ib.peek();
  if (c < 0) premature_end(what);
  return static_cast<char>(c);
}

int hex_value(char c) {
  if (is_digit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return c - 'A' + 10;
}

// The character after a backslash, collected into the token.
void scan_backslash_char(Scanbuf& ib, const char* what) {
  char c = next_in_token(ib, what);
  auto escaped = [&](char value) {
    ib.consume();
    ib.token.push_back(value);
  };
  switch (c) {
    case '\\': case '\'': case '"': escaped(c); return;
    case 'n': escaped('\n'); return;
    case 't': escaped('\t'); return;
    case 'b': escaped('\b'); return;
    case 'r': escaped('\r'); return;
    default: break;
  }
  auto next_digit = [&](bool hexadecimal) {
    ib.consume();
    char d = next_in_token(ib, what);
    bool ok = hexadecimal ? is_base_digit(16, d) : is_digit(d);
    if (!ok) fail(Format::sprintf("illegal escape character %C", d));
    return d;
  };
  if (is_digit(c)) {
    char c1 = next_digit(false);
    char c2 = next_digit(false);
    ib.consume();
    int code = (c - '0') * 100 + (c1 - '0') * 10 + (c2 - '0');
    if (code > 255) fail(Format::sprintf("bad character decimal encoding \\%c%c%c", c, c1, c2));
    ib.token.push_back(static_cast<char>(code));
    return;
  }
  if (c == 'x') {
    char c1 = next_digit(true);
    char c2 = next_digit(true);
    ib.consume();
    ib.token.push_back(static_cast<char>(hex_value(c1) * 16 + hex_value(c2)));
    return;
  }
  fail(Format::sprintf("illegal escape character %C", c));
}

void scan_caml_string(Scanbuf& ib) {
  check_this_char(ib, '"');
  for (;;) {
    char c = next_in_token(ib, "a String");
    if (c == '"') {
      ib.consume();
      return;
    }
    if (c != '\\') {
      store(ib, c);
      continue;
    }
    ib.consume();
    c = next_in_token(ib, "a String");
    if (c == '\r' || c == '\n') {
      // A line break after a backslash is dropped with the spaces after it;
      // a carriage return without its line feed stays.
      ib.consume();
      if (c == '\r') {
        if (next_in_token(ib, "a String") != '\n') {
          ib.token.push_back('\r');
          continue;
        }
        ib.consume();
      }
      while (next_in_token(ib, "a String") == ' ') ib.consume();
    } else {
      scan_backslash_char(ib, "a String");
    }
  }
}

void scan_caml_char(Scanbuf& ib) {
  check_this_char(ib, '\'');
  char c = next_in_token(ib, "a Char");
  if (c == '\\') {
    ib.consume();
    scan_backslash_char(ib, "a Char");
  } else {
    store(ib, c);
  }
  c = next_in_token(ib, "a Char");
  if (c != '\'') character_mismatch('\'', c);
  ib.consume();
}

std::bitset<256> build_char_set(const Item& item) {
  std::bitset<256> set;
  std::string_view s = item.set;
  for (std::size_t i = 0; i < s.size(); ++i) {
    unsigned char low = static_cast<unsigned char>(s[i]);
    if (i + 2 < s.size() && s[i + 1] == '-') {
      unsigned char high = static_cast<unsigned char>(s[i + 2]);
      for (unsigned c = low; c <= high; ++c) set.set(c);
      i += 2;
    } else {
      set.set(low);
    }
  }
  if (item.negated) set.flip();
  return set;
}

// The set of a pattern item, built once per set text: readers use a handful
// of sets, each on many characters.
const std::bitset<256>& char_set(const Item& item) {
  struct Entry {
    std::string text;
    bool negated;
    std::bitset<256> set;
  };
  thread_local std::vector<Entry> cache;
  for (const Entry& e : cache)
    if (e.negated == item.negated && e.text == item.set) return e.set;
  if (cache.size() >= 64) cache.clear();
  cache.push_back({std::string(item.set), item.negated, build_char_set(item)});
  return cache.back().set;
}

void scan_chars_in_set(Scanbuf& ib, const Item& item, bool keep) {
  const std::bitset<256>& set = char_set(item);
  for (;;) {
    int c = ib.peek();
    if (c < 0 || c == item.stop || !set.test(static_cast<unsigned>(c))) break;
    if (keep) ib.token.push_back(static_cast<char>(c));
    ib.consume();
  }
  if (item.stop >= 0 && ib.peek() >= 0) check_this_char(ib, static_cast<char>(item.stop));
}

void scan_word(Scanbuf& ib, const Item& item) {
  if (item.stop < 0) {
    for (int c = ib.peek(); c >= 0 && !is_white(c); c = ib.peek()) store(ib, static_cast<char>(c));
    return;
  }
  for (int c = ib.peek(); c >= 0 && c != item.stop; c = ib.peek()) store(ib, static_cast<char>(c));
  if (ib.peek() >= 0) ib.consume();
}

void store_int(const Out& out, long long value) {
  if (!out.store_int(out.target, value)) fail("int_of_string");
}

// Runs one conversion; `out` is its target, null when nothing is stored.
// Kept out of line: nested readers recurse through the scan steps, and the
// locals of the conversions must not weigh on every level of that recursion.
[[gnu::noinline]] void run_conversion(Scanbuf& ib, const Item& item, const Out* out) {
  ib.token.clear();
  switch (item.conversion) {
    case 'f':
      scan_float(ib);
      if (out) *static_cast<double*>(out->target) = float_of_string(ib.token);
      else float_of_string(ib.token);
      return;
    case 'd':
    case 'i': {
      scan_int(ib, item.conversion);
      long long value = int_of_token(ib.token, item.int_size);
      if (out) store_int(*out, value);
      return;
    }
    case 'S':
      scan_caml_string(ib);
      break;
    case 'C':
      scan_caml_char(ib);
      if (out) *static_cast<char*>(out->target) = ib.token[0];
      return;
    case 'c': {
      char c = ib.checked_peek();
      if (!item.peek) ib.consume();
      if (out) *static_cast<char*>(out->target) = c;
      return;
    }
    case '[':
      scan_chars_in_set(ib, item, out != nullptr);
      break;
    case 's':
      scan_word(ib, item);
      break;
    case 'l':
      if (out) store_int(*out, ib.line_count());
      return;
    case 'n':
      if (out) store_int(*out, ib.char_count());
      return;
    default:  // %,
      return;
  }
  if (out) *static_cast<std::string*>(out->target) = ib.token;
}

// A pattern prepared for matching: runs of plain characters, which make up
// most of a pattern, are matched as a whole.
struct Op {
  enum Kind : unsigned char { Run, Blank, Newline, Conversion };
  Kind kind;
  std::string_view run;  // the plain characters of a Run
  Item item;             // the conversion of a Conversion
};
using Program = std::vector<Op>;

Program compile(std::string_view pattern) {
  Program program;
  std::size_t i = 0;
  while (i < pattern.size()) {
    const std::size_t at = i;
    const Item item = next_item(pattern, i);
    // "%%" and "%@" stand for one character: only plain characters join a run.
    const bool plain = item.kind == Item::Literal && i == at + 1;
    if (plain && !program.empty() && program.back().kind == Op::Run &&
        program.back().run.data() + program.back().run.size() == pattern.data() + at) {
      program.back().run = std::string_view(program.back().run.data(), program.back().run.size() + 1);
    } else if (plain) {
      program.push_back({Op::Run, pattern.substr(at, 1), {}});
    } else if (item.kind == Item::Blank) {
      program.push_back({Op::Blank, {}, {}});
    } else if (item.kind == Item::Newline) {
      program.push_back({Op::Newline, {}, {}});
    } else {
      program.push_back({Op::Conversion, {}, item});
    }
  }
  return program;
}

// Patterns given to `scan` are literals checked at compile time: the address
// and length of their text identify them for the life of the program. A
// prepared program is never replaced, since an enclosing step may be running
// it while a nested reader prepares its own.
struct Literal_key {
  const char* text;
  std::size_t size;
  bool operator==(const Literal_key&) const = default;
};
struct Literal_key_hash {
  std::size_t operator()(const Literal_key& k) const {
    return std::hash<const char*>()(k.text) ^ (k.size * 0x9e3779b97f4a7c15ULL);
  }
};

[[gnu::noinline]] const Program& program_of_literal(std::string_view pattern) {
  thread_local std::unordered_map<Literal_key, Program, Literal_key_hash> cache;
  auto [it, inserted] = cache.try_emplace(Literal_key{pattern.data(), pattern.size()});
  if (inserted) {
    try {
      it->second = compile(pattern);
    } catch (...) {
      cache.erase(it);  // not left behind as an empty program
      throw;
    }
  }
  return it->second;
}

void match_run(Scanbuf& ib, std::string_view run) {
  if (ib.consume_if_next_run(run)) return;
  for (char c : run) check_this_char(ib, c);
}

void run_program(Scanbuf& ib, const Program& program, const Out* outs) {
  for (const Op& op : program) {
    switch (op.kind) {
      case Op::Run: match_run(ib, op.run); break;
      case Op::Blank: skip_whites(ib); break;
      case Op::Newline: check_newline(ib); break;
      default:
        if (op.item.kind == Item::Literal) {
          check_this_char(ib, op.item.literal);
        } else if (op.item.conversion == 'r') {
          ib.token.clear();
          outs->read(outs->target, ib);
          ++outs;
        } else {
          const Out* out = op.item.out == Out_kind::None ? nullptr : outs++;
          run_conversion(ib, op.item, out);
        }
    }
  }
}

[[noreturn, gnu::noinline]] void rethrow_prefixed(const Scanbuf& ib, const Scan_failure& failure) {
  throw Scan_failure(Format::sprintf("scanf: bad input at char number %i: %s", ib.char_count(), failure.what()));
}

void run_step(Scanbuf& ib, const Program& program, const Out* outs) {
  ib.token.clear();
  try {
    run_program(ib, program, outs);
  } catch (const Nesting_too_deep&) {
    throw;
  } catch (const Scan_failure& failure) {
    rethrow_prefixed(ib, failure);
  }
}

}  // namespace

void scan_step(Scanbuf& ib, std::string_view pattern, const Out* outs) {
  run_step(ib, program_of_literal(pattern), outs);
}

void scan_delimiter(Scanbuf& ib, std::string_view pattern) {
  std::size_t i = 0;
  for (Item item = next_item(pattern, i); item.kind != Item::End; item = next_item(pattern, i))
    if (item.out != Out_kind::None) throw Invalid_argument("scan_delimiter: conversion in pattern");
  run_step(ib, compile(pattern), nullptr);
}

}  // namespace Scanning
