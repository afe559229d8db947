// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/zamiana_folderu.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sondrel {

namespace {

bool Porazka(QString* blad, const QString& przyczyna) {
    if (blad) *blad = przyczyna;
    return false;
}

// The file type of a name itself (a link is a link), 0 when nothing is there.
mode_t Rodzaj(const QString& sciezka) {
    struct stat st {};
    return ::lstat(QFile::encodeName(sciezka).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

bool Przemianuj(const QString& z, const QString& na) {
    return ::rename(QFile::encodeName(z).constData(), QFile::encodeName(na).constData()) == 0;
}

// Swaps two names in one step where the file system can; else by a third name.
bool Zamien(const QString& a, const QString& b, const QString& zapas) {
#ifdef RENAME_EXCHANGE
    if (::renameat2(AT_FDCWD, QFile::encodeName(a).constData(), AT_FDCWD,
                    QFile::encodeName(b).constData(), RENAME_EXCHANGE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
#endif
    if (!Przemianuj(b, zapas)) return false;
    if (!Przemianuj(a, b)) {
        const int powod = errno;
        Przemianuj(zapas, b);
        errno = powod;
        return false;
    }
    if (Przemianuj(zapas, a)) return true;
    // the swap is done; the old one stays under the third name, which the caller cannot know
    Przemianuj(b, a);
    Przemianuj(zapas, b);
    return false;
}

// Removes a name: a folder with everything in it (links inside are removed, not followed), or
// the single file or link.
void Usun(const QString& sciezka) {
    if (Rodzaj(sciezka) == S_IFDIR)
        QDir(sciezka).removeRecursively();
    else
        ::unlink(QFile::encodeName(sciezka).constData());
}

// Moves the entries of folder `z` that folder `na` lacks into it, folder by folder.
void PrzeniesBrakujace(const QString& z, const QString& na) {
    const QStringList wpisy =
        QDir(z).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& wpis : wpisy) {
        const QString zrodlo = QDir(z).filePath(wpis), cel = QDir(na).filePath(wpis);
        const mode_t rodzaj = Rodzaj(cel);
        if (rodzaj == 0)
            Przemianuj(zrodlo, cel);
        else if (rodzaj == S_IFDIR && Rodzaj(zrodlo) == S_IFDIR)
            PrzeniesBrakujace(zrodlo, cel);
    }
}

// The renames of a folder's entries kept on the disk.
void Utrwal(const QString& folder) {
    const int uchwyt = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (uchwyt < 0) return;
    ::fsync(uchwyt);
    ::close(uchwyt);
}

QString NazwaUkryta(const QString& folder) {
    return QDir(folder).filePath(
        QStringLiteral(".sondrel-") +
        QString::number(QRandomGenerator::system()->generate64() & 0xFFFFFFFFFFFFull, 16));
}

} // namespace

ZamianaFolderu::ZamianaFolderu(const QString& s) : sciezka(QDir::cleanPath(s)) {}

ZamianaFolderu::~ZamianaFolderu() {
    if (stan == Stan::Przygotowany || stan == Stan::Wstawiony) Cofnij();
}

bool ZamianaFolderu::Przygotuj(QString* blad) {
    const QString rodzic = QFileInfo(sciezka).absolutePath();
    for (int proba = 0; proba < 100; ++proba) {
        const QString nazwa = NazwaUkryta(rodzic);
        if (::mkdir(QFile::encodeName(nazwa).constData(), 0777) == 0) {
            nowy = nazwa;
            stan = Stan::Przygotowany;
            return true;
        }
        if (errno != EEXIST) break;
    }
    return Porazka(blad, qt_error_string(errno));
}

bool ZamianaFolderu::Wstaw(QString* blad) {
    if (stan != Stan::Przygotowany) return Porazka(blad, QStringLiteral("brak nowego folderu"));
    const mode_t rodzaj = Rodzaj(sciezka);
    if (rodzaj != 0 && rodzaj != S_IFDIR && rodzaj != S_IFLNK)
        return Porazka(blad, QStringLiteral("ta nazwa należy do pliku, który nie jest folderem"));
    if (rodzaj == 0) {
        if (!Przemianuj(nowy, sciezka)) return Porazka(blad, qt_error_string(errno));
    } else {
        // the old one ends up under the fresh folder's hidden name
        if (!Zamien(nowy, sciezka, NazwaUkryta(QFileInfo(sciezka).absolutePath())))
            return Porazka(blad, qt_error_string(errno));
        stary = nowy;
    }
    nowy.clear();
    stan = Stan::Wstawiony;
    Utrwal(QFileInfo(sciezka).absolutePath());
    return true;
}

void ZamianaFolderu::Cofnij() {
    if (stan == Stan::Przygotowany) {
        Usun(nowy);
    } else if (stan == Stan::Wstawiony) {
        if (stary.isEmpty()) {
            Usun(sciezka);
        } else if (Zamien(stary, sciezka, NazwaUkryta(QFileInfo(sciezka).absolutePath()))) {
            Usun(stary);
        }
    }
    stan = Stan::Koniec;
}

void ZamianaFolderu::Zatwierdz() {
    if (stan != Stan::Wstawiony) return;
    if (!stary.isEmpty()) {
        if (Rodzaj(stary) == S_IFDIR) PrzeniesBrakujace(stary, sciezka);
        Usun(stary);
    }
    stan = Stan::Koniec;
}

} // namespace sondrel
