// Reading text files line by line, whatever their line ends and encoding:
// a trailing CR is dropped, so CRLF files read as LF files, lines of any
// length are read whole, and a line that is not valid UTF-8 is taken as
// Windows-1252 and converted, so files from older Windows tools still load.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace galdrik {

bool IstUtf8(std::string_view text);

// The text as UTF-8: unchanged when it already is, else read as Windows-1252.
std::string NachUtf8(std::string_view text);

// The text cut to at most max bytes without splitting a UTF-8 sequence.
std::string_view Utf8Kuerzen(std::string_view text, size_t max);

class Zeilenleser {
 public:
  explicit Zeilenleser(const std::string& pfad);
  ~Zeilenleser();
  Zeilenleser(const Zeilenleser&) = delete;
  Zeilenleser& operator=(const Zeilenleser&) = delete;

  bool offen() const { return datei_ != nullptr; }

  // The next line without its line end, converted to UTF-8; false at the end
  // of the file. A last line without a line feed is still returned.
  bool lesen(std::string& zeile);

 private:
  std::FILE* datei_;
};

}  // namespace galdrik
