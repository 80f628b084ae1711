// The tablebase manager's fixed class table: the four piece codes of every
// table id in the descriptor order, the class key that packs them into one
// integer, and the class-metric index shared by all per-file tables.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace galdrik {

inline constexpr int32_t TBManagKlassenAnzahl = 441;
inline constexpr int32_t TBManagMetriken = 7;
inline constexpr int32_t TBManagIndexAnzahl = TBManagMetriken * TBManagKlassenAnzahl;  // 3087
inline constexpr int32_t TBManagSlots = 18;

// White's pieces as 1..5 (p n b r q) in the name's order, then Black's as
// -1..-5, padded with 0; kings are implied.
using TBManagKlasse = std::array<int8_t, 4>;

extern const TBManagKlasse TBManagKlassen[TBManagKlassenAnzahl];

// Men of a row, kings included.
int32_t TBManagMaenner(const TBManagKlasse& k);

// Nibble i holds code i + 6, so 6 marks an empty code.
int32_t Klassenschluessel(const TBManagKlasse& k);
TBManagKlasse KlasseAusSchluessel(int32_t schluessel);

// The row holding these codes, -1 when none does.
int32_t TBManagZeile(const TBManagKlasse& k);

// "DTM" .. "DTR" for metric 0..6, "" otherwise.
std::string_view TBManagMetrikName(int32_t metrik);

}  // namespace galdrik
