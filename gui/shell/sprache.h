// The message tables: every text the program builds at run time (message
// boxes, prompts, dialog titles and filters, status phrases, piece names and
// letters) in the language in force. SpracheDeutsch and SpracheEnglisch fill
// all of them at once from one table and hand the engine its piece letters
// and report labels in the same language; nothing else writes them.
#pragma once

#include <QString>
#include <array>
#include <span>

namespace galdrik::Sprache {

// "Dt" or "En": the language of the filled tables. The caption procedures
// and the language menu decide by it.
extern QString SprachCode;
// Title of information boxes and of error boxes.
extern QString ProgTitel;
extern QString FehlerTitel;
// Piece names by piece code + 6: 0 black king .. 6 nothing .. 12 white king.
extern std::array<QString, 13> FigurName;
// The six piece letters pawn to king of the user's notation, and the two
// colour letters white, black.
extern QString FigurBuchstaben;
extern QString FarbBuchstaben;

// Messages (Msg), prompts and text pieces (Txt, several with a leading or
// trailing blank or a leading tab that belongs to them), file-dialog filters
// (Filter, "description|pattern") and dialog titles (Titel).
extern QString MsgFehlerMMX;
extern QString MsgFehlerSuchVar;
extern QString MsgFehlerHashKeys;
extern QString MsgFehlerHashAlloc;
extern QString MsgFehlerBuch;
extern QString MsgFehlerBitbase;
extern QString MsgFehlerSync;
extern QString MsgFehlerEGTB;
extern QString MsgEGTBDateiFehler;
extern QString MsgEGTBDateienFehler;
extern QString MsgFehlerPGNSpeichern;
extern QString MsgBuchNeustart;
extern QString MsgFehlerBuchWahl;
extern QString MsgBuchKompilieren;
extern QString MsgBuchKompiliertOk;
extern QString MsgFehlerBuchKompilieren;
extern QString MsgHashKeysErzeugen;
extern QString MsgHashKeysOk;
extern QString MsgFehlerHashKeysErzeugen;
extern QString FilterBuchBk2;
extern QString TitelBuchWahl;
extern QString FilterBuchBk1;
extern QString TitelBuchKompilieren;
extern QString FilterBuchBk2Ziel;
extern QString TitelBuchZiel;
extern QString FilterKey;
extern QString TitelHashKeysSpeichern;
extern QString MsgFehlerOptionen;
extern QString FilterEPD;
extern QString TitelEPDTest;
extern QString MsgFehlerEPDOeffnen;
extern QString MsgFehlerEPDInterpret;
extern QString FilterLog;
extern QString TitelLogSpeichern;
extern QString MsgFehlerLogSpeichern;
extern QString MsgEPDTestAbbrechen;
extern QString TxtBis;
extern QString TxtSekProPosition;
extern QString TxtWeissMatt;
extern QString TxtSchwarzMatt;
extern QString TxtRemis;
extern QString TxtMittelWeissMatt;
extern QString TxtMittelSchwarzMatt;
extern QString TxtUmwDame;
extern QString TxtUmwTurm;
extern QString TxtUmwLaeufer;
extern QString TxtUmwSpringer;
extern QString FilterSTT;
extern QString TitelSTTSpeichern;
extern QString MsgFehlerSTTSpeichern;
extern QString FilterSTTLaden;
extern QString TitelSTTOeffnen;
extern QString MsgFehlerSTTOeffnen;
extern QString MsgFehlerSTTWahl;
extern QString MsgFehlerDiagramm;
extern QString TxtSteinBuchstaben;
extern QString TxtDatei;
extern QString TxtDateien;
extern QString TxtFarbSymmetrisch;
extern QString TxtWeissKlammer;
extern QString TxtSchwarzKlammer;
extern QString TxtTBInstalliert;
extern QString TxtTBFehlt;
extern QString TxtTBInteger;
extern QString TxtTBFehlerhaft;
extern QString TxtTBUnklar;
extern QString MsgFehlerEGTBListe;
extern QString MsgFehlerMD5Datei;
extern QString FilterEMD;
extern QString TitelEGTBDatei;
extern QString MsgZuordnungFehlt;
extern QString TxtZuordnung;
extern QString MsgFehlerZuordnung;
extern QString MsgZuVieleStellungen;
extern QString MsgFehlerSpezDBLaden;
extern QString FilterTBX;
extern QString TitelSpezDBOeffnen;
extern QString MsgKeineUmwandlung;
extern QString MsgFehlerSpezDBInit;
extern QString MsgFehlerSpezDBSchritt2;
extern QString FilterTBXZiel;
extern QString TitelSpezDBZiel;
extern QString MsgStellungIllegal;
extern QString MsgFehlerProgrammLaden;
extern QString MsgFehlerDateiOeffnenErstellen;
extern QString MsgFehlerDateiOeffnen;
extern QString MsgFehlerPartieLesen;
extern QString TxtStatusRemis;
extern QString TxtWeissIstMatt;
extern QString TxtSchwarzIstMatt;
extern QString TxtEinZug;
extern QString TxtMoeglicheZuege;
extern QString TxtEngineAusgabe;
extern QString TxtDatenbankAusgabe;
extern QString FilterPGNSpeichern;
extern QString TitelPartieSpeichern;
extern QString FilterPGNOeffnen;
extern QString TitelPGNOeffnen;
extern QString TxtStatischeBewertung;
extern QString TxtSuche;
extern QString TxtSuchKopf;
extern QString MsgFehlerEPDSpeichern;
extern QString FilterEPDPosition;
extern QString TitelPositionSpeichern;
extern QString MsgFehlerBildSpeichern;
extern QString FilterBMP;
extern QString TitelBildSpeichern;
extern QString TitelSpeedEval;
extern QString TitelSpeedMovegen;
extern QString MsgFenographOk;
extern QString MsgFehlerFenograph;
extern QString FilterFEN;
extern QString TitelFENWahl;
extern QString FilterDat;
extern QString TitelStatistikSpeichern;
extern QString MsgKeineTBPosition;
extern QString MsgKeineEGTB;
extern QString MsgEGTBCacheMinimal;
extern QString MsgEGTBCacheFehler;
extern QString MsgFehlerTBAnaSpeicher;
extern QString MsgFehlerTBAnaStart;
extern QString TxtPosition;
extern QString TxtVon;
extern QString MsgTBAnaFertig;
extern QString MsgTBAnaAbgebrochen;
extern QString MsgFehlerTBAna;
extern QString TxtSucheStarten;
extern QString TxtSucheStoppen;
extern QString MsgTBAnaStoppen;
extern QString TxtSteinAufFeld;
extern QString TxtKeinBrettbereich;
extern QString TxtFENEingabe;
extern QString TxtTBAnaLaeuft;
extern QString TxtZeitPrognose;
extern QString TxtEGTBZugriffe;
extern QString TxtGefundeneStellungen;
extern QString TxtPositionNr;
extern QString TxtSelfPlayZuege;
extern QString MsgFehlerSelfPlayKonfig;
extern QString MsgSelfPlayOk;
extern QString MsgFehlerSelfPlay;
extern QString TxtDatei1Quelle;
extern QString TxtDatei2Ziel;
extern QString TxtDateinamePfad;
extern QString MsgMatrixOk;
extern QString MsgFehlerMatrix;
extern QString MsgNichtTBModus1;
extern QString MsgNichtTBModus2;
extern QString TxtIterationLaeuft;
extern QString TxtTiefe;
extern QString TxtIteriere;
extern QString TxtIterationenFertig;
extern QString TxtSpezDBGeneriert1;
extern QString TxtSpezDBGeneriert2;
extern QString TxtZugfolgeTiefe;
extern QString TxtPly;
extern QString TxtKommentar;
extern QString MsgZugLoeschen;
// The about box's text, ending in the label the version number follows.
extern QString TxtInfo;

// The program's own messages for a start-up that cannot reach its engine,
// or that had to fall back to the default hash sizes.
// %1 the library file, %2 the loader's reason.
extern QString MsgFehlerBibliothek;
// %1 the missing function, %2 the library file.
extern QString MsgFehlerExport;
extern QString MsgHashStandard;
// A new game found no memory for the transposition table: no search until
// one is made.
extern QString MsgKeineHashtabelle;
// A game loaded only up to a move it could not read; %1 that move with its
// number.
extern QString MsgPartieTeilweiseGelesen;
// The save dialog's question before a new file is made; %1 the file.
extern QString MsgDateiErstellen;

// Fill every table for the language, then hand the engine its labels. An
// engine that cannot be reached is skipped quietly: the tables are complete
// regardless.
void SpracheDeutsch();
void SpracheEnglisch();

// One row of the tables: the variable's name, the variable, and its text in
// each language (UTF-8).
struct Meldungstext {
  const char* name;
  QString* variable;
  const char* deutsch;
  const char* englisch;
};
// Every row, in the order the tables are filled.
std::span<const Meldungstext> Meldungstexte();

}  // namespace galdrik::Sprache
