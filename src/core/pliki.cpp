// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pliki.h"

#include "core/foldery.h"
#include "core/kodowanie1250.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sondrel {

QString PowodBledu(int numerBledu) {
    switch (numerBledu) {
    case ENOSPC:
        return QStringLiteral("brak miejsca na dysku");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("przekroczony przydział miejsca na dysku");
#endif
    case EFBIG:
        return QStringLiteral("plik jest za duży");
    case EACCES:
    case EPERM:
        return QStringLiteral("brak uprawnień");
    case ENOENT:
        return QStringLiteral("nie ma takiego pliku ani folderu");
    case ENOTDIR:
        return QStringLiteral("ścieżka prowadzi przez coś, co nie jest folderem");
    case EISDIR:
        return QStringLiteral("w tym miejscu jest folder");
    case EROFS:
        return QStringLiteral("dysk tylko do odczytu");
    case EEXIST:
        return QStringLiteral("plik już istnieje");
    case EIO:
        return QStringLiteral("błąd wejścia-wyjścia (uszkodzony nośnik?)");
    case ENAMETOOLONG:
        return QStringLiteral("za długa nazwa pliku");
    case ELOOP:
        return QStringLiteral("zbyt wiele dowiązań po drodze");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("za dużo otwartych plików");
    case ENOMEM:
        return QStringLiteral("brak pamięci");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("plik jest zajęty");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("brak urządzenia");
    case EAGAIN:
        return QStringLiteral("plik chwilowo niedostępny");
    case EINVAL:
        return QStringLiteral("niewłaściwa operacja na tym pliku");
    case EXDEV:
        return QStringLiteral("plik leży na innym dysku");
    default:
        return QStringLiteral("błąd systemu nr %1").arg(numerBledu);
    }
}

QString PowodBledu(const QFileDevice& plik, int numerBledu) {
    if (numerBledu != 0) return PowodBledu(numerBledu);
    switch (plik.error()) {
    case QFileDevice::ReadError:
        return QStringLiteral("błąd odczytu");
    case QFileDevice::WriteError:
        return QStringLiteral("błąd zapisu");
    case QFileDevice::ResourceError:
        return QStringLiteral("brak zasobów systemu (miejsca na dysku albo pamięci)");
    case QFileDevice::OpenError:
        return QStringLiteral("nie można otworzyć pliku");
    case QFileDevice::PermissionsError:
        return QStringLiteral("brak uprawnień");
    case QFileDevice::RenameError:
    case QFileDevice::RemoveError:
    case QFileDevice::CopyError:
        return QStringLiteral("nie można zastąpić pliku");
    case QFileDevice::PositionError:
    case QFileDevice::ResizeError:
        return QStringLiteral("błąd dostępu do pliku");
    case QFileDevice::AbortError:
    case QFileDevice::TimeOutError:
    case QFileDevice::UnspecifiedError:
    case QFileDevice::FatalError:
    case QFileDevice::NoError:
        break;
    }
    return QStringLiteral("nieznany błąd pliku");
}

namespace {

// The reason of a file that is no regular file, by what it is.
QString PowodNieZwyklego(bool folder) {
    return folder ? PowodBledu(EISDIR)
                  : QStringLiteral("w tym miejscu jest urządzenie, potok albo gniazdo, a nie "
                                   "zwykły plik");
}

} // namespace

bool OtworzZwyklyPlik(QFile& plik, const QString& sciezka, QString* powod) {
    const auto porazka = [&](const QString& p) {
        if (powod) *powod = p;
        return false;
    };
    const QByteArray lokalna = QFile::encodeName(sciezka);
    // A name with a zero byte in it would name another file.
    if (lokalna.isEmpty() || lokalna.contains('\0')) return porazka(PowodBledu(ENOENT));
#ifdef Q_OS_UNIX
    // Opening a FIFO without O_NONBLOCK waits for a writer, possibly for ever.
    const int f = ::open(lokalna.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (f < 0) return porazka(PowodBledu(errno));
    struct stat opis {};
    if (::fstat(f, &opis) != 0 || !S_ISREG(opis.st_mode)) {
        const int numer = errno;
        const bool folder = S_ISDIR(opis.st_mode);
        ::close(f);
        return porazka(opis.st_mode ? PowodNieZwyklego(folder) : PowodBledu(numer));
    }
    // Reads of a regular file never wait; the flag goes all the same.
    ::fcntl(f, F_SETFL, ::fcntl(f, F_GETFL) & ~O_NONBLOCK);
    if (!plik.open(f, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(f);
        return porazka(PowodBledu(plik, 0));
    }
    return true;
#else
    if (!QFileInfo(sciezka).isFile()) return porazka(PowodNieZwyklego(QFileInfo(sciezka).isDir()));
    plik.setFileName(sciezka);
    errno = 0;
    if (!plik.open(QIODevice::ReadOnly)) return porazka(PowodBledu(plik, errno));
    return true;
#endif
}

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
        return Porazka(blad, PowodBledu(errno));
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
        errno = 0;
        if (!link.remove()) return Porazka(blad, PowodBledu(link, errno));
    }
#ifdef Q_OS_UNIX
    // Only a regular file is replaced: the new file would take the place of a device node or
    // a FIFO (saving over /dev/null as root would make it a file). A link is judged by what
    // it leads to.
    struct stat opis {};
    if (::stat(QFile::encodeName(sciezka).constData(), &opis) == 0 && !S_ISREG(opis.st_mode))
        return Porazka(blad, PowodNieZwyklego(S_ISDIR(opis.st_mode)));
#endif
    QSaveFile plik(sciezka);
    // Unbuffered, so that a write the disk refuses fails at once: a buffered file finds out
    // only when the buffer is flushed on commit, which then publishes the file all the same.
    errno = 0;
    if (!plik.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Porazka(blad, PowodBledu(plik, errno));
    // The temporary file takes the old file's mode; in the data folder it is its owner's alone
    // before any byte goes in.
    if (WFolderzeDanych(sciezka) &&
        !plik.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return Porazka(blad, PowodBledu(plik, errno));
    // The temporary file is discarded when `plik` goes out of scope without a commit. A short
    // write is followed by another, which gives the reason (no room, a size limit).
    for (qint64 zapisane = 0; zapisane < bajty.size();) {
        errno = 0;
        const qint64 n = plik.write(bajty.constData() + zapisane, bajty.size() - zapisane);
        if (n <= 0) return Porazka(blad, PowodBledu(plik, errno));
        zapisane += n;
    }
    errno = 0;
    if (!plik.flush()) return Porazka(blad, PowodBledu(plik, errno));
    if (!NaDysku(plik, bajty.size(), blad)) return false;
    errno = 0;
    if (!plik.commit()) return Porazka(blad, PowodBledu(plik, errno));
    return true;
}

bool ZapiszPlikGdyInny(const QString& sciezka, const QByteArray& bajty, QString* blad,
                       Dowiazanie dowiazanie) {
    const bool przezLink = dowiazanie == Dowiazanie::Zastap && QFileInfo(sciezka).isSymLink();
    QFile obecny;
    if (!przezLink && OtworzZwyklyPlik(obecny, sciezka) && obecny.size() == bajty.size() &&
        obecny.readAll() == bajty)
        return true;
    return ZapiszPlik(sciezka, bajty, blad, dowiazanie);
}

bool ZapiszPlikRoboczy(const QString& sciezka, const QByteArray& bajty, QString* blad) {
#ifdef Q_OS_UNIX
    const QByteArray lokalna = QFile::encodeName(sciezka);
    if (lokalna.isEmpty() || lokalna.contains('\0')) return Porazka(blad, PowodBledu(ENOENT));
    // Only a regular file, or a link (replaced as a link by the rename), gives way.
    struct stat opis {};
    if (::lstat(lokalna.constData(), &opis) == 0 && !S_ISREG(opis.st_mode) &&
        !S_ISLNK(opis.st_mode))
        return Porazka(blad, PowodNieZwyklego(S_ISDIR(opis.st_mode)));
    QByteArray tymczasowa = lokalna + ".XXXXXX";
    errno = 0;
    const int f = ::mkostemp(tymczasowa.data(), O_CLOEXEC); // 0600
    if (f < 0) return Porazka(blad, PowodBledu(errno));
    const auto porzuc = [&](int numer) {
        ::unlink(tymczasowa.constData());
        return Porazka(blad, PowodBledu(numer));
    };
    for (qsizetype zapisane = 0; zapisane < bajty.size();) {
        errno = 0;
        const ssize_t n =
            ::write(f, bajty.constData() + zapisane, static_cast<size_t>(bajty.size() - zapisane));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int numer = errno ? errno : ENOSPC;
            ::close(f);
            return porzuc(numer);
        }
        zapisane += n;
    }
    if (::close(f) != 0) return porzuc(errno);
    if (::rename(tymczasowa.constData(), lokalna.constData()) != 0) return porzuc(errno);
    return true;
#else
    return ZapiszPlik(sciezka, bajty, blad, Dowiazanie::Zastap);
#endif
}

bool WFolderzeDanych(const QString& sciezka) {
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(FolderDanychProgramu()));
    const QString plik =
        QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(sciezka)).absoluteFilePath());
    return plik.startsWith(folder + QLatin1Char('/'));
}

bool UtworzFolderPrywatny(const QString& sciezka) {
    if (!QDir().mkpath(sciezka)) return false;
    QFile::setPermissions(sciezka,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return true;
}

QByteArray Wiersze1250(const QStringList& wiersze) {
    QByteArray wynik;
    for (const QString& w : wiersze)
        wynik += Na1250(w) + "\r\n";
    return wynik;
}

} // namespace sondrel
