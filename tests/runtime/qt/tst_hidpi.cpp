// The window at the scale factor in QT_SCALE_FACTOR (CTest runs this once per
// factor): the client area is the scaled size, every bar edge falls on a
// whole device pixel, so no pixel is a blend of a bar and what is beside it,
// and the still of an exchange shows what tests/support/scene.txt lists.
#include "support/BoardHelpers.h"
#include "support/Scene.h"

#include "runtime/qt/QtWindow.h"

#include <QApplication>
#include <QBackingStore>
#include <QFile>
#include <QSet>
#include <QTest>

#include <qpa/qplatformbackingstore.h>

class TestHiDpi : public QObject
{
    Q_OBJECT

private slots:
    void clientAreaIsScaled();
    void barsHaveNoBlendedEdges_data();
    void barsHaveNoBlendedEdges();
    void exchangeLeavesNoTrails();
    void stillOfAnExchange();
};

namespace
{

qreal scaleFactor()
{
    return qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
}

// The still's column at a scale in tests/support/scene.txt, the runs of
// colour it lists down that column, and the bars' values; x is -1 where the
// table has no such scale.
struct SceneColumn {
    int x = -1;
    QStringList runs;
    std::vector<int> values; // the bars', from the top
};

SceneColumn sceneColumn(qreal scale)
{
    QFile table(SORTBARS_SCENE_TABLE);
    if (!table.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", SORTBARS_SCENE_TABLE);
    SceneColumn column;
    bool atScale = false;
    while (!table.atEnd()) {
        const QStringList words = QString::fromUtf8(table.readLine()).trimmed().split(' ', Qt::SkipEmptyParts);
        if (words.isEmpty() || words[0].startsWith('#'))
            continue;
        if (words[0] == "values") {
            for (const QString& v : words.mid(1))
                column.values.push_back(v.toInt());
        } else if (words[0] == "scale") {
            atScale = qFuzzyCompare(words[1].toDouble(), scale);
            if (atScale)
                column.x = words[3].toInt();
        } else if (atScale) {
            column.runs << words.join(QChar(' '));
        }
    }
    return column;
}

// The runs of colour down column X of IMAGE, in the table's words: the
// colour of row 0 is the ground.
QStringList runsDown(const QImage& image, int x)
{
    const QRgb ground = image.pixel(x, 0);
    const auto name = [ground](QRgb p) {
        return p == ground ? QString("ground") : QString("%1 %2 %3").arg(qRed(p)).arg(qGreen(p)).arg(qBlue(p));
    };
    QStringList runs;
    int first = 0;
    for (int y = 1; y <= image.height(); ++y)
        if (y == image.height() || image.pixel(x, y) != image.pixel(x, first)) {
            runs << QString("%1 %2 %3").arg(first).arg(y - 1).arg(name(image.pixel(x, first)));
            first = y;
        }
    return runs;
}

} // namespace

void TestHiDpi::clientAreaIsScaled()
{
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    rt::QtWindow window(form, platform);
    window.load();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const qreal scale = scaleFactor();
    QCOMPARE(window.devicePixelRatioF(), scale);
    const QImage image = window.grab().toImage();
    QCOMPARE(image.size(), QSize(qRound(421 * scale), qRound(310 * scale)));
}

void TestHiDpi::barsHaveNoBlendedEdges_data()
{
    QTest::addColumn<float>("offset"); // twips off the home slot: bars mid-exchange
    QTest::newRow("at rest") << 0.0f;
    QTest::newRow("one frame of neighbours") << 8.0f;
    QTest::newRow("half way") << 120.0f;
}

void TestHiDpi::barsHaveNoBlendedEdges()
{
    QFETCH(float, offset);
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    rt::QtWindow window(form, platform);
    window.load();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Widths that are not whole pixels at any scale.
    setValues(form, { 1007, 7, 8, 22, 23, 37, 38, 52, 53, 1, 2008, 3009, 4010, 4095, 500, 7 });
    form.Shape1[4].setTop(form.Shape1[4].top() + offset);
    form.Shape1[5].setTop(form.Shape1[5].top() - offset);

    const QImage image = window.grab().toImage();
    QSet<QRgb> allowed { image.pixel(1, 1) }; // the background
    for (const rt::Bar& bar : form.Shape1) {
        const rt::Colour c = bar.fillColor();
        allowed.insert(qRgb(rt::redOf(c), rt::greenOf(c), rt::blueOf(c)));
    }
    const qreal scale = scaleFactor();
    const int boardRight = qRound(310 * scale);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < boardRight; ++x)
            if (!allowed.contains(image.pixel(x, y)))
                QFAIL(qPrintable(QString("blended pixel at %1,%2").arg(x).arg(y)));

    // The top bar's first row is a whole row of its colour.
    const int top = rt::barRect(form.Shape1[0], scale).top;
    const QRgb first = image.pixel(qRound(30 * scale), top);
    QVERIFY(first != image.pixel(1, 1));
    QCOMPARE(image.pixel(qRound(30 * scale), top - 1), image.pixel(1, 1));
}

// What the screen shows after each frame's pump, where only the changed
// rectangles were repainted, is what a full repaint of the board draws: the
// rows that a sliding bar leaves are repainted too, at any scale.
void TestHiDpi::exchangeLeavesNoTrails()
{
    rt::ScriptedPlatform platform;
    platform.tick = 0.01f; // one clock read per frame wait
    Form1 form(platform);
    rt::QtWindow window(form, platform);
    window.load();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    setValues(form, { 1007, 7, 8, 22, 2300, 37, 38, 52, 3053, 1, 2008, 3009, 4010, 4095, 500, 7 });
    QApplication::processEvents();
    const QRect board(0, 0, qRound(310 * scaleFactor()), qRound(310 * scaleFactor()));
    // The offscreen platform keeps what is on the screen in the window's
    // backing store, in device pixels.
    const auto onScreen = [&window, &board] {
        const auto* shown = dynamic_cast<QImage*>(window.backingStore()->handle()->paintDevice());
        return shown ? shown->convertToFormat(QImage::Format_RGB32).copy(board) : QImage();
    };
    const auto fullRepaint
        = [&window, &board] { return window.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(board); };
    int frames = 0, firstTrail = 0;
    platform.onPump = [&] {
        QApplication::processEvents(); // paints what the frame changed, and only that
        ++frames;
        if (!firstTrail && onScreen() != fullRepaint())
            firstTrail = frames;
    };

    const rt::Int16 a = 4, b = 8; // a bar slides down over three others
    form.SwapBars(a, b);

    QCOMPARE(frames, 30);
    QVERIFY2(!firstTrail, qPrintable(QString("a trail on the screen after frame %1").arg(firstTrail)));
}

void TestHiDpi::stillOfAnExchange()
{
    const SceneColumn table = sceneColumn(scaleFactor());
    if (table.x < 0)
        QSKIP("the still's table has no column at this scale");
    rt::ScriptedPlatform platform;
    scene::SceneForm still(platform);
    rt::QtWindow window(still, platform);
    window.load();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QImage image = window.grab().toImage().convertToFormat(QImage::Format_RGB32);

    QCOMPARE(runsDown(image, table.x), table.runs);
    const Board values = valuesOf(still.form);
    QCOMPARE(std::vector<int>(values.begin(), values.end()), table.values); // what the page's readers must hear
}

QTEST_MAIN(TestHiDpi)
#include "tst_hidpi.moc"
