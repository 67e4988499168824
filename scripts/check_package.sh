#!/usr/bin/env bash
# Builds the release configuration and the Debian package, validates the desktop entries,
# the AppStream data and the package, installs it, runs the installed korvane headless on
# the sample job, checks the file-type association and the man pages, purges the package
# and checks that nothing of it is left. Needs root (or sudo) for apt-get.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

tools=(lintian desktop-file-utils appstream shared-mime-info xdg-utils dpkg-dev file
       librsvg2-bin man-db)
missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi

fail() { echo "check_package: $*" >&2; exit 1; }

echo "== release build and package"
cmake --preset release -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build --preset release -j "$(nproc)" --target korvane stelmar quillstub \
  korvane-batch-runner standin_toolroot desktop_files
rm -f build/release/korvane_*.deb
(cd build/release && cpack -G DEB >/dev/null)
debs=(build/release/korvane_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one package, found: ${debs[*]}"
deb=$repo/${debs[0]}
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

echo "== desktop entries, AppStream data, lintian"
desktop-file-validate packaging/com.brevik.korvane.desktop packaging/com.brevik.stelmar.desktop
appstreamcli validate --no-net build/release/packaging/com.brevik.korvane.metainfo.xml \
  build/release/packaging/com.brevik.stelmar.metainfo.xml
# Errors and warnings fail (packaging/LINTIAN.md).
lintian --fail-on error,warning --info "$deb"
if dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -Eq '(pre|post)(inst|rm)$'; then
  fail "the package has maintainer scripts"
fi

# The file list of the system, before and after.
snapshot() { find /usr /etc -xdev 2>/dev/null | LC_ALL=C sort; }
refresh_caches() {
  $SUDO update-mime-database /usr/share/mime
  $SUDO update-desktop-database -q /usr/share/applications
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The package's dependencies first, so that what apt brings in for them is not counted.
deps=$(dpkg-deb -f "$deb" Depends | sed -E 's/\([^)]*\)//g; s/,/ /g; s/\|[^ ]*//g')
if [ -n "$deps" ]; then
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $deps >/dev/null
fi
if dpkg-query -W -f='${Status}' korvane 2>/dev/null | grep -q "installed"; then
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get purge -y -qq korvane >/dev/null
fi
refresh_caches
snapshot > "$work/before"

echo "== install"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "$deb" >/dev/null
refresh_caches
for f in /usr/bin/korvane /usr/bin/stelmar /usr/lib/korvane/quillstub \
         /usr/lib/korvane/korvane-batch-runner; do
  [ -x "$f" ] || fail "$f is not installed"
done
for f in /usr/share/korvane/Korvane.INI /usr/share/mime/packages/korvane.xml \
         /usr/share/icons/hicolor/scalable/apps/korvane.svg \
         /usr/share/icons/hicolor/48x48/apps/stelmar.png; do
  [ -f "$f" ] || fail "$f is not installed"
done
if dpkg -L korvane | grep -Eiq 'standin|/Ardent$|COBWrap/COBWrap$'; then
  fail "a stand-in tool is in the package"
fi

echo "== the installed korvane runs the sample job headless"
root=$repo/build/release/toolroot
job=$work/job
mkdir -p "$job/out/SourceCollection" "$job/out/CopyCollection" "$work/home"
cp /usr/share/korvane/jobs/cobol/*.cbl "$job/out/SourceCollection/"
cp /usr/share/korvane/jobs/cobol/copylib/*.cpy "$job/out/CopyCollection/"
sed -e "s|@JOBDIR@|$job|g" -e "s|@SAMPLES@|/usr/share/korvane|g" \
  /usr/share/korvane/jobs/cobol/Customer.jwrap.in > "$job/CustBankXml.jwrap"
# A private home: the settings and the per-user file-type registration go there.
user_env=(HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
          XDG_DATA_HOME="$work/home/.local/share")
status=0
(cd "$work" && env "${user_env[@]}" /usr/bin/korvane -batch -Yes -ar Anal -Root "$root" -Ini "$root/Korvane.INI" \
  -Proj "$job/CustBankXml.jwrap" -Report "$work/report.json") >"$work/out.log" 2>"$work/err.log" \
  || status=$?
[ "$status" -eq 0 ] || { cat "$work/err.log" >&2; fail "korvane -batch ended with $status"; }
for name in ACCTUPD CUSTINQ CUSTRPT INTCALC; do
  [ -s "$job/out/WrapOut/$name.xml" ] || fail "no result $name.xml"
done
python3 -c 'import json,sys; sys.exit(json.load(open(sys.argv[1]))["exitStatus"] != 0)' \
  "$work/report.json" || fail "the report does not say exit status 0"
grep -q "BatchRunning=N" "$job/CustBankXml.jwrap" || fail "the job was not saved after the run"

# Without -Ini and with no configuration beside it, the installed one is found.
(cd "$work" && env "${user_env[@]}" /usr/bin/korvane -batch -Yes -Proj "$work/none.jwrap") >/dev/null \
  2>"$work/first.log" || true
if grep -q "No ini file" "$work/first.log"; then
  cat "$work/first.log" >&2
  fail "the installed korvane does not find /usr/share/korvane/Korvane.INI"
fi

echo "== file type, man pages"
empty=$work/empty-data
mkdir -p "$empty"
handler=$(XDG_DATA_HOME=$empty XDG_DATA_DIRS=/usr/share XDG_CONFIG_HOME=$empty \
  xdg-mime query default application/x-korvane-job)
[ "$handler" = "com.brevik.korvane.desktop" ] || fail "application/x-korvane-job opens with '$handler'"
grep -q "application/x-korvane-job" /usr/share/mime/globs2 || fail "the MIME type is not known"
man -w korvane | grep -q "^/usr/share/man/man1/korvane.1.gz$" || fail "man -w korvane"
man -w stelmar | grep -q "^/usr/share/man/man1/stelmar.1.gz$" || fail "man -w stelmar"

echo "== purge"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get purge -y -qq korvane >/dev/null
refresh_caches
snapshot > "$work/after"
if ! diff -u "$work/before" "$work/after"; then
  fail "the purge left the system different from before"
fi
echo "check_package: all checks passed ($deb)"
