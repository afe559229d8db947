// SPDX-License-Identifier: GPL-3.0-or-later
#include "psychometria.h"

#include "analysis/jakosc_pytan.h"

#include <QJsonArray>

namespace sondrel {

namespace {

QJsonValue Liczba(const WskaznikOpcjonalny& w) {
    return w ? QJsonValue(w->Wartosc) : QJsonValue(QJsonValue::Null);
}

QJsonObject JsonPytania(const JakoscPytania& p) {
    QJsonArray opcje;
    for (const OpcjaJakosci& o : p.Opcje)
        opcje.append(QJsonObject{{"litera", QString(QChar(u'A' + o.Numer - 1))},
                                 {"poprawna", o.Poprawna},
                                 {"wybrali", o.Wybrali},
                                 {"gorna", o.Gorna.Wartosc},
                                 {"dolna", o.Dolna.Wartosc}});
    return {{"nr", p.Nr},
            {"latwosc", p.Latwosc.Wartosc},
            {"mocRoznicujaca", Liczba(p.MocRoznicujaca)},
            {"d", p.D.Wartosc},
            {"opcje", opcje},
            {"uwagi", QJsonArray::fromStringList(p.Uwagi)}};
}

} // namespace

QJsonObject JsonPsychometrii(const JakoscTestu& t) {
    const QJsonObject test = {{"iloscUczniow", t.IloscUczniow},
                              {"iloscPytan", t.IloscPytan},
                              {"srednia", t.Srednia.Wartosc},
                              {"wariancja", t.Wariancja.Wartosc},
                              {"kr20", Liczba(t.KR20)},
                              {"sem", Liczba(t.SEM)},
                              {"skosnosc", Liczba(t.Skosnosc)},
                              {"kurtoza", Liczba(t.Kurtoza)},
                              {"grupa", t.Grupa},
                              {"ostrzezenie", t.Ostrzezenie.isEmpty() ? QJsonValue(QJsonValue::Null)
                                                                      : QJsonValue(t.Ostrzezenie)}};
    QJsonArray pytania;
    for (const JakoscPytania& p : t.Pytania)
        pytania.append(JsonPytania(p));
    return {{"test", test}, {"pytania", pytania}};
}

QJsonObject JsonPsychometrii(const Analiza& analiza) {
    return JsonPsychometrii(ObliczJakoscPytan(analiza));
}

} // namespace sondrel
