// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/dialekt.h"

#include "archive/schemat.h"

namespace sondrel {

namespace {

// Row-level security on a school's server. The tables' owner (and a superuser) is not bound by
// it and administers everything. Everyone else:
// - sees an analysis they added (sondrel_nauczyciele), or every analysis (sondrel_kierownicy;
//   a policy of its own, so that a head of subject's reads carry no per-row check at all), and
//   of the other tables the rows of those analyses; a role in neither group sees nothing;
// - adds analyses whose id and who-added come from the server (a trigger sets both, whatever
//   the statement says, so explicit ids can never collide with later adds);
// - relabels and deletes only what they added;
// - writes questions, students and files only under an analysis they added.
// Which role may do any of it at all is decided by the rights sondrel_nadaj_uprawnienia()
// grants to the group roles sondrel_nauczyciele and sondrel_kierownicy, with their reading
// policies (for the groups that exist; the roles file of resources/sql calls it again once it
// has made them).
QStringList ZabezpieczeniaSerwera() {
    QStringList polecenia = {
        QStringLiteral("ALTER TABLE analizy ALTER COLUMN dodal SET DEFAULT current_user"),
        QStringLiteral("ALTER TABLE analizy ALTER COLUMN id SET GENERATED ALWAYS"),
        QStringLiteral(
            "CREATE FUNCTION sondrel_wiersz_analizy() RETURNS trigger LANGUAGE plpgsql AS $$\n"
            "DECLARE ciag text := pg_get_serial_sequence(format('%I.%I', TG_TABLE_SCHEMA, "
            "TG_TABLE_NAME), 'id');\n"
            "BEGIN\n"
            "    IF NOT pg_has_role(current_user, (SELECT relowner FROM pg_class WHERE oid = "
            "TG_RELID), 'MEMBER') THEN\n"
            "        -- The identity's own number is kept; any other (OVERRIDING SYSTEM VALUE) is\n"
            "        -- replaced by the next one.\n"
            "        BEGIN\n"
            "            IF NEW.id IS DISTINCT FROM currval(ciag) THEN\n"
            "                NEW.id := nextval(ciag);\n"
            "            END IF;\n"
            "        EXCEPTION WHEN object_not_in_prerequisite_state THEN\n"
            "            NEW.id := nextval(ciag);\n"
            "        END;\n"
            "        NEW.dodal := current_user;\n"
            "    END IF;\n"
            "    RETURN NEW;\n"
            "END $$"),
        QStringLiteral("CREATE TRIGGER sondrel_wiersz_analizy BEFORE INSERT ON analizy FOR EACH "
                       "ROW EXECUTE FUNCTION sondrel_wiersz_analizy()"),
        QStringLiteral("ALTER TABLE analizy ENABLE ROW LEVEL SECURITY"),
        // Whose analyses a teacher's checks look up.
        QStringLiteral("CREATE INDEX analizy_dodal ON analizy (dodal)"),
        QStringLiteral("CREATE POLICY dodaje ON analizy FOR INSERT WITH CHECK (dodal = "
                       "current_user::text)"),
        QStringLiteral("CREATE POLICY zmienia ON analizy FOR UPDATE USING (dodal = "
                       "current_user::text) WITH CHECK (dodal = current_user::text)"),
        QStringLiteral("CREATE POLICY usuwa ON analizy FOR DELETE USING (dodal = "
                       "current_user::text)"),
    };
    for (const char* tabela : {"pytania", "uczniowie", "pliki"}) {
        const QString t = QString::fromLatin1(tabela);
        const QString wlasna = QStringLiteral("EXISTS (SELECT 1 FROM analizy a WHERE a.id = "
                                              "analiza_id AND a.dodal = current_user::text)");
        polecenia += {
            QStringLiteral("ALTER TABLE %1 ENABLE ROW LEVEL SECURITY").arg(t),
            QStringLiteral("CREATE POLICY dodaje ON %1 FOR INSERT WITH CHECK (%2)").arg(t, wlasna),
            QStringLiteral("CREATE POLICY usuwa ON %1 FOR DELETE USING (%2)").arg(t, wlasna),
        };
    }
    polecenia += {
        QStringLiteral(
            "CREATE FUNCTION sondrel_nadaj_uprawnienia() RETURNS void LANGUAGE plpgsql AS $$\n"
            "DECLARE grupa text; tabela text;\n"
            "BEGIN\n"
            "    REVOKE ALL ON wersja_schematu, analizy, pytania, uczniowie, pliki FROM PUBLIC;\n"
            "    FOREACH grupa IN ARRAY ARRAY['sondrel_nauczyciele', 'sondrel_kierownicy'] "
            "LOOP\n"
            "        CONTINUE WHEN NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = grupa);\n"
            "        EXECUTE format('REVOKE ALL ON wersja_schematu, analizy, pytania, uczniowie, "
            "pliki FROM %I', grupa);\n"
            "        EXECUTE format('GRANT SELECT ON wersja_schematu TO %I', grupa);\n"
            "        EXECUTE format('GRANT SELECT, INSERT, DELETE ON analizy, pytania, uczniowie, "
            "pliki TO %I', grupa);\n"
            "        EXECUTE format('GRANT UPDATE (klasa, data_napisania, ilosc_uczniow, "
            "procent_klasy, pliki_odcisk) ON analizy TO %I', grupa);\n"
            "        EXECUTE format('GRANT USAGE ON SEQUENCE %s TO %I', "
            "pg_get_serial_sequence('analizy', 'id'), grupa);\n"
            "        FOREACH tabela IN ARRAY ARRAY['analizy', 'pytania', 'uczniowie', 'pliki'] "
            "LOOP\n"
            "            IF EXISTS (SELECT 1 FROM pg_policy WHERE polname = grupa AND polrelid = "
            "tabela::regclass) THEN\n"
            "                EXECUTE format('DROP POLICY %I ON %I', grupa, tabela);\n"
            "            END IF;\n"
            "            EXECUTE format('CREATE POLICY %I ON %I FOR SELECT TO %I USING (%s)', "
            "grupa, tabela, grupa, CASE WHEN grupa = 'sondrel_kierownicy' THEN 'true' WHEN "
            "tabela = 'analizy' THEN 'dodal = current_user::text' ELSE 'EXISTS (SELECT 1 FROM "
            "analizy a WHERE a.id = analiza_id AND a.dodal = current_user::text)' END);\n"
            "        END LOOP;\n"
            "    END LOOP;\n"
            "END $$"),
        QStringLiteral("REVOKE ALL ON FUNCTION sondrel_nadaj_uprawnienia() FROM PUBLIC"),
        QStringLiteral("SELECT sondrel_nadaj_uprawnienia()"),
    };
    return polecenia;
}

} // namespace

const Dialekt& DialektSterownika(const QString& sterownik) {
    static const Dialekt sqlite{
        QStringLiteral("INTEGER PRIMARY KEY"),
        QStringLiteral("BEGIN IMMEDIATE"),
        QStringLiteral("BEGIN"),
        QString(),
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                       "'sqlite\\_%' ESCAPE '\\'"),
        QStringLiteral("PRAGMA application_id"),
        {QStringLiteral("PRAGMA foreign_keys = ON"), QStringLiteral("PRAGMA journal_mode = WAL"),
         // Every commit reaches the disk before the add is reported.
         QStringLiteral("PRAGMA synchronous = FULL")},
        {QStringLiteral("PRAGMA user_version = %1"),
         QStringLiteral("PRAGMA application_id = %1").arg(IdAplikacjiArchiwum)},
        false,
        {},
    };
    static const Dialekt postgresql{
        QStringLiteral("BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"),
        QStringLiteral("BEGIN"),
        QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY"),
        // A lock held until the transaction ends; the number is the archive's own.
        QStringLiteral("SELECT pg_advisory_xact_lock(536870919)"),
        // Every table and view, also those this role has no right to (information_schema would
        // hide them, and an archive would look empty to a role outside the groups).
        QStringLiteral("SELECT tablename FROM pg_tables WHERE schemaname = current_schema() "
                       "UNION ALL SELECT viewname FROM pg_views WHERE schemaname = "
                       "current_schema()"),
        QString(),
        {},
        {},
        true,
        ZabezpieczeniaSerwera(),
    };
    return sterownik == QLatin1String("QPSQL") ? postgresql : sqlite;
}

} // namespace sondrel
