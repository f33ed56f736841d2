#pragma once

// What assistive tools (a screen reader such as Orca, over AT-SPI) learn of the windows
// beyond what Qt tells them by itself: panels read as named groups, labels that must stay
// unread, painted pages exposed as text, and announcements that do not move the focus.

#include <QString>
#include <QStringList>
#include <QWidget>

class QAbstractButton;

namespace accessibilita {

// Installs the program's accessible interfaces; once, before the first window is built
// (the functions below install them too).
void Installa();

// A panel inside a window, read as a group called nome rather than as a window.
void Gruppo(QWidget* pannello, const QString& nome);

// A widget whose text must never reach assistive tools: a diagnostic label that holds the
// expected answer, or a part of a sentence that another widget reads whole.
void Nascondi(QWidget* widget);

// Gives widget the accessible name nome, only when it has another: Qt reports every setting
// to assistive tools as a change, and a screen reader that falls behind a burst of changes
// drops what it has not read yet, announcements included.
void Nome(QWidget* widget, const QString& nome);
// The same for the accessible description.
void Descrizione(QWidget* widget, const QString& descrizione);

// What a key says, to the program's voice: its accessible name when it has one, else its
// caption without the "&" that marks an access key.
QString Didascalia(const QAbstractButton* tasto);

// A widget that paints text (a page preview): read as a text called nome, line by line.
void Testo(QWidget* widget, const QString& nome, const QStringList& righe);

// What a window says when it opens (a certificate: "Diploma di merito. Nome: ..."): announced
// to screen readers the first time the window comes to the front after each change of
// testo, and said by the program's voice too (app/ParlaFuoco reads it with TestoApertura).
void Apertura(QWidget* finestra, const QString& testo);
QString TestoApertura(const QWidget* finestra);

} // namespace accessibilita

// Tells screen readers what happened without moving the focus: a notification that
// appears with the text, which Orca reads out. One per window, invisible on screen.
class Annunciatore : public QWidget {
public:
    explicit Annunciatore(QWidget* genitore);
    void Annuncia(const QString& testo);
    // The last text announced.
    QString Testo() const { return accessibleName(); }

protected:
    void paintEvent(QPaintEvent*) override {}
};
