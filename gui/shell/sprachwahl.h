// The language choice of the first run: German or English, shown over the
// main window until the user closes it; activating another window of the
// program brings it back to the front. Closing it, by Ok or by the close
// box, applies the selected language and stores it.
#pragma once

#include <QWidget>

class QPushButton;
class QRadioButton;

namespace galdrik {

class Sprachwahl : public QWidget {
  Q_OBJECT

 public:
  explicit Sprachwahl(QWidget* parent = nullptr);

  void Command1_Click();

 protected:
  bool event(QEvent* ereignis) override;
  void closeEvent(QCloseEvent* ereignis) override;

 private:
  void Form_Deactivate();
  void Form_Unload();

  QRadioButton* option1_;
  QRadioButton* option2_;
  QPushButton* command1_;
};

}  // namespace galdrik
