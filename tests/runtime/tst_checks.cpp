// The runtime's checks: 16-bit overflow, index range, property values and
// floating-point faults, and the default report when one fires.
#include "runtime/CheckedArray.h"
#include "runtime/Runtime.h"
#include "support/ScriptedPlatform.h"

#include <QTest>

#include <functional>
#include <limits>

using rt::ErrorKind;
using rt::Int16;

Q_DECLARE_METATYPE(std::function<void()>)

class TestChecks : public QObject
{
    Q_OBJECT

private slots:
    void checkFires_data();
    void checkFires();
    void inRangeStaysQuiet();
    void defaultReportEndsTheProgram_data();
    void defaultReportEndsTheProgram();
};

void TestChecks::checkFires_data()
{
    using Op = std::function<void()>;
    QTest::addColumn<Op>("operation");
    QTest::addColumn<ErrorKind>("kind");
    QTest::newRow("32767 + 1") << Op([] { Int16(32767) + 1; }) << ErrorKind::Overflow;
    QTest::newRow("-32768 - 1") << Op([] { Int16(-32768) - 1; }) << ErrorKind::Overflow;
    QTest::newRow("200 * 200") << Op([] { Int16(200) * 200; }) << ErrorKind::Overflow;
    QTest::newRow("-(-32768)") << Op([] { -Int16(-32768); }) << ErrorKind::Overflow;
    QTest::newRow("++32767") << Op([] {
        Int16 i = 32767;
        ++i;
    }) << ErrorKind::Overflow;
    QTest::newRow("40000 as Int16") << Op([] { Int16 { 40000 }; }) << ErrorKind::Overflow;
    QTest::newRow("truncate 32768") << Op([] { Int16::truncate(32768.0f); }) << ErrorKind::Overflow;
    QTest::newRow("truncate NaN") << Op([] { Int16::truncate(std::numeric_limits<float>::quiet_NaN()); })
                                  << ErrorKind::FloatingPointFault;
    QTest::newRow("infinite sum") << Op([] { rt::finite(std::numeric_limits<float>::max() * 2); })
                                  << ErrorKind::FloatingPointFault;
    QTest::newRow("index -1") << Op([] { rt::CheckedArray<Int16, 16>()[-1]; }) << ErrorKind::IndexOutOfRange;
    QTest::newRow("index 16") << Op([] { rt::CheckedArray<Int16, 16>()[16]; }) << ErrorKind::IndexOutOfRange;
    QTest::newRow("negative width") << Op([] { rt::Bar().setWidth(-1); }) << ErrorKind::InvalidPropertyValue;
    QTest::newRow("NaN top") << Op([] { rt::Bar().setTop(std::numeric_limits<float>::quiet_NaN()); })
                             << ErrorKind::InvalidPropertyValue;
    QTest::newRow("channel 256") << Op([] { rt::rgb(0, 256, 0); }) << ErrorKind::Overflow;
}

void TestChecks::checkFires()
{
    QFETCH(std::function<void()>, operation);
    QFETCH(ErrorKind, kind);
    try {
        operation();
        QFAIL("the check did not fire");
    } catch (const rt::RuntimeError& e) {
        QCOMPARE(e.kind(), kind);
    }
}

void TestChecks::inRangeStaysQuiet()
{
    QCOMPARE((Int16(32766) + 1).value(), 32767);
    QCOMPARE((Int16(-32767) - 1).value(), -32768);
    QCOMPARE((Int16(8) * (Int16(0) - 15)).value(), -120);
    QCOMPARE(Int16::truncate(32767.9f).value(), 32767);
    QCOMPARE(Int16::truncate(-0.9f).value(), 0);
    rt::CheckedArray<Int16, 16> a;
    a[15] = 4095;
    QCOMPARE(a[15].value(), 4095);
    rt::Bar bar;
    bar.setWidth(0);
    bar.setTop(-120);
    QCOMPARE(bar.top(), -120.0f);
}

void TestChecks::defaultReportEndsTheProgram_data()
{
    QTest::addColumn<ErrorKind>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("overflow") << ErrorKind::Overflow << "Overflow";
    QTest::newRow("index") << ErrorKind::IndexOutOfRange << "Subscript out of range";
    QTest::newRow("property") << ErrorKind::InvalidPropertyValue << "Invalid property value";
    QTest::newRow("floating point") << ErrorKind::FloatingPointFault << "Floating-point fault";
}

void TestChecks::defaultReportEndsTheProgram()
{
    QFETCH(ErrorKind, kind);
    QFETCH(QString, name);
    rt::ScriptedPlatform platform;
    bool after = false;
    try {
        rt::runEvent(platform, [&] {
            rt::raise(kind);
            after = true;
        });
        QFAIL("the program went on after a runtime error");
    } catch (const rt::ScriptedPlatform::Ended& ended) {
        QCOMPARE(ended.status, rt::kRuntimeErrorStatus);
    }
    QVERIFY(!after);
    QCOMPARE(platform.messages.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(platform.messages[0].text), "Run-time error: " + name);
    QVERIFY(platform.messages[0].icon == rt::Message::Icon::Critical);

    // A handler that raises nothing runs through without a report.
    rt::ScriptedPlatform quiet;
    bool ran = false;
    rt::runEvent(quiet, [&] { ran = true; });
    QVERIFY(ran);
    QVERIFY(quiet.messages.empty());
}

QTEST_GUILESS_MAIN(TestChecks)
#include "tst_checks.moc"
