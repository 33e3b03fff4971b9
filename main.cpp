#include "runtime/Runtime.h"
#include "window/Form1.h"

int main(int argc, char** argv)
{
    return rt::startUp(argc, argv, [](rt::Platform& platform) { return std::make_unique<Form1>(platform); });
}
