#include "Runtime.h"

namespace rt
{

namespace
{
void report(Platform& platform, const std::string& error)
{
    platform.messageBox({ "Run-time error: " + error, "sortbars", Message::Icon::Critical, Message::Buttons::OkOnly });
    platform.end(kRuntimeErrorStatus);
}
} // namespace

void runEvent(Platform& platform, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::bad_alloc&) {
        report(platform, "Out of memory");
    } catch (const std::exception& e) {
        report(platform, e.what());
    }
}

} // namespace rt
