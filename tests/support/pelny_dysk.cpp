// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/pelny_dysk.h"

#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace sondrel::testy {

namespace {

const char* const Wypelnienie = "wypelnienie.bin";

} // namespace

MalyDysk::MalyDysk(qint64 bajtow) {
    if (!katalog.isValid()) {
        przyczyna = QStringLiteral("no temporary folder");
        return;
    }
    const QByteArray opcje = "size=" + QByteArray::number(bajtow) + ",mode=0755";
    if (::mount("tmpfs", QFile::encodeName(katalog.path()).constData(), "tmpfs",
                MS_NOSUID | MS_NODEV, opcje.constData()) != 0) {
        przyczyna = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    montaz = true;
}

MalyDysk::~MalyDysk() {
    if (montaz) ::umount2(QFile::encodeName(katalog.path()).constData(), MNT_DETACH);
}

void MalyDysk::Zapelnij(qint64 zostaw) {
    const QByteArray sciezka = QFile::encodeName(katalog.filePath(QLatin1String(Wypelnienie)));
    const int fd = ::open(sciezka.constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    ASSERT_GE(fd, 0) << std::strerror(errno);
    const QByteArray strona(4096, 'w');
    for (;;) {
        struct statvfs st {};
        ASSERT_EQ(::fstatvfs(fd, &st), 0);
        const qint64 wolne = qint64(st.f_bavail) * qint64(st.f_frsize);
        if (wolne <= zostaw) break;
        const qint64 ile = std::min<qint64>(strona.size(), wolne - zostaw);
        if (::write(fd, strona.constData(), size_t(ile)) <= 0) break; // full
    }
    ::close(fd);
}

void MalyDysk::Oproznij() {
    QFile::remove(katalog.filePath(QLatin1String(Wypelnienie)));
}

LimitRozmiaruPliku::LimitRozmiaruPliku(qint64 bajtow) {
    poprzedniaObsluga = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &poprzedni);
    rlimit nowy = poprzedni;
    nowy.rlim_cur = rlim_t(bajtow);
    ::setrlimit(RLIMIT_FSIZE, &nowy);
}

LimitRozmiaruPliku::~LimitRozmiaruPliku() {
    ::setrlimit(RLIMIT_FSIZE, &poprzedni);
    std::signal(SIGXFSZ, poprzedniaObsluga);
}

} // namespace sondrel::testy
