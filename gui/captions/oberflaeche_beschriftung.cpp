// The main window's caption set: its title, the menu entries, the board,
// notation, engine and PGN controls and the position-setup panel; and the
// texts of its design, which are the same in both languages. The rows of
// the painting, tablebase-analysis and special-database panels join it with
// those panels.
#include "captions/beschriftung.h"
#include "shell/oberflaeche.h"
#include "shell/sprache.h"

namespace galdrik::Sprache {

namespace {

constexpr Eigenschaft Caption = Eigenschaft::Caption;
constexpr Eigenschaft ToolTip = Eigenschaft::ToolTipText;

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

    // Board, notation, engine output and PGN browser.
    {"ObfLabelMenü", kKeinIndex, Caption, " Menü...", " Menu..."},
    {"ObfLabelPartieNotation", kKeinIndex, Caption, "Partie-Notation:", "game notation:"},
    {"ObfLabelZugeingabe", kKeinIndex, Caption, "Zugeingabe:", "enter move:"},
    {"ObfLabelPGNDatei", kKeinIndex, Caption, "PGN-Datei: Partienübersicht", "PGN file: games overview"},
    // The output label names the engine's output, or the database's while
    // the window is in tablebase mode; the texts are the message tables'.
    {"ObfLabelEngine", kKeinIndex, Caption, nullptr, nullptr, &TxtEngineAusgabe},
    {"ObfLabelEngine", kKeinIndex, Caption, nullptr, nullptr, &TxtDatenbankAusgabe,
     imTablebaseModus},
    {"ButtonBrettZurück", kKeinIndex, ToolTip, "Halbzug zurück (Links)", "halfmove back (Left)"},
    {"ButtonBrettVorwärts", kKeinIndex, ToolTip, "Halbzug vorwärts (Rechts)", "halfmove forward (Right)"},
    {"ButtonBrettBerechnen", kKeinIndex, ToolTip, "Galdrik soll einen Zug berechnen (Abbruch durch erneutes Klicken)", "Galdrik should calculate a move (click again to cancel)"},
    {"ButtonBrettDrehen", kKeinIndex, ToolTip, "Brett drehen", "flip the board"},
    {"ButtonBrettEditieren", kKeinIndex, ToolTip, "Stellungseingabe (Strg+E)", "edit position (Ctrl+E)"},
    {"ButtonBrettTB", kKeinIndex, ToolTip, "Endspieldatenbank-Analyse (Strg+T)", "Endgame database analysis (Ctrl+T)"},
    {"ButtonBrettZeichnen", kKeinIndex, ToolTip, "Brett bemalen und beschriften (Strg+P)", "paint and write to the board (Ctrl+P)"},
    {"BrettFEN", kKeinIndex, ToolTip, "FEN zum Export", "FEN for export"},
    {"TextZugEingabe", kKeinIndex, ToolTip, "Zug in algebraischer Notation", "move in algebraic notation"},
    {"Check1", kKeinIndex, Caption, "Autoantwort", "auto response"},
    {"Check1", kKeinIndex, ToolTip, "Galdrik berechnet automatisch einen Antwortzug", "Galdrik calculates automatically a response"},
    {"ButtonPGNPartieÖffnen", kKeinIndex, Caption, "Partie öffnen", "Open game"},
    {"ButtonPGNPartieZurück", kKeinIndex, Caption, "Zurück", "Back"},
    {"ButtonDatenbankOptionen", kKeinIndex, Caption, "Optionen", "Options"},
    {"ButtonDatenbankOptionen", kKeinIndex, ToolTip, "Darstellung der Ausgabe ändern", "Change the presentation of the output"},
    {"ButtonDatenbankPGN", kKeinIndex, Caption, "PGN...", "PGN..."},
    {"ButtonDatenbankPGN", kKeinIndex, ToolTip, "Exportiert die Ausgabe als PGN-Datei", "Exports the output as PGN file"},

    // Position setup.
    {"ObfLabelStellungseingabe", kKeinIndex, Caption, "Stellungseingabe", "Position editing"},
    {"ObfLabelWeiss", kKeinIndex, Caption, "Weiß", "White"},
    {"ObfLabelSchwarz", kKeinIndex, Caption, "Schwarz", "Black"},
    {"ObfLabelEPFeld", kKeinIndex, Caption, "En-passant-Feld:", "En passant square:"},
    {"ObfLabel50ZR", kKeinIndex, Caption, "50-Züge-Regel:", "50-move rule:"},
    {"ObfLabelZugNr", kKeinIndex, Caption, "Zugnummer:", "Move number:"},
    {"ButtonStellAbbrechen", kKeinIndex, Caption, "Abbrechen", "Cancel"},
    {"ButtonStellLeer", kKeinIndex, Caption, "Brett leeren", "Clear board"},
    {"Frame1", kKeinIndex, Caption, "Zugrecht", "Right to move"},
    {"Frame2", kKeinIndex, Caption, "Rochade", "Castling"},
    {"StellRadioWeiss", kKeinIndex, Caption, "Weiß", "White"},
    {"StellRadioSchwarz", kKeinIndex, Caption, "Schwarz", "Black"},
    {"ButtonStellLeer", kKeinIndex, ToolTip, "Entfernt alle Figuren vom Brett", "kills all pieces on the board"},
    {"StellTextEP", kKeinIndex, ToolTip, "Feld, auf das ein en-passant schlagender Bauer ziehen kann", "square, onto which an en passant capturing pawn can move"},
    {"StellText50", kKeinIndex, ToolTip, "Halbzüge seit dem letzten Bauern- oder Schlagzug", "halfmoves since the last capture or pawn move"},
    {"StellTextZugNr", kKeinIndex, ToolTip, "Zugnummer", "move number"},
    {"ButtonStellVerlauf", kKeinIndex, Caption, "Verlauf", "History"},
    {"ButtonStellVerlauf", kKeinIndex, ToolTip, "zeigt eine Liste bereits eingegebener Stellungen an", "shows a list of already entered positions"},
};

// Texts of the design that no language changes: menu entries without a
// row, and the faces of the buttons and boxes that carry a symbol.
const Beschriftung kOberflaecheEntwurf[] = {
    {"MenüTestsNotationInZwischenablage", kKeinIndex, Caption, "Notation in Zwischenablage", nullptr},
    {"MenüTestsZugzwangAlle", kKeinIndex, Caption, "Alle Zugzwangstellungen", nullptr},
    {"MenüTestsFunktionEGTB", kKeinIndex, Caption, "EGTB-Funktionsüberprüfung", nullptr},
    {"MenüTestsZuggenEGTB", kKeinIndex, Caption, "EGTB-Zuggeneratortest", nullptr},
    {"MenüTestsEGTBSpezDBGenerFenster", kKeinIndex, Caption, "EGTB-Spezialdatenbank Generierungsfenster", nullptr},
    {"MenüTestsMD5Kollektor", kKeinIndex, Caption, "MD5-Kollektor", nullptr},
    {"MenüTestsMD5Dateisumme", kKeinIndex, Caption, "MD5-Dateisumme", nullptr},
    {"MenüTestsRFEP", kKeinIndex, Caption, "RFEP menu", nullptr},
    {"MenüTestsPGNStatistik", kKeinIndex, Caption, "PGN-Statistik", nullptr},
    {"MenüTestsEGTBMultiMetrik1", kKeinIndex, Caption, "EGTB-Multi-Metrik-Suche 1", nullptr},
    {"MenüTestsEGTBMultiMetrik2", kKeinIndex, Caption, "EGTB-Multi-Metrik-Suche 2", nullptr},
    {"MenüTestsTBSGen", kKeinIndex, Caption, "TBS...", nullptr},
    {"MenüTestsRFEPMatrixDepths", kKeinIndex, Caption, "RFEP-Matrix: Erwartete Tiefe", nullptr},
    {"MenüTestsEGTBProbeReport", kKeinIndex, Caption, "EGTB Probe Report", nullptr},
    {"ButtonStellOk", kKeinIndex, Caption, "Ok", nullptr},
    {"ButtonZugEingabe", kKeinIndex, Caption, "Ok", nullptr},
    {"ButtonBrettZurück", kKeinIndex, Caption, "◀", nullptr},
    {"ButtonBrettVorwärts", kKeinIndex, Caption, "▶", nullptr},
    {"ButtonBrettBerechnen", kKeinIndex, Caption, "⚙", nullptr},
    {"ButtonBrettDrehen", kKeinIndex, Caption, "↻", nullptr},
    {"ButtonBrettEditieren", kKeinIndex, Caption, "✎", nullptr},
    {"ButtonBrettTB", kKeinIndex, Caption, "TB", nullptr},
    {"ButtonBrettZeichnen", kKeinIndex, Caption, "✏", nullptr},
    {"StellCheckRochWL", kKeinIndex, Caption, "♔ 0-0-0", nullptr},
    {"StellCheckRochWR", kKeinIndex, Caption, "♔ 0-0", nullptr},
    {"StellCheckRochSL", kKeinIndex, Caption, "♚ 0-0-0", nullptr},
    {"StellCheckRochSR", kKeinIndex, Caption, "♚ 0-0", nullptr},
};
// clang-format on

}  // namespace

Beschriftungstabelle TabelleOberflaeche() { return kOberflaeche; }

Beschriftungstabelle TabelleOberflaecheEntwurf() { return kOberflaecheEntwurf; }

}  // namespace galdrik::Sprache
