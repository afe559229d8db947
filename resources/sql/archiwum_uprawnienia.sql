-- SPDX-License-Identifier: GPL-3.0-or-later
-- Roles for a school's archive of analyses on PostgreSQL: teachers add and read, only the
-- archive's owner changes descriptions and deletes.
--
-- Run once by the server's administrator, connected to the archive's database:
--     createdb -O sondrel_wlasciciel archiwum        (after the first CREATE ROLE below)
--     psql -d archiwum -f archiwum_uprawnienia.sql
-- then open the archive once as the owner, which makes its tables:
--     sondrel-cli archiwum lista --archiwum postgresql://sondrel_wlasciciel@SERWER/archiwum
-- and give each teacher a login role in the group:
--     CREATE ROLE jkowalska LOGIN PASSWORD '...' IN ROLE sondrel_nauczyciele;
-- Teachers keep their password in ~/.pgpass (SERWER:5432:archiwum:jkowalska:HASŁO, mode 0600)
-- or PGPASSWORD; the program never stores it. Use sslmode=require (or verify-full) in the
-- address when the server is reached over the school's network.

CREATE ROLE sondrel_wlasciciel LOGIN;
CREATE ROLE sondrel_nauczyciele NOLOGIN;

-- Only the owner makes the tables (and migrates them when a newer program changes them).
REVOKE CREATE ON SCHEMA public FROM PUBLIC;
GRANT USAGE, CREATE ON SCHEMA public TO sondrel_wlasciciel;
GRANT USAGE ON SCHEMA public TO sondrel_nauczyciele;

-- What the owner makes from now on: teachers read everything and add new analyses (the
-- analyses' numbers come from an identity sequence).
ALTER DEFAULT PRIVILEGES FOR ROLE sondrel_wlasciciel IN SCHEMA public
    GRANT SELECT, INSERT ON TABLES TO sondrel_nauczyciele;
ALTER DEFAULT PRIVILEGES FOR ROLE sondrel_wlasciciel IN SCHEMA public
    GRANT USAGE ON SEQUENCES TO sondrel_nauczyciele;
