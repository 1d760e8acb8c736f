#!/usr/bin/env bash
# Runs the program on its embedded demo database (the README's run command):
#   1. installs what is needed and builds (scripts/setup.sh; BUILD_DIR and CMAKE_ARGS pass on),
#   2. completes the executable's directory <build>/exedir where files are missing: the two
#      configuration files pointing at the demo database, the parameter file Tarnvik.dat and
#      the demo database POSDATA.GDB; files that are already there are kept as they are,
#   3. starts cust_prod on the user's display (not with --prepare-only).
# Headless: xvfb-run -s "-screen 0 1024x768x24" bash scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

PREPARE_ONLY=0
[ "${1:-}" = "--prepare-only" ] && PREPARE_ONLY=1

BUILD_DIR=${BUILD_DIR:-build}
EXEDIR="$BUILD_DIR/exedir"
log() { echo "run: $*" >&2; }

for f in cust_prod libdbxfb.so cdstool mkdemodb; do
  [ -e "$EXEDIR/$f" ] || { log "the build did not produce $EXEDIR/$f"; exit 1; }
done

# The driver section: the driver plug-in and the client library, both found by name (the
# executable's directory first, then the system's library search).
if [ ! -f "$EXEDIR/dbxdrivers.ini" ]; then
  printf '[Interbase]\r\nGetDriverFunc=getSQLDriverINTERBASE\r\nLibraryName=libdbxfb.so\r\nVendorLib=libfbclient.so.2\r\n' \
    >"$EXEDIR/dbxdrivers.ini"
  log "wrote $EXEDIR/dbxdrivers.ini"
fi

# The connection section: a plain, relative path is a database file in the executable's
# directory, opened with the embedded engine (no server needed, user and password unchecked).
if [ ! -f "$EXEDIR/dbxconnections.ini" ]; then
  printf '%s\r\n' '[Dulmar]' 'DriverName=Interbase' 'Database=POSDATA.GDB' 'RoleName=RoleName' \
    'User_Name=sysdba' 'Password=moravine' 'ServerCharSet=' 'SQLDialect=3' 'BlobSize=-1' \
    'CommitRetain=False' 'WaitOnLocks=True' 'ErrorResourceFile=' 'LocaleCode=0000' \
    'Interbase TransIsolation=ReadCommited' 'Trim Char=False' >"$EXEDIR/dbxconnections.ini"
  log "wrote $EXEDIR/dbxconnections.ini"
fi

if [ ! -f "$EXEDIR/Tarnvik.dat" ]; then
  "$EXEDIR/cdstool" param "示範商行股份有限公司" -o "$EXEDIR/Tarnvik.dat"
  log "wrote $EXEDIR/Tarnvik.dat"
fi

# The demo documents run from 1 January of the current year to today, with sales on every day
# and returns only after their sales, so the date edits' default (today to today) finds a
# report of several customers.
if [ ! -f "$EXEDIR/POSDATA.GDB" ]; then
  log "creating the demo database $EXEDIR/POSDATA.GDB"
  "$EXEDIR/mkdemodb" --year "$(date +%Y)" --until "$(date +%F)" "$EXEDIR/POSDATA.GDB"
fi

[ -f "$EXEDIR/rtm/cust_prod.rtm" ] || log "note: $EXEDIR/rtm/cust_prod.rtm is missing; the report cannot be previewed"
[ "$PREPARE_ONLY" -eq 1 ] && exit 0

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  log "no display; run it headless with: xvfb-run -s \"-screen 0 1024x768x24\" bash scripts/run.sh"
  exit 1
fi
exec "$EXEDIR/cust_prod"
