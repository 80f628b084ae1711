// Room for texts: how wide a window must be for its title bar to show the
// whole title, and a line box whose font shrinks until its text fits.
#pragma once

#include <QString>

class QLineEdit;

namespace galdrik {

// The width a top-level window needs so that the window manager shows the
// whole title: the title in a bold title-bar font, with room for the icon
// and the buttons beside it.
int Titelbreite(const QString& titel);

// Gives the line box the largest font, from its own font down to a smallest
// size, in which its whole text fits between its margins. Called again after
// every change of the text; a shorter text gets the larger font back.
void SchriftEinpassen(QLineEdit& zeile);

// The width the line box's text may take.
int Textraum(const QLineEdit& zeile);

}  // namespace galdrik
