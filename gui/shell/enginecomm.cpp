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

bool laden() {
  Zustand& z = zustand();
  if (z.geladen) return true;
  if (z.versucht) return false;
  z.versucht = true;
  QString grund;
  for (const QString& kandidat : kandidaten()) {
    z.bibliothek.setFileName(kandidat);
    if (z.bibliothek.load()) {
      z.geladen = true;
      return true;
    }
    grund = z.bibliothek.errorString();
  }
  ui().messageBox(Sprache::MsgFehlerBibliothek.arg(bibliothek(), grund), MsgStil::Critical,
                  Sprache::FehlerTitel);
  return false;
}

bool geladen() { return zustand().geladen; }

QString bibliothek() {
  const Zustand& z = zustand();
  if (z.geladen) return z.bibliothek.fileName();
  return z.expliziterPfad.isEmpty() ? kBibliotheksname : z.expliziterPfad;
}

void entladen() {
  Zustand& z = zustand();
  allesVergessen();
  if (z.geladen) z.bibliothek.unload();
  z.geladen = false;
  z.versucht = false;
}

namespace detail {

Bindung::Bindung(const char* name) : name_(name) { alleBindungen().push_back(this); }

void* Bindung::adresse() {
  if (adresse_ || versucht_) return adresse_;
  if (!laden()) return nullptr;
  versucht_ = true;
  adresse_ = reinterpret_cast<void*>(zustand().bibliothek.resolve(name_));
  if (!adresse_) {
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
