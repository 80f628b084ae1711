// The caption sets of the small dialogs: the promotion picker and the PGN
// tag dialog.
#include "captions/beschriftung.h"

namespace galdrik::Sprache {

namespace {

constexpr Eigenschaft Caption = Eigenschaft::Caption;

const Beschriftung kBauernumwandlung[] = {
    {nullptr, kKeinIndex, Caption, "Bauernumwandlung", "Pawn promotion"},
};

// The Ok button keeps its design text in both languages.
const Beschriftung kPGNInfo[] = {
    {nullptr, kKeinIndex, Caption, "Galdrik - Partie-Informationen", "Galdrik - Game informations"},
    {"Label1", kKeinIndex, Caption, "Partie-Informationen", "Game informations"},
    {"Label2", kKeinIndex, Caption, "Turnier", "Event"},
    {"Label3", kKeinIndex, Caption, "Ort", "Site"},
    {"Label4", kKeinIndex, Caption, "Datum", "Date"},
    {"Label5", kKeinIndex, Caption, "Weiß", "White"},
    {"Label6", kKeinIndex, Caption, "Schwarz", "Black"},
    {"Label7", kKeinIndex, Caption, "Runde", "Round"},
    {"Label8", kKeinIndex, Caption, "Resultat", "Result"},
};

}  // namespace

Beschriftungstabelle TabelleBauernumwandlung() { return kBauernumwandlung; }

Beschriftungstabelle TabellePGNInfo() { return kPGNInfo; }

}  // namespace galdrik::Sprache
