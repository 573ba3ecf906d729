// The reference for the file-flow benchmark: a process that only reads its
// source file and writes a file of the given size (what the engine's own
// input and output cost, without any work in between).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s source target size\n", argv[0]);
    return 2;
  }
  std::FILE* in = std::fopen(argv[1], "rb");
  if (!in) return 1;
  std::vector<char> buffer(1 << 16);
  std::size_t total = 0;
  for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), in)) > 0;) total += n;
  std::fclose(in);
  std::FILE* out = std::fopen(argv[2], "wb");
  if (!out) return 1;
  const std::string line(79, 'x');
  for (long left = std::atol(argv[3]); left > 0; left -= 80) std::fprintf(out, "%.*s\n", left >= 80 ? 79 : int(left - 1), line.c_str());
  std::fclose(out);
  return total > 0 ? 0 : 1;
}
