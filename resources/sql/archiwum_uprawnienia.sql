-- SPDX-License-Identifier: GPL-3.0-or-later
-- Roles for a school's archive of analyses on PostgreSQL.
--
-- Run by the server's administrator (a superuser, e.g. postgres), connected to the archive's
-- database, as often as needed (it changes nothing that is already right):
--     createdb archiwum
--     psql -v ON_ERROR_STOP=1 -d archiwum -f archiwum_uprawnienia.sql
-- It makes, where missing:
--     sondrel_wlasciciel   the archive's owner: the program makes and upgrades the tables when
--                          this role opens the archive; it sees and changes everything
--     sondrel_nauczyciele  teachers: each sees, relabels and deletes only what they added
--     sondrel_kierownicy   heads of subject: read every analysis, add, relabel and delete
--                          their own
-- Then give the owner a password (psql: \password sondrel_wlasciciel), open the archive once as
-- the owner, which makes its tables:
--     sondrel-cli archiwum lista --archiwum postgresql://sondrel_wlasciciel@SERWER/archiwum
-- and give each teacher a login role in a group:
--     CREATE ROLE jkowalska LOGIN IN ROLE sondrel_nauczyciele;   then \password jkowalska
--     CREATE ROLE mnowak LOGIN IN ROLE sondrel_kierownicy;       (a head of subject)
-- Teachers keep their password in ~/.pgpass (SERWER:5432:archiwum:jkowalska:HASŁO, mode 0600)
-- or PGPASSWORD; the program never stores it. Over the school's network use hostssl lines
-- with scram-sha-256 in pg_hba.conf and sslmode=require (or verify-full) in the address.
-- Who sees which rows is decided by row-level security in the tables the program makes.

DO $$
BEGIN
    IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'sondrel_wlasciciel') THEN
        CREATE ROLE sondrel_wlasciciel LOGIN;
    END IF;
    IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'sondrel_nauczyciele') THEN
        CREATE ROLE sondrel_nauczyciele NOLOGIN;
    END IF;
    IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'sondrel_kierownicy') THEN
        CREATE ROLE sondrel_kierownicy NOLOGIN;
    END IF;
    -- Only the archive's roles (and the administrator) connect to its database.
    EXECUTE format('REVOKE CONNECT ON DATABASE %I FROM PUBLIC', current_database());
    EXECUTE format('GRANT CONNECT ON DATABASE %I TO sondrel_wlasciciel, sondrel_nauczyciele, '
                   'sondrel_kierownicy', current_database());
END
$$;

-- Only the owner makes the tables (and upgrades them when a newer program changes them).
REVOKE CREATE ON SCHEMA public FROM PUBLIC;
GRANT USAGE, CREATE ON SCHEMA public TO sondrel_wlasciciel;
GRANT USAGE ON SCHEMA public TO sondrel_nauczyciele, sondrel_kierownicy;

-- An older version of this file gave teachers SELECT and INSERT on every table the owner would
-- make: taken back. The rights now come with the tables (the program grants exactly what each
-- group needs when the owner makes or upgrades them).
ALTER DEFAULT PRIVILEGES FOR ROLE sondrel_wlasciciel IN SCHEMA public
    REVOKE ALL ON TABLES FROM sondrel_nauczyciele;
ALTER DEFAULT PRIVILEGES FOR ROLE sondrel_wlasciciel IN SCHEMA public
    REVOKE ALL ON SEQUENCES FROM sondrel_nauczyciele;

-- Tables made before this file was run (or before a group existed) get the groups' rights now.
DO $$
BEGIN
    IF to_regprocedure('sondrel_nadaj_uprawnienia()') IS NOT NULL THEN
        PERFORM sondrel_nadaj_uprawnienia();
    END IF;
END
$$;

\echo 'Role archiwum gotowe: sondrel_wlasciciel, sondrel_nauczyciele, sondrel_kierownicy.'
\echo 'Hasło właściciela nadaj w psql poleceniem: \\password sondrel_wlasciciel'
\echo 'Potem otwórz archiwum raz jako sondrel_wlasciciel: program założy tabele.'
