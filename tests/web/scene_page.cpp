// The program's page, posed once it has loaded in the still of an exchange
// that the layout tool describes, for the browser test of what is drawn.
#include "support/Scene.h"

#include <memory>

int main(int argc, char** argv)
{
    return rt::startUp(argc, argv, [](rt::Platform& platform) { return std::make_unique<scene::SceneForm>(platform); });
}
