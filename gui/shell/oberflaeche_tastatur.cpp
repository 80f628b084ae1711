// The main window's keyboard: its shortcuts, a move typed as text, a
// position entered as FEN by a double click on the FEN field, and the focus
// handling that lets the keys reach the window.
#include <QAbstractButton>
#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <utility>

#include "shell/controls/tasten.h"
#include "shell/engineglobal.h"
#include "shell/oberflaeche.h"
#include "shell/sprache.h"
#include "shell/uiservice.h"

namespace galdrik {

using namespace EngineComm;

namespace {

// Hands the events of the controls it watches to the window; the event
// always goes on to the control as well.
class Ereignisfilter : public QObject {
 public:
  Ereignisfilter(QObject* eltern, std::function<void(QObject*, QEvent*)> weiter)
      : QObject(eltern), weiter_(std::move(weiter)) {}

  bool eventFilter(QObject* objekt, QEvent* ereignis) override {
    weiter_(objekt, ereignis);
    return false;
  }

 private:
  std::function<void(QObject*, QEvent*)> weiter_;
};

// Ten steps with one redraw: nine quiet ones, then the last.
constexpr int kSchritteLeise = 9;

// The step through the analysis results for each Shift word of Page Up and
// Page Down; any other combination stays on the result shown.
int32_t ergebnisSchritt(int16_t shift) {
  switch (shift) {
    case 0:
      return 1;
    case tasten::kCtrl:
      return 10;
    case tasten::kAlt:
      return 100;
    case tasten::kCtrl | tasten::kAlt:
      return 1000;
    default:
      return 0;
  }
}

// The squares the White king is kept to for a symmetric search: the
// triangle a1-d1-d4 without pawns, the files a to d with them.
bool koenigsfeldSymmetrisch(int32_t feld, bool mitBauern) {
  const int32_t linie = feld % 8, reihe = feld / 8;
  if (mitBauern) return linie <= 3;
  return linie <= 3 && reihe <= linie;
}

}  // namespace

// Keys reach the window when it holds the focus or when the control that
// does passes them on; a field that takes text keeps its keys.
void Oberflaeche::tastaturVerbinden() {
  textZugEingabe_ = teil<QLineEdit>(QStringLiteral("TextZugEingabe"));
  buttonZugEingabe_ = teil<QPushButton>(QStringLiteral("ButtonZugEingabe"));
  frameBrett_->setFocusPolicy(Qt::ClickFocus);

  tastenfilter_ = new Ereignisfilter(this, [this](QObject* objekt, QEvent* ereignis) {
    const QEvent::Type typ = ereignis->type();
    if (objekt == this && typ == QEvent::KeyPress) {
      tasteFuerFenster(static_cast<QKeyEvent*>(ereignis));
    } else if (objekt == frameBrett_ && typ == QEvent::FocusIn) {
      FrameBrett_GotFocus();
    } else if (objekt == textZugEingabe_ && typ == QEvent::FocusIn) {
      TextZugEingabe_GotFocus();
    } else if (objekt == brettFEN_ && typ == QEvent::MouseButtonDblClick) {
      BrettFEN_DblClick();
    }
  });
  for (QObject* o : {static_cast<QObject*>(this), static_cast<QObject*>(frameBrett_),
                     static_cast<QObject*>(textZugEingabe_), static_cast<QObject*>(brettFEN_)})
    o->installEventFilter(tastenfilter_);

  // Enter in the move field submits the move, as the default button would.
  connect(textZugEingabe_, &QLineEdit::returnPressed, this, &Oberflaeche::ButtonZugEingabe_Click);
  connect(buttonZugEingabe_, &QPushButton::clicked, this, &Oberflaeche::ButtonZugEingabe_Click);
}

void Oberflaeche::tasteFuerFenster(QKeyEvent* ereignis) {
  if (qobject_cast<QLineEdit*>(focusWidget())) return;
  const int code = tasten::KeyCode(ereignis->key());
  if (code == 0) return;
  Form_KeyDown(static_cast<int16_t>(code),
               static_cast<int16_t>(tasten::ShiftWort(ereignis->modifiers())));
}

// ------------------------------------------------------------- shortcuts

void Oberflaeche::Form_KeyDown(int16_t KeyCode, int16_t Shift) {
  namespace vk = tasten::vk;
  constexpr int16_t ctrl = tasten::kCtrl;
  // Changing the mode or the position under a running engine job would pull
  // its memory or its position away from under it.
  const bool jobLaeuft = bSucheLaeuft != Falsch || bTBAnaLaeuft != Falsch ||
                         bTBZugfolgeLaeuft != Falsch || bVernetzungLaeuft != Falsch;

  if (KeyCode == 'P' && Shift == ctrl) knopfDruecken("ButtonBrettZeichnen");
  if (bPGNModus != Falsch || bZeichenModus != Falsch) return;

  if ((KeyCode == 'T' || KeyCode == 'E') && Shift == ctrl) {
    if (jobLaeuft) {
      ui().beep();
    } else if (KeyCode == 'T') {
      ButtonBrettTB_Click();
    } else {
      knopfDruecken("ButtonBrettEditieren");
    }
  }

  if (bEditModus == Falsch) {
    switch (KeyCode) {
      case vk::Left:
        setFocus();
        ButtonBrettZurueck_Click();
        break;
      case vk::Right:
        setFocus();
        ButtonBrettVorwaerts_Click();
        break;
      case vk::Up:
      case vk::Down: {
        setFocus();
        const auto schritt = KeyCode == vk::Up ? &Oberflaeche::ButtonBrettZurueck_Click
                                               : &Oberflaeche::ButtonBrettVorwaerts_Click;
        bBrettNichtZeichnen = Wahr;
        for (int i = 0; i < kSchritteLeise; ++i) (this->*schritt)();
        bBrettNichtZeichnen = Falsch;
        (this->*schritt)();
        break;
      }
      default:
        break;
    }
  }

  if (bEditModus == Falsch && bTBModus != Falsch) {
    if (KeyCode == vk::PageUp || KeyCode == vk::PageDown) {
      tbErgebnisBlaettern(KeyCode, Shift);
    } else if (KeyCode == 'Z' && Shift == ctrl) {
      if (jobLaeuft) {
        ui().beep();
      } else {
        knopfDruecken("MenüPopUpDatenbankDarstellungZugfolgeHinzu");
      }
    } else if (KeyCode == vk::F3 && Shift == 0) {
      // The analysis button also stops a running analysis; only a search
      // keeps it from starting one.
      if (bSucheLaeuft != Falsch) {
        ui().beep();
      } else {
        knopfDruecken("ButtonTBASuche");
      }
    } else if (KeyCode == 'X' && Shift == ctrl) {
      knopfDruecken("ButtonTBASpezielles");
    } else if (KeyCode == 'S' && Shift == ctrl) {
      ButtonTBAStatistik_Click();
    } else if (KeyCode == 'A' && Shift == ctrl) {
      tbBereichUmschalten();
      BrettAktualisieren(0);
    } else if (KeyCode == 'A' && Shift == (ctrl | tasten::kShift)) {
      tbSymmetrieMaske();
    }
  }
  bBrettNichtZeichnen = Falsch;
}

void Oberflaeche::knopfDruecken(const char* name) {
  QObject* ziel = findChild<QObject*>(QString::fromUtf8(name));
  if (auto* knopf = qobject_cast<QAbstractButton*>(ziel)) {
    knopf->click();
  } else if (auto* eintrag = qobject_cast<QAction*>(ziel)) {
    eintrag->trigger();
  }
}

// Page Up goes back through the analysis results, Page Down forward, never
// past the first or the last.
void Oberflaeche::tbErgebnisBlaettern(int16_t KeyCode, int16_t Shift) {
  if (bSucheLaeuft != Falsch || bTBAnaLaeuft != Falsch) {
    ui().beep();
    return;
  }
  const int32_t schritt = ergebnisSchritt(Shift);
  int32_t nummer = iTBResultatNummer + (KeyCode == tasten::vk::PageUp ? -schritt : schritt);
  nummer = std::max(std::min(nummer, iTBResultatAnzahl), 1);
  if (iTBResultatAnzahl >= 1) ZeigeTBResPos(nummer);
}

// What the mark-type button for the whole board does: the selected slot's
// range over the whole board is switched off when it is all on, else on; a
// pawn's range covers only the ranks 2 to 7.
void Oberflaeche::tbBereichUmschalten() {
  iMarkTyp = 4;
  const int32_t slot = tTBAnaSuchmaske[TBMaske::Gewaehlt];
  if (slot < 0 || slot >= kTBSlots) return;
  const bool bauer = std::abs(tTBAnaSuchmaske[TBMaske::Figur + slot]) == 1;
  const int32_t von = bauer ? 8 : 0, bis = bauer ? 56 : 64;
  int32_t* bereich = tTBAnaSuchmaske.data() + TBMaske::Bereich + slot * 64;
  const bool alleAn = std::all_of(bereich + von, bereich + bis, [](int32_t w) { return w == 1; });
  std::fill(bereich + von, bereich + bis, alleAn ? -1 : 1);
}

// Every figure may stand anywhere (a pawn on ranks 2 to 7), except the White
// king, which keeps to the part of the board that the board's symmetries
// map every position into.
void Oberflaeche::tbSymmetrieMaske() {
  bBrettNichtZeichnen = Wahr;
  iMarkTyp = 4;
  bool mitBauern = false;
  int32_t koenig = -1;
  for (int32_t slot = 0; slot < kTBSlots; ++slot) {
    const int32_t figur = tTBAnaSuchmaske[TBMaske::Figur + slot];
    if (figur == 0) continue;
    const bool bauer = std::abs(figur) == 1;
    mitBauern = mitBauern || bauer;
    if (figur == 6 && koenig < 0) koenig = slot;
    tTBAnaSuchmaske[TBMaske::Gewaehlt] = slot;
    int32_t* bereich = tTBAnaSuchmaske.data() + TBMaske::Bereich + slot * 64;
    std::fill(bereich + (bauer ? 8 : 0), bereich + (bauer ? 56 : 64), 1);
  }
  if (koenig >= 0) {
    tTBAnaSuchmaske[TBMaske::Gewaehlt] = koenig;
    int32_t* bereich = tTBAnaSuchmaske.data() + TBMaske::Bereich + koenig * 64;
    for (int32_t feld = 0; feld < 64; ++feld)
      bereich[feld] = koenigsfeldSymmetrisch(feld, mitBauern) ? 1 : -1;
  }
  bBrettNichtZeichnen = Falsch;
  // Redrawn also without a White king: the other ranges have changed.
  BrettAktualisieren(-1);
}

// ----------------------------------------------------------------- focus

void Oberflaeche::FrameBrett_GotFocus() { setFocus(); }

void Oberflaeche::TextZugEingabe_GotFocus() { buttonZugEingabe_->setDefault(true); }

// ------------------------------------------------------------ typed move

void Oberflaeche::ButtonZugEingabe_Click() {
  if (bSucheLaeuft != Falsch || bEditModus != Falsch || bZeichenModus != Falsch ||
      bPGNModus != Falsch || bTBAnaLaeuft != Falsch) {
    ui().beep();
    return;
  }
  // The engine matches the text against the legal moves it listed last; the
  // count lists them for the position shown.
  DLL_ZugAnz();
  const int32_t r = DLL_PGNInput(textZugEingabe_->text().trimmed(), Sprache::FigurBuchstaben);
  if (r >= 0) {
    DLL_ZugMachen(r);
    ZugGemacht();
  } else {
    ui().beep();
  }
  textZugEingabe_->clear();
  textZugEingabe_->setFocus();
}

// ------------------------------------------------------------- FEN entry

void Oberflaeche::BrettFEN_DblClick() {
  if (bSucheLaeuft != Falsch || bTBAnaLaeuft != Falsch || bPGNModus != Falsch ||
      bZeichenModus != Falsch) {
    ui().beep();
    return;
  }
  const QString fen = ui().inputBox(Sprache::TxtFENEingabe, Sprache::ProgTitel, brettFEN_->text())
                          .value_or(QString());
  if (fen.isEmpty()) return;
  fenSetzen(fen);
}

// A refused text brings the position saved before it back, so the game is
// untouched; a text longer than the engine reads never reaches it.
void Oberflaeche::fenSetzen(const QString& fen) {
  const QByteArray text = fen.toUtf8();
  if (text.size() > EngineGlobal::kFENLaengeMax) {
    ui().beep();
    return;
  }
  DLL_StellungSave();
  const int32_t r = DLL_FENInput(QByteArray(text));
  if (r < 0) {
    ui().beep();
    DLL_StellungLoad();
    return;
  }
  const int32_t zugnummer = (r + 1) / 2;
  if (bEditModus != Falsch) {
    // The setup takes the position over with its own OK.
    DLL_StellungKill();
    DLL_StellungGet(tStellungKopie.data());
    tStellungKopie[GS::Zugnummer] = zugnummer;
    BrettAktualisieren(0);
    return;
  }
  DLL_StellungGet(tStellungKopie.data());
  int16_t steine = 0;
  FigurSumme(steine);
  if (bTBModus != Falsch && (steine < 3 || steine > 6)) {
    ui().messageBox(Sprache::MsgKeineTBPosition, MsgStil::Information, Sprache::ProgTitel);
    DLL_StellungLoad();
    DLL_StellungGet(tStellungKopie.data());
    BrettAktualisieren(0);
    DLL_AutoFENLog();
    return;
  }
  tStellungKopie[GS::Zugnummer] = zugnummer;
  DLL_StellungKill();
  // The position starts a new game record at its own half-move.
  DLL_PositionFix(2 * zugnummer - tStellungKopie[GS::AmZug]);
  DLL_StellungGet(tStellungKopie.data());
  iZugAnzahl = DLL_ZugAnz();
  BrettAktualisieren(0);
  DLL_AutoFENLog();
}

}  // namespace galdrik
