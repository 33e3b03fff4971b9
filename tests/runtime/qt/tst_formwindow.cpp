// Form1 in a Qt window on the offscreen platform: geometry from twips, what
// the first paint shows, and how bars are drawn.
#include "support/BoardHelpers.h"

#include "runtime/qt/QtBarsView.h"
#include "runtime/qt/QtWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <memory>

class TestFormWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void buttonGeometryFromTwips_data();
    void buttonGeometryFromTwips();
    void windowIsFixedAt421By310();
    void maximizeLeavesTheWindowAsItWas_data();
    void maximizeLeavesTheWindowAsItWas();
    void firstPaintShowsDrawnBoard();
    void barsPaintAtTheirSlots();
    void buttonsFollowEnabledState();

private:
    QImage grabBoard() const { return window->grab().toImage(); }
    QColor colourOf(int bar) const;

    std::unique_ptr<rt::ScriptedPlatform> platform;
    std::unique_ptr<Form1> form;
    std::unique_ptr<rt::QtWindow> window;
};

namespace
{

// Records the paint events a widget receives, and what the board held at
// the first one.
class PaintLog : public QObject
{
public:
    explicit PaintLog(const Form1& form)
        : form_(form)
    {
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            if (paints++ == 0)
                widthsAtFirstPaint = widthsOf(form_);
        }
        return false;
    }
    static Board widthsOf(const Form1& form)
    {
        Board widths {};
        for (int i = 0; i < BarSlots::kCount; ++i)
            widths[i] = int(form.Shape1[i].width());
        return widths;
    }

    int paints = 0;
    Board widthsAtFirstPaint {};

private:
    const Form1& form_;
};

const Board kBoard { 0, 15, 4095, 30, 1500, 1500, 7, 3000, 8, 4094, 600, 2250, 45, 15, 100, 2000 };

} // namespace

void TestFormWindow::init()
{
    platform = std::make_unique<rt::ScriptedPlatform>();
    form = std::make_unique<Form1>(*platform);
    window = std::make_unique<rt::QtWindow>(*form, *platform);
}

void TestFormWindow::cleanup()
{
    window.reset();
    form.reset();
    platform.reset();
}

QColor TestFormWindow::colourOf(int bar) const
{
    const rt::Colour c = form->Shape1[bar].fillColor();
    return QColor(rt::redOf(c), rt::greenOf(c), rt::blueOf(c));
}

void TestFormWindow::buttonGeometryFromTwips_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("RN") << "Randomize" << QRect(4800, 360, 1335, 495);
    QTest::newRow("BS") << "Bubble-sort" << QRect(4800, 1080, 1335, 495);
    QTest::newRow("Command1") << "Push-sort" << QRect(4800, 1800, 1335, 495);
    QTest::newRow("PS") << "Random sort" << QRect(4800, 2520, 1335, 495);
}

void TestFormWindow::buttonGeometryFromTwips()
{
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    const QList<QPushButton*> buttons = window->findChildren<QPushButton*>();
    const auto it = std::find_if(buttons.begin(), buttons.end(), [&](QPushButton* b) { return b->text() == caption; });
    QVERIFY(it != buttons.end());
    QCOMPARE((*it)->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    QVERIFY((*it)->isEnabled());
    QCOMPARE(buttons.size(), 4);
}

void TestFormWindow::windowIsFixedAt421By310()
{
    QCOMPARE(window->windowTitle(), QString("Form1"));
    QCOMPARE(window->size(), QSize(6315 / 15, 4650 / 15));
    QCOMPARE(window->minimumSize(), window->size());
    QCOMPARE(window->maximumSize(), window->size());
    QCOMPARE(window->windowIcon().availableSizes(),
        (QList<QSize> { { 16, 16 }, { 32, 32 }, { 48, 48 }, { 64, 64 }, { 128, 128 } }));
}

void TestFormWindow::maximizeLeavesTheWindowAsItWas_data()
{
    QTest::addColumn<Qt::WindowState>("state");
    QTest::newRow("maximized, as a title bar's button asks") << Qt::WindowMaximized;
    QTest::newRow("full screen") << Qt::WindowFullScreen;
}

void TestFormWindow::maximizeLeavesTheWindowAsItWas()
{
    QFETCH(Qt::WindowState, state);
    window->load();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QRect before = window->geometry();

    window->setWindowState(state);
    QCoreApplication::processEvents();

    QCOMPARE(window->windowState(), Qt::WindowNoState);
    QCOMPARE(window->windowHandle()->windowState(), Qt::WindowNoState);
    QCOMPARE(window->geometry(), before);
}

void TestFormWindow::firstPaintShowsDrawnBoard()
{
    PaintLog log(*form);
    window->barsView()->installEventFilter(&log);

    window->load();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_VERIFY(log.paints > 0);

    QCOMPARE(log.widthsAtFirstPaint, valuesOf(*form));
    QVERIFY(log.widthsAtFirstPaint != Board {});
}

void TestFormWindow::barsPaintAtTheirSlots()
{
    window->load();
    setValues(*form, kBoard);
    const QImage image = grabBoard();
    const QColor background = image.pixelColor(2, 2);

    for (int i = 0; i < BarSlots::kCount; ++i) {
        const rt::PixelRect r = rt::barRect(form->Shape1[i], 1);
        const int y = r.top + r.height() / 2;
        QCOMPARE(image.pixelColor(r.left - 1, y), background);
        if (r.width() > 0) {
            QCOMPARE(image.pixelColor(r.left, y), colourOf(i));
            QCOMPARE(image.pixelColor(r.right - 1, y), colourOf(i));
        }
        QCOMPARE(image.pixelColor(r.right, y), background);
    }
    // Neighbours share one row: the last bar's bottom row is its own.
    const rt::PixelRect last = rt::barRect(form->Shape1[15], 1);
    QCOMPARE(image.pixelColor(last.left + 6, last.bottom - 1), colourOf(15));
    QCOMPARE(image.pixelColor(last.left + 6, last.bottom), background);
    // The upper bar is drawn over the shared row: the layout lists the bars
    // from the bottom up, and a control listed later is drawn over earlier ones.
    for (int i = 0; i + 1 < BarSlots::kCount; ++i) {
        const rt::PixelRect upper = rt::barRect(form->Shape1[i], 1), lower = rt::barRect(form->Shape1[i + 1], 1);
        if (upper.width() > 0 && lower.width() > 0 && colourOf(i) != colourOf(i + 1))
            QCOMPARE(image.pixelColor(upper.left, upper.bottom - 1), colourOf(i));
    }
}

void TestFormWindow::buttonsFollowEnabledState()
{
    window->load();
    QPushButton* randomize = window->findChild<QPushButton*>();
    QVERIFY(randomize && randomize->text() == "Randomize"); // the first in tab order is made first
    form->EnableButtons(rt::False);
    for (QPushButton* b : window->findChildren<QPushButton*>())
        QVERIFY(!b->isEnabled());
    randomize->click(); // a disabled button ignores the click
    QCOMPARE(platform->draws, 64);
    form->EnableButtons(rt::True);
    for (QPushButton* b : window->findChildren<QPushButton*>())
        QVERIFY(b->isEnabled());
    randomize->click();
    QCOMPARE(platform->draws, 80);
}

QTEST_MAIN(TestFormWindow)
#include "tst_formwindow.moc"
