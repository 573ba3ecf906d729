#include "text/scan_engine.hpp"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "text/exceptions.hpp"
#include "text/format.hpp"
#include "text/scan_items.hpp"
#include "text/scanning.hpp"

namespace Scan_engine {

using Scan_patterns::Item;
using Scan_patterns::next_item;
using Scan_patterns::Out;
using Scan_patterns::Out_kind;
using Scanning::Scanbuf;

namespace {

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
  for (char c : run) Scan_items::check_char(ib, c);
}

void run_program(Scanbuf& ib, const Program& program, const Out* outs) {
  for (const Op& op : program) {
    switch (op.kind) {
      case Op::Run: match_run(ib, op.run); break;
      case Op::Blank: ib.skip_whites(); break;
      case Op::Newline: Scan_items::check_newline(ib); break;
      default:
        if (op.item.kind == Item::Literal) {
          Scan_items::check_char(ib, op.item.literal);
        } else if (op.item.conversion == 'r') {
          ib.token.clear();
          outs->read(outs->target, ib);
          ++outs;
        } else {
          const Out* out = op.item.out == Out_kind::None ? nullptr : outs++;
          Scan_items::run_conversion(ib, op.item, out);
        }
    }
  }
}

[[noreturn, gnu::noinline]] void rethrow_prefixed(const Scanbuf& ib, const Scan_failure& failure) {
  throw Scan_failure(Format::sprintf("scanf: bad input at char number %i: %s", ib.char_count(), failure.message()));
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

}  // namespace Scan_engine
