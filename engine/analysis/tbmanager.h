// The tablebase manager's view of the installed files: the element list of
// one men count and metric with the status words of every file, the row
// texts and designations the manager window shows, the assignment of a file
// to its table by digest, and the log of the last successful checks.
#pragma once

#include <cstdint>
#include <string>

#include "analysis/tbmanagklassen.h"

namespace galdrik {

inline constexpr int32_t TBManagElementeMax = 295;  // the six-men rows of one metric

// Filter bits of the element list.
inline constexpr int32_t TBManagNurRegistrierte = 1;
inline constexpr int32_t TBManagNurFehlerhafte = 4;

// Status words: bit 0 the file is registered, plus the check status.
inline constexpr int32_t TBManagStatusIntakt = 2;
inline constexpr int32_t TBManagStatusFehlerhaft = 4;
inline constexpr int32_t TBManagStatusUnklar = 8;

struct TBManagElement {
  int32_t schluessel;               // Klassenschluessel
  int32_t index;                    // class-metric index
  int32_t status[2][TBManagSlots];  // [side][slot], as when the list was built
};

// Rebuilds the list; the element count, or 0 for a men count outside 3..6
// or a metric outside 0..6 (the list is then left as it was).
int32_t TBManagInit(int32_t maenner, int32_t metrik, int32_t filter);

int32_t TBManagElementAnzahl();

// The element, or null for an index outside the list.
const TBManagElement* TBManagElementLesen(int32_t element);

// The status word of one file of an element; 0 for anything out of range.
int32_t TBManagCheckStatus(int32_t element, int32_t seite, int32_t slot);

// The texts a row is made of, as the program passes them.
struct TBManagTexte {
  std::string buchstaben;  // 13 piece letters by code + 6
  std::string bezWeiss, bezSchwarz;
  std::string registriert, fehlt, intakt, fehlerhaft, unklar;
};

// The row text of one file (slot 0..17) or of a whole side (any other slot);
// "" for an element outside the list.
std::string TBManagZeilentext(int32_t element, int32_t seite, int32_t slot, const TBManagTexte& t,
                              bool mitDatum);

// The designation of a file by class-metric index; "?" when it comes out
// empty.
std::string TBManagBezeichnung(int32_t index, int32_t seite, int32_t slot, const TBManagTexte& t);

// The registered name of a file; for the second side of a table with one
// file set, that set's file. "" when none.
std::string TBManagDateiname(int32_t index, int32_t seite, int32_t slot);

// The check time of a file; 0 for anything out of range.
uint32_t TBManagPruefzeit(int32_t element, int32_t seite, int32_t slot);

// Local calendar time in the 24-character form "Sat Jan  1 12:00:00 2000"
// and a newline, independent of the process's locale.
std::string TBManagZeittext(uint32_t zeit);

// 1 found (index, side, slot set), 0 not found, -1 empty path or list not
// readable, -2 the file's digest cannot be computed.
int32_t TBManagDateiZuordnen(const std::string& pfad, int32_t& index, int32_t& seite,
                             int32_t& slot);

// Writes both check-time tables (White-to-move first) to the log: 0, or -1
// when it cannot be written (an earlier log is then kept).
int32_t TBManagLogSchreiben(const std::string& pfad);

}  // namespace galdrik
