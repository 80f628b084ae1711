// The program's shared module: the settings variables with their loading and
// saving, and the routines every window uses (engine text, square names,
// check-box values, the file dialogs that remember the last folder).
#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "shell/boolean.h"
#include "shell/einstellungen.h"

class QSettings;

namespace galdrik::EngineGlobal {

// The program's start: splash window, command line ("-reset", "-noegtb"),
// settings, message tables, engine start, tablebases, main window and
// language. Answers 0 once the main window is up (the event loop takes
// over), or the exit code of a start-up that had to end the program.
int Main(const QString& befehlszeile);

// Exit codes of a start-up that ends the program; a failed engine start
// ends with kEndeEngineStart plus the engine's code (1..5).
inline constexpr int kEndeBibliothek = 1;
inline constexpr int kEndeExport = 2;
inline constexpr int kEndeKeinMMX = 3;
inline constexpr int kEndeFensterLaden = 4;
inline constexpr int kEndeEngineStart = 10;

// Releases the engine that start-up started; later calls do nothing.
void EngineBeenden();

// The settings in force, filled by EinstellungenLaden.
extern Einstellungen einstellungen;

// The folder of the last file chosen in a file dialog, with its trailing
// separator; other windows start their own dialogs there.
extern QString LetzterOrdner;

// The longest FEN text (in bytes) the engine takes; longer ones are refused
// before they reach it.
inline constexpr int kFENLaengeMax = 255;

// The error code of a file dialog the user cancelled; callers stay silent.
inline constexpr int16_t kDialogAbgebrochen = 32755;
// The text of a failed settings save.
inline constexpr const char* kSpeicherFehler =
    "Low Level Error while trying to save program settings.";

// The folder that holds the program file, without a trailing separator.
QString Programmordner();
// The folder of the shipped data (opening book, key file): beside the
// program in the build tree, share/galdrik when installed.
QString Datenordner();
// The DTM tablebases made with the program (tablebases/dtm in the data
// folder) when that folder holds table files, else empty: the DTM directory
// of a user who has set none.
QString StandardDTMOrdner();
// The per-user folder for files the program writes ($XDG_DATA_HOME/Galdrik),
// created on first use.
QString Benutzerdatenordner();

// The per-user settings store of the application "Galdrik".
std::unique_ptr<QSettings> Einstellungsspeicher();

void EinstellungenLaden();
// Writes every setting; a store that cannot be written is reported in a box.
void EinstellungenSpeichern();
// Writes the one key of that name at once (the language, the keys the main
// window keeps when it closes), in the form it is read back.
bool EinstellungSpeichern(const QString& schluessel);
// Deletes every stored setting of the application.
void EinstellungenLoeschen();

// The text of the first n bytes of the engine's output buffer, UTF-8, with a
// carriage return before every line feed.
QString EngineStringHolen(const int32_t& n);
// 1 for True (-1), 0 for anything else: the value of a check box.
int32_t CheckWert(Boolean b);
// "a1" for 0 .. "h8" for 63; other numbers give what the rule makes of them.
QString FeldName(const int32_t& i);
// 0 for "a1" .. 63 for "h8"; no range check, callers test for 0..63.
int32_t FeldIndex(const QString& s);

// The open and save dialogs: the chosen path, or "" with errorCode set
// (kDialogAbgebrochen for a cancel). An empty initDir starts in LetzterOrdner;
// a chosen file sets LetzterOrdner to its folder.
QString DateiOeffnenDialog(const QString& initDir, const QString& fileName, const QString& filter,
                           const QString& title, int16_t flags, int16_t& errorCode);
QString DateiSpeichernDialog(const QString& initDir, const QString& fileName, const QString& filter,
                             const QString& title, int16_t flags, int16_t& errorCode);

}  // namespace galdrik::EngineGlobal
