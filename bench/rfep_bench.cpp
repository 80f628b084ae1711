// RFEP matrix algebra: inverses of random well-conditioned matrices and the
// expected depths of a matrix file, at the sizes depth limits give.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "analysis/rfepemulator.h"
#include "analysis/rfepmatrix.h"
#include "messen.h"

using namespace galdrik;

int main() {
  std::mt19937 zufall(7);
  std::uniform_real_distribution<double> wert(-1.0, 1.0);
  std::printf("inverse (LU, partial pivoting)\n");
  for (int n : {20, 50, 103, 300}) {
    RFEPMatrix a(n, n);
    for (int z = 0; z < n; ++z)
      for (int s = 0; s < n; ++s) a.MatrixSetzen(wert(zufall) + (z == s ? n : 0), z, s);
    const int laeufe = n <= 50 ? 200 : 10;
    double fehler = 0;
    const double sek = bench::Sekunden([&] {
      for (int i = 0; i < laeufe; ++i) {
        const RFEPMatrix e = RFEPMatrix::MatrixMul(a, a.MatrixInvertieren());
        for (int z = 0; z < n; ++z)
          for (int s = 0; s < n; ++s)
            fehler = std::max(fehler, std::abs(e.MatrixHolen(z, s) - (z == s ? 1.0 : 0.0)));
      }
    });
    std::printf("  n = %3d: %9.3f ms per inverse and check, max |A A^-1 - I| = %.3g\n", n,
                1000 * sek / laeufe, fehler);
  }

  // A chain over maxD + 3 states in which every state but 0 stays with
  // probability 1/4 and otherwise steps down.
  std::printf("expected depths of a matrix file\n");
  const auto pfad = std::filesystem::temp_directory_path() / "galdrik-rfep-bench.mtx";
  for (int maxD : {10, 100, 500}) {
    const int n = maxD + 3;
    RFEPMatrix p(n, n);
    p.MatrixSetzen(1.0, 0, 0);
    for (int z = 1; z < n; ++z) {
      p.MatrixSetzen(0.25, z, z);
      p.MatrixSetzen(0.75, z, z - 1);
    }
    std::ofstream(pfad) << "Competence 1; Kappa 1; Horizon 0; Draw depth 0; Loss depth 0\n"
                        << p.MatrixText('\t', '\n') << "\n\n";
    int32_t ergebnis = 0;
    const double sek = bench::Sekunden([&] { ergebnis = RFEPMatrixDepthsInnen(pfad, n); });
    std::printf("  maxD = %3d: %9.3f ms, result %d\n", maxD, 1000 * sek, ergebnis);
  }
  std::filesystem::remove(pfad);
  return 0;
}
