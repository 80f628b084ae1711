// Bringing the program up to its main window against the recording
// stand-in engine (or the real library), with stored settings, and reading
// the calls the window made.
#pragma once

#include <QAction>
#include <QList>
#include <QPoint>
#include <QSettings>
#include <QStringList>
#include <utility>

#include "shell/controls/twips.h"
#include "shell/enginecomm.h"
#include "shell/engineglobal.h"
#include "shell/oberflaeche.h"
#include "shell/sprache.h"
#include "standin.h"

namespace galdrik::test {

using Werte = QList<std::pair<QString, QString>>;

inline void speichern(const Werte& werte) {
  auto speicher = EngineGlobal::Einstellungsspeicher();
  for (const auto& [schluessel, wert] : werte) speicher->setValue(schluessel, wert);
}

inline QString gespeichert(const QString& schluessel) {
  return EngineGlobal::Einstellungsspeicher()
      ->value(schluessel, QStringLiteral("<fehlt>"))
      .toString();
}

// A fresh store with German chosen and the given keys, then the whole
// start; the main window, or nullptr when start-up ended the program.
inline Oberflaeche* starten(const Werte& werte = {}) {
  EngineGlobal::EinstellungenLoeschen();
  speichern(Werte{{QStringLiteral("Sprache/OptLanguage"), QStringLiteral("Dt")}} + werte);
  if (EngineGlobal::Main(QString()) != 0) return nullptr;
  return Oberflaeche::instanz();
}

// Chooses the main window's menu entry of that name.
inline void menue(Oberflaeche* o, const char* name) {
  o->findChild<QAction*>(QString::fromUtf8(name))->trigger();
}

// Whether the window's control of that name is shown (with the window).
inline bool sichtbar(Oberflaeche* o, const char* name) {
  return !o->findChild<QWidget*>(QString::fromUtf8(name))->isHidden();
}

// The middle of a square on the board picture, in pixels of the picture.
inline QPoint feldMitte(Oberflaeche* o, int feld) {
  const double mitte = kFeldTwips / 2;
  return twips::zuPixel(o->BrettFeldX(feld) + mitte, o->BrettFeldY(feld) + mitte);
}

// The calls outside start-up's own: those of the main window.
inline QStringList fensterAufrufe() {
  static const QStringList start = {
      "DLL_CheckMMX",   "DLL_LogDatei",     "DLL_BuchPfad",   "DLL_HashPfad",
      "DLL_HashParam",  "DLL_MD5Pfad",      "DLL_MD5LogPfad", "DLL_EngineInit",
      "DLL_Einstellen", "DLL_SetFigurName", "DLL_SetStatBez", "DLL_TBBezSet",
      "DLL_TBInit",     "DLL_TBError",      "DLL_TBCache",    "DLL_TBMetrik"};
  QStringList liste;
  for (const QString& a : standinProtokoll())
    if (!start.contains(a.section('(', 0, 0))) liste << a;
  return liste;
}

// The calls of one export name, in order.
inline QStringList aufrufeVon(const QString& name) {
  QStringList liste;
  for (const QString& a : standinProtokoll())
    if (a.section('(', 0, 0) == name) liste << a;
  return liste;
}

// The calls of these export names, in the order they were made.
inline QStringList aufrufeVon(const QStringList& namen) {
  QStringList liste;
  for (const QString& a : standinProtokoll())
    if (namen.contains(a.section('(', 0, 0))) liste << a;
  return liste;
}

// Ends what a test started: the engine, the main window, the binding and
// the language, so the next test starts as the program does.
inline void beenden() {
  EngineGlobal::EngineBeenden();
  delete Oberflaeche::instanz();
  EngineComm::setBibliothek({});
  Sprache::SpracheDeutsch();
}

}  // namespace galdrik::test
