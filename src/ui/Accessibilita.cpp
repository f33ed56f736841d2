#include "ui/Accessibilita.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QTimer>
#include <QVariant>

namespace {

// The role a widget is read with, set by the functions below; the text of a painted page.
const char* const ProprietaRuolo = "ruoloAccessibile";
const char* const ProprietaRighe = "righeAccessibili";
// What a window says when it opens, and what it last announced of it.
const char* const ProprietaApertura = "testoApertura";
const char* const ProprietaAnnunciata = "aperturaAnnunciata";

// How long after a window comes to the front its opening text is announced, in ms.
constexpr int RitardoApertura = 600;

// Announces a window's opening text when the window comes to the front, once per text.
class AnnuncioApertura : public QObject {
public:
    AnnuncioApertura(QWidget* finestra, Annunciatore* annunciatore)
        : QObject(finestra), annunciatore_(annunciatore) {
        finestra->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override {
        if (evento->type() != QEvent::WindowActivate || oggetto != parent()) return false;
        // A little after the activation: a screen reader says the window and its key first,
        // and a notification that came while it did would be cut short or dropped. The text
        // is read then, so that the window may bring it up to date as it activates.
        QTimer::singleShot(RitardoApertura, this, [this] {
            QObject* finestra = parent();
            const QString testo = finestra->property(ProprietaApertura).toString();
            if (testo.isEmpty() || finestra->property(ProprietaAnnunciata).toString() == testo)
                return;
            finestra->setProperty(ProprietaAnnunciata, testo);
            annunciatore_->Annuncia(testo);
        });
        return false;
    }

private:
    Annunciatore* annunciatore_;
};

// A widget read with a role of its choosing; a hidden one exposes no text at all.
class Interfaccia : public QAccessibleWidget {
public:
    Interfaccia(QWidget* w, QAccessible::Role ruolo) : QAccessibleWidget(w, ruolo) {}

    QString text(QAccessible::Text t) const override {
        if (role() == QAccessible::NoRole) return {};
        return QAccessibleWidget::text(t);
    }
};

// A painted page: its lines are one text, which a screen reader walks line by line.
class InterfacciaTesto : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit InterfacciaTesto(QWidget* w) : QAccessibleWidget(w, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType tipo) override {
        if (tipo == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(tipo);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description) return Tutto();
        return QAccessibleWidget::text(t);
    }

    // QAccessibleTextInterface: a read-only text with no selection and no caret.
    void selection(int, int* inizio, int* fine) const override { *inizio = *fine = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int inizio, int fine) const override { return Tutto().mid(inizio, fine - inizio); }
    int characterCount() const override { return static_cast<int>(Tutto().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* inizio, int* fine) const override {
        *inizio = 0;
        *fine = characterCount();
        return {};
    }

private:
    QString Tutto() const {
        return widget()->property(ProprietaRighe).toStringList().join(QLatin1Char('\n'));
    }
};

QAccessibleInterface* Fabbrica(const QString&, QObject* oggetto) {
    auto* w = qobject_cast<QWidget*>(oggetto);
    if (!w) return nullptr;
    const QVariant ruolo = w->property(ProprietaRuolo);
    if (!ruolo.isValid()) {
        // A plain frame or widget inside a window only groups controls: read as a group,
        // not as a window of its own.
        const QByteArray classe = w->metaObject()->className();
        if (!w->isWindow() && (classe == "QFrame" || classe == "QWidget"))
            return new Interfaccia(w, QAccessible::Grouping);
        return nullptr;
    }
    const auto r = static_cast<QAccessible::Role>(ruolo.toInt());
    if (r == QAccessible::StaticText && w->property(ProprietaRighe).isValid())
        return new InterfacciaTesto(w);
    return new Interfaccia(w, r);
}

void Ruolo(QWidget* w, QAccessible::Role ruolo) {
    accessibilita::Installa();
    w->setProperty(ProprietaRuolo, static_cast<int>(ruolo));
}

} // namespace

namespace accessibilita {

void Installa() {
    static const bool installata = [] {
        QAccessible::installFactory(Fabbrica);
        return true;
    }();
    (void)installata;
}

void Gruppo(QWidget* pannello, const QString& nome) {
    Ruolo(pannello, QAccessible::Grouping);
    pannello->setAccessibleName(nome);
}

void Nascondi(QWidget* widget) {
    Ruolo(widget, QAccessible::NoRole);
}

void Nome(QWidget* widget, const QString& nome) {
    if (widget->accessibleName() != nome) widget->setAccessibleName(nome);
}

void Descrizione(QWidget* widget, const QString& descrizione) {
    if (widget->accessibleDescription() != descrizione)
        widget->setAccessibleDescription(descrizione);
}

QString Didascalia(const QAbstractButton* tasto) {
    const QString nome = tasto->accessibleName();
    if (!nome.trimmed().isEmpty()) return nome;
    const QString testo = tasto->text();
    QString pulito;
    pulito.reserve(testo.size());
    for (qsizetype i = 0; i < testo.size(); ++i) {
        // "&&" stands for "&" itself; a lone "&" marks the next letter as the access key.
        if (testo[i] == u'&' && i + 1 < testo.size())
            ++i;
        else if (testo[i] == u'&')
            continue;
        pulito += testo[i];
    }
    return pulito.simplified();
}

void Testo(QWidget* widget, const QString& nome, const QStringList& righe) {
    widget->setProperty(ProprietaRighe, righe);
    Ruolo(widget, QAccessible::StaticText);
    widget->setAccessibleName(nome);
    QAccessibleEvent evento(widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&evento);
}

void Apertura(QWidget* finestra, const QString& testo) {
    finestra->setProperty(ProprietaApertura, testo);
    const QString nome = QStringLiteral("annunciatoreApertura");
    if (finestra->findChild<QWidget*>(nome, Qt::FindDirectChildrenOnly)) return;
    auto* annunciatore = new Annunciatore(finestra);
    annunciatore->setObjectName(nome);
    // Out of sight until it announces: shown with the window, it would appear to a screen
    // reader as a notification of its own before the window is even in front.
    annunciatore->hide();
    new AnnuncioApertura(finestra, annunciatore);
}

QString TestoApertura(const QWidget* finestra) {
    return finestra->property(ProprietaApertura).toString();
}

} // namespace accessibilita

Annunciatore::Annunciatore(QWidget* genitore) : QWidget(genitore) {
    setObjectName(QStringLiteral("annunciatore"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    Ruolo(this, QAccessible::Notification);
    lower();
}

void Annunciatore::Annuncia(const QString& testo) {
    if (testo.isEmpty()) return;
    setAccessibleName(testo);
    // A notification is read when it appears: it appears again for every text.
    hide();
    show();
}
