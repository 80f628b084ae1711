// The main window's frame and its language entries.
#include "shell/oberflaeche.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "captions/beschriftung.h"
#include "shell/engineglobal.h"
#include "shell/sprache.h"

namespace galdrik {

namespace {
Oberflaeche* dieOberflaeche = nullptr;
}  // namespace

Oberflaeche::Oberflaeche(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("Oberfläche"));
  setCentralWidget(new QWidget(this));
  resize(761, 619);  // the design's client area of 11415 x 9285 twips

  // Texts come from the caption set when the window loads.
  menueExtras_ = menuBar()->addMenu(QString());
  menueExtras_->setObjectName(QStringLiteral("MenüExtras"));
  menueExtrasSprache_ = menueExtras_->addMenu(QString());
  menueExtrasSprache_->setObjectName(QStringLiteral("MenüExtrasSprache"));
  auto eintrag = [this](const char* name) {
    QAction* a = menueExtrasSprache_->addAction(QString());
    a->setObjectName(QString::fromUtf8(name));
    a->setCheckable(true);
    return a;
  };
  menueExtrasSpracheDt_ = eintrag("MenüExtrasSpracheDt");
  menueExtrasSpracheEn_ = eintrag("MenüExtrasSpracheEn");
  // There is no French table: the entry keeps its place but is never shown.
  menueExtrasSpracheFr_ = eintrag("MenüExtrasSpracheFr");
  menueExtrasSpracheFr_->setVisible(false);

  connect(menueExtrasSprache_, &QMenu::aboutToShow, this, &Oberflaeche::MenueExtrasSprache_Click);
  connect(menueExtrasSpracheDt_, &QAction::triggered, this,
          &Oberflaeche::MenueExtrasSpracheDt_Click);
  connect(menueExtrasSpracheEn_, &QAction::triggered, this,
          &Oberflaeche::MenueExtrasSpracheEn_Click);

  dieOberflaeche = this;
  Form_Load();
}

Oberflaeche::~Oberflaeche() {
  if (dieOberflaeche == this) dieOberflaeche = nullptr;
}

Oberflaeche* Oberflaeche::instanz() { return dieOberflaeche; }

void Oberflaeche::Form_Load() { Sprache::BeschriftungOberflaeche(); }

void Oberflaeche::Form_Resize() {
  // The panels this lays out come with the window's layout.
}

void Oberflaeche::ResizeExtern() { Form_Resize(); }

void Oberflaeche::closeEvent(QCloseEvent* ereignis) {
  EngineGlobal::EngineBeenden();
  QMainWindow::closeEvent(ereignis);
}

void Oberflaeche::MenueExtrasSprache_Click() {
  menueExtrasSpracheDt_->setChecked(false);
  menueExtrasSpracheEn_->setChecked(false);
  menueExtrasSpracheFr_->setChecked(false);
  if (Sprache::SprachCode == QLatin1String("Dt")) menueExtrasSpracheDt_->setChecked(true);
  if (Sprache::SprachCode == QLatin1String("En")) menueExtrasSpracheEn_->setChecked(true);
}

void Oberflaeche::MenueExtrasSpracheDt_Click() {
  Sprache::SpracheDeutsch();
  spracheGewaehlt();
}

void Oberflaeche::MenueExtrasSpracheEn_Click() {
  Sprache::SpracheEnglisch();
  spracheGewaehlt();
}

// The tables are filled: captions, the stored choice, the layout. A store
// that cannot be written keeps the switch for this run.
void Oberflaeche::spracheGewaehlt() {
  Sprache::BeschriftungOberflaeche();
  EngineGlobal::einstellungen.OptLanguage = Sprache::SprachCode;
  EngineGlobal::EinstellungSpeichern(QStringLiteral("OptLanguage"));
  Form_Resize();
}

}  // namespace galdrik
