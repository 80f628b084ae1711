// Reading the MD5 reference list, the md5sum-text collector and the list's
// self-check.
#include "analysis/md5liste.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iomanip>

#include "analysis/tbmanagklassen.h"

namespace galdrik {

bool MD5ListeLesen(const std::string& pfad, std::vector<MD5Digest>& liste) {
  std::ifstream in(pfad, std::ios::binary);
  if (!in) return false;
  liste.assign(MD5ListeEintraege, MD5KeinDigest);
  in.read(reinterpret_cast<char*>(liste.data()), std::streamsize(liste.size() * sizeof(MD5Digest)));
  // A part entry at the end of a cut file is no digest either.
  const auto ganze = static_cast<size_t>(in.gcount()) / sizeof(MD5Digest);
  if (ganze < liste.size()) liste[ganze] = MD5KeinDigest;
  return true;
}

bool MD5ListeEintrag(const std::string& pfad, int32_t nr, MD5Digest& digest) {
  std::ifstream in(pfad, std::ios::binary);
  if (!in) return false;
  digest = MD5KeinDigest;
  if (nr < 0 || nr >= MD5ListeEintraege) return true;
  MD5Digest gelesen;
  in.seekg(std::streamoff(nr) * std::streamoff(sizeof(MD5Digest)));
  if (in.read(reinterpret_cast<char*>(gelesen.data()), sizeof gelesen)) digest = gelesen;
  return true;
}

namespace {

// Words longer than this are no digest and no file name of a table.
constexpr size_t WortGrenze = 255;

int HexWert(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool DigestAusText(const std::string& wort, MD5Digest& digest) {
  if (wort.size() != 32) return false;
  for (size_t i = 0; i < 16; ++i) {
    const int hoch = HexWert(wort[2 * i]), tief = HexWert(wort[2 * i + 1]);
    if (hoch < 0 || tief < 0) return false;
    digest[i] = static_cast<uint8_t>(hoch * 16 + tief);
  }
  return true;
}

// The list entry a file name stands for, or the collector's error code.
int32_t EintragAusName(const std::string& name, int32_t& nr, int32_t& nrAndereSeite) {
  if (name.empty() || name.size() > WortGrenze || name[0] != 'k') return -4;
  TBManagKlasse codes{};
  int anzahl = 0;
  bool schwarz = false;
  size_t d = name.size();
  for (size_t i = 1; i < name.size(); ++i) {
    const char c = name[i];
    if (c == '.') {
      d = i;
      break;
    }
    if (c == 'k') {
      schwarz = true;
      continue;
    }
    constexpr std::string_view Buchstaben = "pnbrq";
    const size_t art = Buchstaben.find(c);
    if (art == std::string_view::npos) continue;
    if (anzahl == 4) return -4;
    const int code = static_cast<int>(art) + 1;
    codes[anzahl++] = static_cast<int8_t>(schwarz ? -code : code);
  }
  // Split tables name their extent between the class and the side part:
  // kqkr.1.nbw, kqkr.a.nbw.
  int32_t slot = 0;
  size_t seitenPos = d + 3;
  if (name.size() > d + 2 && name[d + 2] == '.') {
    const char s = name[d + 1];
    if (s >= '0' && s <= '9')
      slot = s - '0';
    else if (s >= 'a' && s <= 'h')
      slot = s - 'a' + 10;
    else
      return -5;
    seitenPos = d + 5;
  }
  if (name.size() <= seitenPos) return -5;
  const char seite = name[seitenPos];
  if (seite != 'w' && seite != 'b') return -5;
  const int32_t zeile = TBManagZeile(codes);
  if (zeile <= 0) return -6;
  const int32_t t = seite == 'w' ? 0 : 1;
  nr = (zeile * 2 + t) * 18 + slot;
  nrAndereSeite = (zeile * 2 + (1 - t)) * 18 + slot;
  return 0;
}

}  // namespace

int32_t MD5Kollektor(const std::string& textPfad, const std::string& listePfad) {
  std::vector<MD5Digest> block(MD5BlockEintraege, MD5KeinDigest);
  std::ifstream text(textPfad, std::ios::binary);
  if (!text) return -1;
  // Words as md5sum writes them, a digest and a name per line, taken in
  // pairs whatever the blanks between them.
  for (std::string digestWort; text >> std::setw(WortGrenze + 1) >> digestWort;) {
    MD5Digest digest;
    if (!DigestAusText(digestWort, digest)) return -3;
    std::string name;
    if (!(text >> std::setw(WortGrenze + 1) >> name)) return -4;
    int32_t nr = 0, andere = 0;
    if (const int32_t fehler = EintragAusName(name, nr, andere); fehler != 0) return fehler;
    block[nr] = digest;
    // A table with one file set has one file for both sides, whichever line
    // comes first.
    if (block[andere] == MD5KeinDigest) block[andere] = digest;
  }
  if (text.bad()) return -1;
  text.close();

  if (listePfad.empty()) return -2;
  const std::string tmp = listePfad + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return -2;
    out.write(reinterpret_cast<const char*>(block.data()),
              std::streamsize(block.size() * sizeof(MD5Digest)));
    out.close();
    if (!out) {
      std::remove(tmp.c_str());
      return -2;
    }
  }
  std::error_code fehler;
  std::filesystem::rename(tmp, listePfad, fehler);
  if (fehler) {
    std::remove(tmp.c_str());
    return -2;
  }
  return 0;
}

int32_t MD5ListeDoppelcheck(const std::string& pfad) {
  MD5Digest digest;
  if (MD5Datei(pfad, digest) != 0) return -1;
  return MD5Text(digest) == MD5ListeSollDigest ? 1 : 0;
}

}  // namespace galdrik
