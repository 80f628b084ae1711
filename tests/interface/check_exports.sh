#!/usr/bin/env bash
# Fails when the shared library exports anything but DLL_* functions (the
# linker's own section markers aside), or misses an export it must have.
set -euo pipefail
lib="$1"
symbols=$(nm -D --defined-only "$lib" | awk '{print $3}')
foreign=$(printf '%s\n' "$symbols" | grep -v -E '^(DLL_.*|_init|_fini|_edata|_end|__bss_start)$' || true)
if [ -n "$foreign" ]; then
  echo "symbols exported beside DLL_*:"
  printf '%s\n' "$foreign"
  exit 1
fi
for required in DLL_CheckMMX DLL_HashCodeGen DLL_HashLeeren DLL_HashReAllok \
    DLL_EngineInit DLL_EngineKill DLL_StellungGet DLL_ZugMachen DLL_SuchStart DLL_StringByte \
    DLL_GegenfeldReAllok DLL_BuchGen \
    DLL_PartieNotation DLL_ZugMark DLL_ZugKlick DLL_SetNAG DLL_SetComment DLL_GetComment \
    DLL_ZugKill DLL_ZugAufwerten DLL_PartiePGNSet DLL_PartieStatus DLL_ZugMinus DLL_ZugPlus \
    DLL_ZugNummer DLL_PartieStruktSave DLL_PartieStruktLoad DLL_DateiSpeichern \
    DLL_PGNDateiLaden DLL_PGNDateiPartieInfo DLL_PGNDateiPartieText DLL_PGNDateiPartieLoad \
    DLL_PGNDateiPartieAbbruch DLL_PGNDateiSchliessen \
    DLL_Bewertung DLL_SpeedTestEval DLL_SpeedTestMovegen DLL_TestZL DLL_TestLK DLL_Fenograph \
    DLL_MD5Dateisumme DLL_PGNStatistikErstellen \
    DLL_EPDLaden DLL_EPDString DLL_EPDInterpret DLL_EPDTestStart DLL_EPDTestStopp \
    DLL_EPDTestFertig DLL_EPDTestStatus DLL_EPDTestInfo DLL_EPDTestStatistik DLL_EPDSpeichern; do
  grep -qx "$required" <<< "$symbols" || { echo "missing export $required"; exit 1; }
done
echo "exports: $(printf '%s\n' "$symbols" | grep -c '^DLL_') DLL_* functions, nothing else"
