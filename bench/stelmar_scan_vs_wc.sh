#!/bin/sh
# Times "stelmar -files" and "stelmar -procs" over a 40 MB PL/I source against
# "wc -w" over the same file, side by side in one run, and prints the ratios.
# Usage: stelmar_scan_vs_wc.sh <stelmar binary> [megabytes]
set -eu
stelmar=${1:?path of the stelmar program (a release build)}
mb=${2:-40}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/block.pli" <<'PLI'
 /* INVENTORY UPDATE - NIGHTLY RUN */
 INVUPD: PROCEDURE OPTIONS(MAIN) REORDER;
   DCL INFILE  FILE RECORD INPUT ENV(FB RECSIZE(80));
   DCL (OUTF, ERRF) FILE RECORD OUTPUT;
   DCL 1 REC, 2 KEY CHAR(8), 2 QTY FIXED DEC(7,2), 2 TEXT CHAR(62);
   DCL EOF BIT(1) INIT('0'B);
   DCL MSG CHAR(40) INIT('RECORD (KEY) NOT FOUND; SEE LOG');
   ON ENDFILE(INFILE) EOF = '1'B;
   OPEN FILE(INFILE), FILE(OUTF) OUTPUT;
   READ FILE(INFILE) INTO(REC);
   DO WHILE (¬EOF);
     IF QTY > 0 & KEY ¬= '' THEN CALL BOOK(REC, QTY * 1.05);
     ELSE PUT FILE(ERRF) SKIP LIST(MSG, KEY); /* nested /* note */ here */
     READ FILE(INFILE) INTO(REC);
   END;
   CLOSE FILE(INFILE), FILE(OUTF);
 BOOK: PROC(R, AMOUNT);
   DCL R LIKE REC, AMOUNT FIXED DEC(9,2);
   WRITE FILE(OUTF) FROM(R);
 END BOOK;
 END INVUPD;
PLI
target=$((mb * 1024 * 1024))
: >"$work/big.pli"
# Doubling keeps the set-up short.
cp "$work/block.pli" "$work/chunk.pli"
while [ "$(wc -c <"$work/chunk.pli")" -lt 1048576 ]; do
  cat "$work/chunk.pli" "$work/chunk.pli" >"$work/tmp.pli"
  mv "$work/tmp.pli" "$work/chunk.pli"
done
while [ "$(wc -c <"$work/big.pli")" -lt "$target" ]; do cat "$work/chunk.pli" >>"$work/big.pli"; done
echo "source: $(wc -c <"$work/big.pli") bytes"

ms() { echo $(( ($2 - $1) / 1000000 )); }
# A first read puts the file in the page cache for every contender alike.
cat "$work/big.pli" >/dev/null
for mode in -files -procs; do
  t0=$(date +%s%N); wc -w "$work/big.pli" >/dev/null; t1=$(date +%s%N)
  "$stelmar" "$mode" "$work/big.pli" >/dev/null; t2=$(date +%s%N)
  wc_ms=$(ms "$t0" "$t1"); st_ms=$(ms "$t1" "$t2")
  echo "wc -w: ${wc_ms} ms   stelmar $mode: ${st_ms} ms   ratio: $(awk "BEGIN{printf \"%.2f\", $st_ms / ($wc_ms > 0 ? $wc_ms : 1)}")"
done
# Memory stays flat: the peak resident size for the whole file.
if command -v /usr/bin/time >/dev/null 2>&1; then
  /usr/bin/time -f "peak resident set: %M KB" "$stelmar" -files "$work/big.pli" >/dev/null
fi
