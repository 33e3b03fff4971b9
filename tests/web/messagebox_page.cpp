// A page whose window shows the platform's message box while it loads, for
// the browser test of the box: the window appears only once it is dismissed.
// Opened as PAGE#runtime-error, the load raises a runtime error instead, and
// the default report shows it.
#include "runtime/Runtime.h"

#include <emscripten.h>

#include <memory>

EM_JS(int, wantsRuntimeError, (), { return location.hash == "#runtime-error" ? 1 : 0; });

namespace
{

class MessageForm final : public rt::Form
{
public:
    explicit MessageForm(rt::Platform& platform)
        : platform_(platform)
    {
    }
    rt::FormLayout layout() override { return { "Form1", 6315, 4650, {} }; }
    void Form_Load() override
    {
        if (wantsRuntimeError())
            rt::raise(rt::ErrorKind::Overflow);
        platform_.messageBox(
            { "Error in algorithm design!", "Error!", rt::Message::Icon::Critical, rt::Message::Buttons::OkOnly });
    }
    void Form_Unload(rt::Int16&) override { platform_.end(0); }

private:
    rt::Platform& platform_;
};

} // namespace

int main(int argc, char** argv)
{
    return rt::startUp(argc, argv, [](rt::Platform& platform) { return std::make_unique<MessageForm>(platform); });
}
