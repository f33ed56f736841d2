#include "app/CodaCups.h"

#include <QDeadlineTimer>
#include <QUrl>

#include <cups/cups.h>
#include <dlfcn.h>
#include <optional>

namespace {

// The functions of libcups used here, resolved by name from the library loaded at run time.
#define DECIMETRA_FUNZIONI_CUPS(X)                                                                 \
    X(cupsServer)                                                                                  \
    X(ippPort)                                                                                     \
    X(cupsEncryption)                                                                              \
    X(cupsUser)                                                                                    \
    X(cupsSetPasswordCB2)                                                                          \
    X(httpConnect2)                                                                                \
    X(httpSetTimeout)                                                                              \
    X(httpError)                                                                                   \
    X(httpClose)                                                                                   \
    X(ippNewRequest)                                                                               \
    X(ippAddString)                                                                                \
    X(ippAddStrings)                                                                               \
    X(ippFindAttribute)                                                                            \
    X(ippGetBoolean)                                                                               \
    X(ippGetInteger)                                                                               \
    X(ippGetStatusCode)                                                                            \
    X(ippDelete)                                                                                   \
    X(ippLength)                                                                                   \
    X(cupsDoRequest)                                                                               \
    X(cupsSendRequest)                                                                             \
    X(cupsWriteRequestData)                                                                        \
    X(cupsGetResponse)

struct Cups {
#define DECIMETRA_CAMPO(nome) decltype(&::nome) nome = nullptr;
    DECIMETRA_FUNZIONI_CUPS(DECIMETRA_CAMPO)
#undef DECIMETRA_CAMPO
};

const Cups* Libreria() {
    static const std::optional<Cups> cups = []() -> std::optional<Cups> {
        void* libreria = ::dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!libreria) return std::nullopt;
        Cups c;
        bool tutte = true;
#define DECIMETRA_RISOLVI(nome)                                                                    \
    c.nome = reinterpret_cast<decltype(&::nome)>(::dlsym(libreria, #nome));                        \
    tutte = tutte && c.nome;
        DECIMETRA_FUNZIONI_CUPS(DECIMETRA_RISOLVI)
#undef DECIMETRA_RISOLVI
        if (!tutte) return std::nullopt;
        return c;
    }();
    return cups ? &*cups : nullptr;
}

// Called by libcups every tenth of a second while it waits: go on waiting while there is
// time left.
int AncoraTempo(http_t*, void* scadenza) {
    return static_cast<const QDeadlineTimer*>(scadenza)->hasExpired() ? 0 : 1;
}

// A queue that asks for a password refuses the job: never a prompt on the terminal.
const char* NessunaPassword(const char*, http_t*, const char*, const char*, void*) {
    return nullptr;
}

class Richiesta {
public:
    Richiesta(const Cups& cups, http_t* http, const QDeadlineTimer& scadenza)
        : cups_(cups), http_(http), scadenza_(scadenza) {}

    // What a missing answer means: the time ran out or the connection failed, or the server
    // refused (an HTTP error: forbidden, authentication).
    EsitoCoda SenzaRisposta() const {
        return scadenza_.hasExpired() || cups_.httpError(http_) != 0 ? EsitoCoda::NonRisponde
                                                                     : EsitoCoda::Rifiutato;
    }

    // The queue exists, accepts jobs and is not stopped.
    EsitoCoda StatoCoda(const QByteArray& uri, const QByteArray& utente) {
        ipp_t* domanda = cups_.ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        cups_.ippAddString(domanda, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                           uri.constData());
        cups_.ippAddString(domanda, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name",
                           nullptr, utente.constData());
        static const char* const chiesti[] = {"printer-is-accepting-jobs", "printer-state"};
        cups_.ippAddStrings(domanda, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2,
                            nullptr, chiesti);
        ipp_t* risposta = cups_.cupsDoRequest(http_, domanda, "/"); // frees the question
        if (!risposta) return SenzaRisposta();
        bool pronta = cups_.ippGetStatusCode(risposta) <= IPP_STATUS_OK_EVENTS_COMPLETE;
        if (ipp_attribute_t* accetta =
                cups_.ippFindAttribute(risposta, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
            pronta = pronta && cups_.ippGetBoolean(accetta, 0);
        if (ipp_attribute_t* stato =
                cups_.ippFindAttribute(risposta, "printer-state", IPP_TAG_ENUM))
            pronta = pronta && cups_.ippGetInteger(stato, 0) != IPP_PSTATE_STOPPED;
        cups_.ippDelete(risposta);
        return pronta ? EsitoCoda::Accettato : EsitoCoda::Rifiutato;
    }

    // One Print-Job with the document; taken when the answer gives the job an id and a state
    // short of cancelled or aborted.
    EsitoCoda Invia(const QByteArray& uri, const QByteArray& risorsa, const QByteArray& utente,
                    const QByteArray& titolo, const QByteArray& pdf) {
        ipp_t* domanda = cups_.ippNewRequest(IPP_OP_PRINT_JOB);
        cups_.ippAddString(domanda, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                           uri.constData());
        cups_.ippAddString(domanda, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name",
                           nullptr, utente.constData());
        cups_.ippAddString(domanda, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
                           titolo.constData());
        cups_.ippAddString(domanda, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr,
                           "application/pdf");
        // The length of the whole body: the request, then the document.
        http_status_t stato =
            cups_.cupsSendRequest(http_, domanda, risorsa.constData(),
                                  cups_.ippLength(domanda) + static_cast<size_t>(pdf.size()));
        if (stato == HTTP_STATUS_CONTINUE)
            stato =
                cups_.cupsWriteRequestData(http_, pdf.constData(), static_cast<size_t>(pdf.size()));
        ipp_t* risposta = stato == HTTP_STATUS_CONTINUE
                              ? cups_.cupsGetResponse(http_, risorsa.constData())
                              : nullptr;
        cups_.ippDelete(domanda);
        if (!risposta) return SenzaRisposta();
        bool presa = cups_.ippGetStatusCode(risposta) <= IPP_STATUS_OK_EVENTS_COMPLETE;
        ipp_attribute_t* id = cups_.ippFindAttribute(risposta, "job-id", IPP_TAG_INTEGER);
        presa = presa && id && cups_.ippGetInteger(id, 0) > 0;
        if (ipp_attribute_t* lavoro = cups_.ippFindAttribute(risposta, "job-state", IPP_TAG_ENUM))
            presa = presa && cups_.ippGetInteger(lavoro, 0) < IPP_JSTATE_CANCELED;
        cups_.ippDelete(risposta);
        return presa ? EsitoCoda::Accettato : EsitoCoda::Rifiutato;
    }

private:
    const Cups& cups_;
    http_t* http_;
    const QDeadlineTimer& scadenza_;
};

} // namespace

EsitoCoda InviaACoda(const QString& coda, const QByteArray& pdf, const QString& titolo,
                     std::chrono::milliseconds attesa) {
    const QDeadlineTimer scadenza(attesa);
    const Cups* cups = Libreria();
    if (!cups) return EsitoCoda::NonRisponde;
    cups->cupsSetPasswordCB2(NessunaPassword, nullptr);
    http_t* http = cups->httpConnect2(
        cups->cupsServer(), cups->ippPort(), nullptr, AF_UNSPEC, cups->cupsEncryption(), 1,
        static_cast<int>(qMax<qint64>(1, scadenza.remainingTime())), nullptr);
    if (!http) return EsitoCoda::NonRisponde;
    // Every wait for the server, reading or writing, asks AncoraTempo each tenth of a second.
    cups->httpSetTimeout(http, 0.1, AncoraTempo, const_cast<QDeadlineTimer*>(&scadenza));

    const QByteArray risorsa = "/printers/" + QUrl::toPercentEncoding(coda);
    const QByteArray uri = "ipp://localhost" + risorsa;
    const QByteArray utente = cups->cupsUser();
    Richiesta richiesta(*cups, http, scadenza);
    EsitoCoda esito = richiesta.StatoCoda(uri, utente);
    if (esito == EsitoCoda::Accettato)
        esito = richiesta.Invia(uri, risorsa, utente, titolo.toUtf8(), pdf);
    cups->httpClose(http);
    return esito;
}
