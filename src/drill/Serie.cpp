#include "drill/Serie.h"

#include "base/Servizi.h"
#include "drill/Frasi.h"
#include "generation/Algoritmi.h"
#include "generation/Spazi.h"

#include <QLocale>

#include <algorithm>
#include <utility>

namespace {

const QString Domanda = QStringLiteral("?");

// A reply as it is said while typed: a comma at its end is said as a word, since a voice
// reads "5," as "5".
QString RispostaDetta(const QString& risposta) {
    if (!risposta.endsWith(u',')) return risposta;
    return (risposta.chopped(1) + QStringLiteral(" virgola")).trimmed();
}

bool Vuoto(const QString& testo) {
    return testo.trimmed().isEmpty();
}

} // namespace

Serie::Serie(StatoProgramma& stato, FonteCasuale& fonte, Orologio& orologio, Suono& suono,
             Avvisi* avvisi)
    : stato_(stato), fonte_(fonte), orologio_(orologio), suono_(suono), avvisi_(avvisi),
      generatore_(GeneraProblema) {}

void Serie::ImpostaGeneratore(Generatore generatore) {
    generatore_ = generatore ? std::move(generatore) : Generatore(GeneraProblema);
}

void Serie::ImpostaStampaDisponibile(bool disponibile) {
    stampaDisponibile_ = disponibile;
}

// ---------------------------------------------------------------------------------------
// Series flow

void Serie::NuovaSerie() {
    stato_.IndiceEsercizio = 0;
    stato_.ErrateTotale = 0;
    stato_.EsatteTotale = 0;
    stato_.TempoTotale = 0;
    stato_.TempoRisposta = 0;
    stato_.TempoRispostaTesto.clear();
    stato_.TempoTotaleTesto.clear();
    stato_.Segno.clear();
    testi_.LblOperazione.clear();
    testi_.lblRisEsatte.clear();
    testi_.lblRisErrate.clear();
    testi_.lblTempoOperazione.clear();
    testi_.LblTempoTotale.clear();
    for (int i = 1; i <= NumeroEsercizi; ++i)
        stato_.Esercizio[i].clear();

    // Headings and symbol captions follow the choices the series runs with.
    stato_.TestoOrdineSerie = stato_.TestoOrdine;
    testi_.Label1 = stato_.TestoOrdine;
    testi_.Label2 = stato_.TestoTipo;
    for (int i = 0; i < 4; ++i)
        testi_.Option1[i] = stato_.Simbolo[i + 1];

    ProssimoEsercizio();
}

void Serie::ProssimoEsercizio() {
    if (UltimoEsercizioMostrato()) return;

    testi_.LblEsito.clear();
    testi_.lblSimbolo2.clear();
    testi_.lblCorrezione.clear();
    testi_.LblSimbolo2S.clear();
    testi_.lblCorrezioneS.clear();
    testi_.LblRisultato = Domanda;
    testi_.lblRisultatoS = Domanda;

    ++stato_.IndiceEsercizio;
    testi_.lblTempoOperazione.clear();
    stato_.SoluzioneTesto.clear();
    stato_.RispostaTesto.clear();
    conVirgola_ = false;
    stato_.TempoRisposta = 0;
    stato_.TentativiNo = 0;

    linee_ = false;
    generatore_(stato_, fonte_);
    Visualizza();
    testi_.Label7 = QString::number(stato_.CoppiaSimboli) + QStringLiteral("  ") +
                    QString::number(stato_.FormaNumero);
}

void Serie::Visualizza() {
    inizioRisposta_ = orologio_.Millisecondi();
    switch (stato_.TipoEsercizio) {
    case 2:
        MostraSimbolo();
        break;
    case 3: {
        // 1 asks for the number, 2 for the symbol; a faulty draw is held to the two.
        stato_.Sorteggio = static_cast<std::int16_t>(Estrai(fonte_, 2, 1));
        if (stato_.Sorteggio == 1)
            MostraNumero();
        else
            MostraSimbolo();
        break;
    }
    default:
        // Kind 1; a window opened before any kind was chosen also asks for numbers.
        MostraNumero();
        break;
    }
}

void Serie::MostraNumero() {
    riga_ = Riga::Numero;
    MostraPannello(Pannello::Tastierino);
    testi_.lblNumero1 = stato_.NumeroTesto;
    testi_.lblSimbolo1 = stato_.SimboloDa;
    testi_.lblSimbolo2 = stato_.SimboloA;
    testi_.LblRisultato = Domanda;
    stato_.SoluzioneTesto = stato_.RisultatoTesto;
    ApriRigaNumero(stato_);
    TastiSi();
    ScriviDiagnostica();
    Annuncia(FraseProblema());
}

void Serie::MostraSimbolo() {
    riga_ = Riga::Simbolo;
    MostraPannello(Pannello::Simboli);
    testi_.lblNumero1S = stato_.NumeroTesto;
    testi_.lblSimbolo1S = stato_.SimboloDa;
    testi_.LblSimbolo2S = stato_.RisultatoTesto;
    testi_.lblRisultatoS = Domanda;
    stato_.SoluzioneTesto = stato_.SimboloA.trimmed();
    ApriRigaSimbolo(stato_);
    SimboliSi();
    ScriviDiagnostica();
    Annuncia(FraseProblema());
}

void Serie::ScriviDiagnostica() {
    testi_.Label6 = QString::number(stato_.CoppiaSimboli) + QLatin1Char('.') +
                    QString::number(stato_.FormaNumero);
    testi_.Label8 = stato_.SoluzioneTesto;
}

bool Serie::ProblemaNumero() const {
    return riga_ == Riga::Numero;
}

bool Serie::UltimoEsercizioMostrato() const {
    return stato_.IndiceEsercizio >= NumeroEsercizi;
}

int Serie::LimiteRisposta() const {
    return std::max<int>(maxCifre_, static_cast<int>(stato_.SoluzioneTesto.size()));
}

// ---------------------------------------------------------------------------------------
// Panels and keys

void Serie::MostraPannello(Pannello pannello) {
    pannello_ = pannello;
}

void Serie::TastiSi() {
    for (int i = 0; i <= Cancella; ++i)
        option2_[i] = true;
    option2_[Verifica] = option2_[Avanti] = option2_[Esco] = false;
    ChiediFuoco(Pannello::Tastierino, 0);
}

void Serie::TastiNo() {
    for (int i = 0; i <= Verifica; ++i)
        option2_[i] = false;
    option2_[Avanti] = option2_[Esco] = true;
    ChiediFuoco(Pannello::Tastierino, Avanti);
}

void Serie::SimboliSi() {
    // A three-unit system has a blank first symbol: its key stays shut, since choosing
    // it could only give an empty reply.
    for (int i = 0; i < 4; ++i)
        option1_[i] = !Vuoto(testi_.Option1[i]);
    option1_[CancellaS] = true;
    option1_[VerificaS] = option1_[AvantiS] = option1_[Esci] = false;
    ChiediPrimoTasto();
}

void Serie::SimboliNo() {
    for (int i = 0; i <= VerificaS; ++i)
        option1_[i] = false;
    option1_[AvantiS] = option1_[Esci] = true;
    ChiediFuoco(Pannello::Simboli, AvantiS);
}

bool Serie::TastoAttivo(Pannello pannello, int indice) const {
    if (pannello != pannello_ || indice < 0) return false;
    switch (pannello) {
    case Pannello::Tastierino:
        return indice < TastiTastierino && option2_[indice];
    case Pannello::Simboli:
        return indice < TastiSimboli && option1_[indice];
    case Pannello::Aiuto:
        return indice < 2 && option3_[indice];
    case Pannello::Intervento:
        return indice == 0;
    case Pannello::Avviso:
        return indice < 2 && optAvviso()[indice];
    }
    return false;
}

RichiestaFuoco Serie::PrimoTastoAttivo() const {
    // At the end of a series a habitual Enter must never start a new one and lose the
    // exercises: "Stampa" leads, and "Ricomincia" is only ever reached on purpose.
    if (pannello_ == Pannello::Avviso)
        return {pannello_, TastoAttivo(pannello_, Stampa) ? Stampa : -1};
    for (int i = 0; i < TastiTastierino; ++i)
        if (TastoAttivo(pannello_, i)) return {pannello_, i};
    return {pannello_, -1};
}

void Serie::ChiediFuoco(Pannello pannello, int indice) {
    fuoco_ = RichiestaFuoco{pannello, indice};
}

void Serie::ChiediPrimoTasto() {
    fuoco_ = PrimoTastoAttivo();
}

std::optional<RichiestaFuoco> Serie::RitiraFuoco() {
    auto richiesta = fuoco_;
    fuoco_.reset();
    return richiesta;
}

void Serie::ControlloFineSerie() {
    if (!UltimoEsercizioMostrato()) return;
    MostraPannello(Pannello::Avviso);
    ChiediPrimoTasto();
    Annuncia(FraseFineSerie());
}

// ---------------------------------------------------------------------------------------
// Announcements

void Serie::Annuncia(const QString& testo) {
    annunci_.append(testo);
}

QStringList Serie::RitiraAnnunci() {
    return std::exchange(annunci_, {});
}

QString Serie::FraseProblema() const {
    if (stato_.IndiceEsercizio == 0) return {};
    if (ProblemaNumero())
        return FraseTrovaNumero(stato_, stato_.NumeroTesto, stato_.SimboloDa, stato_.SimboloA);
    return FraseTrovaSimbolo(stato_, stato_.NumeroTesto, stato_.SimboloDa, stato_.RisultatoTesto);
}

QString Serie::FraseRisposta() const {
    const QString& mostrata = ProblemaNumero() ? testi_.LblRisultato : testi_.lblRisultatoS;
    const QString testo = mostrata.trimmed();
    if (testo.isEmpty() || testo == Domanda) return QStringLiteral("Risposta: nessuna");
    // A unit chosen is said by its name, never spelled.
    return QStringLiteral("Risposta: ") + (ProblemaNumero() ? testo : NomeUnita(stato_, testo));
}

QString Serie::FraseFineSerie() const {
    const auto secondi = [](std::int32_t n) {
        return QString::number(n) +
               (n == 1 ? QStringLiteral(" secondo") : QStringLiteral(" secondi"));
    };
    return QStringLiteral(
               "Serie finita. Risposte esatte: %1. Risposte errate: %2. Tempo totale: %3.")
        .arg(stato_.EsatteTotale)
        .arg(stato_.ErrateTotale)
        .arg(secondi(stato_.TempoTotale));
}

// ---------------------------------------------------------------------------------------
// Reply entry

std::optional<double> Serie::ValoreRisposta(const QString& testo) {
    QString numero;
    bool cifre = false;
    bool virgola = false;
    for (QChar c : testo.trimmed()) {
        if (c == u'.') continue;
        if (c == u',') {
            if (virgola) return std::nullopt;
            virgola = true;
            numero += u'.';
        } else if (c >= u'0' && c <= u'9') {
            cifre = true;
            numero += c;
        } else {
            return std::nullopt;
        }
    }
    if (!cifre) return std::nullopt;
    bool ok = false;
    const double valore = QLocale::c().toDouble(numero, &ok);
    if (!ok) return std::nullopt;
    return valore;
}

int Serie::LunghezzaVerificata(const QString& testo) {
    // Checking writes the number out again: a reply opened by the comma gains its "0"
    // (",5" becomes "0,5"); otherwise the reply is already in its written form or shorter.
    return static_cast<int>(testo.size()) + (testo.startsWith(u',') ? 1 : 0);
}

QString Serie::Normalizzata(const QString& testo) const {
    const auto valore = ValoreRisposta(testo);
    if (!valore) return testo;
    return FormattaNumero(*valore, avvisi_);
}

void Serie::MostraRisposta(const QString& testo) {
    testi_.LblRisultato = testo;
    // "Verifica" opens as soon as the display holds a reply, and "Cancella", shut when the
    // reply was erased to nothing, opens again so that a new typing slip can be corrected.
    if (testo != Domanda) option2_[Verifica] = option2_[Cancella] = true;
}

void Serie::MostraRispostaSimbolo(const QString& testo) {
    testi_.lblRisultatoS = testo;
    if (testo != Domanda) option1_[VerificaS] = true;
}

Esito Serie::TastoPremuto(int indice) {
    if (!TastoAttivo(Pannello::Tastierino, indice)) return Esito::Nessuno;
    QString& risposta = stato_.RispostaTesto;
    const int limite = LimiteRisposta();

    if (indice <= 9) {
        QString nuova = risposta + QChar(u'0' + indice);
        // A character beyond the limit is cut off; so is a digit whose regrouping would
        // take the reply past it.
        if (LunghezzaVerificata(nuova) > limite) return Esito::Nessuno;
        if (!nuova.contains(u',')) nuova = Normalizzata(nuova);
        if (nuova.size() > limite) return Esito::Nessuno;
        risposta = nuova;
        conVirgola_ = risposta.contains(u',');
        MostraRisposta(risposta);
        Annuncia(RispostaDetta(risposta));
        return Esito::Nessuno;
    }

    switch (indice) {
    case Virgola:
        if (conVirgola_ || LunghezzaVerificata(risposta + u',') > limite) return Esito::Nessuno;
        risposta += u',';
        conVirgola_ = true;
        MostraRisposta(risposta);
        Annuncia(RispostaDetta(risposta));
        return Esito::Nessuno;
    case Cancella:
        if (!risposta.isEmpty()) risposta.chop(1);
        if (!risposta.isEmpty() && !risposta.contains(u',')) risposta = Normalizzata(risposta);
        conVirgola_ = risposta.contains(u',');
        if (risposta.isEmpty()) {
            testi_.LblRisultato = Domanda;
            option2_[Cancella] = false;
        } else {
            MostraRisposta(risposta);
        }
        Annuncia(FraseRisposta());
        return Esito::Nessuno;
    case Verifica:
        VerificaRisposta();
        return Esito::Nessuno;
    case Avanti:
        ProssimoEsercizio();
        return Esito::Nessuno;
    case Esco:
        return Esito::Chiudi;
    }
    return Esito::Nessuno;
}

Esito Serie::SimboloPremuto(int indice) {
    if (!TastoAttivo(Pannello::Simboli, indice)) return Esito::Nessuno;
    if (indice < 4) {
        stato_.RispostaTesto = testi_.Option1[indice];
        MostraRispostaSimbolo(stato_.RispostaTesto);
        Annuncia(NomeTastoSimbolo(stato_, stato_.RispostaTesto));
        return Esito::Nessuno;
    }
    switch (indice) {
    case CancellaS:
        // Takes the chosen symbol back; "Verifica" keeps its state, as on the keypad.
        stato_.RispostaTesto.clear();
        testi_.lblRisultatoS = Domanda;
        Annuncia(FraseRisposta());
        return Esito::Nessuno;
    case VerificaS:
        VerificaRisposta();
        return Esito::Nessuno;
    case AvantiS:
        ProssimoEsercizio();
        return Esito::Nessuno;
    case Esci:
        return Esito::Chiudi;
    }
    return Esito::Nessuno;
}

void Serie::AiutoPremuto(int indice) {
    if (!TastoAttivo(Pannello::Aiuto, indice)) return;
    if (indice == No)
        Riprova();
    else
        Intervento();
}

void Serie::InterventoPremuto() {
    if (TastoAttivo(Pannello::Intervento, 0)) Intervento();
}

Esito Serie::AvvisoPremuto(int indice) {
    if (!TastoAttivo(Pannello::Avviso, indice)) return Esito::Nessuno;
    if (indice == Stampa) return Esito::Stampa;
    NuovaSerie();
    return Esito::Nessuno;
}

// ---------------------------------------------------------------------------------------
// Checking, help and the program's solution

void Serie::VerificaRisposta() {
    const bool raggiungibile = ProblemaNumero() ? TastoAttivo(Pannello::Tastierino, Verifica)
                                                : TastoAttivo(Pannello::Simboli, VerificaS);
    if (!raggiungibile) return;

    stato_.RispostaTesto = Normalizzata(stato_.RispostaTesto);
    conVirgola_ = stato_.RispostaTesto.contains(u',');

    if (stato_.RispostaTesto.trimmed() == stato_.SoluzioneTesto.trimmed()) {
        suono_.SuonoEsatto();
        testi_.LblEsito = QStringLiteral("Esatto");
        ++stato_.EsatteTotale;
        stato_.Segno = QStringLiteral("  ");
        testi_.lblRisEsatte = QString::number(stato_.EsatteTotale);
        RegistraTempi();
        AggiungiRispostaEsatta(stato_);
        testi_.LblOperazione = QString::number(stato_.IndiceEsercizio);
        ChiudiRisposta();
        Annuncia(testi_.LblEsito);
        ControlloFineSerie();
    } else {
        testi_.LblEsito = QStringLiteral("Errato");
        stato_.Segno = QStringLiteral("* ");
        AggiungiRispostaErrata(stato_);
        linee_ = true;
        MostraPannello(Pannello::Aiuto);
        ChiediPrimoTasto();
        Annuncia(testi_.LblEsito);
        Annuncia(QStringLiteral("Ti aiuto ?"));
    }
}

void Serie::Riprova() {
    if (pannello_ != Pannello::Aiuto) return;
    stato_.RispostaTesto.clear();
    conVirgola_ = false;
    testi_.LblEsito.clear();
    ++stato_.TentativiNo;

    if (stato_.TentativiNo < 3) {
        linee_ = false;
        if (ProblemaNumero()) {
            testi_.LblRisultato = Domanda;
            MostraPannello(Pannello::Tastierino);
            TastiSi();
        } else {
            // The symbol keys keep their states: "Verifica" stays usable on "?".
            testi_.lblRisultatoS = Domanda;
            MostraPannello(Pannello::Simboli);
            ChiediPrimoTasto();
        }
        // Another try: the problem is asked again.
        Annuncia(FraseProblema());
    } else {
        stato_.TentativiNo = 0;
        MostraPannello(Pannello::Intervento);
        ChiediPrimoTasto();
        // Only one key is left: the pupil hears what it does.
        Annuncia(QStringLiteral("Premi INTERVENGO IO: ti mostro la soluzione."));
    }
}

void Serie::Intervento() {
    if (pannello_ != Pannello::Aiuto && pannello_ != Pannello::Intervento) return;
    RegistraTempi();
    testi_.LblEsito.clear();
    testi_.LblOperazione = QString::number(stato_.IndiceEsercizio);
    ++stato_.ErrateTotale;
    testi_.lblRisErrate = QString::number(stato_.ErrateTotale);
    MostraPannello(ProblemaNumero() ? Pannello::Tastierino : Pannello::Simboli);
    ChiudiRisposta();
    testi_.lblCorrezione = stato_.SoluzioneTesto;
    testi_.lblCorrezioneS = stato_.SoluzioneTesto;
    AggiungiSoluzione(stato_);
    Annuncia(QStringLiteral("Intervengo io: ") +
             FraseUguaglianza(stato_, stato_.NumeroTesto, stato_.SimboloDa, stato_.RisultatoTesto,
                              stato_.SimboloA));
    ControlloFineSerie();
}

void Serie::ChiudiRisposta() {
    if (ProblemaNumero())
        TastiNo();
    else
        SimboliNo();
}

void Serie::RegistraTempi() {
    const std::int64_t fine = orologio_.Millisecondi();
    const std::int64_t secondi = std::max<std::int64_t>(0, (fine - inizioRisposta_) / 1000);
    stato_.TempoRisposta = static_cast<std::int32_t>(std::min<std::int64_t>(secondi, INT32_MAX));
    stato_.TempoRispostaTesto = QLatin1Char(' ') + QString::number(stato_.TempoRisposta);
    // Capped like the single time: a clock jumping forward must not wrap the sum round.
    stato_.TempoTotale = static_cast<std::int32_t>(
        std::min<std::int64_t>(std::int64_t{stato_.TempoTotale} + stato_.TempoRisposta, INT32_MAX));
    stato_.TempoTotaleTesto = QLatin1Char(' ') + QString::number(stato_.TempoTotale);
    testi_.lblTempoOperazione =
        stato_.TempoRisposta > 99 ? QStringLiteral("99") : stato_.TempoRispostaTesto;
    testi_.LblTempoTotale =
        stato_.TempoTotale > 999 ? QStringLiteral("999") : stato_.TempoTotaleTesto;
}

// ---------------------------------------------------------------------------------------
// Keyboard rules

namespace {

using Tipo = AzioneTastiera::Tipo;

AzioneTastiera Azione(Tipo tipo, int indice = -1, int fuocoDopo = -1) {
    return {tipo, indice, fuocoDopo};
}

bool Cifra(int tasto) {
    return tasto >= Qt::Key_0 && tasto <= Qt::Key_9;
}

bool Invio(int tasto) {
    return tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
}

// The decimal key of the numeric block: "," or "." by keyboard layout, Delete with the
// numeric lock off.
bool DecimaleNumerico(int tasto, bool numerico) {
    return numerico &&
           (tasto == Qt::Key_Comma || tasto == Qt::Key_Period || tasto == Qt::Key_Delete);
}

} // namespace

AzioneTastiera Serie::TastieraTastierino(int tasto, bool numerico) const {
    const auto fuoco = [this](int indice) {
        return TastoAttivo(Pannello::Tastierino, indice) ? Azione(Tipo::Fuoco, indice)
                                                         : Azione(Tipo::Ingoia);
    };
    // A reply typed on the keyboard is sent with Enter: after a digit or the comma the focus
    // goes to "Verifica", so that Enter checks the reply rather than pressing the key the
    // focus rested on (the "0" the panel opened with would be appended). A "Cancella" typed
    // on the keyboard leads there too while a reply stands; one that erases the reply leads
    // back to the first key, as the panel opened, so that Enter never checks nothing.
    const auto scrivi = [this](int indice) {
        if (!TastoAttivo(Pannello::Tastierino, indice)) return Azione(Tipo::Ingoia);
        const bool resta = indice != Cancella || stato_.RispostaTesto.size() > 1;
        return Azione(Tipo::Premi, indice, resta ? Verifica : 0);
    };
    if (Cifra(tasto)) return scrivi(tasto - Qt::Key_0);
    if (DecimaleNumerico(tasto, numerico)) return scrivi(Cancella);
    switch (tasto) {
    case Qt::Key_Comma:
        // A comma cannot open a reply typed on the keyboard.
        if (stato_.RispostaTesto.isEmpty()) return Azione(Tipo::Ingoia);
        return scrivi(Virgola);
    case Qt::Key_C:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return scrivi(Cancella);
    case Qt::Key_V:
        return fuoco(Verifica);
    case Qt::Key_N:
        return fuoco(Avanti);
    case Qt::Key_E:
        return fuoco(Esco);
    case Qt::Key_F2:
        return Azione(Tipo::Lascia);
    default:
        if (Invio(tasto)) return Azione(Tipo::PremiFuoco);
        return Azione(Tipo::Ingoia);
    }
}

AzioneTastiera Serie::TastieraSimboli(int tasto, bool numerico) const {
    const auto fuoco = [this](int indice) {
        return TastoAttivo(Pannello::Simboli, indice) ? Azione(Tipo::Fuoco, indice)
                                                      : Azione(Tipo::Ingoia);
    };
    // Digits 0..3 of either block choose that symbol and lead on to "Verifica".
    if (tasto >= Qt::Key_0 && tasto <= Qt::Key_3) {
        const int indice = tasto - Qt::Key_0;
        return TastoAttivo(Pannello::Simboli, indice) ? Azione(Tipo::Premi, indice, VerificaS)
                                                      : Azione(Tipo::Ingoia);
    }
    if (numerico && (tasto == Qt::Key_4 || tasto == Qt::Key_5)) return Azione(Tipo::Lascia);
    if (DecimaleNumerico(tasto, numerico)) return Azione(Tipo::Lascia);
    switch (tasto) {
    case Qt::Key_V:
        return fuoco(VerificaS);
    case Qt::Key_N:
        return fuoco(AvantiS);
    case Qt::Key_E:
        return fuoco(Esci);
    case Qt::Key_C:
    case Qt::Key_H:
    case Qt::Key_U:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_F2:
    case Qt::Key_Comma:
        return Azione(Tipo::Lascia);
    default:
        if (Invio(tasto)) return Azione(Tipo::PremiFuoco);
        return Azione(Tipo::Ingoia);
    }
}

AzioneTastiera Serie::TastieraAiuto(int tasto) const {
    if (pannello_ != Pannello::Aiuto) return Azione(Tipo::Ingoia);
    if (tasto == Qt::Key_N) return Azione(Tipo::Fuoco, No);
    if (tasto == Qt::Key_S) return Azione(Tipo::Fuoco, Si);
    if (Invio(tasto)) return Azione(Tipo::PremiFuoco);
    return Azione(Tipo::Ingoia);
}

AzioneTastiera Serie::TastieraIntervento(int tasto) const {
    if (pannello_ != Pannello::Intervento) return Azione(Tipo::Ingoia);
    switch (tasto) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return Azione(Tipo::Ingoia);
    default:
        // Any other key pressed on "INTERVENGO IO" asks for the solution.
        return Azione(Tipo::Premi, 0);
    }
}
