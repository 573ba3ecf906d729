#pragma once
// A small SVG (and HTML) writer: elements, attributes and text, every text
// and attribute value escaped here and nowhere else, numbers written short.
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Svg {

// "&", "<", ">", "\"" and "'" as character references.
std::string escape(std::string_view text);

// A number with at most `decimals` decimals, trailing zeros dropped ("12.5", "3").
std::string number(double value, int decimals = 3);

using attribute = std::pair<std::string_view, std::string>;
using attributes = std::initializer_list<attribute>;

class builder {
 public:
  // <tag a="v" ...>; closed by close().
  builder& open(std::string_view tag, attributes attrs = {});
  builder& close();
  // <tag a="v" .../>
  builder& empty(std::string_view tag, attributes attrs = {});
  // <tag a="v" ...>text</tag>
  builder& element(std::string_view tag, attributes attrs, std::string_view text);
  // Escaped text.
  builder& text(std::string_view text);
  // Markup made by another builder (already escaped), or fixed markup of the program.
  builder& raw(std::string_view markup);
  // Closes what is still open and returns the markup.
  std::string str();

 private:
  void start_tag(std::string_view tag, attributes attrs);
  std::string out_;
  std::vector<std::string> open_;
};

}  // namespace Svg
