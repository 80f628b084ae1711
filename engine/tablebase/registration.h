// Registration of tablebase files: finds the file of one table side and
// extent in a directory under the name forms the files come in, checks its
// size (and the header of a compressed file) and records it in the working
// record, so that the probe can open it on demand.
#pragma once

#include <cstdint>
#include <string>

namespace galdrik {

// File names are built in a buffer of this size: directory, "/", the name
// and its suffixes stay below it.
inline constexpr size_t TbNameBufferSize = 1024;

// 1 when the extent is registered, now or before; 0 when not. The forms
// tried in order, for the table kqkr, side 0 and the directory tb:
// tb/kqkr.nbw (uncompressed), then compressed: tb/kqkr.nbw.emd,
// tb/kqkr_nbw.emd, tb/kqkr_nbw_emd (these two not for split tables) and
// tb/kqkrnbw.emd (only for the three- to five-man tables of set 0). Split
// tables carry the extent ".0" .. ".9", ".a" .. ".h" before the side.
int32_t TbRegisterFile(const std::string& directory, int32_t working, int32_t side, int32_t extent);

// 1 when at least one extent of the side is registered: tries every extent
// below the side's extent count, all of them even after a success.
int32_t TbRegisterSide(const std::string& directory, int32_t working, int32_t side);

// Compares a file's size in entries with the catalogue's count of that
// side (an extent's full size or the last extent's rest for split tables);
// a mismatch is reported and counted, registration goes on.
void TbReportCorrupted(int32_t working, int32_t side, int32_t extent, uint64_t size,
                       const char* fileName);

// Counts a corrupt table file and appends "EGTB-Datei fehlerhaft: <name>"
// to the engine log.
void TBDateiFehler(const char* fileName);

// Table files found corrupt since the count was last reset (DLL_TBError
// reads it, every DLL_TBInit resets it).
uint32_t TbCorruptFileCount();
void TbCorruptFileCountReset();

// Compressed files opened since the process started (never reset).
uint32_t TbCompressedFileCount();

}  // namespace galdrik
