#!/usr/bin/env bash
# Starts and stops the Firebird 3 server on loopback for the database tests' server suite.
#
#   bash scripts/firebird-server.sh start   install the server where missing, set up the test
#                                           user, start the server, wait for 127.0.0.1:3050
#   bash scripts/firebird-server.sh stop    stop the server, only when `start` started it
#
# `start` writes what the tests need into <temp>/cust_prod-firebird/server.ini (section
# [server]: host, user, password, data_dir); `stop` removes it. Without that file the server
# tests skip themselves. Needs root (it is root in CI, on a fresh machine without systemd).
set -euo pipefail

TEST_USER=CUSTPROD_TEST
TEST_PASSWORD=cp3050test
SECURITY_DB=/var/lib/firebird/3.0/system/security3.fdb
INIT_SCRIPT=/etc/init.d/firebird3.0
STATE_DIR="${TMPDIR:-/tmp}/cust_prod-firebird"
INFO_FILE="$STATE_DIR/server.ini"
STARTED_MARK="$STATE_DIR/started-by-script"
DATA_DIR="$STATE_DIR/data"

log() { echo "firebird-server: $*" >&2; }

server_running() { pidof fbguard >/dev/null 2>&1 || pidof firebird >/dev/null 2>&1; }

port_open() { (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; }

install_server() {
  if dpkg-query -W -f='${Status}' firebird3.0-server 2>/dev/null | grep -q "install ok installed" \
     && command -v isql-fb >/dev/null; then
    return
  fi
  log "installing firebird3.0-server"
  apt-get update
  # The package must not start its own service: this script starts and stops it.
  echo exit 101 >/usr/sbin/policy-rc.d
  chmod +x /usr/sbin/policy-rc.d
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    firebird3.0-server firebird3.0-utils libfbclient2
  rm -f /usr/sbin/policy-rc.d
}

# The test user is written into the security database with the embedded engine while the
# server is down (it holds the database exclusively while it runs). No password of the
# server's administrator is needed for that.
create_test_user() {
  local sql="CREATE OR ALTER USER $TEST_USER PASSWORD '$TEST_PASSWORD' USING PLUGIN Srp; COMMIT; GRANT CREATE DATABASE TO USER $TEST_USER; COMMIT;"
  if ! echo "$sql" | isql-fb -q -user SYSDBA "$SECURITY_DB" >/dev/null; then
    log "could not create the test user in $SECURITY_DB"
    return 1
  fi
  # The engine ran as root: give the server back its own files.
  chown firebird:firebird "$SECURITY_DB"
}

# Logs in as the test user by creating and dropping a scratch database on the server.
test_user_works() {
  local probe="$DATA_DIR/probe.fdb"
  rm -f "$probe"
  echo "CREATE DATABASE '127.0.0.1:$probe' USER '$TEST_USER' PASSWORD '$TEST_PASSWORD'; DROP DATABASE;" \
    | isql-fb -q >/dev/null 2>&1
}

start() {
  [ "$(id -u)" -eq 0 ] || { log "must run as root"; exit 1; }
  install_server
  mkdir -p "$DATA_DIR"
  # The server runs as user firebird and creates the tests' database files here.
  chmod 1777 "$STATE_DIR" "$DATA_DIR"

  if server_running; then
    log "a server is already running; using it as it is"
  else
    create_test_user
    # Lock files that an embedded engine left behind as root would keep the server out.
    if [ -d /tmp/firebird ]; then chown -R firebird:firebird /tmp/firebird; fi
    mkdir -p /var/run/firebird3.0 && chown firebird:firebird /var/run/firebird3.0
    if [ -x "$INIT_SCRIPT" ]; then
      "$INIT_SCRIPT" start >/dev/null
    else
      start-stop-daemon --start --quiet --chuid firebird --exec /usr/sbin/fbguard -- \
        -daemon -forever -pidfile /var/run/firebird3.0/firebird.pid
    fi
    touch "$STARTED_MARK"
  fi

  for _ in $(seq 1 60); do
    port_open && break
    sleep 0.5
  done
  if ! port_open; then
    log "the server does not accept connections on 127.0.0.1:3050"
    exit 1
  fi
  if ! test_user_works; then
    log "the test user $TEST_USER cannot log in to the running server"
    exit 1
  fi
  cat >"$INFO_FILE" <<EOF
[server]
host=127.0.0.1
user=$TEST_USER
password=$TEST_PASSWORD
data_dir=$DATA_DIR
EOF
  chmod 644 "$INFO_FILE"
  log "server ready on 127.0.0.1:3050 (test user $TEST_USER; $INFO_FILE)"
}

stop() {
  rm -f "$INFO_FILE"
  if [ ! -e "$STARTED_MARK" ]; then
    log "not started by this script; left running"
    return 0
  fi
  if [ -x "$INIT_SCRIPT" ]; then
    "$INIT_SCRIPT" stop >/dev/null || true
  else
    start-stop-daemon --stop --quiet --oknodo --retry 10 --exec /usr/sbin/fbguard || true
    start-stop-daemon --stop --quiet --oknodo --retry 15 --exec /usr/sbin/firebird || true
  fi
  rm -f "$STARTED_MARK"
  rm -rf "$DATA_DIR"
  log "server stopped"
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
