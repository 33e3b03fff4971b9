// The generator: [0, 1) and never 1, reproducible from a seed, and uniform.
#include "runtime/Random.h"

#include <QTest>

#include <array>

class TestRandom : public QObject
{
    Q_OBJECT

private slots:
    void staysInUnitInterval();
    void seedFixesTheSequence_data();
    void seedFixesTheSequence();
    void fillsSixteenIndicesEvenly();
};

void TestRandom::staysInUnitInterval()
{
    rt::Random generator;
    float lowest = 1, highest = 0;
    for (int i = 0; i < 2'000'000; ++i) {
        const float r = generator.next();
        QVERIFY(r >= 0.0f && r < 1.0f);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    QVERIFY(lowest < 1e-5f);
    QVERIFY(highest > 1 - 1e-5f);
}

void TestRandom::seedFixesTheSequence_data()
{
    QTest::addColumn<float>("seed");
    QTest::addColumn<float>("other");
    QTest::newRow("a second apart") << 3600.0f << 3601.0f;
    QTest::newRow("one float step apart") << 43200.0f << std::nextafter(43200.0f, 1e6f);
    QTest::newRow("midnight") << 0.0f << 0.5f;
}

void TestRandom::seedFixesTheSequence()
{
    QFETCH(float, seed);
    QFETCH(float, other);
    rt::Random a, b, c;
    a.next(); // a reseed restarts the sequence wherever it stood
    a.reseed(seed);
    b.reseed(seed);
    c.reseed(other);
    int differences = 0;
    for (int i = 0; i < 100; ++i) {
        const float x = a.next();
        QCOMPARE(x, b.next());
        differences += x != c.next();
    }
    QVERIFY(differences > 90);
}

void TestRandom::fillsSixteenIndicesEvenly()
{
    rt::Random generator;
    generator.reseed(12345.5f);
    constexpr int kDraws = 160'000;
    std::array<int, 16> counts {};
    for (int i = 0; i < kDraws; ++i)
        ++counts[static_cast<int>(generator.next() * 16)];
    for (int count : counts) // expected 10000 each, standard deviation about 97
        QVERIFY2(count > 9500 && count < 10500, qPrintable(QString::number(count)));
}

QTEST_GUILESS_MAIN(TestRandom)
#include "tst_random.moc"
