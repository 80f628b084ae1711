// Filling the message tables of both languages.
#include "shell/sprache.h"

namespace galdrik::Sprache {

QString SprachCode;
QString ProgTitel;
QString FehlerTitel;
QString MsgFehlerBibliothek;
QString MsgFehlerExport;

void SpracheDeutsch() {
  SprachCode = QStringLiteral("Dt");
  ProgTitel = QStringLiteral("Galdrik");
  FehlerTitel = QStringLiteral("Galdrik - Fehler");
  MsgFehlerBibliothek =
      QStringLiteral("Fehler! Die Programmbibliothek '%1' konnte nicht geladen werden: %2");
  MsgFehlerExport =
      QStringLiteral("Fehler! Die Funktion '%1' fehlt in der Programmbibliothek '%2'.");
}

void SpracheEnglisch() {
  SprachCode = QStringLiteral("En");
  ProgTitel = QStringLiteral("Galdrik");
  FehlerTitel = QStringLiteral("Galdrik - error");
  MsgFehlerBibliothek = QStringLiteral("Error! The program library '%1' could not be loaded: %2");
  MsgFehlerExport =
      QStringLiteral("Error! The function '%1' is missing from the program library '%2'.");
}

namespace {
// German until start-up fills the tables, so that a message shown before
// that still has a title and a text. Defined after the variables above, so
// they exist when this runs.
const bool deutschVorab = (SpracheDeutsch(), true);
}  // namespace

}  // namespace galdrik::Sprache
