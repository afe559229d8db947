// SPDX-License-Identifier: GPL-3.0-or-later
// The command families of sondrel-cli, in the order of the usage text. A new family is a class
// derived from PolecenieCli with a function that describes it (as RodzinaAnalizy does), and
// one line here.
#include "archiwum_cli.h"
#include "arkusze_cli.h"
#include "baza_cli.h"
#include "polecenia.h"
#include "wykresy_cli.h"

namespace sondrel {

namespace {

// The archive commands keep their own reading of options and their own exit status 6; the
// base gives them the dispatch and the usage text.
class PoleceniaArchiwum : public PolecenieCli {
public:
    PoleceniaArchiwum(QIODevice& wyjscie, QIODevice& bledy)
        : PolecenieCli(wyjscie, bledy), wyjscie(wyjscie), bledy(bledy) {}

protected:
    bool Rozbierz(const QStringList& argumenty, QString&) override {
        this->argumenty = argumenty;
        return true;
    }
    int Wykonaj() override { return UruchomPolecenieArchiwum(argumenty, wyjscie, bledy); }

private:
    QIODevice& wyjscie;
    QIODevice& bledy;
    QStringList argumenty;
};

RodzinaPolecen RodzinaArchiwum() {
    return {{QStringLiteral("archiwum")},
            {},
            SkladniaArchiwum,
            [](QIODevice& wyjscie, QIODevice& bledy) -> std::unique_ptr<PolecenieCli> {
                return std::make_unique<PoleceniaArchiwum>(wyjscie, bledy);
            }};
}

} // namespace

const std::vector<RodzinaPolecen>& RodzinyPolecen() {
    static const std::vector<RodzinaPolecen> rodziny = {
        RodzinaAnalizy(),
        RodzinaWykresow(),
        RodzinaArchiwum(),
        RodzinaArkuszy(),
    };
    return rodziny;
}

} // namespace sondrel
