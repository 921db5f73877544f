#include "app/StandardStreams.h"

#include <cstdio>
#include <streambuf>

namespace taskwell {
namespace {

// Hands every character straight to a C stream, which keeps its own buffer, so that lines
// written through C and C++ keep their order.
class CStreamBuffer final : public std::streambuf {
 public:
  explicit CStreamBuffer(std::FILE* file) : file_(file) {}

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    return std::fputc(c, file_) == EOF ? traits_type::eof() : c;
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    return static_cast<std::streamsize>(
        std::fwrite(text, 1, static_cast<std::size_t>(count), file_));
  }
  int sync() override { return std::fflush(file_) == 0 ? 0 : -1; }

 private:
  std::FILE* file_;
};

}  // namespace

std::ostream& StandardOutput() {
  static CStreamBuffer buffer(stdout);
  static std::ostream stream(&buffer);
  return stream;
}

std::ostream& StandardError() {
  static CStreamBuffer buffer(stderr);
  static std::ostream stream(&buffer);
  return stream;
}

bool ReadStandardLine(std::string& line) {
  line.clear();
  int c = 0;
  while ((c = std::fgetc(stdin)) != EOF && c != '\n') line.push_back(static_cast<char>(c));
  return c != EOF || !line.empty();
}

}  // namespace taskwell
