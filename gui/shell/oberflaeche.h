// The main window. For now it carries only the program's title; the board,
// the notation, the menus and the panels move in with start-up.
#pragma once

#include <QMainWindow>

namespace galdrik {

class Oberflaeche : public QMainWindow {
  Q_OBJECT

 public:
  explicit Oberflaeche(QWidget* parent = nullptr);
};

}  // namespace galdrik
