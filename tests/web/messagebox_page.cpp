// A page whose window shows the platform's message box while it loads, for
// the browser test of the box: the window appears only once it is dismissed.
#include "runtime/Runtime.h"

#include <memory>

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
