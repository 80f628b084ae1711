// The main window's caption set: its title, the menu entries, and the
// output label that names what the engine panel shows. The panels' rows
// join it with the panels.
#include "captions/beschriftung.h"
#include "shell/oberflaeche.h"
#include "shell/sprache.h"

namespace galdrik::Sprache {

namespace {

constexpr Eigenschaft Caption = Eigenschaft::Caption;

bool imTablebaseModus(const QWidget& fenster) {
  const auto* o = qobject_cast<const Oberflaeche*>(&fenster);
  return o && o->bTBModus != Falsch;
}

// clang-format off
const Beschriftung kOberflaeche[] = {
    {nullptr, kKeinIndex, Caption, "Schachprogramm Galdrik", "Chess program Galdrik"},

    {"MenüPartie", kKeinIndex, Caption, "&Partie", "&Game"},
    {"MenüPartieNeu", kKeinIndex, Caption, "&Neue Partie", "&New game"},
    {"MenüPartieÖffnenPGN", kKeinIndex, Caption, "PGN-Datei &öffnen...", "&Open PGN file..."},
    {"MenüPartieSpeichernPGN", kKeinIndex, Caption, "Partie als &PGN speichern...", "Save game as &PGN..."},
    {"MenüPartiePositionSpeichernEPD", kKeinIndex, Caption, "Position als &EPD speichern...", "Save position as &EPD..."},
    {"MenüPartieProgrammBeenden", kKeinIndex, Caption, "Programm bee&nden", "&Quit program"},
    {"MenüTests", kKeinIndex, Caption, "&Tests", "&Tests"},
    {"MenüTestsHashtabellenLeeren", kKeinIndex, Caption, "Hashtabellen leeren", "Clear Hash tables"},
    {"MenüTestsEPD", kKeinIndex, Caption, "EPD...", "EPD..."},
    {"MenüTestsSpeedEval", kKeinIndex, Caption, "Geschwindigkeitstest Positionsbewertung", "Speed test of positional evaluation"},
    {"MenüTestsSpeedMovegen", kKeinIndex, Caption, "Geschwindigkeitstest Zuggenerator", "Speed test of move generator"},
    {"MenüTestsFENFigurenfeldstatistik", kKeinIndex, Caption, "FEN-Figurenfeldstatistik erstellen...", "Generate FEN piece square statistic..."},
    {"MenüTestsLKGeschwindigkeit", kKeinIndex, Caption, "LK-Geschwindigkeit", "LK speed"},
    {"MenüTestsZLGeschwindigkeit", kKeinIndex, Caption, "ZL-Geschwindigkeit", "ZL speed"},
    {"MenüAnsicht", kKeinIndex, Caption, "Ansicht", "&View"},
    {"MenüAnsichtSchachbrett", kKeinIndex, Caption, "Schachbrett", "Chess &board"},
    {"MenüAnsichtPartieNotation", kKeinIndex, Caption, "Partie-Notation", "Game &notation"},
    {"MenüAnsichtEngineOutput", kKeinIndex, Caption, "Engine/Datenbank-Output", "&Engine/database output"},
    {"MenüExtras", kKeinIndex, Caption, "&Extras", "&Extras"},
    {"MenüExtrasSprache", kKeinIndex, Caption, "&Sprache", "&Language"},
    {"MenüExtrasSpracheDt", kKeinIndex, Caption, "&Deutsch", "&German"},
    {"MenüExtrasSpracheEn", kKeinIndex, Caption, "&Englisch", "&English"},
    {"MenüExtrasSpracheFr", kKeinIndex, Caption, "&Französisch", "&French"},
    {"MenüExtrasEGTBSpezialdatenbank", kKeinIndex, Caption, "EGTB-Spezial&datenbank...", "EGTB special &database..."},
    {"MenüExtrasEGTBVerwaltung", kKeinIndex, Caption, "EG&TB-Verwaltung...", "EG&TB manager..."},
    {"MenüExtrasEinstellungen", kKeinIndex, Caption, "&Einstellungen...", "&Options..."},
    {"MenüHilfe", kKeinIndex, Caption, "&?", "&?"},
    {"MenüHilfeInfo", kKeinIndex, Caption, "Info...", "Info..."},
    {"MenüPopUpSuchmaskenZurücksetzen", kKeinIndex, Caption, "Suchmaske zurücksetzen", "Reset search mask"},
    {"MenüPopUpSuchmaskenLetzte", kKeinIndex, Caption, "Letzte Suchmaske", "Last search mask"},
    {"MenüPopUpSuchmaskenVorletzte", kKeinIndex, Caption, "Vorletzte Suchmaske", "Before last search mask"},
    {"MenüPopUpErgebnisverwaltungSpeichern", kKeinIndex, Caption, "Ergebnis speichern...", "Save result..."},
    {"MenüPopUpErgebnisverwaltungLaden", kKeinIndex, Caption, "Ergebnis laden...", "Load result..."},
    {"MenüPopUpDatenbankDarstellungZugfolgeHinzu", kKeinIndex, Caption, "Zugfolge hinzufügen", "Add move sequence"},
    {"MenüPopUpDatenbankDarstellungMetrikOptimal", kKeinIndex, Caption, "metrik-optimal", "metric optimal"},
    {"MenüPopUpDatenbankDarstellungEinzigeZüge", kKeinIndex, Caption, "einzige Züge", "unique moves"},
    {"MenüPopUpNotationZugAufwerten", kKeinIndex, Caption, "Zug aufwerten", "Promote move"},
    {"MenüPopUpNotationBewertung", kKeinIndex, Caption, "Bewertung", "Assessment"},
    {"MenüPopUpNotationNAG", 0, Caption, "(keine)", "(None)"},
    {"MenüPopUpNotationNAG", 1, Caption, "!", "!"},
    {"MenüPopUpNotationNAG", 2, Caption, "?", "?"},
    {"MenüPopUpNotationNAG", 3, Caption, "!!", "!!"},
    {"MenüPopUpNotationNAG", 4, Caption, "??", "??"},
    {"MenüPopUpNotationNAG", 5, Caption, "!?", "!?"},
    {"MenüPopUpNotationNAG", 6, Caption, "?!", "?!"},
    {"MenüPopUpNotationNAG", 8, Caption, "einziger Zug", "Only move"},
    {"MenüPopUpNotationKommentar", kKeinIndex, Caption, "Kommentar...", "Comment..."},
    {"MenüPopUpNotationLöschen", kKeinIndex, Caption, "Löschen", "Delete"},

    // The output label names the engine's output, or the database's while
    // the window is in tablebase mode; the texts are the message tables'.
    {"ObfLabelEngine", kKeinIndex, Caption, nullptr, nullptr, &TxtEngineAusgabe},
    {"ObfLabelEngine", kKeinIndex, Caption, nullptr, nullptr, &TxtDatenbankAusgabe,
     imTablebaseModus},
};
// clang-format on

}  // namespace

Beschriftungstabelle TabelleOberflaeche() { return kOberflaeche; }

}  // namespace galdrik::Sprache
