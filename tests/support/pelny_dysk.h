// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Disks that refuse bytes, for the tests of writing when nothing more fits.
//
// MalyDysk mounts a small tmpfs in a temporary folder of its own (the tests run as root; where
// mounting is not permitted the test skips itself) and can fill it up to a given free space:
//
//     MalyDysk dysk(64 * 1024);
//     POMIN_BEZ_DYSKU(dysk);
//     dysk.Zapelnij();
//     EXPECT_FALSE(ZapiszPlik(dysk.sciezka("a.htm"), "x"));
//
// LimitRozmiaruPliku lowers the file-size limit of this process (as `ulimit -f` does) for its
// lifetime, with the signal SIGXFSZ ignored, so that a write beyond it fails with EFBIG; it
// needs no privileges.

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace sondrel::testy {

class MalyDysk {
public:
    explicit MalyDysk(qint64 bajtow);
    ~MalyDysk();
    MalyDysk(const MalyDysk&) = delete;
    MalyDysk& operator=(const MalyDysk&) = delete;

    bool zamontowany() const { return montaz; }
    // Why mounting failed.
    QString blad() const { return przyczyna; }
    QString folder() const { return katalog.path(); }
    QString sciezka(const QString& nazwa) const { return katalog.filePath(nazwa); }

    // Fills the disk with a file of its own until at most `zostaw` bytes are free (rounded down
    // to whole pages). Zapelnij() leaves nothing free.
    void Zapelnij(qint64 zostaw = 0);
    // Frees the space the filler took.
    void Oproznij();

private:
    QTemporaryDir katalog;
    bool montaz = false;
    QString przyczyna;
};

#define POMIN_BEZ_DYSKU(dysk)                                                                      \
    if (!(dysk).zamontowany())                                                                     \
    GTEST_SKIP() << "a small file system cannot be mounted here: " << (dysk).blad().toStdString()

class LimitRozmiaruPliku {
public:
    explicit LimitRozmiaruPliku(qint64 bajtow);
    ~LimitRozmiaruPliku();
    LimitRozmiaruPliku(const LimitRozmiaruPliku&) = delete;
    LimitRozmiaruPliku& operator=(const LimitRozmiaruPliku&) = delete;

private:
    rlimit poprzedni{};
    void (*poprzedniaObsluga)(int) = nullptr;
};

} // namespace sondrel::testy
