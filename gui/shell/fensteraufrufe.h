// Windows the main window opens that other parts of the program provide:
// the main window calls them through these functions only.
#pragma once

#include <cstdint>

namespace galdrik {

// The tablebase manager and the settings window: shown beside the main
// window (not modal), created on first use.
void TBManagerZeigen();
void OptionenZeigen();
// The statistics window of the finished tablebase analysis.
void TBAnaStatistikZeigen();

// The promotion picker for the pawn move vonFeld-nachFeld of the side
// `farbe` (1 White, 0 Black); it plays the chosen move itself.
void BauernumwandlungZeigen(int32_t farbe, int32_t vonFeld, int32_t nachFeld);

}  // namespace galdrik
