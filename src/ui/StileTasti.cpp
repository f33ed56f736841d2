#include "ui/StileTasti.h"

#include "ui/Tavolozza.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QVariant>
#include <QWidget>
#include <cmath>

namespace {

const char* const ProprietaTasto = "tastoPiatto";
const char* const ProprietaEvidenza = "evidenzaScansione";

// How far a disabled key leans towards the grey of disabled keys.
constexpr double QuotaGrigio = 0.7;

// A rectangle outline of the given width drawn inside r.
void Contorno(QPainter* pittore, const QRect& r, int spessore, const QColor& colore) {
    pittore->save();
    pittore->setRenderHint(QPainter::Antialiasing, false);
    pittore->setPen(Qt::NoPen);
    pittore->setBrush(colore);
    const QRegion anello =
        QRegion(r).subtracted(QRegion(r.adjusted(spessore, spessore, -spessore, -spessore)));
    for (const QRect& parte : anello)
        pittore->drawRect(parte);
    pittore->restore();
}

QColor Miscela(const QColor& a, const QColor& b, double quotaB) {
    const auto canale = [quotaB](int x, int y) { return qRound(x * (1 - quotaB) + y * quotaB); };
    return QColor(canale(a.red(), b.red()), canale(a.green(), b.green()),
                  canale(a.blue(), b.blue()));
}

} // namespace

StileTasti::StileTasti() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {
    setObjectName(QStringLiteral("StileTasti"));
}

void StileTasti::Segna(QWidget* tasto) {
    tasto->setProperty(ProprietaTasto, true);
    tasto->update();
}

bool StileTasti::Segnato(const QWidget* w) {
    return w && w->property(ProprietaTasto).toBool();
}

void StileTasti::Evidenzia(QWidget* tasto, const QColor& colore) {
    if (Evidenza(tasto) == colore) return;
    tasto->setProperty(ProprietaEvidenza, colore.isValid() ? QVariant(colore) : QVariant());
    tasto->update();
}

QColor StileTasti::Evidenza(const QWidget* w) {
    return w ? w->property(ProprietaEvidenza).value<QColor>() : QColor();
}

bool StileTasti::Piatto(const QWidget* w) {
    return Segnato(w) || Evidenza(w).isValid();
}

double StileTasti::Contrasto(const QColor& a, const QColor& b) {
    return RapportoContrasto(tavolozza::Impacchetta(a), tavolozza::Impacchetta(b));
}

QStringList StileTasti::Righe(const QString& testo, const QFontMetrics& metrica, int larghezza) {
    if (metrica.horizontalAdvance(testo) <= larghezza) return {testo};
    const QStringList parole = testo.simplified().split(QLatin1Char(' '));
    if (parole.size() < 2) return {testo};
    QStringList migliori;
    int piuLungaMigliore = 0;
    for (qsizetype k = 1; k < parole.size(); ++k) {
        const QString prima = parole.first(k).join(QLatin1Char(' '));
        const QString seconda = parole.sliced(k).join(QLatin1Char(' '));
        const int piuLunga =
            std::max(metrica.horizontalAdvance(prima), metrica.horizontalAdvance(seconda));
        if (migliori.isEmpty() || piuLunga < piuLungaMigliore) {
            migliori = {prima, seconda};
            piuLungaMigliore = piuLunga;
        }
    }
    return migliori;
}

QColor StileTasti::ColoreContorno(const QColor& fondo) {
    return Contrasto(tavolozza::ContornoFuocoScuro, fondo) >= ContrastoContorno
               ? tavolozza::ContornoFuocoScuro
               : tavolozza::ContornoFuocoChiaro;
}

QColor StileTasti::Fondo(const QStyleOption* opzione, const QWidget* widget) {
    if (!(opzione->state & State_Enabled))
        return Miscela(opzione->palette.color(QPalette::Disabled, QPalette::Button),
                       tavolozza::TastoSpento, QuotaGrigio);
    const QColor evidenza = Evidenza(widget);
    const QColor colore =
        evidenza.isValid() ? evidenza : opzione->palette.color(QPalette::Active, QPalette::Button);
    return opzione->state & (State_Sunken | State_On) ? colore.darker(125) : colore;
}

QColor StileTasti::Bordo(const QStyleOption* opzione, const QColor& fondo) {
    return opzione->state & State_Enabled ? fondo.darker(170) : tavolozza::BordoTastoSpento;
}

QColor StileTasti::Didascalia(const QStyleOption* opzione, const QColor& fondo,
                              const QWidget* widget) {
    if ((opzione->state & State_Enabled) && Evidenza(widget).isValid())
        return Contrasto(Qt::black, fondo) >= Contrasto(Qt::white, fondo) ? QColor(Qt::black)
                                                                          : QColor(Qt::white);
    if (opzione->state & State_Enabled)
        return opzione->palette.color(QPalette::Active, QPalette::ButtonText);
    // The lightest grey that still reads well on the washed-out key.
    for (int grigio = 120; grigio > 0; grigio -= 4) {
        const QColor testo(grigio, grigio, grigio);
        if (Contrasto(testo, fondo) >= ContrastoMinimo + 0.1) return testo;
    }
    return Qt::black;
}

void StileTasti::drawPrimitive(PrimitiveElement elemento, const QStyleOption* opzione,
                               QPainter* pittore, const QWidget* widget) const {
    if (!Piatto(widget)) {
        QProxyStyle::drawPrimitive(elemento, opzione, pittore, widget);
        return;
    }
    switch (elemento) {
    case PE_PanelButtonCommand: {
        const QColor fondo = Fondo(opzione, widget);
        pittore->save();
        pittore->setRenderHint(QPainter::Antialiasing, false);
        pittore->setPen(Bordo(opzione, fondo));
        pittore->setBrush(fondo);
        pittore->drawRect(opzione->rect.adjusted(0, 0, -1, -1));
        pittore->restore();
        if ((opzione->state & State_HasFocus) && (opzione->state & State_Enabled))
            Contorno(pittore, opzione->rect.adjusted(1, 1, -1, -1), ContornoFuoco,
                     ColoreContorno(fondo));
        return;
    }
    case PE_FrameFocusRect:
    case PE_FrameDefaultButton:
        return; // the key's colour shows the focus
    default:
        QProxyStyle::drawPrimitive(elemento, opzione, pittore, widget);
    }
}

void StileTasti::drawControl(ControlElement elemento, const QStyleOption* opzione,
                             QPainter* pittore, const QWidget* widget) const {
    if (elemento == CE_RadioButton) {
        QProxyStyle::drawControl(elemento, opzione, pittore, widget);
        if (opzione->state & State_HasFocus) {
            const QColor fondo = widget ? widget->palette().color(widget->backgroundRole())
                                        : opzione->palette.color(QPalette::Window);
            Contorno(pittore, opzione->rect, ContornoFuoco - 1, ColoreContorno(fondo));
        }
        return;
    }
    const auto* pulsante = qstyleoption_cast<const QStyleOptionButton*>(opzione);
    if (elemento != CE_PushButtonLabel || !Piatto(widget) || !pulsante ||
        !pulsante->icon.isNull()) {
        QProxyStyle::drawControl(elemento, opzione, pittore, widget);
        return;
    }
    pittore->save();
    QStringList righe = Righe(pulsante->text, pittore->fontMetrics(), opzione->rect.width());
    // A line still too wide (one long word, as a caption in capitals may be) is drawn in a
    // smaller size of the same font, never below two thirds of it.
    int larghezza = 0;
    for (const QString& riga : righe)
        larghezza = std::max(larghezza, pittore->fontMetrics().horizontalAdvance(riga));
    if (larghezza > opzione->rect.width() && larghezza > 0) {
        QFont piccolo = pittore->font();
        piccolo.setPointSizeF(std::max(piccolo.pointSizeF() * 2 / 3,
                                       piccolo.pointSizeF() * opzione->rect.width() / larghezza));
        pittore->setFont(piccolo);
    }
    pittore->setPen(Didascalia(opzione, Fondo(opzione, widget), widget));
    pittore->drawText(opzione->rect, Qt::AlignCenter, righe.join(QLatin1Char('\n')));
    pittore->restore();
}

QRect StileTasti::subElementRect(SubElement elemento, const QStyleOption* opzione,
                                 const QWidget* widget) const {
    if (elemento == SE_PushButtonContents && Piatto(widget))
        return opzione->rect.adjusted(Margine, Margine, -Margine, -Margine);
    return QProxyStyle::subElementRect(elemento, opzione, widget);
}
