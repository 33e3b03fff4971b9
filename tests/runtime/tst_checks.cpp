// The runtime's checks: 16-bit overflow, index range, property values and
// floating-point faults, and the default report when one fires.
#include "runtime/CheckedArray.h"
#include "runtime/Runtime.h"
#include "support/ScriptedPlatform.h"

#include <doctest/doctest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <type_traits>

using rt::ErrorKind;
using rt::Int16;

// A float, a double or a bool never becomes an Int16 unchecked; any integer does, checked.
static_assert(!std::is_convertible_v<float, Int16> && !std::is_constructible_v<Int16, float>);
static_assert(!std::is_convertible_v<double, Int16> && !std::is_constructible_v<Int16, long double>);
static_assert(!std::is_convertible_v<bool, Int16>);
static_assert(std::is_convertible_v<int, Int16> && std::is_convertible_v<long long, Int16>);

TEST_CASE("each check fires with its kind of fault")
{
    const struct {
        const char* name;
        std::function<void()> operation;
        ErrorKind kind;
    } rows[] = {
        { "32767 + 1", [] { Int16(32767) + 1; }, ErrorKind::Overflow },
        { "-32768 - 1", [] { Int16(-32768) - 1; }, ErrorKind::Overflow },
        { "200 * 200", [] { Int16(200) * 200; }, ErrorKind::Overflow },
        { "-(-32768)", [] { -Int16(-32768); }, ErrorKind::Overflow },
        { "++32767",
            [] {
                Int16 i = 32767;
                ++i;
            },
            ErrorKind::Overflow },
        { "40000 as Int16", [] { Int16 { 40000 }; }, ErrorKind::Overflow },
        { "2^32 + 5 as Int16, not wrapped to 5", [] { Int16 { 4294967301LL }; }, ErrorKind::Overflow },
        { "unsigned 40000 as Int16", [] { Int16 { std::size_t(40000) }; }, ErrorKind::Overflow },
        { "truncate 32768", [] { Int16::truncate(32768.0f); }, ErrorKind::Overflow },
        { "truncate NaN", [] { Int16::truncate(std::numeric_limits<float>::quiet_NaN()); },
            ErrorKind::FloatingPointFault },
        { "round infinity", [] { Int16::roundHalfEven(std::numeric_limits<float>::infinity()); },
            ErrorKind::FloatingPointFault },
        { "infinite sum", [] { rt::finite(std::numeric_limits<float>::max() * 2); }, ErrorKind::FloatingPointFault },
        { "index -1", [] { rt::CheckedArray<Int16, 16>()[-1]; }, ErrorKind::IndexOutOfRange },
        { "index 16", [] { rt::CheckedArray<Int16, 16>()[16]; }, ErrorKind::IndexOutOfRange },
        { "negative width", [] { rt::Bar().setWidth(-1); }, ErrorKind::InvalidPropertyValue },
        { "NaN top", [] { rt::Bar().setTop(std::numeric_limits<float>::quiet_NaN()); },
            ErrorKind::InvalidPropertyValue },
        { "channel 256", [] { rt::rgb(0, 256, 0); }, ErrorKind::Overflow },
    };
    for (const auto& row : rows) {
        INFO(std::string(row.name));
        bool fired = false;
        try {
            row.operation();
        } catch (const rt::RuntimeError& e) {
            fired = true;
            CHECK(e.kind() == row.kind);
        }
        CHECK_MESSAGE(fired, "the check did not fire");
    }
}

TEST_CASE("values in range pass every check")
{
    CHECK((Int16(32766) + 1).value() == 32767);
    CHECK((Int16(-32767) - 1).value() == -32768);
    CHECK((Int16(8) * (Int16(0) - 15)).value() == -120);
    CHECK(Int16(std::int8_t(-100)).value() == -100);
    CHECK(Int16(std::uint16_t(32767)).value() == 32767);
    CHECK(Int16::truncate(32767.9f).value() == 32767);
    CHECK(Int16::truncate(-0.9f).value() == 0);
    rt::CheckedArray<Int16, 16> a;
    a[15] = 4095;
    CHECK(a[15].value() == 4095);
    rt::Bar bar;
    bar.setWidth(0);
    bar.setTop(-120);
    CHECK(bar.top() == -120.0f);
}

TEST_CASE("the default report names the error and ends the program")
{
    const struct {
        ErrorKind kind;
        const char* name;
    } rows[] = {
        { ErrorKind::Overflow, "Overflow" },
        { ErrorKind::IndexOutOfRange, "Subscript out of range" },
        { ErrorKind::InvalidPropertyValue, "Invalid property value" },
        { ErrorKind::FloatingPointFault, "Floating-point fault" },
    };
    for (const auto& row : rows) {
        INFO(std::string(row.name));
        rt::ScriptedPlatform platform;
        bool after = false;
        bool ended = false;
        try {
            rt::runEvent(platform, [&] {
                rt::raise(row.kind);
                after = true;
            });
        } catch (const rt::ScriptedPlatform::Ended& end) {
            ended = true;
            CHECK(end.status == rt::kRuntimeErrorStatus);
        }
        CHECK_MESSAGE(ended, "the program went on after a runtime error");
        CHECK(!after);
        REQUIRE(platform.messages.size() == 1);
        CHECK(platform.messages[0].text == std::string("Run-time error: ") + row.name);
        CHECK(platform.messages[0].icon == rt::Message::Icon::Critical);
    }

    // A handler that raises nothing runs through without a report.
    rt::ScriptedPlatform quiet;
    bool ran = false;
    rt::runEvent(quiet, [&] { ran = true; });
    CHECK(ran);
    CHECK(quiet.messages.empty());
}
