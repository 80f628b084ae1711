// The message tables: every text the program builds at run time, in the
// current language. Only the titles and the binding's messages live here so
// far; the rest of both tables joins them with the language choice.
#pragma once

#include <QString>

namespace galdrik::Sprache {

extern QString SprachCode;
extern QString ProgTitel;
extern QString FehlerTitel;

// The engine library could not be loaded: %1 the file, %2 the loader's reason.
extern QString MsgFehlerBibliothek;
// An export is missing from the library: %1 the function, %2 the file.
extern QString MsgFehlerExport;

void SpracheDeutsch();
void SpracheEnglisch();

}  // namespace galdrik::Sprache
