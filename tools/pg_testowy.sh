#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A throwaway PostgreSQL 15 cluster for the archive's tests:
#   tools/pg_testowy.sh start FOLDER   initdb into FOLDER and start the server
#   tools/pg_testowy.sh start FOLDER PORT   the same, also listening on 127.0.0.1:PORT, where
#                                      every role logs in with a scram-sha-256 password (the
#                                      superuser's is SONDREL_PG_HASLO); the socket stays trust
#   tools/pg_testowy.sh stop FOLDER    stop it and remove FOLDER
#   tools/pg_testowy.sh zatrzymaj FOLDER / wznow FOLDER   kill the server at once (as a crash
#                                      or a pulled cable would) / start it again on its data
# Without PORT the server listens on a Unix socket in FOLDER only (no TCP), trusts local
# connections, and
# has the superuser "sondrel_test". initdb refuses to run as root: as root the cluster runs as
# "nobody" (through runuser), with FOLDER given to that user. Without the PostgreSQL binaries
# "start" does nothing and the tests that need the server skip.
set -euo pipefail
akcja=${1:?start|stop}
folder=${2:?FOLDER}
port=${3:-}
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
    local siec="-c listen_addresses=''"
    [ -f "$folder/port" ] && siec="-c listen_addresses='127.0.0.1' -p $(cat "$folder/port")"
    jako "$bin/pg_ctl" -D "$folder/dane" -l "$folder/serwer.log" -w -t 240 \
        -o "$siec -c unix_socket_directories='$folder' -c fsync=off -c max_connections=200" \
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
    dostep=(--auth=trust)
    if [ -n "$port" ]; then
        echo "$port" >"$folder/port"
        printf '%s\n' "${SONDREL_PG_HASLO:?the superuser password}" >"$folder/haslo"
        chmod 0600 "$folder/haslo"
        [ "$(id -u)" -eq 0 ] && chown nobody "$folder/haslo"
        dostep=(--auth-local=trust --auth-host=scram-sha-256 --pwfile="$folder/haslo")
    fi
    jako "$bin/initdb" -D "$folder/dane" -U sondrel_test "${dostep[@]}" -E UTF8 \
        --locale=C.UTF-8 >"$folder/initdb.log" 2>&1 || { tail -n 20 "$folder/initdb.log" >&2; exit 1; }
    rm -f "$folder/haslo"
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
    echo "usage: $0 start|stop|zatrzymaj|wznow FOLDER [PORT]" >&2
    exit 1
    ;;
esac
