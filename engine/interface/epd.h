// EPD files: the one loaded file as a table of lines, reading a line into a
// position and its target ("bm", "am", "dm"), the EPD test that searches
// every line and keeps a result word per line, and writing single lines.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/board.h"

namespace galdrik {

// Kinds of target (the root search's EPD modes).
inline constexpr int32_t EPDKeinZiel = 0;
inline constexpr int32_t EPDBestZug = 1;      // "bm"
inline constexpr int32_t EPDVermeideZug = 2;  // "am"
inline constexpr int32_t EPDMattIn = 3;       // "dm"

// Results of EPDInterpretieren.
inline constexpr int32_t EPDGelesen = 0;
inline constexpr int32_t EPDStellungFehler = -1;   // position fields malformed or illegal
inline constexpr int32_t EPDOperationFehler = -2;  // an operation's move or depth invalid

// Result words of the test.
inline constexpr int16_t EPDNichtGetestet = -3;
inline constexpr int16_t EPDUnlesbar = -2;
inline constexpr int16_t EPDNichtGeloest = -1;

// A line is read in pieces of at most this many bytes, as the file format
// has always been read: a longer line counts as several.
inline constexpr size_t EPDZeilenLaenge = 1023;

// The biggest EPD file taken: the table holds the whole file in memory, and
// the largest test suites are a few megabytes.
inline constexpr uint64_t MaxEPDDateiGroesse = uint64_t{256} << 20;

// The test's counters, always read as one consistent set.
struct EPDTestStand {
  int32_t aktuelleZeile = 0;  // the line under test; the count at the end
  int32_t geloest = 0;
  int32_t gesamtZeit = 0;  // seconds: solved lines their time, failed ones the hard limit
};

// The loaded file (EPDTabelle) and the state of the test over it. The test
// thread writes the result words and counters while the program polls them;
// the lines themselves change only while no test runs.
class EPDTabelle {
 public:
  std::vector<std::string> zeilen;  // as read, UTF-8, with the line feed when there was one
  std::unique_ptr<std::atomic<int16_t>[]> ergebnis;

  int32_t anzahl() const { return static_cast<int32_t>(zeilen.size()); }
  bool gueltig(int32_t zeile) const { return zeile >= 0 && zeile < anzahl(); }

  // Written by the one test thread after each line, read by any poll:
  // a reader never sees the counters of one line with the index of another,
  // and sees the result words of every line the index covers.
  void standSetzen(const EPDTestStand& neu);
  EPDTestStand stand() const;

 private:
  std::atomic<uint32_t> version_{0};  // odd while the counters are being written
  std::atomic<int32_t> aktuelleZeile_{0};
  std::atomic<int32_t> geloest_{0};
  std::atomic<int32_t> gesamtZeit_{0};
};

EPDTabelle& EPD();

// 0, or -1 when the file cannot be opened, is no regular file or is bigger
// than MaxEPDDateiGroesse (no table is left then). The old table is always
// freed first.
int32_t EPDDateiLaden(const char* pfad);
void EPDDateiFrei();

// Reads the line (a trailing line end is ignored). On 0 st is the line's
// position, complete with check flags, key and evaluation; ziel the target
// ("bm"/"am": the first move named, "dm": only byte 7, the mate depth) and
// art its kind. With zuege, every move a "bm"/"am" names lands there. The
// board obeys every rule a FEN board does.
int32_t EPDInterpretieren(std::string_view zeile, Stellung& st, Zug& ziel, int32_t& art,
                          Zugliste* zuege = nullptr);

// Result words to "not tested", counters to 0.
void EPDTestZuruecksetzen();

// Searches every line in turn with the two limits (seconds) and judges it;
// ends early once abbruch is set, leaving the interrupted line unjudged and
// uncounted. Returns the current line index.
int32_t EPDTestLauf(int32_t weichZeit, int32_t hartZeit, const std::atomic<uint8_t>& abbruch);

// Writes the line and a line feed, appending or replacing the file: 0, or -1
// when the file cannot be opened or written.
int32_t EPDZeileSpeichern(const char* pfad, const char* zeile, bool anhaengen);

}  // namespace galdrik
