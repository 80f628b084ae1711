// File digests through libmd.
#include "core/md5datei.h"

#include <md5.h>

#include <cstdio>

#include "core/textfile.h"

namespace galdrik {

int32_t MD5Datei(const std::string& pfad, MD5Digest& digest) {
  // A device such as /dev/zero would be read for ever.
  std::FILE* datei = LeseDateiOeffnen(pfad);
  if (!datei) return -1;
  MD5_CTX kontext;
  MD5Init(&kontext);
  uint8_t block[1024];
  size_t gesamt = 0;
  for (size_t gelesen; (gelesen = std::fread(block, 1, sizeof block, datei)) > 0; gesamt += gelesen)
    MD5Update(&kontext, block, gelesen);
  // A folder opens but reads nothing: its "digest" would be that of an empty
  // file, and an integrity check would take it for one.
  const bool unlesbar = gesamt == 0 && std::ferror(datei);
  std::fclose(datei);
  if (unlesbar) return -1;
  MD5Final(digest.data(), &kontext);
  return 0;
}

std::string MD5Text(const MD5Digest& digest) {
  constexpr char Ziffern[] = "0123456789abcdef";
  std::string text;
  text.reserve(32);
  for (const uint8_t byte : digest) {
    text.push_back(Ziffern[byte >> 4]);
    text.push_back(Ziffern[byte & 15]);
  }
  return text;
}

}  // namespace galdrik
