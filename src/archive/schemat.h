// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive's schema and its migrations. The version lives in the table wersja_schematu (one
// row) on every engine; on SQLite PRAGMA user_version mirrors it and PRAGMA application_id
// marks the file as an archive of this program.
//
// Version 1: analizy (one row per analysis: the test's header and key, the class label, the
//            dates, the number of students and the class percent; UNIQUE pliki_odcisk, the
//            SHA-256 of the sorted set of answer-file hashes), pytania (texts), uczniowie
//            (one row per student; ticked options and the file's key as one character per
//            question), pliki (answer file names and hashes).
// Version 2: uczniowie.szukane, the student's normalised name, with an index, for a student's
//            history.
// Version 3: analizy.dodal, who added the analysis (on a server the database role, set by the
//            server; in a file the user's login name; '' for entries older than this version),
//            and analizy.dodal_w_zrodle, who had added it in the archive it was imported or
//            copied from ('' when added here or by the same name). On a server: ids only from
//            the server, row-level security (a teacher sees, relabels and deletes only what
//            that teacher added; a member of sondrel_kierownicy reads everything; the tables'
//            owner administers all) and the rights of the group roles (see dialekt.cpp).

#include "archive/analiza_archiwalna.h"

#include <QString>
#include <optional>
#include <vector>

class QSqlDatabase;

namespace sondrel {

struct Dialekt;

constexpr int WersjaSchematu = 3;
// SQLite's application_id of an archive file ("Sond" in ASCII).
constexpr int IdAplikacjiArchiwum = 0x536F6E64;

// Brings the schema from version `od` (0: an empty database) to WersjaSchematu inside the
// caller's transaction; false with the database's message in `blad` on failure.
bool MigrujSchemat(QSqlDatabase& baza, const Dialekt& dialekt, int od, QString& blad);

// One character per question for a set of options (bits 0..4): "0".."9", "a".."v".
QString ZnakiOpcji(const std::vector<OpcjePytania>& opcje);
std::optional<std::vector<OpcjePytania>> OpcjeZeZnakow(const QString& znaki);

} // namespace sondrel
