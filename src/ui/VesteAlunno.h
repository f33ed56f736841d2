#pragma once

// Dresses a pupil's window in the look the stored options give it (base/Aspetto.h) and
// follows every change at once: each widget handed over keeps its design colours and text,
// and while a record is in force takes the page colour, the letter colour and capitals in
// their place. Widgets never handed over (keys, white display rows, the reply, verdicts, red
// choices) keep their own look.

#include "base/Aspetto.h"

#include <QColor>
#include <QObject>
#include <QPalette>
#include <QPointer>

#include <functional>
#include <vector>

class QWidget;

class VesteAlunno : public QObject {
public:
    // Follows stato.Segnali for as long as finestra lives.
    VesteAlunno(const StatoProgramma& stato, QWidget* finestra);

    // A surface in the page colour (its Window role), with the letter colour as the text
    // colour its children inherit.
    void Pagina(QWidget* w);
    // A text in the letter colour (its WindowText role).
    void Lettere(QWidget* w);
    // A label or button whose fixed caption goes to capitals.
    void Didascalia(QWidget* w);

    // A text the window sets as it goes, as the look shows it.
    QString Testo(const QString& testo) const { return ::Didascalia(aspetto_, testo); }
    const AspettoAlunno& Aspetto() const { return aspetto_; }

    // Called after every change of the look, so the window shows its changing texts anew.
    std::function<void()> DopoCambio;

    // Reads the look from the state and dresses every widget handed over.
    void Applica();

private:
    struct Colore {
        QPointer<QWidget> widget;
        QPalette::ColorRole ruolo;
        QColor progetto;
        bool pagina;
    };
    struct Testo_ {
        QPointer<QWidget> widget;
        QString progetto;
    };
    void Colora(const Colore& c) const;
    static QString TestoDi(const QWidget* w);
    static void ImpostaTesto(QWidget* w, const QString& testo);

    const StatoProgramma& stato_;
    AspettoAlunno aspetto_;
    std::vector<Colore> colori_;
    std::vector<Testo_> testi_;
};
