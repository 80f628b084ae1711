// The language choice window. Its texts are the same in both languages.
#include "shell/sprachwahl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "captions/beschriftung.h"
#include "shell/controls/textbreite.h"
#include "shell/engineglobal.h"
#include "shell/oberflaeche.h"
#include "shell/sprache.h"

namespace galdrik {

Sprachwahl::Sprachwahl(QWidget* parent) : QWidget(parent, Qt::Dialog) {
  setObjectName(QStringLiteral("Sprachwahl"));
  setWindowTitle(QStringLiteral("Sprache auswählen/ choose your language"));
  setAttribute(Qt::WA_DeleteOnClose);
  // A window of its own that stays above the main window until it is closed.
  setWindowModality(Qt::NonModal);

  option1_ = new QRadioButton(QStringLiteral("Deutsch"), this);
  option1_->setObjectName(QStringLiteral("Option1"));
  option1_->setChecked(true);
  option2_ = new QRadioButton(QStringLiteral("English"), this);
  option2_->setObjectName(QStringLiteral("Option2"));
  command1_ = new QPushButton(QStringLiteral("Ok"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setDefault(true);

  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch();
  knoepfe->addWidget(command1_);
  auto* spalte = new QVBoxLayout(this);
  spalte->addWidget(option1_);
  spalte->addWidget(option2_);
  spalte->addLayout(knoepfe);

  connect(command1_, &QPushButton::clicked, this, &Sprachwahl::Command1_Click);
  setMinimumWidth(Titelbreite(windowTitle()));
}

void Sprachwahl::Command1_Click() { close(); }

bool Sprachwahl::event(QEvent* ereignis) {
  if (ereignis->type() == QEvent::WindowDeactivate) Form_Deactivate();
  return QWidget::event(ereignis);
}

// Another window of the program came to the front (the main window, on a
// first start): the choice shows itself again, so it never hides behind it.
// A box that holds the input keeps it, and so does another program.
void Sprachwahl::Form_Deactivate() {
  QTimer::singleShot(0, this, [this] {
    if (!isVisible() || QApplication::activeModalWidget()) return;
    QWidget* aktiv = QApplication::activeWindow();
    if (!aktiv || aktiv == this) return;
    raise();
    activateWindow();
  });
}

void Sprachwahl::closeEvent(QCloseEvent* ereignis) {
  Form_Unload();
  ereignis->accept();
}

// The language applies at once; a store that cannot be written ends the
// handling, so the main window keeps its captions.
void Sprachwahl::Form_Unload() {
  if (option1_->isChecked()) {
    EngineGlobal::einstellungen.OptLanguage = QStringLiteral("Dt");
    Sprache::SpracheDeutsch();
  } else if (option2_->isChecked()) {
    EngineGlobal::einstellungen.OptLanguage = QStringLiteral("En");
    Sprache::SpracheEnglisch();
  } else {
    return;
  }
  if (!EngineGlobal::EinstellungSpeichern(QStringLiteral("OptLanguage"))) return;
  Sprache::BeschriftungOberflaeche();
  if (Oberflaeche* o = Oberflaeche::instanz()) o->ResizeExtern();
}

}  // namespace galdrik
