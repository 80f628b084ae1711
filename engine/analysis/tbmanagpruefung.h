// The integrity check of the tablebase files against the MD5 reference
// list: the check of one file, which records its outcome in the manager's
// check tables, and the worker thread that checks one file or every file
// of the element list while the program polls it.
#pragma once

#include <cstdint>
#include <string>
#include <thread>

namespace galdrik {

// Checks one file of an element: 1 digest equal, 0 different, 2 no digest
// in the list, -1 list unreadable, -2 no file or file unreadable (tables
// untouched), -3 bad element, side or slot. The file's name goes to name.
int32_t TBManagDateiPruefen(int32_t element, int32_t seite, int32_t slot, std::string& name);

// Starts the worker: mode 1 checks (element, side, slot), mode 2 every file
// of the first `element` elements. 0 started, -1 a worker already runs or
// no thread could be started (the worker is then idle).
int32_t TBManagIntegerStart(int32_t element, int32_t seite, int32_t slot, int32_t modus);

// Asks the worker to stop after the file under check.
void TBManagIntegerStopp();

// The progress while the worker runs, else -1.
int32_t TBManagIntegerStatus();

// The result of the last file check, -3 until the first check of a run ends.
int32_t TBManagIntegerWert();

// Stops the worker and waits for it.
void TBManagIntegerBeenden();

// How the worker's thread is made; tests replace it to see a failed start.
using TBManagThreadFabrik = std::thread (*)(void (*)());
void TBManagThreadFabrikSetzen(TBManagThreadFabrik fabrik);

}  // namespace galdrik
