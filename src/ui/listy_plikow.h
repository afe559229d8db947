#pragma once
// Pieces shared by the two file-list windows: the list of names with its own scroll bar beside
// it, the flat scroll bar, and the open dialog for answer files.

#include "formats/drzewo_testow.h"

#include <QListWidget>
#include <QPoint>
#include <QScrollBar>
#include <QStringList>
#include <optional>

namespace sondrel {

class Program;

// A flat vertical scroll bar in the windows' look. The wheel moves three rows whatever the
// bar's steps are.
class ListwaPrzewijania : public QScrollBar {
    Q_OBJECT
public:
    explicit ListwaPrzewijania(QWidget* rodzic = nullptr);
    // Shows the bar with the range and steps of `zakres`, or hides it.
    void UstawZakres(const ZakresListwy& zakres, int pozycja);

protected:
    void wheelEvent(QWheelEvent* e) override;
};

// A list box of names: rows 13 pixels high, text #2E2E2E, scrolled by whole rows through the
// scroll bar given to it (the list has no bar of its own).
class ListaNazw : public QListWidget {
    Q_OBJECT
public:
    static constexpr int WysokoscWiersza = 13;

    ListaNazw(QWidget* rodzic, ListwaPrzewijania* listwa, int widocznychWierszy);
    // Fills the panel it lies in with whole rows: as many as are visible, centred in height, so
    // that no row is cut at the bottom.
    void UmiescWPanelu();
    void UstawNazwy(const QStringList& nazwy);
    QStringList Nazwy() const;
    // Shows or hides the bar for the rows held (range 0 .. rows - visible).
    void OdswiezListwe();
    int Pozycja() const;
    int WidocznychWierszy() const { return widocznych; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    ListwaPrzewijania* listwa;
    int widocznych;
};

// A plain white panel at `miejsce` in its parent.
QWidget* BialyPanel(QWidget* rodzic, const QRect& miejsce);

// The open dialog for answer files: title "Wybierz pliki odpowiedzi", only *.sko, several
// existing files. Returns the chosen paths in the dialog's order (empty when cancelled) and
// sets `folder` to where the user left the dialog.
QStringList OtworzPlikiOdpowiedzi(QWidget* rodzic, QString& folder);

// Where a file-list window's place is measured from: the main window's corner, or its central
// panel when the window is enlarged (setting wo); nothing while there is no main window shown.
std::optional<QPoint> PunktGlownegoOkna(const Program& program);

} // namespace sondrel
