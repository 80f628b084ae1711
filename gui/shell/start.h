// The splash window shown while the engine starts.
#pragma once

#include <QWidget>

namespace galdrik {

class Start : public QWidget {
  Q_OBJECT

 public:
  explicit Start(QWidget* parent = nullptr);
};

}  // namespace galdrik
