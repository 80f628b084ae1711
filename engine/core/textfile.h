// Reading text files line by line, whatever their line ends and encoding:
// a trailing CR is dropped, so CRLF files read as LF files, lines up to a
// generous bound are read whole, and a line that is not valid UTF-8 is taken
// as Windows-1252 and converted, so files from older Windows tools still load.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace galdrik {

bool IstUtf8(std::string_view text);

// The text as UTF-8: unchanged when it already is, else read as Windows-1252.
std::string NachUtf8(std::string_view text);

// The text cut to at most max bytes without splitting a UTF-8 sequence.
std::string_view Utf8Kuerzen(std::string_view text, size_t max);

// The longest line a reader takes: far beyond any line of the files read
// here, and a bound on what a file without line feeds can make it hold.
inline constexpr size_t MaxZeilenLaenge = size_t{1} << 20;

// Opens a regular file for reading ("rb"): nullptr for a missing file and
// for a folder, device or pipe, whose reads never end or never begin. With
// groesse, the file's size.
std::FILE* LeseDateiOeffnen(const std::string& pfad, uint64_t* groesse = nullptr);

class Zeilenleser {
 public:
  explicit Zeilenleser(const std::string& pfad);
  ~Zeilenleser();
  Zeilenleser(const Zeilenleser&) = delete;
  Zeilenleser& operator=(const Zeilenleser&) = delete;

  // False also for what is not a regular file.
  bool offen() const { return datei_ != nullptr; }

  // The next line without its line end, converted to UTF-8; false at the end
  // of the file, and from then on, after a read error or a line longer than
  // MaxZeilenLaenge. A last line without a line feed is still returned.
  bool lesen(std::string& zeile);

  // Whether reading stopped at an error or an overlong line rather than at
  // the end of the file.
  bool fehler() const { return fehler_; }

 private:
  std::FILE* datei_;
  bool fehler_ = false;
};

}  // namespace galdrik
