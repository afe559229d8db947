#include "core/pliki.h"

#include "core/kodowanie1250.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sondrel {

namespace {

bool Porazka(QString* blad, const QString& przyczyna) {
    if (blad)
        *blad =
            przyczyna.isEmpty() ? QStringLiteral("nie wszystkie bajty trafiły na dysk") : przyczyna;
    return false;
}

// Whether the open file holds all its bytes on the disk. A file system may accept a write into
// its cache and find out only when it writes the cache out that it has no room (delayed
// allocation, network file systems). The bytes are written out here, where a failure can still
// keep the old file; the commit's own sync then has nothing left but the flush of the disk's
// cache (on Linux the write-out alone is asked for, so the disk's cache is flushed once).
bool NaDysku(QSaveFile& plik, qint64 rozmiar, QString* blad) {
#ifdef Q_OS_UNIX
    const int uchwyt = plik.handle();
    if (uchwyt < 0) return true;
#ifdef Q_OS_LINUX
    const int wynik = ::sync_file_range(uchwyt, 0, 0,
                                        SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE |
                                            SYNC_FILE_RANGE_WAIT_AFTER);
#else
    const int wynik = ::fdatasync(uchwyt);
#endif
    // A file that cannot be synced (EINVAL, ESPIPE, EROFS: special files) holds what it took.
    if (wynik != 0 && errno != EINVAL && errno != ESPIPE && errno != EROFS)
        return Porazka(blad, qt_error_string(errno));
    struct stat st {};
    if (::fstat(uchwyt, &st) == 0 && st.st_size != rozmiar) return Porazka(blad, QString());
#else
    Q_UNUSED(plik);
    Q_UNUSED(rozmiar);
    Q_UNUSED(blad);
#endif
    return true;
}

} // namespace

bool ZapiszPlik(const QString& sciezka, const QByteArray& bajty, QString* blad,
                Dowiazanie dowiazanie) {
    // The link itself goes: the writer would otherwise follow it to the file it points at.
    if (dowiazanie == Dowiazanie::Zastap && QFileInfo(sciezka).isSymLink()) {
        QFile link(sciezka);
        if (!link.remove()) return Porazka(blad, link.errorString());
    }
    QSaveFile plik(sciezka);
    // Unbuffered, so that a write the disk refuses fails at once: a buffered file finds out
    // only when the buffer is flushed on commit, which then publishes the file all the same.
    if (!plik.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Porazka(blad, plik.errorString());
    // The temporary file is discarded when `plik` goes out of scope without a commit. A short
    // write is followed by another, which gives the reason (no room, a size limit).
    for (qint64 zapisane = 0; zapisane < bajty.size();) {
        const qint64 n = plik.write(bajty.constData() + zapisane, bajty.size() - zapisane);
        if (n <= 0) return Porazka(blad, plik.errorString());
        zapisane += n;
    }
    if (!plik.flush()) return Porazka(blad, plik.errorString());
    if (!NaDysku(plik, bajty.size(), blad)) return false;
    if (!plik.commit()) return Porazka(blad, plik.errorString());
    return true;
}

bool ZapiszPlikGdyInny(const QString& sciezka, const QByteArray& bajty, QString* blad,
                       Dowiazanie dowiazanie) {
    const bool przezLink = dowiazanie == Dowiazanie::Zastap && QFileInfo(sciezka).isSymLink();
    QFile obecny(sciezka);
    if (!przezLink && obecny.size() == bajty.size() && obecny.open(QIODevice::ReadOnly) &&
        obecny.readAll() == bajty)
        return true;
    return ZapiszPlik(sciezka, bajty, blad, dowiazanie);
}

QByteArray Wiersze1250(const QStringList& wiersze) {
    QByteArray wynik;
    for (const QString& w : wiersze)
        wynik += Na1250(w) + "\r\n";
    return wynik;
}

} // namespace sondrel
