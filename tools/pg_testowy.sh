#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A throwaway PostgreSQL 15 cluster for the archive's tests:
#   tools/pg_testowy.sh start FOLDER   initdb into FOLDER and start the server
#   tools/pg_testowy.sh stop FOLDER    stop it and remove FOLDER
#   tools/pg_testowy.sh zatrzymaj FOLDER / wznow FOLDER   kill the server at once (as a crash
#                                      or a pulled cable would) / start it again on its data
# The server listens on a Unix socket in FOLDER only (no TCP), trusts local connections, and
# has the superuser "sondrel_test". initdb refuses to run as root: as root the cluster runs as
# "nobody" (through runuser), with FOLDER given to that user. Without the PostgreSQL binaries
# "start" does nothing and the tests that need the server skip.
set -euo pipefail
akcja=${1:?start|stop}
folder=${2:?FOLDER}
bin=${SONDREL_PG_BIN:-/usr/lib/postgresql/15/bin}

jako() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u nobody -- "$@"
    else
        "$@"
    fi
}

# The server on its data: a Unix socket in the folder, no TCP.
uruchom() {
    jako "$bin/pg_ctl" -D "$folder/dane" -l "$folder/serwer.log" -w -t 240 \
        -o "-c listen_addresses='' -c unix_socket_directories='$folder' -c fsync=off -c max_connections=200" \
        start >/dev/null || { tail -n 20 "$folder/serwer.log" >&2; return 1; }
}

case "$akcja" in
start)
    if [ ! -x "$bin/initdb" ]; then
        echo "PostgreSQL 15 is not installed ($bin): the server tests will skip"
        exit 0
    fi
    if [ -f "$folder/dane/postmaster.pid" ]; then
        jako "$bin/pg_ctl" -D "$folder/dane" -m immediate stop >/dev/null 2>&1 || true
    fi
    rm -rf "$folder"
    mkdir -p "$folder"
    chmod 0755 "$folder"
    [ "$(id -u)" -eq 0 ] && chown nobody "$folder"
    jako "$bin/initdb" -D "$folder/dane" -U sondrel_test --auth=trust -E UTF8 --locale=C.UTF-8 \
        >"$folder/initdb.log" 2>&1 || { tail -n 20 "$folder/initdb.log" >&2; exit 1; }
    uruchom
    echo "PostgreSQL test server: socket in $folder"
    ;;
zatrzymaj)
    jako "$bin/pg_ctl" -D "$folder/dane" -m immediate -w stop >/dev/null
    ;;
wznow)
    uruchom
    ;;
stop)
    if [ -f "$folder/dane/postmaster.pid" ]; then
        jako "$bin/pg_ctl" -D "$folder/dane" -m fast -w stop >/dev/null || true
    fi
    rm -rf "$folder"
    ;;
*)
    echo "usage: $0 start|stop|zatrzymaj|wznow FOLDER" >&2
    exit 1
    ;;
esac
