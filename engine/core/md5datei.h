// The MD5 digest (RFC 1321) of a whole file, as the tablebase manager checks
// its files and as the test menu shows it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace galdrik {

using MD5Digest = std::array<uint8_t, 16>;

// 0 with the digest of the whole file; -1 when it cannot be opened or not a
// byte of it can be read, a folder for one (the digest is then left as it
// was). A read error later on ends the digest at the bytes read so far.
int32_t MD5Datei(const std::string& pfad, MD5Digest& digest);

// The digest as 32 lower-case hex digits.
std::string MD5Text(const MD5Digest& digest);

}  // namespace galdrik
