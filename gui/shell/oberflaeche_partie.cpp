// The Game menu of the main window: a new game, a PGN file opened into the
// browser panel and one of its games loaded, the game saved as PGN through
// the tag dialog, the position appended to an EPD file. The engine does the
// file work; this side chooses the files, fills the browser and reports.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "shell/controls/textbox.h"
#include "shell/engineglobal.h"
#include "shell/oberflaeche.h"
#include "shell/pgninfo.h"
#include "shell/sprache.h"
#include "shell/uiservice.h"

namespace galdrik {

using namespace EngineComm;

namespace {

// The flag words the dialogs are asked with: the file must exist; ask
// before creating one and hide the read-only box.
constexpr int16_t kOeffnenFlags = DateiFlags::FileMustExist;
constexpr int16_t kSpeichernFlags = DateiFlags::CreatePrompt | DateiFlags::HideReadOnly;

// The EPD input box asks in German in either language.
const QString kEPDFrage = QStringLiteral("Bitte vervollständigen Sie den EPD-String");

// The fields of a game in the engine's PGN index.
enum PGNFeld : int32_t { Event = 1, Site = 2, Date = 3, White = 5, Black = 6, Result = 7 };

// Between the players, in the list and in the details.
const QString kStrich = QStringLiteral(" \u2013 ");

QString pgnFeld(int32_t partie, PGNFeld feld) {
  return EngineGlobal::EngineStringHolen(DLL_PGNDateiPartieInfo(partie, feld));
}

// "Surname, First name" is shown by the surname alone.
QString nachname(const QString& name) { return name.section(QLatin1Char(','), 0, 0); }

// A box of the Game menu: every one has the error title.
void melden(const QString& text, int symbol) {
  ui().messageBox(text, symbol, Sprache::FehlerTitel);
}

// A dialog that did not give a file: silent when the user cancelled,
// reported otherwise.
bool dialogFehler(int16_t fehler, const QString& meldung) {
  if (fehler == 0) return false;
  if (fehler != EngineGlobal::kDialogAbgebrochen) melden(meldung, MsgStil::Critical);
  return true;
}

// The FEN text without its last field (everything from its last blank on).
QString ohneLetztesFeld(const QString& fen) {
  const qsizetype blank = fen.lastIndexOf(QLatin1Char(' '));
  return blank < 0 ? fen : fen.left(blank);
}

}  // namespace

// ------------------------------------------------------------- new game

// A search or the EPD test works on the table that a new game makes anew;
// while one runs the new game waits.
void Oberflaeche::MenuePartieNeu_Click() {
  if (bSucheLaeuft != Falsch || DLL_EPDTestFertig() != 1) {
    ui().beep();
    return;
  }
  modiVerlassen();
  if (DLL_HashReAllok() == 0) {
    bHashtabelleFehlt = Falsch;
  } else {
    bHashtabelleFehlt = Wahr;
    melden(Sprache::MsgKeineHashtabelle, MsgStil::Exclamation);
  }
  DLL_HashLeeren();
  DLL_PartieBeginn();
  textEngine_->setText(QString());
  // The next flip makes the parity even, so the engine waits for the
  // user's first move.
  bZugParitaet = Falsch;
  ZugGemacht();
}

// Searching without a table would run on a table that is not there; the
// search is refused until the allocation succeeds.
bool Oberflaeche::HashtabelleBereit() {
  if (bHashtabelleFehlt == Falsch) return true;
  if (DLL_HashReAllok() == 0) {
    bHashtabelleFehlt = Falsch;
    DLL_HashLeeren();
    return true;
  }
  melden(Sprache::MsgKeineHashtabelle, MsgStil::Exclamation);
  return false;
}

// Each mode is left by its own switch, which turns it off only when it is
// on. Painting, the position setup and the special database (which only a
// new game closes) have no panels in this window yet, so they cannot be on.
void Oberflaeche::modiVerlassen() {
  if (bPGNModus != Falsch) ButtonPGNPartieZurueck_Click();
  if (bTBModus != Falsch) ButtonBrettTB_Click();
}

// ---------------------------------------------------------- PGN browser

void Oberflaeche::MenuePartieOeffnenPGN_Click() {
  modiVerlassen();
  int16_t fehler = 0;
  const QString pfad = EngineGlobal::DateiOeffnenDialog(
      QString(), QStringLiteral("*.pgn"), Sprache::FilterPGNOeffnen, Sprache::TitelPGNOeffnen,
      kOeffnenFlags, fehler);
  if (dialogFehler(fehler, Sprache::MsgFehlerDateiOeffnen)) return;

  sPGNDateiname = pfad;
  repaint();
  const int32_t anzahl = DLL_PGNDateiLaden(pfad);
  if (anzahl <= 0) {
    melden(Sprache::MsgFehlerDateiOeffnen, MsgStil::Critical);
    return;
  }

  framePGN_->setVisible(true);
  frameNotation_->setVisible(false);
  labelPGNPartieDaten_->clear();
  bPGNModus = Wahr;
  Form_Resize();

  auto* liste = teil<QListWidget>("ListPGNDatei");
  liste->clear();
  repaint();
  // Hidden while it fills, so a large file is not drawn line by line.
  liste->hide();
  QStringList zeilen;
  zeilen.reserve(anzahl);
  for (int32_t i = 0; i < anzahl; ++i) zeilen << PGNListenzeile(i);
  liste->addItems(zeilen);
  liste->show();
  liste->setCurrentRow(0);
}

QString Oberflaeche::PGNListenzeile(int32_t i) {
  return nachname(pgnFeld(i, White)) + kStrich + nachname(pgnFeld(i, Black)) + QLatin1Char(' ') +
         pgnFeld(i, Result) + QStringLiteral(", ") + pgnFeld(i, Site) + QLatin1Char(' ') +
         pgnFeld(i, Date);
}

void Oberflaeche::ListPGNDatei_Click() {
  const int32_t i = teil<QListWidget>("ListPGNDatei")->currentRow();
  if (i < 0) return;
  labelPGNPartieDaten_->setText(pgnFeld(i, White) + kStrich + pgnFeld(i, Black) +
                                QLatin1Char('\n') + pgnFeld(i, Event) + QStringLiteral(", ") +
                                pgnFeld(i, Site) + QLatin1Char(' ') + pgnFeld(i, Date) +
                                QLatin1Char('\n') + pgnFeld(i, Result));
  // Enter then loads the game.
  teil<QPushButton>("ButtonPGNPartieÖffnen")->setFocus();
}

// A game that cannot be read leaves the engine with a new empty game, which
// is shown like a loaded one.
void Oberflaeche::ButtonPGNPartieOeffnen_Click() {
  const int32_t i = teil<QListWidget>("ListPGNDatei")->currentRow();
  if (DLL_PGNDateiPartieLoad(sPGNDateiname, i) < 0) {
    melden(Sprache::MsgFehlerPartieLesen, MsgStil::Exclamation);
  } else if (DLL_PGNDateiPartieAbbruch.vorhanden()) {
    // The moves up to one the engine could not read are loaded; the user
    // must not take that for the whole game.
    const QString abbruch = EngineGlobal::EngineStringHolen(DLL_PGNDateiPartieAbbruch());
    if (!abbruch.isEmpty())
      melden(Sprache::MsgPartieTeilweiseGelesen.arg(abbruch), MsgStil::Exclamation);
  }
  textEngine_->setText(QString());
  bZugParitaet = Falsch;
  ZugGemacht();
  BrettAktualisieren(0);
  pgnBrowserSchliessen();
}

void Oberflaeche::ButtonPGNPartieZurueck_Click() { pgnBrowserSchliessen(); }

void Oberflaeche::pgnBrowserSchliessen() {
  framePGN_->setVisible(false);
  frameNotation_->setVisible(true);
  bPGNModus = Falsch;
  Form_Resize();
  DLL_PGNDateiSchliessen();
}

// ---------------------------------------------------------------- saving

void Oberflaeche::MenuePartieSpeichernPGN_Click() {
  int16_t fehler = 0;
  const QString pfad = EngineGlobal::DateiSpeichernDialog(
      QString(), QStringLiteral("*.pgn"), Sprache::FilterPGNSpeichern,
      Sprache::TitelPartieSpeichern, kSpeichernFlags, fehler);
  if (dialogFehler(fehler, Sprache::MsgFehlerDateiOeffnenErstellen)) return;
  PGNInfo::Oeffnen(this, pfad);
}

// The position's FEN without the two move counters is the EPD's start; the
// user adds the operations.
void Oberflaeche::MenuePartiePositionSpeichernEPD_Click() {
  int16_t fehler = 0;
  const QString pfad = EngineGlobal::DateiSpeichernDialog(
      QString(), QStringLiteral("*.epd"), Sprache::FilterEPDPosition,
      Sprache::TitelPositionSpeichern, kSpeichernFlags, fehler);
  if (dialogFehler(fehler, Sprache::MsgFehlerEPDSpeichern)) return;

  const QString fen = EngineGlobal::EngineStringHolen(DLL_FENOutput(1));
  const QString vorgabe = ohneLetztesFeld(ohneLetztesFeld(fen)) + QLatin1Char(' ');
  const auto zeile = ui().inputBox(kEPDFrage, Sprache::ProgTitel, vorgabe);
  if (!zeile || zeile->isEmpty()) return;
  if (DLL_EPDSpeichern(pfad, *zeile, 1) != 0)
    melden(Sprache::MsgFehlerEPDSpeichern, MsgStil::Critical);
}

}  // namespace galdrik
