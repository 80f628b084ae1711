// Line reader and encoding repair.
#include "core/textfile.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>

namespace galdrik {

bool IstUtf8(std::string_view text) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    int folge;
    uint32_t wert;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      folge = 1;
      wert = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      folge = 2;
      wert = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      folge = 3;
      wert = c & 0x07;
    } else {
      return false;
    }
    if (i + static_cast<size_t>(folge) >= n) return false;
    for (int k = 1; k <= folge; ++k) {
      const unsigned char f = static_cast<unsigned char>(text[i + k]);
      if ((f & 0xC0) != 0x80) return false;
      wert = (wert << 6) | (f & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if ((folge == 2 && wert < 0x800) || (folge == 3 && wert < 0x10000) || wert > 0x10FFFF ||
        (wert >= 0xD800 && wert <= 0xDFFF))
      return false;
    i += static_cast<size_t>(folge) + 1;
  }
  return true;
}

std::string_view Utf8Kuerzen(std::string_view text, size_t max) {
  if (text.size() <= max) return text;
  size_t n = max;
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  return text.substr(0, n);
}

std::string NachUtf8(std::string_view text) {
  if (IstUtf8(text)) return std::string(text);
  // Windows-1252 0x80..0x9F; the unassigned five map to themselves.
  static constexpr char16_t cp1252[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    uint32_t u = c;
    if (c >= 0x80 && c <= 0x9F) u = cp1252[c - 0x80];
    if (u < 0x80) {
      out.push_back(static_cast<char>(u));
    } else if (u < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (u >> 6)));
      out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (u >> 12)));
      out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    }
  }
  return out;
}

std::FILE* LeseDateiOeffnen(const std::string& pfad, uint64_t* groesse) {
  std::FILE* datei = std::fopen(pfad.c_str(), "rb");
  if (!datei) return nullptr;
  struct stat info {};
  if (::fstat(::fileno(datei), &info) != 0 || !S_ISREG(info.st_mode)) {
    std::fclose(datei);
    return nullptr;
  }
  if (groesse) *groesse = static_cast<uint64_t>(info.st_size);
  return datei;
}

Zeilenleser::Zeilenleser(const std::string& pfad) : datei_(LeseDateiOeffnen(pfad)) {}

Zeilenleser::~Zeilenleser() {
  if (datei_) std::fclose(datei_);
}

bool Zeilenleser::lesen(std::string& zeile) {
  zeile.clear();
  if (!datei_ || fehler_) return false;
  bool zeilenende = false;
  for (int c; !zeilenende && (c = getc_unlocked(datei_)) != EOF;) {
    if (zeile.size() > MaxZeilenLaenge) {
      fehler_ = true;
      zeile.clear();
      return false;
    }
    zeile.push_back(static_cast<char>(c));
    zeilenende = c == '\n';
  }
  if (std::ferror(datei_)) {
    fehler_ = true;
    zeile.clear();
    return false;
  }
  if (zeile.empty() && !zeilenende) return false;
  if (!zeile.empty() && zeile.back() == '\n') zeile.pop_back();
  if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
  if (!IstUtf8(zeile)) zeile = NachUtf8(zeile);
  return true;
}

}  // namespace galdrik
