#!/usr/bin/env bash
# The Debian package, end to end, without network:
#   1. build it with CPack from the build tree;
#   2. check its contents, dependencies and conffiles;
#   3. unpack it into a scratch root with dpkg -x and make a demo database there with the
#      installed mkdemodb, as user nobody;
#   4. run the installed program as nobody under Xvfb, with the stand-in preview in place of
#      the plug-in, press OK through the keyboard: the report's hand-off files must go to
#      nobody's own data directory, the stand-in must load the report through "rpttemp.ini"
#      there, the program must end (success closes the window), and nothing may change under
#      the scratch root;
#   5. two users of the desk (nobody and daemon) at once, each with a report: each one's
#      hand-off files are in that user's own data directory, owned by that user, and name
#      nothing of the other's;
#   6. run it again with a home whose data directory cannot be made: the run stops with a
#      message naming the directory, and nothing is written anywhere;
#   7. start it with a configuration naming a database that is not there: the start-up error.
# Usage: package_test.sh BUILD_DIR STAND_IN_PREVIEW.so      exit 77: skipped
set -euo pipefail
BUILD=$(cd "$1" && pwd)
PROBE=$2

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || skip "needs root to run the program as another user"
for tool in cpack dpkg-deb dpkg-shlibdeps file setpriv Xvfb xdotool; do
  command -v "$tool" >/dev/null || skip "$tool is missing"
done

WORK=$(mktemp -d /tmp/cust_prod-package.XXXXXX)
XVFB_PID=
PROGRAM_PID=
cleanup() {
  [ -n "$PROGRAM_PID" ] && kill -KILL "$PROGRAM_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
chmod 755 "$WORK"

# 1. The package.
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/out" >"$WORK/cpack.log" 2>&1 \
  || { cat "$WORK/cpack.log"; fail "cpack"; }
DEB=$(ls "$WORK"/out/cust_prod_*.deb 2>/dev/null | head -n1)
[ -n "$DEB" ] || fail "no cust_prod_*.deb in $WORK/out"
echo "built $(basename "$DEB")"

# 2. Contents, dependencies, conffiles.
dpkg-deb -c "$DEB" | awk '{ print $6 ($7 ? " " $7 " " $8 : "") }' >"$WORK/contents"
for path in ./usr/lib/cust_prod/cust_prod ./usr/lib/cust_prod/libdbxfb.so ./usr/lib/cust_prod/libRptPreview.so \
    ./usr/lib/cust_prod/rtm/cust_prod.rtm ./usr/lib/cust_prod/cdstool ./usr/lib/cust_prod/mkdemodb \
    ./usr/lib/cust_prod/skinpack ./usr/lib/cust_prod/rptrender ./usr/lib/cust_prod/skinviewer \
    "./usr/lib/cust_prod/dbxconnections.ini -> ../../../etc/cust_prod/dbxconnections.ini" \
    "./usr/lib/cust_prod/dbxdrivers.ini -> ../../../etc/cust_prod/dbxdrivers.ini" \
    "./usr/lib/cust_prod/Tarnvik.dat -> ../../../etc/cust_prod/Tarnvik.dat" \
    "./usr/bin/cust_prod -> ../lib/cust_prod/cust_prod" "./usr/bin/rptrender -> ../lib/cust_prod/rptrender" \
    ./etc/cust_prod/dbxconnections.ini ./etc/cust_prod/dbxdrivers.ini ./etc/cust_prod/Tarnvik.dat \
    ./usr/share/applications/cust_prod.desktop ./usr/share/icons/hicolor/scalable/apps/cust_prod.svg \
    ./usr/share/doc/cust_prod/README.md ./usr/share/doc/cust_prod/database.md; do
  grep -qxF "$path" "$WORK/contents" || { cat "$WORK/contents"; fail "the package lacks $path"; }
done
if grep -q 'test\|gtest\|\.a$' "$WORK/contents"; then fail "the package holds test files or static libraries"; fi
depends=$(dpkg-deb -f "$DEB" Depends)
for dep in libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins libfbclient2 fonts-arphic-uming \
    fonts-arphic-ukai fonts-liberation2 qt6-translations-l10n; do
  grep -q "\b$dep\b" <<<"$depends" || fail "Depends lacks $dep: $depends"
done
dpkg-deb -e "$DEB" "$WORK/control"
diff <(sort "$WORK/control/conffiles") <(printf '%s\n' /etc/cust_prod/Tarnvik.dat \
  /etc/cust_prod/dbxconnections.ini /etc/cust_prod/dbxdrivers.ini) || fail "conffiles"
grep -qx 'Name=客戶區間商品數量表' <(dpkg-deb --fsys-tarfile "$DEB" | tar -xO ./usr/share/applications/cust_prod.desktop) \
  || fail "the desktop entry's name"

# 3. The scratch root, and a demo database made by the installed tool as nobody.
ROOT=$WORK/root
dpkg -x "$DEB" "$ROOT"
cp "$PROBE" "$ROOT/usr/lib/cust_prod/libRptPreview.so"
EXE=$ROOT/usr/lib/cust_prod
HOME_DIR=$WORK/home
mkdir -p "$HOME_DIR/.config/cust_prod" "$WORK/data" "$WORK/fblock"
printf '%s\r\n' '[Dulmar]' 'DriverName=Interbase' "Database=$WORK/data/POS.GDB" 'User_Name=sysdba' \
  'Password=x' 'SQLDialect=3' 'BlobSize=-1' 'WaitOnLocks=True' 'Interbase TransIsolation=ReadCommited' \
  >"$HOME_DIR/connections.ini"
# The per-user setting names the connection file; the driver file is the system-wide one,
# found beside the executable through its link into etc/.
printf '%s\r\n' '[Data Access]' "Connection Registry File=$HOME_DIR/connections.ini" \
  >"$HOME_DIR/.config/cust_prod/dbx.ini"
chown -R nobody:nogroup "$HOME_DIR" "$WORK/data" "$WORK/fblock"

# The command line that runs "$2..." as nobody with home $1, in NOBODY (an array, so that a
# program started in the background with & has its own process id in $!).
as_nobody() {
  # The embedded engine keeps its lock files where nobody may write (the shared default
  # belongs to the firebird user).
  NOBODY=(setpriv --reuid=nobody --regid=nogroup --clear-groups -- env -i PATH=/usr/bin:/bin HOME="$1"
          FIREBIRD_LOCK="$WORK/fblock" DISPLAY=":$DISPLAY_NUMBER" "${@:2}")
}
# A display number nobody holds.
DISPLAY_NUMBER=$((300 + RANDOM % 100))
while [ -e "/tmp/.X$DISPLAY_NUMBER-lock" ]; do DISPLAY_NUMBER=$((DISPLAY_NUMBER + 1)); done
as_nobody "$HOME_DIR" "$ROOT/usr/bin/mkdemodb" --customers 30 --products 40 --sales-lines 3000 \
  --return-lines 200 --year "$(date +%Y)" --until "$(date +%F)" "$WORK/data/POS.GDB"
"${NOBODY[@]}" >/dev/null || fail "the installed mkdemodb"

snapshot() { (cd "$ROOT" && find . -printf '%p %s %T@ %m\n' | sort); }
snapshot >"$WORK/root.before"

# 4. One report as nobody.
# -noreset: the server keeps running as it is when its last client leaves, between the runs.
Xvfb ":$DISPLAY_NUMBER" -screen 0 1024x768x24 -ac -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
export DISPLAY=:$DISPLAY_NUMBER
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
kill -0 "$XVFB_PID" 2>/dev/null && xdotool getmouselocation >/dev/null 2>&1 \
  || fail "Xvfb :$DISPLAY_NUMBER did not start or went away: $(cat "$WORK/xvfb.log")"

# The visible windows of the program with this title, one per line (xdotool's --name does
# not match these characters, so the titles are compared here).
windows_titled() {
  local w
  for w in $(xdotool search --onlyvisible --class cust_prod 2>/dev/null); do
    [ "$(xdotool getwindowname "$w")" = "$1" ] && echo "$w"
  done
  return 0
}

run_program() {
  kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb :$DISPLAY_NUMBER went away: $(cat "$WORK/xvfb.log")"
  as_nobody "$1" "$ROOT/usr/bin/cust_prod"
  "${NOBODY[@]}" >"$WORK/program.out" 2>"$WORK/program.err" &
  PROGRAM_PID=$!
  local window=
  for _ in $(seq 300); do
    window=$(windows_titled '客戶區間商品數量表' | head -n1)
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { cat "$WORK/program.err"; fail "the main window did not appear"; }
  sleep 1
  xdotool windowfocus --sync "$window"
  # Focus starts in CUST1; six Tabs reach OK, Space presses it.
  xdotool key --delay 100 Tab Tab Tab Tab Tab Tab space
}

run_program "$HOME_DIR"
status=0
timeout 120 tail --pid="$PROGRAM_PID" -f /dev/null || fail "the program did not end after the report"
wait "$PROGRAM_PID" || status=$?
PROGRAM_PID=
cat "$WORK/program.err" >&2
[ "$status" -eq 0 ] || fail "the program ended with $status"
WORKDIR=$HOME_DIR/.local/share/cust_prod
for f in rpttemp.ini temp.cds temp2.cds showform.log; do
  [ -s "$WORKDIR/$f" ] || fail "$WORKDIR/$f was not written"
done
[ "$(stat -c %a "$WORKDIR")" = 700 ] || fail "$WORKDIR is readable by other users"
grep -qx "ShowForm ini=$WORKDIR/rpttemp.ini pages=[1-9][0-9]*" "$WORKDIR/showform.log" \
  || { cat "$WORKDIR/showform.log"; fail "the preview did not load the report from the work directory"; }
grep -q "^path=$EXE/rtm/cust_prod.rtm" "$WORKDIR/rpttemp.ini" || fail "the template path in rpttemp.ini"
snapshot >"$WORK/root.after"
diff "$WORK/root.before" "$WORK/root.after" || fail "the program changed the install root"
echo "report run as nobody: $(cat "$WORKDIR/showform.log")"

# 5. Two users of the desk at once: nobody and daemon, each with a home of its own and its own
#    copy of the database (the embedded engine opens a file for one process).
as_user() {  # USER GROUP HOME LOCK_DIR COMMAND... -> USER_CMD
  USER_CMD=(setpriv --reuid="$1" --regid="$2" --clear-groups -- env -i PATH=/usr/bin:/bin HOME="$3"
            FIREBIRD_LOCK="$4" DISPLAY=":$DISPLAY_NUMBER" "${@:5}")
}
start_program_as() {  # USER GROUP HOME LOCK_DIR TAG -> STARTED_PID, STARTED_WINDOW
  local before
  kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb :$DISPLAY_NUMBER went away: $(cat "$WORK/xvfb.log")"
  before=$(windows_titled '客戶區間商品數量表')
  as_user "$1" "$2" "$3" "$4" "$ROOT/usr/bin/cust_prod"
  "${USER_CMD[@]}" >"$WORK/$5.out" 2>"$WORK/$5.err" &
  STARTED_PID=$!
  STARTED_WINDOW=
  for _ in $(seq 300); do
    STARTED_WINDOW=$(windows_titled '客戶區間商品數量表' | grep -vxF -e "${before:-no window}" | head -n1 || true)
    [ -n "$STARTED_WINDOW" ] && break
    sleep 0.2
  done
  [ -n "$STARTED_WINDOW" ] || { cat "$WORK/$5.err"; fail "the main window of $1 did not appear"; }
}
HOME_A=$WORK/home-a
HOME_B=$WORK/home-b
mkdir -p "$HOME_A/.config/cust_prod" "$HOME_B/.config/cust_prod" "$WORK/data-b" "$WORK/fblock-b"
cp "$HOME_DIR/.config/cust_prod/dbx.ini" "$HOME_A/.config/cust_prod/"
cp "$WORK/data/POS.GDB" "$WORK/data-b/POS.GDB"
sed "s|^Database=.*|Database=$WORK/data-b/POS.GDB\r|" "$HOME_DIR/connections.ini" >"$HOME_B/connections.ini"
printf '%s\r\n' '[Data Access]' "Connection Registry File=$HOME_B/connections.ini" \
  >"$HOME_B/.config/cust_prod/dbx.ini"
chown -R nobody:nogroup "$HOME_A"
chown -R daemon:daemon "$HOME_B" "$WORK/data-b" "$WORK/fblock-b"
start_program_as nobody nogroup "$HOME_A" "$WORK/fblock" user-a
PID_A=$STARTED_PID WINDOW_A=$STARTED_WINDOW PROGRAM_PID=$PID_A
start_program_as daemon daemon "$HOME_B" "$WORK/fblock-b" user-b
PID_B=$STARTED_PID WINDOW_B=$STARTED_WINDOW
sleep 1
# Both windows are up before either OK is pressed.
for window in "$WINDOW_A" "$WINDOW_B"; do
  xdotool windowfocus --sync "$window"
  xdotool key --delay 100 Tab Tab Tab Tab Tab Tab space
done
for tag_pid in "a:$PID_A" "b:$PID_B"; do
  pid=${tag_pid#*:}
  timeout 120 tail --pid="$pid" -f /dev/null || { kill -KILL "$PID_B" 2>/dev/null; fail "user ${tag_pid%%:*}'s program did not end"; }
  status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || { cat "$WORK/user-${tag_pid%%:*}.err"; fail "user ${tag_pid%%:*}'s program ended with $status"; }
done
PROGRAM_PID=
for user_home in "nobody:$HOME_A" "daemon:$HOME_B"; do
  user=${user_home%%:*} home=${user_home#*:}
  dir=$home/.local/share/cust_prod
  other=$HOME_A
  [ "$home" = "$HOME_A" ] && other=$HOME_B
  for f in rpttemp.ini temp.cds temp2.cds showform.log; do
    [ -s "$dir/$f" ] || fail "$dir/$f was not written"
    [ "$(stat -c %U "$dir/$f")" = "$user" ] || fail "$dir/$f is not $user's"
  done
  [ "$(stat -c '%U %a' "$dir")" = "$user 700" ] || fail "$dir is not $user's alone"
  grep -qx "ShowForm ini=$dir/rpttemp.ini pages=[1-9][0-9]*" "$dir/showform.log" \
    || { cat "$dir/showform.log"; fail "$user's preview did not load $user's report"; }
  grep -q "$other" "$dir/rpttemp.ini" && fail "$user's rpttemp.ini names the other user's files"
  [ -z "$(find "$dir" ! -user "$user")" ] || fail "$dir holds files of another user"
done
snapshot >"$WORK/root.after-two"
diff "$WORK/root.before" "$WORK/root.after-two" || fail "the two users' runs changed the install root"
echo "two users at once: $(cat "$HOME_A/.local/share/cust_prod/showform.log"); $(cat "$HOME_B/.local/share/cust_prod/showform.log")"

# 6. A data directory that cannot be made: its parent is a file.
BAD_HOME=$WORK/badhome
mkdir -p "$BAD_HOME/.config/cust_prod"
cp "$HOME_DIR/.config/cust_prod/dbx.ini" "$BAD_HOME/.config/cust_prod/"
touch "$BAD_HOME/.local"
chown -R nobody:nogroup "$BAD_HOME"
run_program "$BAD_HOME"
expected="Cannot create the work directory \"$BAD_HOME/.local/share/cust_prod\""
for _ in $(seq 100); do grep -qF "$expected" "$WORK/program.err" && break; sleep 0.1; done
grep -qF "$expected" "$WORK/program.err" || { cat "$WORK/program.err"; fail "no message naming the work directory"; }
kill -KILL "$PROGRAM_PID"; wait "$PROGRAM_PID" 2>/dev/null || true
PROGRAM_PID=
snapshot >"$WORK/root.after2"
diff "$WORK/root.before" "$WORK/root.after2" || fail "the failed run changed the install root"
[ -z "$(find "$BAD_HOME" -newer "$BAD_HOME/.local" -type f)" ] || fail "the failed run wrote files"

# 7. A configuration that points at a database that is not there: the start-up error as in the
#    build tree ("Application Error" with the engine's message), the main window never shown.
MISSING_HOME=$WORK/missinghome
mkdir -p "$MISSING_HOME/.config/cust_prod"
sed "s|^Database=.*|Database=$WORK/data/NOT-THERE.GDB\r|" "$HOME_DIR/connections.ini" >"$MISSING_HOME/connections.ini"
printf '%s\r\n' '[Data Access]' "Connection Registry File=$MISSING_HOME/connections.ini" \
  >"$MISSING_HOME/.config/cust_prod/dbx.ini"
chown -R nobody:nogroup "$MISSING_HOME"
as_nobody "$MISSING_HOME" "$ROOT/usr/bin/cust_prod"
"${NOBODY[@]}" >"$WORK/program.out" 2>"$WORK/program.err" &
PROGRAM_PID=$!
for _ in $(seq 150); do grep -q '^Application Error: ' "$WORK/program.err" && break; sleep 0.2; done
grep -q "^Application Error: Exception .*NOT-THERE.GDB" "$WORK/program.err" \
  || { cat "$WORK/program.err"; fail "no start-up error naming the missing database"; }
[ -z "$(windows_titled '客戶區間商品數量表')" ] || fail "the main window was shown after a failed start"
kill -KILL "$PROGRAM_PID"; wait "$PROGRAM_PID" 2>/dev/null || true
PROGRAM_PID=
snapshot >"$WORK/root.after3"
diff "$WORK/root.before" "$WORK/root.after3" || fail "the failed start changed the install root"
echo "PASS"
