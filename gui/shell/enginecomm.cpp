// Loading libGaldrik.so and looking its exports up by name.
#include "shell/enginecomm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <vector>

#include "shell/sprache.h"
#include "shell/uiservice.h"

namespace galdrik::EngineComm {

namespace {

const QString kBibliotheksname = QStringLiteral("libGaldrik.so");

struct Zustand {
  QLibrary bibliothek;
  QString expliziterPfad;
  QString fehler;
  bool versucht = false;
  bool geladen = false;
};

Zustand& zustand() {
  static Zustand z;
  return z;
}

std::vector<detail::Bindung*>& alleBindungen() {
  static std::vector<detail::Bindung*> liste;
  return liste;
}

QStringList kandidaten() {
  const Zustand& z = zustand();
  if (!z.expliziterPfad.isEmpty()) return {z.expliziterPfad};
  QStringList liste;
  if (QCoreApplication::instance()) {
    const QString beiMir = QDir(QCoreApplication::applicationDirPath()).filePath(kBibliotheksname);
    if (QFileInfo::exists(beiMir)) liste << beiMir;
  }
  // A bare name leaves the search to the dynamic loader.
  liste << kBibliotheksname;
  return liste;
}

void allesVergessen() {
  for (detail::Bindung* b : alleBindungen()) b->vergessen();
}

}  // namespace

void setBibliothek(const QString& pfad) {
  entladen();
  zustand().expliziterPfad = pfad;
}

bool laden(Melden melden) {
  Zustand& z = zustand();
  if (z.geladen) return true;
  if (z.versucht) return false;
  z.versucht = true;
  for (const QString& kandidat : kandidaten()) {
    z.bibliothek.setFileName(kandidat);
    if (z.bibliothek.load()) {
      z.geladen = true;
      z.fehler.clear();
      return true;
    }
    z.fehler = z.bibliothek.errorString();
  }
  if (melden == Melden::Ja) {
    ui().messageBox(Sprache::MsgFehlerBibliothek.arg(bibliothek(), z.fehler), MsgStil::Critical,
                    Sprache::FehlerTitel);
  }
  return false;
}

bool geladen() { return zustand().geladen; }

QString bibliothek() {
  const Zustand& z = zustand();
  if (z.geladen) return z.bibliothek.fileName();
  return z.expliziterPfad.isEmpty() ? kBibliotheksname : z.expliziterPfad;
}

QString ladefehler() { return zustand().fehler; }

bool vorhanden(const char* name) {
  for (detail::Bindung* b : alleBindungen()) {
    if (qstrcmp(b->name(), name) == 0) return b->vorhanden();
  }
  return laden(Melden::Nein) && zustand().bibliothek.resolve(name) != nullptr;
}

void entladen() {
  Zustand& z = zustand();
  allesVergessen();
  if (z.geladen) z.bibliothek.unload();
  z.geladen = false;
  z.versucht = false;
  z.fehler.clear();
}

namespace detail {

Bindung::Bindung(const char* name) : name_(name) { alleBindungen().push_back(this); }

void* Bindung::adresse(Melden melden) {
  if (adresse_ || versucht_) return adresse_;
  if (!laden(melden)) return nullptr;
  versucht_ = true;
  adresse_ = reinterpret_cast<void*>(zustand().bibliothek.resolve(name_));
  if (!adresse_ && melden == Melden::Ja) {
    ui().messageBox(Sprache::MsgFehlerExport.arg(QString::fromLatin1(name_), bibliothek()),
                    MsgStil::Exclamation, Sprache::FehlerTitel);
  }
  return adresse_;
}

void Bindung::vergessen() {
  adresse_ = nullptr;
  versucht_ = false;
}

}  // namespace detail

}  // namespace galdrik::EngineComm
