// PGN files: writing the current game, the index of a file's games (their
// tags and the lines of each movetext), reading one movetext again, parsing a
// movetext into a game tree and loading a game into the game record.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/board.h"
#include "core/textfile.h"
#include "interface/partie.h"
#include "interface/zugknoten.h"

namespace galdrik {

// Tags an index record keeps: the seven of the game record, then these two.
inline constexpr int TagSetUp = PartieTagAnzahl;
inline constexpr int TagFEN = PartieTagAnzahl + 1;
inline constexpr int PGNTagAnzahl = PartieTagAnzahl + 2;
inline constexpr std::array<std::string_view, PGNTagAnzahl> PGNTagNamen = {
    "Event", "Site", "Date", "Round", "White", "Black", "Result", "SetUp", "FEN"};

// Longest tag value the index takes, in bytes; a longer one refuses the file.
inline constexpr size_t PGNTagwertLaenge = 255;

// Results of PGNDateiIndex.
inline constexpr int32_t PGNNichtGeoeffnet = -1;
inline constexpr int32_t PGNTagFehlerhaft = -4;  // unclosed tag line or value too long

// Results of PGNPartieLaden.
inline constexpr int32_t PGNFENUngueltig = -1;
inline constexpr int32_t PGNStartplyZuGross = -2;
// The game is loaded as far as the record holds it (MaxPartiePly); the rest
// of its movetext is not, and the engine log says so.
inline constexpr int32_t PGNPartieZuLang = -3;
inline constexpr std::string_view PGNPartieZuLangMeldung =
    "PGN-Partie zu lang: nur bis zum Halbzug 6299 geladen\n";

struct PGNIndexSatz {
  std::array<std::string, PGNTagAnzahl> tags;  // SetUp "0" unless the file says otherwise
  int32_t ersteZeile = 0;                      // first movetext line, 0-based
  int32_t zeilenAnzahl = 0;                    // movetext lines
  PGNIndexSatz() { tags[TagSetUp] = "0"; }
};

// The indexed file's games; empty when no file is indexed.
struct PGNDatenbank {
  std::vector<PGNIndexSatz> saetze;
  // The move at which the last game loaded by number stopped being read,
  // with its move number; empty when it was read whole.
  std::string abbruch;
};

PGNDatenbank& Datenbank();

// The current game as PGN: an empty line, the tags, SetUp and FEN when it
// does not start from the initial position, an empty line, the movetext and
// the result.
std::string PGNPartieText();

// Writes (or appends) the current game. 0, or -1 when the file cannot be
// written.
int32_t PGNSpeichern(const std::string& pfad, bool anhaengen);

// The games of the file: their count, PGNNichtGeoeffnet or PGNTagFehlerhaft
// (then `saetze` is empty). Lines may be of any length; CR LF reads as LF.
int32_t PGNDateiIndex(const std::string& pfad, std::vector<PGNIndexSatz>& saetze);

// Lines erste .. erste + anzahl - 1 of the file, each with its line feed,
// without the lines that start with "%". Length of the text, or -1.
int32_t PGNPartieTextLesen(const std::string& pfad, int32_t erste, int32_t anzahl,
                           std::string& text);

// Reads the movetexts of one file in index order in a single pass: each call
// goes on from where the previous one stopped, so walking every game of a
// large file does not read its beginning again for each game.
class PGNZugtextLeser {
 public:
  explicit PGNZugtextLeser(const std::string& pfad) : leser_(pfad) {}

  // As PGNPartieTextLesen; -1 also when `erste` lies before the lines the
  // previous call read.
  int32_t lesen(int32_t erste, int32_t anzahl, std::string& text);

 private:
  Zeilenleser leser_;
  int32_t naechste_ = 0;  // number of the line the next read returns
  std::string zeile_;
};

// A new game from the record's tags and start position with the movetext's
// moves; the root is current. 0, PGNFENUngueltig, PGNStartplyZuGross or
// PGNPartieZuLang. `abbruch` as for PGNZugtextParsen.
int32_t PGNPartieLaden(const PGNIndexSatz& satz, std::string_view zugtext,
                       std::string* abbruch = nullptr);

// The movetext as a tree below a new root holding the start position. The
// parse keeps whatever it read up to a token it cannot play (in a variation
// it goes on after the variation); the first such token, with its move
// number ("2. Qxf7", "5... Nc6"), goes to `abbruch`, which stays as it was
// when every move was read. nullptr only when memory runs out. With voll,
// whether a move was left out because the record was full.
Partiewurzel* PGNZugtextParsen(const Stellung& start, int32_t wurzelPly, std::string_view zugtext,
                               std::string* abbruch = nullptr, bool* voll = nullptr);

}  // namespace galdrik
