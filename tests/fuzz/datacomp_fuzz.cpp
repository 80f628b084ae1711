// Fuzz target for DATACOMP reading: any bytes as a compressed file, read as
// registration reads it and every block decoded. Most mutations of a header
// would only break its CRC, so the header CRC is made right again before
// reading when the first input byte is odd; the rest of the input is the file.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tablebase/datacomp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const bool crcRichten = data[0] & 1;
  std::vector<uint8_t> datei(data + 1, data + size);
  if (crcRichten && datei.size() >= 68) {
    const uint64_t h = uint64_t(datei[64]) << 24 | uint64_t(datei[65]) << 16 |
                       uint64_t(datei[66]) << 8 | datei[67];
    if (h >= 84 && h <= datei.size()) {
      const uint32_t c = galdrik::TbBlockCrc(datei.data(), h - 4, 0);
      for (int i = 0; i < 4; ++i) datei[h - 4 + i] = uint8_t(c >> (24 - 8 * i));
    }
  }
  const int fd = ::memfd_create("datacomp", 0);
  if (fd < 0) return 0;
  if (::write(fd, datei.data(), datei.size()) == ssize_t(datei.size())) {
    galdrik::DatacompFehler fehler;
    const auto info = galdrik::DatacompReadIndex(fd, fehler);
    std::unique_ptr<galdrik::DatacompDecodeBlock> work;
    if (info && galdrik::TbAllocDecodeBlock(&work, galdrik::DatacompBlockSize) == 0) {
      // The exact output size: any write past it is caught by the sanitizer.
      std::vector<uint8_t> out(info->blockSize);
      const uint32_t bloecke = info->blockCount < 256 ? info->blockCount : 256;
      for (uint32_t b = 0; b < bloecke; ++b) {
        const uint32_t laenge = b + 1 == info->blockCount ? info->lastBlockSize : info->blockSize;
        out.resize(laenge);
        galdrik::DatacompDecode(*info, fd, b, out.data(), *work);
      }
    }
  }
  ::close(fd);
  return 0;
}
