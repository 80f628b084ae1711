// Window captions: every window's fixed texts (title, captions, menu
// entries, tool tips, combo lists, tab captions) form its caption set, one
// row per property with a German and an English text. A window's caption
// procedure applies the rows of the language in force; windows find their
// controls by objectName, so the sets are plain data.
#pragma once

#include <QString>
#include <span>

class QWidget;

namespace galdrik {

enum class Eigenschaft {
  Caption,        // window title, label, button, check/option box, frame, menu entry
  ToolTipText,    // widget or menu entry
  Listeneintrag,  // one item of a combo box's list; the list is refilled in row order
  Registerkarte,  // the caption of tab `index` of a tab control
};

// The element index of a row that addresses a control as a whole, and of a
// row that gives one text to every element of a control array.
inline constexpr int kKeinIndex = -1;
inline constexpr int kAlleElemente = -2;

struct Beschriftung {
  // The control's objectName without its index; nullptr for the window.
  const char* steuerelement;
  // The element of a control array ("Name(i)"), or the tab of a tab
  // control; kKeinIndex or kAlleElemente otherwise.
  int index;
  Eigenschaft eigenschaft;
  // The texts (UTF-8), or instead a message-table variable read when the
  // row is applied.
  const char* deutsch;
  const char* englisch;
  const QString* meldung = nullptr;
  // A row with a condition is applied only while it holds for the window.
  bool (*bedingung)(const QWidget& fenster) = nullptr;
};

using Beschriftungstabelle = std::span<const Beschriftung>;

// Applies the rows of the language `sprachCode` ("Dt" or "En"; any other
// code changes nothing) in table order. A row whose control is missing or
// does not take the property is skipped; the answer is the number of such
// rows. Combo lists are cleared before their first item and left without a
// selection; no control's change signals fire meanwhile.
int Beschriften(QWidget& fenster, Beschriftungstabelle tabelle, const QString& sprachCode);

// A tab control whose tabs the rows count from 1 carries this property with
// the value 1.
inline constexpr const char* kIndexbasis = "Indexbasis";

namespace Sprache {

// The caption procedures: each applies its window's set for SprachCode to
// the window of that objectName, if it is open.
void BeschriftungOberflaeche();
void BeschriftungBauernumwandlung();
void BeschriftungPGNInfo();

// The sets themselves.
Beschriftungstabelle TabelleOberflaeche();
// The main window's design texts: the same in both languages, applied once
// when the window is built (rows give the German text only).
Beschriftungstabelle TabelleOberflaecheEntwurf();
Beschriftungstabelle TabelleBauernumwandlung();
Beschriftungstabelle TabellePGNInfo();

}  // namespace Sprache

}  // namespace galdrik
