#pragma once

// Proportional layout of a main window.
//
// A main window is built at its design size: a plain client widget (the central widget of a
// QMainWindow) whose controls are placed with absolute geometry, in pixels (design twips / 15).
// MemorizzaProporzioni records, once, each control's left, top, width and height as shares
// of the client's inner size; ApplicaProporzioni puts every control back at those shares of
// the client's current size. After MemorizzaProporzioni the pass runs by itself on every
// resize of the client (the first maximised showing included). Fonts are never touched: text
// keeps its design size whatever the window's size.
//
// Which widgets count as controls: every descendant of the client that has an objectName,
// in depth-first child order. Widgets without a name are not recorded but their children are
// (a control may sit in an unnamed container). Qt's own parts (objectName "qt_*") and
// separate windows (dialogs parented to the client) are skipped with everything under them.
// A control inside a frame keeps its position relative to the frame, but its shares are
// taken against the client's inner size, so it keeps its place in the frame as the frame
// scales by the same two factors. The pages of a named QStackedWidget are such controls too:
// built at (0, 0) with the stack's size, they keep its rectangle, which is also where the
// stack's own layout puts the page in front (it ignores its margins).
//
// Usage, in the window's constructor after building the controls at design size:
//
//     proporzioni_.MemorizzaProporzioni(centrale, QSize(794, 562), Proporzioni::Linee);
//     proporzioni_.DopoApplica = [this](QSize) { /* the window's own steps */ };
//
// A window with its own resize steps can also call ApplicaProporzioni() itself.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QWidget>
#include <functional>

// Shares of one control, each stored as a 32-bit float.
struct Proporzione {
    float Larghezza = 0; // width / inner width
    float Altezza = 0;   // height / inner height
    float Alto = 0;      // top / inner height
    float Sinistra = 0;  // left / inner width
};

class Proporzioni : public QObject {
    Q_OBJECT
public:
    // Kinds of control that keep their geometry through the pass (combine with |).
    enum Esclusione {
        Nessuna = 0,
        Linee = 0x1,            // QFrame drawn as a horizontal or vertical line
        CaselleCombinate = 0x2, // QComboBox
    };

    explicit Proporzioni(QObject* parent = nullptr);

    // Records the shares of every control under client against the inner size interno
    // (the client's current size when interno is not valid). Replaces any earlier record,
    // and from now on applies the shares on every resize of client. A zero inner dimension
    // records zero shares in that direction.
    void MemorizzaProporzioni(QWidget* client, QSize interno = QSize(), int esclusioni = Linee);

    // Moves every recorded control (except the excluded kinds) to its shares of interno,
    // or of the client's current size when interno is not valid. Controls destroyed since
    // the record are skipped. Then calls DopoApplica with the size used.
    void ApplicaProporzioni(QSize interno = QSize());

    // Number of controls recorded, the i-th control (null once destroyed) and its shares.
    qsizetype Conteggio() const { return voci_.size(); }
    QWidget* Controllo(qsizetype i) const { return voci_.at(i).controllo; }
    Proporzione Quote(qsizetype i) const { return voci_.at(i).quote; }
    // Shares of a control by pointer; all zero when it was not recorded.
    Proporzione QuoteDi(const QWidget* controllo) const;

    // The window's own steps after each pass (optional).
    std::function<void(QSize)> DopoApplica;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    struct Voce {
        QPointer<QWidget> controllo;
        Proporzione quote;
        bool lasciato = false; // excluded kind: recorded, never moved
    };
    void Raccogli(QWidget* contenitore, double larghezza, double altezza);

    QPointer<QWidget> client_;
    QList<Voce> voci_;
    int esclusioni_ = Linee;
};
