// The PGN tag dialog: the tags typed, cleaned and written with the game.
#include "shell/pgninfo.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "captions/beschriftung.h"
#include "shell/controls/textbreite.h"
#include "shell/enginecomm.h"
#include "shell/sprache.h"
#include "shell/uiservice.h"

namespace galdrik {

namespace {

// Bytes of a code point in UTF-8, the form the engine stores the tags in.
int utf8Bytes(char32_t cp) { return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4; }

}  // namespace

PGNInfo* PGNInfo::Oeffnen(QWidget* hauptfenster, const QString& zielDatei) {
  // An earlier dialog would write its game to its own file on closing; the
  // new save replaces it.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* alt = qobject_cast<PGNInfo*>(w); alt && !alt->entladen_) alt->Verwerfen();
  }
  auto* dialog = new PGNInfo(hauptfenster);
  dialog->sZielDatei = zielDatei;
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
  return dialog;
}

PGNInfo::PGNInfo(QWidget* hauptfenster) : QWidget(hauptfenster, Qt::Dialog) {
  setObjectName(QStringLiteral("PGNInfo"));
  setAttribute(Qt::WA_DeleteOnClose);
  // While the tags are typed the game must stay the one being saved.
  setWindowModality(Qt::WindowModal);

  for (size_t i = 0; i < label_.size(); ++i) {
    label_[i] = new QLabel(this);
    label_[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
  }
  QFont titel = label_[0]->font();
  titel.setBold(true);
  label_[0]->setFont(titel);

  for (size_t i = 0; i < text1_.size(); ++i) {
    text1_[i] = new QLineEdit(this);
    text1_[i]->setObjectName(QStringLiteral("Text1(%1)").arg(i));
    text1_[i]->setMaxLength(kTagBytes);
    text1_[i]->installEventFilter(this);
  }
  combo1_ = new QComboBox(this);
  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo1_->setEditable(true);
  combo1_->setInsertPolicy(QComboBox::NoInsert);
  combo1_->addItems({QStringLiteral("?"), QStringLiteral("1-0"), QStringLiteral("1/2-1/2"),
                     QStringLiteral("0-1")});
  combo1_->lineEdit()->setMaxLength(kTagBytes);

  command1_ = new QPushButton(QStringLiteral("Ok"), this);
  command1_->setObjectName(QStringLiteral("Command1"));

  auto* raster = new QGridLayout;
  for (size_t i = 0; i < text1_.size(); ++i) {
    raster->addWidget(label_[i + 1], static_cast<int>(i), 0);
    raster->addWidget(text1_[i], static_cast<int>(i), 1);
  }
  raster->addWidget(label_[7], 6, 0);
  raster->addWidget(combo1_, 6, 1);
  raster->setColumnStretch(1, 1);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch();
  knoepfe->addWidget(command1_);
  auto* spalte = new QVBoxLayout(this);
  spalte->addWidget(label_[0]);
  spalte->addLayout(raster);
  spalte->addLayout(knoepfe);
  resize(360, sizeHint().height());

  connect(command1_, &QPushButton::clicked, this, &PGNInfo::Command1_Click);
  Form_Load();
  setMinimumWidth(Titelbreite(windowTitle()));
}

void PGNInfo::Form_Load() {
  Sprache::BeschriftungPGNInfo();
  combo1_->setCurrentIndex(0);
  text1_[2]->setText(PGNDatum(QDate::currentDate()));
}

QString PGNInfo::PGNDatum(const QDate& datum) {
  return datum.toString(QStringLiteral("yyyy.MM.dd"));
}

QString PGNInfo::TagWert(const QString& text) {
  QString wert;
  wert.reserve(text.size());
  for (QChar c : text) {
    if (c == QLatin1Char('"') || c == QLatin1Char('\\')) continue;
    // A line break would end the tag line in the middle of the value.
    wert += c.category() == QChar::Other_Control ? QLatin1Char(' ') : c;
  }
  wert = wert.trimmed();
  int bytes = 0;
  qsizetype ende = 0;
  while (ende < wert.size()) {
    qsizetype n = 1;
    char32_t cp = wert[ende].unicode();
    if (wert[ende].isHighSurrogate() && ende + 1 < wert.size() && wert[ende + 1].isLowSurrogate()) {
      cp = QChar::surrogateToUcs4(wert[ende], wert[ende + 1]);
      n = 2;
    }
    if (bytes + utf8Bytes(cp) > kTagBytes) break;
    bytes += utf8Bytes(cp);
    ende += n;
  }
  return wert.left(ende).trimmed();
}

void PGNInfo::Text1_LostFocus(int index) {
  QLineEdit* box = text1_[static_cast<size_t>(index)];
  const QString wert = TagWert(box->text());
  if (wert != box->text()) box->setText(wert);
}

void PGNInfo::Command1_Click() { close(); }

void PGNInfo::Verwerfen() {
  verworfen_ = true;
  close();
}

bool PGNInfo::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() == QEvent::FocusOut) {
    for (size_t i = 0; i < text1_.size(); ++i) {
      if (objekt == text1_[i]) Text1_LostFocus(static_cast<int>(i));
    }
  }
  return QWidget::eventFilter(objekt, ereignis);
}

bool PGNInfo::event(QEvent* ereignis) {
  if (ereignis->type() == QEvent::WindowDeactivate) Form_Deactivate();
  return QWidget::event(ereignis);
}

// Another window of the program came to the front: the dialog comes back
// over it, unless a box opened since holds the input.
void PGNInfo::Form_Deactivate() {
  QTimer::singleShot(0, this, [this] {
    if (entladen_ || !isVisible()) return;
    QWidget* aktiv = QApplication::activeWindow();
    if (!aktiv || aktiv == this || QApplication::activeModalWidget() != this) return;
    raise();
    activateWindow();
  });
}

void PGNInfo::closeEvent(QCloseEvent* ereignis) {
  Form_Unload();
  ereignis->accept();
}

// Every way of closing writes the game, so the values are cleaned here: a
// box that never lost the focus, the result box and pasted text included.
void PGNInfo::Form_Unload() {
  if (entladen_) return;
  entladen_ = true;
  if (verworfen_) return;
  std::array<QString, 7> tag;
  for (size_t i = 0; i < text1_.size(); ++i) tag[i] = TagWert(text1_[i]->text());
  tag[6] = TagWert(combo1_->currentText());
  EngineComm::DLL_PartiePGNSet(tag[0], tag[1], tag[2], tag[3], tag[4], tag[5], tag[6]);
  if (EngineComm::DLL_DateiSpeichern(sZielDatei, 1) != 0)
    ui().messageBox(Sprache::MsgFehlerPGNSpeichern, MsgStil::Critical, Sprache::FehlerTitel);
}

}  // namespace galdrik
