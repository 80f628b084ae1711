// The move-sequence job: its worker thread, the report texts and labels it
// writes, and the line store that the walk, the PGN export and the
// game-record insertion read afterwards.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/board.h"
#include "tablebase/zugfolge.h"

namespace galdrik {

inline constexpr size_t ZugfolgeSlotGroesse = 4095;    // characters a slot keeps
inline constexpr size_t ZugfolgeLinieGroesse = 10239;  // characters of the result line
inline constexpr size_t ZugfolgeBezGroesse = 99;       // characters of a label
inline constexpr int ZugfolgeBezAnzahl = 19;

// TBZugfolge: six slots and the result line.
struct TBZugfolgeTexte {
  std::array<std::string, 6> slot;
  std::string linie;
};

// TBSpaziergangListe.
struct TBSpaziergang {
  TBZugfolgeErgebnis ergebnis;
  Stellung stellungen[ZugfolgeMaxLinie];
  int32_t anzahl = 0;        // number of the last valid line position
  bool gespeichert = false;  // a step-0 job has stored a line
};

// The job's library-wide state. Everything but the flags is read by the
// exports only while no job runs.
struct TBZugfolgeJob {
  int32_t parameter[6]{};
  std::atomic<uint8_t> laeuft{0};
  std::atomic<int32_t> resultat{-1};  // -1 no job yet, 1 running, 0 finished
  TBZugfolgeTexte texte;
  std::array<std::string, ZugfolgeBezAnzahl> bezeichnungen;
  TBSpaziergang spaziergang;
  int8_t figurPfade[6][ZugfolgeMaxLinie];
  Stellung startstellung{};  // of the last finished job
  bool pgnTexte = false;     // the last job wrote PGN texts
  bool gelaufen = false;     // a job has finished
};

TBZugfolgeJob& ZugfolgeJob();

// True while a job runs (its outputs are then not to be read).
bool TBZugfolgeAktiv();

// Sets label i (1..19) to a copy cut at 99 bytes on a character boundary;
// a null text counts as empty.
void TBBezeichnungSetzen(int i, const char* text);

// The header and root-move texts of a record into empty texts (PGN or
// short form, with those piece letters); false when the outcome has no
// value.
bool TBZugfolgeKopf(const TBZugfolgeErgebnis& r, TBZugfolgeTexte& t,
                    const std::array<std::string, ZugfolgeBezAnzahl>& bez, bool pgn,
                    const std::string& buchstaben);

// printf into a text of at most 511 bytes, as the report lines need.
std::string TextFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A move's annotation as the line shows it: " $n " in PGN, the sign
// otherwise, a space where there is none.
std::string NagZeichen(int32_t n, bool pgn);

// The job body, on the caller's thread: always 0.
int32_t TBZugfolgeText(const Stellung& start, const int32_t p[6], const std::string& buchstaben);

// Starts the job on a copy of the current position: 0, or -1 when a job runs,
// the step is outside the stored line or the thread cannot start.
int32_t TBZugfolgeStarten(const int32_t p[6]);

// Asks a running job to stop and waits for its thread.
void TBZugfolgeBeenden();

}  // namespace galdrik
