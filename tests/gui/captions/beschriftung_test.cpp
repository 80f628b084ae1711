// Caption sets: applying rows to every kind of control, refilled lists,
// skipped rows, message-table rows and the conditional row; the sets of the
// promotion picker and the tag dialog. The main window's set is tested with
// the window.
#include "captions/beschriftung.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <memory>

#include "guitest.h"
#include "shell/sprache.h"

using namespace galdrik;

namespace {

QString probeMeldung;

bool markiert(const QWidget& fenster) { return fenster.property("markiert").toBool(); }

constexpr Eigenschaft C = Eigenschaft::Caption;
constexpr Eigenschaft T = Eigenschaft::ToolTipText;
constexpr Eigenschaft L = Eigenschaft::Listeneintrag;
constexpr Eigenschaft R = Eigenschaft::Registerkarte;

const Beschriftung kProbe[] = {
    {nullptr, kKeinIndex, C, "Fenster", "Window"},
    {"Etikett", kKeinIndex, C, "Weiß", "White"},
    {"Knopf", kKeinIndex, C, "&Öffnen", "&Open"},
    {"Knopf", kKeinIndex, T, "Öffnet", "Opens"},
    {"Rahmen", kKeinIndex, C, "Zugrecht", "Right to move"},
    {"Menue", kKeinIndex, C, "&Partie", "&Game"},
    {"Eintrag", kKeinIndex, C, "&Neu", "&New"},
    {"Eintrag", kKeinIndex, T, "neue Partie", "new game"},
    {"Liste", kKeinIndex, L, "keiner", "none"},
    {"GibtEsNicht", kKeinIndex, C, "x", "y"},
    {"Liste", kKeinIndex, L, "waagrecht", "horizontal"},
    {"Reiter", 0, R, "Allgemein", "General"},
    {"Reiter1", 1, R, "Figur 1", "piece 1"},
    {"Reiter1", 5, R, "Figur 5", "piece 5"},
    {"Feld", 2, C, "zwei", "two"},
    {"Pfad", kAlleElemente, C, "Pfad", "path"},
    {"Ausgabe", kKeinIndex, C, nullptr, nullptr, &probeMeldung},
    {"Ausgabe", kKeinIndex, C, "nur markiert", "marked only", nullptr, markiert},
};

// A window with one control of each kind the rows address.
struct Probefenster {
  std::unique_ptr<QWidget> fenster = std::make_unique<QWidget>();
  QLabel* etikett = neu<QLabel>("Etikett");
  QPushButton* knopf = neu<QPushButton>("Knopf");
  QGroupBox* rahmen = neu<QGroupBox>("Rahmen");
  QMenuBar* leiste = new QMenuBar(fenster.get());
  QMenu* menue = leiste->addMenu(QStringLiteral("?"));
  QAction* eintrag = menue->addAction(QStringLiteral("?"));
  QComboBox* liste = neu<QComboBox>("Liste");
  QTabWidget* reiter = neu<QTabWidget>("Reiter");
  QTabWidget* reiter1 = neu<QTabWidget>("Reiter1");
  QLabel* ausgabe = neu<QLabel>("Ausgabe");
  QList<QLabel*> feld, pfad;

  Probefenster() {
    menue->setObjectName(QStringLiteral("Menue"));
    eintrag->setObjectName(QStringLiteral("Eintrag"));
    for (auto* r : {reiter, reiter1})
      for (int i = 0; i < 2; ++i) r->addTab(new QWidget, QStringLiteral("?"));
    reiter1->setProperty(kIndexbasis, 1);
    for (int i = 0; i < 3; ++i) feld << neu<QLabel>(QStringLiteral("Feld(%1)").arg(i));
    for (int i = 0; i < 7; ++i) pfad << neu<QLabel>(QStringLiteral("Pfad(%1)").arg(i));
  }

  template <typename W>
  W* neu(const QString& name) {
    auto* w = new W(fenster.get());
    w->setObjectName(name);
    return w;
  }
  template <typename W>
  W* neu(const char* name) {
    return neu<W>(QString::fromUtf8(name));
  }
};

}  // namespace

class BeschriftungTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { Sprache::SpracheDeutsch(); }

  void zeilenJeSprache_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("texte");  // title, label, button, tip, frame, menu, entry, tip
    QTest::addColumn<QStringList>("liste");
    QTest::addColumn<QStringList>("reiter");  // tab 0, tab 1 of the 1-based control
    QTest::newRow("Dt") << "Dt" << QStringList{"Fenster",  "Weiß",    "&Öffnen", "Öffnet",
                                               "Zugrecht", "&Partie", "&Neu",    "neue Partie"}
                        << QStringList{"keiner", "waagrecht"}
                        << QStringList{"Allgemein", "Figur 1"};
    QTest::newRow("En") << "En" << QStringList{"Window",        "White", "&Open", "Opens",
                                               "Right to move", "&Game", "&New",  "new game"}
                        << QStringList{"none", "horizontal"} << QStringList{"General", "piece 1"};
  }
  void zeilenJeSprache() {
    QFETCH(QString, code);
    QFETCH(QStringList, texte);
    QFETCH(QStringList, liste);
    QFETCH(QStringList, reiter);
    Probefenster p;
    QSignalSpy auswahl(p.liste, &QComboBox::currentIndexChanged);
    probeMeldung = QStringLiteral("Meldung ") + code;

    // The missing control and the tab the 1-based control does not have.
    QCOMPARE(Beschriften(*p.fenster, kProbe, code), 2);
    QCOMPARE(p.fenster->windowTitle(), texte[0]);
    QCOMPARE(p.etikett->text(), texte[1]);
    QCOMPARE(p.knopf->text(), texte[2]);
    QCOMPARE(p.knopf->toolTip(), texte[3]);
    QCOMPARE(p.rahmen->title(), texte[4]);
    QCOMPARE(p.menue->title(), texte[5]);
    QCOMPARE(p.eintrag->text(), texte[6]);
    QCOMPARE(p.eintrag->toolTip(), texte[7]);
    QCOMPARE(p.reiter->tabText(0), reiter[0]);
    QCOMPARE(p.reiter1->tabText(0), reiter[1]);
    QCOMPARE(p.reiter1->tabText(1), QStringLiteral("?"));
    QCOMPARE(p.feld[2]->text(), code == "Dt" ? QStringLiteral("zwei") : QStringLiteral("two"));
    QCOMPARE(p.feld[1]->text(), QString());
    for (QLabel* l : p.pfad) QCOMPARE(l->text(), code == "Dt" ? "Pfad" : "path");
    QCOMPARE(p.ausgabe->text(), probeMeldung);

    // Applied again, a list holds each item once, selects none, and its
    // owner heard nothing of it.
    QCOMPARE(Beschriften(*p.fenster, kProbe, code), 2);
    QStringList eintraege;
    for (int i = 0; i < p.liste->count(); ++i) eintraege << p.liste->itemText(i);
    QCOMPARE(eintraege, liste);
    QCOMPARE(p.liste->currentIndex(), -1);
    QCOMPARE(auswahl.count(), 0);

    p.fenster->setProperty("markiert", true);
    Beschriften(*p.fenster, kProbe, code);
    QCOMPARE(p.ausgabe->text(), code == "Dt" ? "nur markiert" : "marked only");
  }

  void andererCodeAendertNichts_data() {
    QTest::addColumn<QString>("code");
    QTest::newRow("Fr") << "Fr";
    QTest::newRow("leer") << "";
    QTest::newRow("dt") << "dt";
  }
  void andererCodeAendertNichts() {
    QFETCH(QString, code);
    Probefenster p;
    Beschriften(*p.fenster, kProbe, QStringLiteral("Dt"));
    QCOMPARE(Beschriften(*p.fenster, kProbe, code), 0);
    QCOMPARE(p.fenster->windowTitle(), QStringLiteral("Fenster"));
    QCOMPARE(p.liste->count(), 2);
  }

  void kleineDialoge_data() {
    QTest::addColumn<bool>("englisch");
    QTest::addColumn<QStringList>("pgnInfo");  // title, Label1 .. Label8
    QTest::addColumn<QString>("umwandlung");
    QTest::newRow("Deutsch") << false
                             << QStringList{"Galdrik - Partie-Informationen",
                                            "Partie-Informationen",
                                            "Turnier",
                                            "Ort",
                                            "Datum",
                                            "Weiß",
                                            "Schwarz",
                                            "Runde",
                                            "Resultat"}
                             << "Bauernumwandlung";
    QTest::newRow("Englisch") << true
                              << QStringList{"Galdrik - Game informations",
                                             "Game informations",
                                             "Event",
                                             "Site",
                                             "Date",
                                             "White",
                                             "Black",
                                             "Round",
                                             "Result"}
                              << "Pawn promotion";
  }
  void kleineDialoge() {
    QFETCH(bool, englisch);
    QFETCH(QStringList, pgnInfo);
    QFETCH(QString, umwandlung);
    QWidget info;
    info.setObjectName(QStringLiteral("PGNInfo"));
    QList<QLabel*> labels;
    for (int i = 1; i <= 8; ++i) {
      labels << new QLabel(&info);
      labels.back()->setObjectName(QStringLiteral("Label%1").arg(i));
    }
    auto* ok = new QPushButton(QStringLiteral("Ok"), &info);
    ok->setObjectName(QStringLiteral("Command1"));
    QWidget picker;
    picker.setObjectName(QStringLiteral("Bauernumwandlung"));

    englisch ? Sprache::SpracheEnglisch() : Sprache::SpracheDeutsch();
    Sprache::BeschriftungPGNInfo();
    Sprache::BeschriftungBauernumwandlung();
    QCOMPARE(info.windowTitle(), pgnInfo[0]);
    for (int i = 0; i < 8; ++i) QCOMPARE(labels[i]->text(), pgnInfo[i + 1]);
    QCOMPARE(ok->text(), QStringLiteral("Ok"));
    QCOMPARE(picker.windowTitle(), umwandlung);
  }
};

GALDRIK_GUI_TEST_MAIN(BeschriftungTest)
#include "beschriftung_test.moc"
