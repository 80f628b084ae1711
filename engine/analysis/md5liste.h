// The MD5 reference list of the tablebase files: 16-byte digests, one per
// class-metric index, side and file slot, 16 x 0xFF where the list holds no
// digest; the collector that turns md5sum output into one metric's block of
// it, and the self-check of the list file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/md5datei.h"

namespace galdrik {

inline constexpr int32_t MD5BlockEintraege = 441 * 2 * 18;           // 15,876: one metric
inline constexpr int32_t MD5ListeEintraege = 7 * MD5BlockEintraege;  // 111,132
inline constexpr MD5Digest MD5KeinDigest = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                            0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// The digest of the list file that comes with the program. The program
// comes with no digests of anybody's files: this is the list with no digest
// in it (111,132 empty entries).
inline constexpr char MD5ListeSollDigest[] = "46d276df28a6ba10f8b24123d856c54b";

// Entry of class-metric index, manager side (1 White to move, 0 Black to
// move) and slot: t = 0 for the White-to-move file.
constexpr int32_t MD5ListeEintragNr(int32_t index, int32_t seite, int32_t slot) {
  return (index * 2 + (seite == 1 ? 0 : 1)) * 18 + slot;
}

// The whole list; entries beyond the end of a short file read as empty.
// False when the file cannot be opened.
bool MD5ListeLesen(const std::string& pfad, std::vector<MD5Digest>& liste);

// One entry, read the same way.
bool MD5ListeEintrag(const std::string& pfad, int32_t nr, MD5Digest& digest);

// 0 written; -1 text not readable; -2 list not creatable; -3 a digest word
// not of 32 hex digits; -4 a name not starting with "k", with more than four
// piece letters, over-long or missing; -5 a bad slot or side part; -6 no
// class of those pieces. The block is written only when every line passed.
int32_t MD5Kollektor(const std::string& textPfad, const std::string& listePfad);

// 1 the list file's digest is the expected one, 0 it differs, -1 the file
// cannot be read.
int32_t MD5ListeDoppelcheck(const std::string& pfad);

}  // namespace galdrik
