// The notation view: one move back and forward, a click into the notation
// that makes the clicked move current, the pop-up menu that edits the
// current move (promote its line, NAG, comment, delete), and a double click
// into the engine text that plays the tablebase move under the pointer.
#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "shell/controls/textbox.h"
#include "shell/controls/twips.h"
#include "shell/engineglobal.h"
#include "shell/oberflaeche.h"
#include "shell/sprache.h"
#include "shell/uiservice.h"

namespace galdrik {

using namespace EngineComm;

namespace {

// The NAG codes the pop-up menu offers; there is no entry for 7.
constexpr int16_t kNAGCodes[] = {0, 1, 2, 3, 4, 5, 6, 8};

// Braces would end the comment early in a PGN file, a backslash would be
// taken as an escape.
QString kommentarBereinigt(QString text) {
  text.remove(QLatin1Char('{'));
  text.remove(QLatin1Char('}'));
  text.remove(QLatin1Char('\\'));
  // The engine keeps its line ends as LF; the text came with CR LF.
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

}  // namespace

void Oberflaeche::notationVerbinden() {
  menuePopUpNotation_ = teil<QMenu>(QStringLiteral("MenüPopUpNotation"));
  connect(teil<QPushButton>(QStringLiteral("ButtonBrettZurück")), &QPushButton::clicked, this,
          &Oberflaeche::ButtonBrettZurueck_Click);
  connect(teil<QPushButton>(QStringLiteral("ButtonBrettVorwärts")), &QPushButton::clicked, this,
          &Oberflaeche::ButtonBrettVorwaerts_Click);
  connect(textNotation_, &TextBox::mouseUp, this, [this](int knopf, int shift, double x, double y) {
    TextNotation_MouseUp(static_cast<int16_t>(knopf), static_cast<int16_t>(shift), x, y);
  });
  connect(textEngine_, &TextBox::doubleClick, this, &Oberflaeche::TextEngine_DblClick);
  connect(teil<QAction>(QStringLiteral("MenüPopUpNotationZugAufwerten")), &QAction::triggered, this,
          &Oberflaeche::MenuePopUpNotationZugAufwerten_Click);
  for (int16_t code : kNAGCodes) {
    connect(teil<QAction>(QStringLiteral("MenüPopUpNotationNAG(%1)").arg(code)),
            &QAction::triggered, this, [this, code] { MenuePopUpNotationNAG_Click(code); });
  }
  connect(teil<QAction>(QStringLiteral("MenüPopUpNotationKommentar")), &QAction::triggered, this,
          &Oberflaeche::MenuePopUpNotationKommentar_Click);
  connect(teil<QAction>(QStringLiteral("MenüPopUpNotationLöschen")), &QAction::triggered, this,
          &Oberflaeche::MenuePopUpNotationLoeschen_Click);
}

// ------------------------------------------------------------ navigation

void Oberflaeche::ButtonBrettZurueck_Click() { zugSchritt(DLL_ZugMinus); }

void Oberflaeche::ButtonBrettVorwaerts_Click() { zugSchritt(DLL_ZugPlus); }

// A step through the game is no move of the user's: the parity is set so
// that the engine does not answer it.
void Oberflaeche::zugSchritt(Export<void()>& schritt) {
  if (bSucheLaeuft != Falsch || bEditModus != Falsch || bTBAnaLaeuft != Falsch ||
      bPGNModus != Falsch) {
    ui().beep();
    return;
  }
  schritt();
  bZugParitaet = Falsch;
  ZugGemacht();
  if (bTBModus != Falsch) {
    InitTBSpaziergang();
    InitTBBrett(Falsch);
  }
}

// The caret after the click names the move; the engine counts its text in
// bytes with two for a line end, as the box's byte positions do. The caret,
// not the selection's start: a Shift-click stretches the highlight of the
// current move and would otherwise leave that move current.
void Oberflaeche::TextNotation_MouseUp(int16_t Button, int16_t Shift, double X, double Y) {
  Q_UNUSED(Button);
  if (bTBAnaLaeuft != Falsch || bEditModus != Falsch || bPGNModus != Falsch ||
      bSucheLaeuft != Falsch || bZeichenModus != Falsch) {
    ui().beep();
    return;
  }
  DLL_ZugKlick(textNotation_->byteAusZeichen(textNotation_->einfuegemarke()));
  bZugParitaet = Falsch;
  ZugGemacht();
  if (bTBModus != Falsch) {
    InitTBSpaziergang();
    InitTBBrett(Falsch);
    BrettAktualisieren(0);
  }
  if (Shift != 0)
    menuePopUpNotation_->popup(textNotation_->viewport()->mapToGlobal(twips::zuPixel(X, Y)));
}

// ----------------------------------------------------------- pop-up menu

// Editing the record is no move either: the engine must not answer a NAG.
void Oberflaeche::MenuePopUpNotationZugAufwerten_Click() {
  DLL_ZugAufwerten();
  bZugParitaet = Falsch;
  ZugGemacht();
}

void Oberflaeche::MenuePopUpNotationNAG_Click(int16_t Index) {
  DLL_SetNAG(Index);
  bZugParitaet = Falsch;
  ZugGemacht();
}

// Cancel keeps the comment; OK on an emptied field removes it. A text that
// held nothing but the characters a comment may not carry keeps it too.
void Oberflaeche::MenuePopUpNotationKommentar_Click() {
  const QString alt = EngineGlobal::EngineStringHolen(DLL_GetComment());
  const std::optional<QString> antwort =
      ui().inputBox(Sprache::TxtKommentar, Sprache::ProgTitel, alt);
  if (!antwort) return;
  const QString neu = kommentarBereinigt(*antwort);
  if (neu.isEmpty() && !antwort->isEmpty()) return;
  DLL_SetComment(neu);
  bZugParitaet = Falsch;
  ZugGemacht();
}

void Oberflaeche::MenuePopUpNotationLoeschen_Click() {
  const int antwort = ui().messageBox(Sprache::MsgZugLoeschen,
                                      MsgStil::YesNoCancel | MsgStil::Question, Sprache::ProgTitel);
  if (antwort != MsgAntwort::Yes) return;
  DLL_ZugKill();
  bZugParitaet = Falsch;
  ZugGemacht();
}

// ----------------------------------------------------------- engine text

// In tablebase mode the engine text shows lines of moves; a double click on
// one plays it, and the line can be followed move by move.
void Oberflaeche::TextEngine_DblClick() {
  if (bTBModus == Falsch) return;
  if (bTBAnaLaeuft != Falsch || bEditModus != Falsch || bPGNModus != Falsch ||
      bZeichenModus != Falsch)
    return;
  const int32_t r = DLL_PGNInput(textEngine_->selText().trimmed(), Sprache::FigurBuchstaben);
  if (r < 0) {
    ui().beep();
    return;
  }
  DLL_ZugMachen(r);
  InitTBSpaziergang();
  InitTBBrett(Falsch);
  ZugGemacht();
  TBZugfolgeErrechnen();
}

}  // namespace galdrik
