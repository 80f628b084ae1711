// DATACOMP encoder for making test files: not part of the library, which
// only reads them. Shared by galdrik-datacomp, the tests and the benchmark.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace galdrik::datacomp {

// The notice our files carry after the banner prefix (31 bytes).
inline constexpr char EncoderNotice[] = "Galdrik test encoder (c) 2026\r\n";
static_assert(sizeof(EncoderNotice) == 32);

// A whole compressed file of the bytes (at least one): 8192-byte blocks,
// 24 distances chosen from the data, one length-limited canonical code for
// the file, blocks stored raw where coding does not shrink them. Empty for
// empty input. Other block sizes (2^blockBits) only make files the library
// must refuse.
std::vector<uint8_t> Compress(const uint8_t* data, size_t size, int blockBits = 13);

// Decodes a compressed file through the library's reader into out; false
// with a message in fehler on any failure.
bool Decompress(const std::string& pfad, std::vector<uint8_t>& out, std::string& fehler);

}  // namespace galdrik::datacomp
