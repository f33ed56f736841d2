// The page renderer: on paper (through QPrinter into a PDF, read back with poppler) each
// text stands where the page puts it, in its size and weight, centred texts centred; on
// screen the same page scales as a whole and keeps its colours.

#include "support/LeggiPdf.h"
#include "ui/DisegnaPagina.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

TestoPagina Testo(const QString& testo, int x, int y, const QString& famiglia, double punti,
                  bool grassetto = false, int larghezza = 0, std::int32_t colore = 0) {
    TestoPagina t;
    t.x = x;
    t.y = y;
    t.famiglia = famiglia;
    t.punti = punti;
    t.grassetto = grassetto;
    t.testo = testo;
    t.larghezza = larghezza;
    t.colore = colore;
    return t;
}

// The bounding box of every pixel that is not white.
QRect Inchiostro(const QImage& img) {
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255)) r |= QRect(x, y, 1, 1);
    return r;
}

QImage Disegnata(const Pagina& pagina, double scala, QSize dimensione) {
    QImage img(dimensione, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    DisegnaPagina(p, pagina, scala);
    p.end();
    return img;
}

} // namespace

class TestDisegnaPagina : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void posizioneSullaCarta_data();
    void posizioneSullaCarta();
    void grassetto();
    void scalaSulloSchermo();
    void colori_data();
    void colori();

private:
    QTemporaryDir cartella_;
    QString pdf_;
    QList<ParolaPdf> parole_;
    Pagina pagina_;
};

// One page with texts of every kind, printed once and read back by every row.
void TestDisegnaPagina::initTestCase() {
    if (!StrumentiPdf()) QSKIP("poppler-utils (pdftotext, pdffonts) non installato");
    QVERIFY(cartella_.isValid());
    pagina_.testi = {
        Testo("Nome", 1000, 1000, "Courier New", 14),
        Testo("Riga1", 500, 2000, "Courier New", 12, true),
        Testo("Piccolo", 1000, 15500, "Courier New", 8),
        Testo("Grande", 3000, 8000, "Arial", 20),
        Testo("Centrato", 0, 5000, "Arial", 20, true, 9000),
        Testo("Stretto", 2000, 12000, "Arial", 12, false, 1440),
        Testo("Lontano", 9000, 14500, "Courier New", 10),
    };
    pdf_ = cartella_.filePath("pagina.pdf");
    QPrinter stampante(QPrinter::HighResolution);
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(pdf_);
    stampante.setPageSize(QPageSize(QPageSize::A4));
    QPainter p;
    QVERIFY(p.begin(&stampante));
    DisegnaPagina(p, pagina_, ScalaPerDpi(stampante.resolution()));
    QVERIFY(p.end());
    parole_ = ParolePdf(pdf_);
    QCOMPARE(parole_.size(), pagina_.testi.size());
}

void TestDisegnaPagina::posizioneSullaCarta_data() {
    QTest::addColumn<int>("indice");
    for (int i = 0; i < 7; ++i)
        QTest::newRow(qPrintable(QString::number(i))) << i;
}

// The line's top at 10 + y/20 points (the 10 pt margin), its left edge at 10 + x/20, or its
// middle in the middle of the band; the box as high as the font size asks.
void TestDisegnaPagina::posizioneSullaCarta() {
    QFETCH(int, indice);
    const TestoPagina& t = pagina_.testi[indice];
    const ParolaPdf* p = TrovaParola(parole_, t.testo);
    QVERIFY2(p, qPrintable(t.testo));
    const QString dove = QStringLiteral("%1: %2,%3 %4,%5")
                             .arg(t.testo)
                             .arg(p->xMin)
                             .arg(p->yMin)
                             .arg(p->xMax)
                             .arg(p->yMax);
    qInfo("%s", qPrintable(dove));
    QVERIFY2(qAbs(p->yMin - (10 + t.y / 20.0)) < 1.0, qPrintable(dove));
    if (t.larghezza > 0)
        QVERIFY2(qAbs((p->xMin + p->xMax) / 2 - (10 + (t.x + t.larghezza / 2.0) / 20.0)) < 1.0,
                 qPrintable(dove));
    else
        QVERIFY2(qAbs(p->xMin - (10 + t.x / 20.0)) < 1.0, qPrintable(dove));
    // Ascent plus descent: a little over the size in points for these families.
    const double altezza = p->yMax - p->yMin;
    QVERIFY2(altezza > t.punti && altezza < 1.3 * t.punti, qPrintable(dove));
}

void TestDisegnaPagina::grassetto() {
    const QStringList font = FontPdf(pdf_);
    QVERIFY2(font.contains("LiberationMono-Bold"), qPrintable(font.join(' ')));
    QVERIFY2(font.contains("LiberationMono"), qPrintable(font.join(' ')));
    QVERIFY2(font.contains("LiberationSans-Bold"), qPrintable(font.join(' ')));
    QVERIFY2(font.contains("LiberationSans"), qPrintable(font.join(' ')));
}

// A preview twice as large is the same drawing twice as large: the frame and the text.
void TestDisegnaPagina::scalaSulloSchermo() {
    Pagina riquadro;
    RiquadroPagina r;
    r.x = 2000;
    r.y = 1000;
    r.larghezza = 4000;
    r.altezza = 2000;
    r.spessore = 20;
    riquadro.riquadri = {r};
    Pagina testo;
    testo.testi = {Testo("HHHHHHHH", 2000, 1000, "Arial", 24)};

    for (const double scala : {0.05, 0.1}) {
        const QRect cornice = Inchiostro(Disegnata(riquadro, scala, QSize(800, 600)));
        QVERIFY2(qAbs(cornice.left() - 2000 * scala) <= 1.5, qPrintable(QString::number(scala)));
        QVERIFY(qAbs(cornice.top() - 1000 * scala) <= 1.5);
        QVERIFY(qAbs(cornice.width() - 4000 * scala) <= 2.5);
        QVERIFY(qAbs(cornice.height() - 2000 * scala) <= 2.5);
    }
    const QRect piccolo = Inchiostro(Disegnata(testo, 0.05, QSize(800, 600)));
    const QRect grande = Inchiostro(Disegnata(testo, 0.1, QSize(800, 600)));
    QVERIFY(!piccolo.isEmpty());
    const QString misure = QStringLiteral("%1x%2 %3x%4")
                               .arg(piccolo.width())
                               .arg(piccolo.height())
                               .arg(grande.width())
                               .arg(grande.height());
    QVERIFY2(qAbs(grande.width() - 2 * piccolo.width()) <= 3, qPrintable(misure));
    QVERIFY2(qAbs(grande.height() - 2 * piccolo.height()) <= 3, qPrintable(misure));
    // The capitals stand below the line's top, inside the line (24 pt = 480 twips).
    QVERIFY(grande.top() >= 100 && grande.bottom() <= 100 + 48);
}

void TestDisegnaPagina::colori_data() {
    QTest::addColumn<int>("colore");
    QTest::addColumn<QColor>("atteso");
    QTest::newRow("rosso") << 255 << QColor(255, 0, 0);
    QTest::newRow("verde") << 255 * 256 << QColor(0, 255, 0);
    QTest::newRow("blu") << 255 * 65536 << QColor(0, 0, 255);
    QTest::newRow("rosso scuro") << 192 << QColor(192, 0, 0);
    QTest::newRow("azzurro") << 192 + 256 * 255 + 65536 * 255 << QColor(192, 255, 255);
}

// The darkest-but-not-white pixels of a bold text in the packed colour.
void TestDisegnaPagina::colori() {
    QFETCH(int, colore);
    QFETCH(QColor, atteso);
    Pagina pagina;
    pagina.testi = {Testo("MMMM", 100, 100, "Arial", 40, true, 0, colore)};
    RiquadroPagina r;
    r.x = 100;
    r.y = 1500;
    r.larghezza = 2000;
    r.altezza = 500;
    r.colore = colore;
    r.spessore = 60;
    pagina.riquadri = {r};
    const QImage img = Disegnata(pagina, 0.1, QSize(300, 300));
    int piene = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (QColor(img.pixel(x, y)) == atteso) ++piene;
    QVERIFY2(piene > 100, qPrintable(QString::number(piene)));
}

QTEST_MAIN(TestDisegnaPagina)
#include "tst_DisegnaPagina.moc"
