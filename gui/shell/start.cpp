// The splash window: the program's name while start-up runs. Its texts are
// the same in both languages.
#include "shell/start.h"

#include <QLabel>
#include <QVBoxLayout>

#include "shell/controls/textbreite.h"

namespace galdrik {

Start::Start(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("Start"));
  setWindowTitle(QStringLiteral("Schachprogramm Galdrik wird gestartet..."));

  auto beschriftung = [this](const char* name, const QString& text, double groesse, bool fett) {
    auto* l = new QLabel(text, this);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignCenter);
    QFont schrift = l->font();
    schrift.setPointSizeF(schrift.pointSizeF() * groesse);
    schrift.setBold(fett);
    l->setFont(schrift);
    return l;
  };
  auto* spalte = new QVBoxLayout(this);
  spalte->setContentsMargins(40, 24, 40, 24);
  spalte->addWidget(beschriftung("Label1", QStringLiteral("Schachprogramm"), 1.4, false));
  spalte->addWidget(beschriftung("Label2", QStringLiteral("Galdrik"), 2.6, true));
  spalte->addSpacing(12);
  spalte->addWidget(beschriftung(
      "Label3", QStringLiteral("Schach und Endspielforschung – frei neu geschrieben in C++ und Qt"),
      0.9, false));
  setMinimumWidth(Titelbreite(windowTitle()));
}

}  // namespace galdrik
