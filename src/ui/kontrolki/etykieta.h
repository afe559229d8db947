#pragma once
// A label of a skinned window: a transparent hot spot over a painted button, a picture, or a
// captioned link whose colour changes while the mouse is over it.

#include <QColor>
#include <QLabel>

namespace sondrel {

class Etykieta : public QLabel {
    Q_OBJECT
public:
    explicit Etykieta(QWidget* rodzic = nullptr);
    // A transparent hot spot (or picture) at a place given in the parent's coordinates.
    Etykieta(QWidget* rodzic, int x, int y, int w, int h);

    // A link label: drawn in the normal colour (#2E2E2E), in the highlight colour (white
    // unless given) while the mouse is over it.
    void UstawLink(QColor normalny = QColor(0x2E, 0x2E, 0x2E), QColor podswietlony = Qt::white);
    void Podswietl(bool wlaczone);
    bool Podswietlona() const { return podswietlona; }

signals:
    // Pressed and released over the label with the left button.
    void klik();
    // The mouse moved over the label (pressed or not).
    void ruch();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    void UstawKolor(QColor kolor);

    bool link = false;
    bool podswietlona = false;
    bool wcisnieta = false;
    QColor normalny, podswietlony;
};

// The entries of a window's menu column: a link label with a hand cursor, and a separator line
// of underscores (which never takes the mouse when lowered under the entries).
Etykieta* EtykietaMenu(QWidget* panel, const QString& napis, const QRect& gdzie);
Etykieta* KreskaMenu(QWidget* panel, int y);

} // namespace sondrel
