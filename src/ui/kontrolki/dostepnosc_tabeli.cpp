// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/kontrolki/dostepnosc_tabeli.h"

#include "tables/tabela.h"
#include "ui/okno.h"
#if __has_include("ui/kontrolki/siatka_tabeli.h")
#include "ui/kontrolki/siatka_tabeli.h"
#else
#include "ui/okna/tf_tabela.h"
#endif

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace sondrel {

namespace {

class DostepSiatki;

// One cell of the grid: row `wiersz` of the table (0 the header row), column `kolumna`.
class DostepKomorki : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    DostepKomorki(SiatkaTabeli* s, int w, int k) : siatka(s), wiersz(w), kolumna(k) {}

    bool isValid() const override {
        const Tabela* t = siatka ? siatka->TabelaRysowana() : nullptr;
        return t && wiersz < t->IloscWierszy() && kolumna < t->IloscKolumn();
    }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override { return table(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QWindow* window() const override { return siatka ? siatka->window()->windowHandle() : nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Value)) return {};
        return siatka->TabelaRysowana()->komorka(wiersz, kolumna).Tekst;
    }
    void setText(QAccessible::Text, const QString&) override {} // read only

    QAccessible::Role role() const override {
        if (wiersz == 0) return QAccessible::ColumnHeader;
        return kolumna == 0 ? QAccessible::RowHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.focusable = wiersz > 0;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        if (Widoczna() < 0) {
            s.invisible = true;
            s.offscreen = true;
        }
        s.focused = wiersz > 0 && siatka->hasFocus() && wiersz == siatka->BiezacyWiersz() &&
                    kolumna == siatka->BiezacaKolumna();
        return s;
    }
    // On screen while the grid is and its row is drawn; empty otherwise.
    QRect rect() const override {
        const int pozycja = Widoczna();
        if (pozycja < 0 || !siatka->isVisible()) return {};
        const Tabela* t = siatka->TabelaRysowana();
        int x = 0;
        for (int k = 0; k < kolumna; ++k)
            x += t->SzerokoscKolumny(k) + Tabela::GruboscLinii;
        const QRect r(x, pozycja * SiatkaTabeli::Krok, t->SzerokoscKolumny(kolumna),
                      Tabela::WysokoscWiersza);
        return QRect(siatka->mapToGlobal(r.topLeft()), r.size());
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    // ---- the cell in its table ----
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    // Rows count under the header row, as the table's rows do.
    int rowIndex() const override { return wiersz - 1; }
    int columnIndex() const override { return kolumna; }
    int rowExtent() const override { return 1; }
    int columnExtent() const override { return 1; }
    QAccessibleInterface* table() const override {
        return siatka ? QAccessible::queryAccessibleInterface(siatka) : nullptr;
    }

private:
    // The row's place in the grid (0 the header), or -1 when it is not drawn.
    int Widoczna() const {
        if (!isValid()) return -1;
        if (wiersz == 0) return 0;
        const int pozycja = wiersz - siatka->GornyWiersz() + 1;
        const int wiersze = siatka->height() / SiatkaTabeli::Krok + 1;
        return pozycja >= 1 && pozycja < std::max(siatka->WidoczneWiersze(), wiersze) ? pozycja
                                                                                      : -1;
    }

    QPointer<SiatkaTabeli> siatka;
    int wiersz, kolumna;
};

// The grid as a table.
class DostepSiatki : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit DostepSiatki(SiatkaTabeli* s) : QAccessibleWidget(s, QAccessible::Table) {
        // the cell the arrow keys moved to is announced as the focused cell
        QObject::connect(s, &SiatkaTabeli::klawiszZwolniony, s, [s] {
            if (!QAccessible::isActive() || !s->hasFocus()) return;
            auto* siatka = static_cast<DostepSiatki*>(QAccessible::queryAccessibleInterface(s));
            if (QAccessibleInterface* komorka = siatka ? siatka->focusChild() : nullptr) {
                QAccessibleEvent e(komorka, QAccessible::Focus);
                QAccessible::updateAccessibility(&e);
            }
        });
    }
    ~DostepSiatki() override { Zapomnij(); }

    SiatkaTabeli* siatka() const { return static_cast<SiatkaTabeli*>(widget()); }
    const Tabela* tabela() const { return siatka()->TabelaRysowana(); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        QString tekst = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && tekst.isEmpty()) tekst = siatka()->window()->windowTitle();
        return tekst;
    }

    // ---- children: every cell, the header row's first ----
    int childCount() const override {
        const Tabela* t = tabela();
        return t ? t->IloscWierszy() * t->IloscKolumn() : 0;
    }
    QAccessibleInterface* child(int i) const override {
        const Tabela* t = tabela();
        if (!t || i < 0 || i >= childCount()) return nullptr;
        Sprawdz();
        if (const auto it = komorki.constFind(i); it != komorki.constEnd())
            return QAccessible::accessibleInterface(*it);
        auto* komorka = new DostepKomorki(siatka(), i / t->IloscKolumn(), i % t->IloscKolumn());
        komorki.insert(i, QAccessible::registerAccessibleInterface(komorka));
        return komorka;
    }
    int indexOfChild(const QAccessibleInterface* dziecko) const override {
        const Tabela* t = tabela();
        if (!t || !dziecko) return -1;
        const QAccessibleTableCellInterface* k =
            const_cast<QAccessibleInterface*>(dziecko)->tableCellInterface();
        if (!k || dziecko->parent() != this) return -1;
        return (k->rowIndex() + 1) * t->IloscKolumn() + k->columnIndex();
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        int wiersz = 0, kolumna = 0;
        QRect r;
        const Tabela* t = tabela();
        if (!t || !siatka()->KomorkaPod(siatka()->mapFromGlobal(QPoint(x, y)), wiersz, kolumna, r))
            return nullptr;
        return child(wiersz * t->IloscKolumn() + kolumna);
    }
    // The current cell while the grid has the keyboard.
    QAccessibleInterface* focusChild() const override {
        const Tabela* t = tabela();
        if (!t || !siatka()->hasFocus() || t->IloscWierszy() < 2) return nullptr;
        return cellAt(siatka()->BiezacyWiersz() - 1, siatka()->BiezacaKolumna());
    }

    // ---- the table ----
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    int rowCount() const override {
        const Tabela* t = tabela();
        return t ? std::max(0, t->IloscWierszy() - 1) : 0;
    }
    int columnCount() const override {
        const Tabela* t = tabela();
        return t ? t->IloscKolumn() : 0;
    }
    QAccessibleInterface* cellAt(int wiersz, int kolumna) const override {
        if (wiersz < -1 || wiersz >= rowCount() || kolumna < 0 || kolumna >= columnCount())
            return nullptr;
        return child((wiersz + 1) * columnCount() + kolumna); // -1: the header row
    }
    QString columnDescription(int kolumna) const override {
        return kolumna >= 0 && kolumna < columnCount() ? tabela()->komorka(0, kolumna).Tekst
                                                       : QString();
    }
    QString rowDescription(int wiersz) const override {
        return wiersz >= 0 && wiersz < rowCount() && columnCount() > 0
                   ? tabela()->komorka(wiersz + 1, 0).Tekst
                   : QString();
    }
    // Nothing is ever selected in the grid.
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { Zapomnij(); }

private:
    // A new table (another kind, another page, another analysis) makes new cells.
    void Sprawdz() const {
        const Tabela* t = tabela();
        const auto ksztalt = std::tuple(t, t ? t->IloscWierszy() : 0, t ? t->IloscKolumn() : 0);
        if (ksztalt == znany) return;
        Zapomnij();
        znany = ksztalt;
    }
    void Zapomnij() const {
        for (const QAccessible::Id id : std::as_const(komorki))
            QAccessible::deleteAccessibleInterface(id);
        komorki.clear();
    }

    mutable QHash<int, QAccessible::Id> komorki;
    mutable std::tuple<const Tabela*, int, int> znany{nullptr, 0, 0};
};

QList<QAccessibleInterface*> DostepKomorki::columnHeaderCells() const {
    if (wiersz == 0) return {};
    auto* t = static_cast<DostepSiatki*>(table());
    QAccessibleInterface* naglowek = t ? t->cellAt(-1, kolumna) : nullptr;
    return naglowek ? QList<QAccessibleInterface*>{naglowek} : QList<QAccessibleInterface*>{};
}

QList<QAccessibleInterface*> DostepKomorki::rowHeaderCells() const {
    if (wiersz == 0 || kolumna == 0) return {};
    auto* t = static_cast<DostepSiatki*>(table());
    QAccessibleInterface* naglowek = t ? t->cellAt(wiersz - 1, 0) : nullptr;
    return naglowek ? QList<QAccessibleInterface*>{naglowek} : QList<QAccessibleInterface*>{};
}

// The main window and the framed windows are frames; the others dialogs.
QAccessible::Role RolaOkna(const Okno* okno) {
    for (const char* ramowe : {"sondrel::TFGlowny", "sondrel::OknoZRamka", "sondrel::TFTabela",
                               "sondrel::TFWykres", "sondrel::TFBrowser"})
        if (okno->inherits(ramowe)) return QAccessible::Window;
    return QAccessible::Dialog;
}

class DostepOkna : public QAccessibleWidget {
public:
    explicit DostepOkna(Okno* o) : QAccessibleWidget(o, QAccessible::Window) {}
    QAccessible::Role role() const override { return RolaOkna(static_cast<Okno*>(widget())); }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.modal = widget()->isModal();
        s.active = widget()->isActiveWindow();
        return s;
    }
};

} // namespace

QAccessibleInterface* DostepTabeliIOkien(const QString& klasa, QObject* obiekt) {
    // Qt asks for every class of every object, also of one that is being destroyed: the object
    // is touched only when the class named is one of ours (a widget's own class is named only
    // while it is whole).
    if (!obiekt ||
        (klasa != QLatin1String("sondrel::SiatkaTabeli") &&
         klasa != QLatin1String("sondrel::PoleWykresu") && klasa != QLatin1String("sondrel::Okno")))
        return nullptr;
    if (!obiekt->isWidgetType()) return nullptr;
    if (klasa == QLatin1String("sondrel::SiatkaTabeli"))
        return new DostepSiatki(static_cast<SiatkaTabeli*>(obiekt));
    // the chart: its name and description are the widget's (the chart window sets them)
    if (klasa == QLatin1String("sondrel::PoleWykresu"))
        return new QAccessibleWidget(static_cast<QWidget*>(obiekt), QAccessible::Chart);
    if (klasa == QLatin1String("sondrel::Okno"))
        if (auto* okno = qobject_cast<Okno*>(obiekt); okno && okno->isWindow())
            return new DostepOkna(okno);
    return nullptr;
}

} // namespace sondrel
