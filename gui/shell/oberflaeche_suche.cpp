// Playing against the engine and watching its long jobs: the compute
// button, the search and its lines per depth, the engine's move, the
// refresh after every move with the automatic reply, and the 250 ms timer
// that serves one running job per tick.
#include <QDeadlineTimer>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <cstdlib>

#include "shell/controls/farbe.h"
#include "shell/controls/textbox.h"
#include "shell/engineglobal.h"
#include "shell/fensteraufrufe.h"
#include "shell/oberflaeche.h"
#include "shell/sprache.h"
#include "shell/uiservice.h"

namespace galdrik {

using namespace EngineComm;

namespace {

const QString kZeilenende = QStringLiteral("\r\n");

// The menus that are closed while the engine searches.
constexpr const char* kHauptmenues[] = {"MenüPartie", "MenüTests", "MenüAnsicht", "MenüExtras",
                                        "MenüHilfe"};

constexpr uint32_t kRot = 0xFF;

// "No limit" for the search's depth or times.
constexpr int32_t kOhneGrenze = 100000;

// Hundredths of a pawn with a point and only the digits needed, without a
// zero before the point: 50 is ".5", -25 "-.25", 123 "1.23".
QString alsBauern(int32_t hundertstel) {
  if (hundertstel == 0) return QStringLiteral("0");
  const int32_t betrag = std::abs(hundertstel);
  QString text = hundertstel < 0 ? QStringLiteral("-") : QString();
  if (betrag >= 100) text += QString::number(betrag / 100);
  const int32_t rest = betrag % 100;
  if (rest != 0) {
    text += QLatin1Char('.');
    text += rest % 10 == 0 ? QString::number(rest / 10)
                           : QStringLiteral("%1").arg(rest, 2, 10, QLatin1Char('0'));
  }
  return text;
}

QString holen(int32_t laenge) { return EngineGlobal::EngineStringHolen(laenge); }

}  // namespace

// ------------------------------------------------------------ the button

void Oberflaeche::ButtonBrettBerechnen_Click() {
  if (bEditModus != Falsch || bTBAnaLaeuft != Falsch || bPGNModus != Falsch) {
    ui().beep();
    return;
  }
  if (bTBModus != Falsch) {
    if (bTBZugfolgeLaeuft != Falsch)
      DLL_TBZugfolgeStopp();
    else
      TBZugfolgeErrechnen();
    return;
  }
  if (bSucheLaeuft != Falsch) {
    // The timer must not take the same move a second time.
    timer1_->stop();
    DLL_SuchTermin();
    const QDeadlineTimer frist(kJobStoppMs);
    while (DLL_SuchFertig() != 1) {
      if (frist.hasExpired()) {
        fehlerSync();
        return;
      }
      QThread::msleep(5);
    }
    bSucheLaeuft = Falsch;
    SuchInfo();
    suchzugSpielen(false);
    farbe::SetzeKnopfFarbe(*buttonBrettBerechnen_, farbe::kSystemButtonFace);
    menuesFreigeben(true);
    timer1_->start();
    return;
  }
  farbe::SetzeKnopfFarbe(*buttonBrettBerechnen_, kRot);
  iLetzteTiefe = 0;
  bZugParitaet = Falsch;
  menuesFreigeben(false);
  GaldrikZug();
}

// A search that cannot start leaves the window as it was before the press.
void Oberflaeche::GaldrikZug() {
  const Einstellungen& e = EngineGlobal::einstellungen;
  // Each search shows its own depths from the first, whoever starts it.
  iLetzteTiefe = 0;
  // A half-made move of the user must not be completed by a square pressed
  // during the search.
  bErsterKlick = Wahr;
  textEngine_->setText(sFENText + kZeilenende + Sprache::TxtStatischeBewertung +
                       alsBauern(iBewertung) + kZeilenende + Sprache::TxtSuche + kZeilenende +
                       Sprache::TxtSuchKopf + kZeilenende);
  textEngine_->setSelStart(static_cast<int>(textEngine_->text().size()));
  if (e.OptSuchModus == 0)
    DLL_SuchParam(e.OptSuchTiefe, kOhneGrenze, kOhneGrenze);
  else
    DLL_SuchParam(kOhneGrenze, e.OptSuchZeit1, e.OptSuchZeit2);
  bSucheLaeuft = Wahr;
  if (DLL_SuchStart() != 0) {
    bSucheLaeuft = Falsch;
    farbe::SetzeKnopfFarbe(*buttonBrettBerechnen_, farbe::kSystemButtonFace);
    menuesFreigeben(true);
    ui().beep();
  }
}

// One line per newly finished depth, however many finished since the last
// look.
void Oberflaeche::SuchInfo() {
  const int32_t tiefe = DLL_SuchStatus();
  QString zeilen;
  for (int32_t i = iLetzteTiefe + 1; i <= tiefe; ++i)
    zeilen += holen(DLL_SuchInfo1(2 * (i - 1))) + kZeilenende;
  if (zeilen.isEmpty() && tiefe == iLetzteTiefe) return;
  textEngine_->setText(textEngine_->text() + zeilen);
  if (tiefe != iLetzteTiefe) {
    textEngine_->setSelStart(static_cast<int>(textEngine_->text().size()));
    iLetzteTiefe = tiefe;
    textEngine_->repaint();
  }
}

void Oberflaeche::suchzugSpielen(bool knopfFarbeZwischendurch) {
  DLL_ZugGet(tZugEingabe.data());
  const int32_t index = DLL_ZugLegal();
  if (knopfFarbeZwischendurch)
    farbe::SetzeKnopfFarbe(*buttonBrettBerechnen_, farbe::kSystemButtonFace);
  DLL_GaldrikSet();
  DLL_ZugMachen(index);
  statistikZeigen();
  if (knopfFarbeZwischendurch) menuesFreigeben(true);
  ZugGemacht();
}

void Oberflaeche::statistikZeigen() {
  DLL_SuchInfo2();
  QString text = textEngine_->text() + kZeilenende;
  for (int32_t i = 0; i < 8; ++i) text += holen(DLL_SuchInfo3(i)) + kZeilenende;
  textEngine_->setText(text);
  textEngine_->setSelStart(static_cast<int>(text.size()));
}

void Oberflaeche::menuesFreigeben(bool frei) {
  for (const char* name : kHauptmenues)
    teil<QMenu>(QString::fromUtf8(name))->menuAction()->setEnabled(frei);
}

// After every move: the copy of the position, its legal moves, the board;
// the engine answers the user's move when automatic reply is on. In
// tablebase mode it does not: the button there would stop the move
// sequence that the move has just started.
void Oberflaeche::ZugGemacht() {
  DLL_StellungGet(tStellungKopie.data());
  iZugAnzahl = DLL_ZugAnz();
  BrettAktualisieren(0);
  bZugParitaet = AlsBoolean(bZugParitaet == Falsch);
  if (bZugParitaet == Falsch && EngineGlobal::einstellungen.OptAutoAntw != Falsch &&
      bTBModus == Falsch)
    ButtonBrettBerechnen_Click();
}

void Oberflaeche::fehlerSync() {
  ui().messageBox(Sprache::MsgFehlerSync, MsgStil::Critical, Sprache::FehlerTitel);
  close();
}

// ----------------------------------------------------------------- timer

void Oberflaeche::Timer1_Timer() {
  // A box shown from a tick must not let the next tick in.
  if (imTimer_ || entladen_) return;
  imTimer_ = true;
  if (bSucheLaeuft != Falsch) {
    const int32_t fertig = DLL_SuchFertig();
    SuchInfo();
    if (fertig == 1) {
      bSucheLaeuft = Falsch;
      suchzugSpielen(true);
    }
  } else if (bTBAnaLaeuft != Falsch) {
    tbAnalyseTick();
  } else if (bVernetzungLaeuft != Falsch) {
    vernetzungTick();
  } else if (bTBZugfolgeLaeuft != Falsch) {
    tbZugfolgeTick();
  }
  imTimer_ = false;
}

// While the analysis runs: progress, the time still needed and the counts
// so far. At its end: the results, and what the run was for.
void Oberflaeche::tbAnalyseTick() {
  if (DLL_TBAnaStatus() != 0) {
    const int32_t promille = DLL_TBAnaFortschritt();
    const int32_t bisher = tbTafel.fortschritt ? tbTafel.fortschritt->value() : -1;
    if ((promille <= 1 || promille != bisher) && promille >= 0 && promille <= 1000) {
      if (tbTafel.fortschritt) tbTafel.fortschritt->setValue(promille);
      const int32_t sekunden = DLL_TBAnaZeitPrognose();
      const QString dauer = sekunden > 60
                                ? QString::number(sekunden / 60 + 1) + QStringLiteral(" min")
                                : QString::number(sekunden) + QStringLiteral(" sec");
      int64_t zugriffe = 0, gefunden = 0;
      DLL_TBAnaZwischenergebnis(&zugriffe, &gefunden);
      textEngine_->setText(
          Sprache::TxtTBAnaLaeuft + kZeilenende + Sprache::TxtZeitPrognose + dauer + kZeilenende +
          kZeilenende + Sprache::TxtEGTBZugriffe + QString::number(zugriffe) + kZeilenende +
          Sprache::TxtGefundeneStellungen + QString::number(gefunden) + kZeilenende);
    }
    return;
  }

  bTBAnaLaeuft = Falsch;
  if (tbTafel.fortschritt) tbTafel.fortschritt->setValue(0);
  if (tbTafel.suche) {
    farbe::SetzeKnopfFarbe(*tbTafel.suche, farbe::kSystemButtonFace);
    tbTafel.suche->setText(Sprache::TxtSucheStarten);
  }
  menuesFreigeben(true);
  int64_t anzahl = 0;
  const int32_t r = DLL_TBAnaErgebnis(&anzahl);
  iTBResultatAnzahl = static_cast<int32_t>(static_cast<uint64_t>(anzahl) & 0xFFFFFFFFu);
  if (anzahl > 0) {
    ZeigeTBResPos(1);
  } else {
    iTBResultatNummer = 0;
    DLL_PartieStruktSave();
  }
  InitTBBrett(Falsch);
  BrettAktualisieren(0);

  const Einstellungen& e = EngineGlobal::einstellungen;
  if (r == -4) {
    ui().messageBox(Sprache::MsgTBAnaAbgebrochen, MsgStil::Exclamation, Sprache::ProgTitel);
  } else if (r != 0) {
    ui().messageBox(Sprache::MsgFehlerTBAna, MsgStil::Exclamation, Sprache::FehlerTitel);
  } else if (iTBAnaKriterium >= 90 && iTBAnaKriterium <= 92) {
    // A finished extraction is always written; a file that cannot be
    // written ends this run, not the program.
    if (DLL_TBAnaSpezDB_DatenbankFertig(SpezDBDateiname) != 0)
      ui().messageBox(Sprache::MsgFehlerDateiOeffnenErstellen, MsgStil::Exclamation,
                      Sprache::FehlerTitel);
    else if (e.OptEGTBStatAuto == Falsch)
      ui().messageBox(Sprache::MsgTBAnaFertig, MsgStil::Information, Sprache::ProgTitel);
  } else if (iTBAnaKriterium == 97) {
    if (DLL_TBAnaRFEPMatrixFinish(e.Opt_RFEP_FileMat) == 0)
      ui().messageBox(Sprache::MsgMatrixOk, MsgStil::Information, Sprache::ProgTitel);
    else
      ui().messageBox(Sprache::MsgFehlerMatrix, MsgStil::Exclamation, Sprache::FehlerTitel);
  } else if (e.OptEGTBStatAuto != Falsch) {
    ButtonTBAStatistik_Click();
  } else {
    ui().messageBox(Sprache::MsgTBAnaFertig, MsgStil::Information, Sprache::ProgTitel);
  }
}

// The linking reports its depth and record in one 64-bit status while it
// runs, -1 when it succeeded and -2 when it failed.
void Oberflaeche::vernetzungTick() {
  const int64_t status = DLL_TBAnaSpezDB_VernetzungStatus();
  if (status == -2) {
    // A failed linking ends this run, not the program.
    DLL_TBAnaSpezDB_VernetzungStopp();
    bVernetzungLaeuft = Falsch;
    ui().messageBox(Sprache::MsgFehlerSpezDBSchritt2, MsgStil::Exclamation, Sprache::FehlerTitel);
  } else if (status == -1) {
    DLL_TBAnaSpezDB_VernetzungStopp();
    bVernetzungLaeuft = Falsch;
    textEngine_->setText(Sprache::TxtIterationLaeuft + kZeilenende + Sprache::TxtIterationenFertig +
                         kZeilenende);
    ui().messageBox(Sprache::TxtSpezDBGeneriert1 + SpezDBDateiname + Sprache::TxtSpezDBGeneriert2,
                    MsgStil::Information, Sprache::ProgTitel);
  } else {
    const uint64_t wert = static_cast<uint64_t>(status);
    textEngine_->setText(Sprache::TxtIterationLaeuft + kZeilenende + Sprache::TxtTiefe +
                         QString::number(wert >> 32) + Sprache::TxtIteriere +
                         QString::number(wert & 0xFFFFFFFFu));
  }
}

// The move sequence shows its depth while it runs; at its end it is written
// as PGN or shown as its report.
void Oberflaeche::tbZugfolgeTick() {
  int32_t tiefe = 0;
  DLL_TBZugfolgeStatus(&tiefe);
  textEngine_->setText(Sprache::TxtZugfolgeTiefe + QString::number(tiefe) + Sprache::TxtPly);
  if (tiefe != -1) return;
  bTBZugfolgeLaeuft = Falsch;
  farbe::SetzeKnopfFarbe(*buttonBrettBerechnen_, farbe::kSystemButtonFace);
  if (bTBZugfolgePGN != Falsch) {
    bTBZugfolgePGN = Falsch;
    if (DLL_TBZugfolgePGN(sTBZugfolgePGNPfad) != 0)
      ui().messageBox(Sprache::MsgFehlerDateiOeffnenErstellen, MsgStil::Exclamation,
                      Sprache::FehlerTitel);
    BrettAktualisieren(0);
    return;
  }
  QString text;
  for (int32_t i = 0; i < 6; ++i) {
    const QString teil = holen(DLL_TBStatGet(i));
    text += teil.isEmpty() ? teil : teil + kZeilenende;
  }
  textEngine_->setText(text + kZeilenende + holen(DLL_TBStatGet(6)) + kZeilenende);
}

// ------------------------------------------------------ analysis results

void Oberflaeche::ZeigeTBResPos(const int32_t& n) {
  iTBResultatNummer = n;
  GUIStellung stellung{};
  int32_t wert = 0;
  DLL_TBAnaGetPos(stellung.data(), n, &wert);
  DLL_StellungSet(stellung.data());
  DLL_StellungGet(tStellungKopie.data());
  InitTBBrett(Falsch);
  DLL_PartieStruktSave();
  BrettAktualisieren(0);
}

void Oberflaeche::ButtonTBAStatistik_Click() { TBAnaStatistikZeigen(); }

}  // namespace galdrik
