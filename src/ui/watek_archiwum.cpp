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
    // On the archive's thread.
    void Wykonaj(const QString& adres, const Praca& praca, const BladOtwarcia& bladOtwarcia) {
        if (!archiwum || adres != otwarty) {
            Zamknij();
            archiwum = std::make_unique<Archiwum>();
            if (!archiwum->Otworz(adres)) {
                const QString blad = archiwum->Blad();
                archiwum.reset();
                emit wykonano(DalszaPraca{[bladOtwarcia, blad] {
                    if (bladOtwarcia) bladOtwarcia(blad);
                }});
                return;
            }
            otwarty = adres;
        }
        std::function<void()> dalej = praca ? praca(*archiwum) : std::function<void()>();
        // a server's connection is not kept between pieces of work
        if (JestAdresemSerwera(adres)) Zamknij();
        emit wykonano(DalszaPraca{std::move(dalej)});
    }

    void Zamknij() {
        archiwum.reset();
        otwarty.clear();
    }

signals:
    void wykonano(const sondrel::DalszaPraca& dalej);

private:
    std::unique_ptr<Archiwum> archiwum;
    QString otwarty;
};

WatekArchiwum::WatekArchiwum(QObject* rodzic)
    : QObject(rodzic), watek(new QThread(this)), pracownik(new Pracownik) {
    qRegisterMetaType<DalszaPraca>();
    watek->setObjectName(QStringLiteral("Archiwum"));
    pracownik->moveToThread(watek);
    connect(
        pracownik, &Pracownik::wykonano, this,
        [this](const DalszaPraca& dalej) { Zakonczono(dalej.wykonaj); }, Qt::QueuedConnection);
    watek->start();
}

WatekArchiwum::~WatekArchiwum() {
    // after the work under way; the archive's connection goes on the thread that made it
    QMetaObject::invokeMethod(
        pracownik, [p = pracownik] { p->Zamknij(); }, Qt::BlockingQueuedConnection);
    watek->quit();
    watek->wait();
    delete pracownik;
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
