// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/watek_archiwum.h"

#include "archive/archiwum.h"
#include "archive/polaczenie.h"

#include <QThread>

namespace sondrel {

// What the archive's thread hands back to the UI thread.
struct DalszaPraca {
    std::function<void()> wykonaj;
};

} // namespace sondrel

Q_DECLARE_METATYPE(sondrel::DalszaPraca)

namespace sondrel {

class WatekArchiwum::Pracownik : public QObject {
    Q_OBJECT
public:
    // On the archive's thread: the archive opened for this piece of work and closed after it.
    void Wykonaj(const QString& adres, const Praca& praca, const BladOtwarcia& bladOtwarcia) {
        std::function<void()> dalej;
        {
            Archiwum archiwum;
            if (!archiwum.Otworz(adres)) {
                const QString blad = archiwum.Blad();
                dalej = [bladOtwarcia, blad] {
                    if (bladOtwarcia) bladOtwarcia(blad);
                };
            } else if (praca) {
                emit polaczono();
                dalej = praca(archiwum);
            }
        }
        emit wykonano(DalszaPraca{std::move(dalej)});
    }

signals:
    void polaczono();
    void wykonano(const sondrel::DalszaPraca& dalej);
};

WatekArchiwum::WatekArchiwum(QObject* rodzic)
    : QObject(rodzic), watek(new QThread(this)), pracownik(new Pracownik) {
    qRegisterMetaType<DalszaPraca>();
    watek->setObjectName(QStringLiteral("Archiwum"));
    pracownik->moveToThread(watek);
    connect(
        pracownik, &Pracownik::wykonano, this,
        [this](const DalszaPraca& dalej) { Zakonczono(dalej.wykonaj); }, Qt::QueuedConnection);
    connect(pracownik, &Pracownik::polaczono, this, &WatekArchiwum::polaczono,
            Qt::QueuedConnection);
    // the worker goes with its thread, on that thread, as the thread ends (before a wait for
    // the thread returns)
    connect(
        watek, &QThread::finished, watek, [p = pracownik] { delete p; }, Qt::DirectConnection);
    watek->start();
}

WatekArchiwum::~WatekArchiwum() {
    // nothing of this object is reached from the thread from now on
    disconnect(pracownik, nullptr, this, nullptr);
    watek->quit();
    if (watek->wait(QDeadlineTimer(LimitKonca))) return;
    // Still inside the work (a server that does not answer): the thread keeps its archive and
    // ends when the work does. A thread object destroyed while its thread runs would end the
    // program: this one is let go, and deleted once its thread has ended.
    watek->setParent(nullptr);
    connect(watek, &QThread::finished, watek, &QObject::deleteLater);
    if (watek->isFinished()) watek->deleteLater(); // ended meanwhile (a second call is harmless)
}

bool WatekArchiwum::Zlec(const QString& adres, Praca praca, BladOtwarcia bladOtwarcia) {
    if (zajety) return false;
    zajety = true;
    serwer = JestAdresemSerwera(adres);
    emit zajetosc(true);
    QMetaObject::invokeMethod(
        pracownik,
        [p = pracownik, adres, praca = std::move(praca), blad = std::move(bladOtwarcia)] {
            p->Wykonaj(adres, praca, blad);
        },
        Qt::QueuedConnection);
    return true;
}

void WatekArchiwum::Zakonczono(const std::function<void()>& dalej) {
    zajety = false;
    // the window may start the next piece of work from here
    if (dalej) dalej();
    if (!zajety) emit zajetosc(false);
}

} // namespace sondrel

#include "watek_archiwum.moc"
