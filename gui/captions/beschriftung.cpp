// Applying a caption set to a window's controls.
#include "captions/beschriftung.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QList>
#include <QMenu>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

#include "shell/sprache.h"

namespace galdrik {

namespace {

QList<QObject*> elemente(QWidget& fenster, const Beschriftung& b) {
  if (!b.steuerelement) return {&fenster};
  const QString name = QString::fromUtf8(b.steuerelement);
  if (b.index == kAlleElemente) {
    const QRegularExpression element(
        QStringLiteral("^%1\\(\\d+\\)$").arg(QRegularExpression::escape(name)));
    return fenster.findChildren<QObject*>(element);
  }
  // A tab's index names the tab, not an element of an array.
  const bool arrayElement = b.index >= 0 && b.eigenschaft != Eigenschaft::Registerkarte;
  const QString objektName = arrayElement ? QStringLiteral("%1(%2)").arg(name).arg(b.index) : name;
  if (QObject* o = fenster.findChild<QObject*>(objektName)) return {o};
  return {};
}

bool captionSetzen(QObject* o, bool istFenster, const QString& text) {
  if (istFenster) {
    static_cast<QWidget*>(o)->setWindowTitle(text);
    return true;
  }
  if (auto* m = qobject_cast<QMenu*>(o)) {
    m->setTitle(text);
  } else if (auto* a = qobject_cast<QAction*>(o)) {
    a->setText(text);
  } else if (auto* k = qobject_cast<QAbstractButton*>(o)) {
    k->setText(text);
  } else if (auto* l = qobject_cast<QLabel*>(o)) {
    l->setText(text);
  } else if (auto* g = qobject_cast<QGroupBox*>(o)) {
    g->setTitle(text);
  } else if (auto* w = qobject_cast<QWidget*>(o); w && w->isWindow()) {
    w->setWindowTitle(text);
  } else {
    return false;
  }
  return true;
}

bool tooltipSetzen(QObject* o, const QString& text) {
  if (auto* a = qobject_cast<QAction*>(o)) {
    a->setToolTip(text);
  } else if (auto* w = qobject_cast<QWidget*>(o)) {
    w->setToolTip(text);
  } else {
    return false;
  }
  return true;
}

bool registerkarteSetzen(QObject* o, int index, const QString& text) {
  const int basis = o->property(kIndexbasis).toInt();
  QTabBar* leiste = qobject_cast<QTabBar*>(o);
  if (auto* t = qobject_cast<QTabWidget*>(o)) leiste = t->tabBar();
  const int tab = index - basis;
  if (!leiste || tab < 0 || tab >= leiste->count()) return false;
  leiste->setTabText(tab, text);
  return true;
}

}  // namespace

int Beschriften(QWidget& fenster, Beschriftungstabelle tabelle, const QString& sprachCode) {
  const bool deutsch = sprachCode == QLatin1String("Dt");
  if (!deutsch && sprachCode != QLatin1String("En")) return 0;

  int uebersprungen = 0;
  QList<QComboBox*> listen;  // the combo boxes refilled so far
  for (const Beschriftung& b : tabelle) {
    if (b.bedingung && !b.bedingung(fenster)) continue;
    const QString text =
        b.meldung ? *b.meldung : QString::fromUtf8(deutsch ? b.deutsch : b.englisch);
    const QList<QObject*> ziele = elemente(fenster, b);
    bool gesetzt = !ziele.isEmpty();
    for (QObject* o : ziele) {
      // Setting a text is not the user's doing: no handler may run for it.
      const QSignalBlocker still(o);
      bool ok = false;
      switch (b.eigenschaft) {
        case Eigenschaft::Caption:
          ok = captionSetzen(o, o == &fenster, text);
          break;
        case Eigenschaft::ToolTipText:
          ok = tooltipSetzen(o, text);
          break;
        case Eigenschaft::Listeneintrag:
          if (auto* c = qobject_cast<QComboBox*>(o)) {
            if (!listen.contains(c)) {
              c->clear();
              listen.append(c);
            }
            c->addItem(text);
            ok = true;
          }
          break;
        case Eigenschaft::Registerkarte:
          ok = registerkarteSetzen(o, b.index, text);
          break;
      }
      gesetzt = gesetzt && ok;
    }
    if (!gesetzt) ++uebersprungen;
  }
  // A refilled list selects nothing until its owner chooses an item.
  for (QComboBox* c : listen) {
    const QSignalBlocker still(c);
    c->setCurrentIndex(-1);
  }
  return uebersprungen;
}

namespace Sprache {

namespace {

// Every open window of that name; a window that is not open has nothing to
// caption.
void beschriften(const char* fenstername, Beschriftungstabelle tabelle) {
  const QString name = QString::fromUtf8(fenstername);
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == name) Beschriften(*w, tabelle, SprachCode);
  }
}

}  // namespace

void BeschriftungOberflaeche() { beschriften("Oberfläche", TabelleOberflaeche()); }

void BeschriftungBauernumwandlung() { beschriften("Bauernumwandlung", TabelleBauernumwandlung()); }

void BeschriftungPGNInfo() { beschriften("PGNInfo", TabellePGNInfo()); }

}  // namespace Sprache

}  // namespace galdrik
