#include "Colour.h"

#include "RuntimeError.h"

#include <initializer_list>

namespace rt
{

Colour rgb(int red, int green, int blue)
{
    for (int channel : { red, green, blue })
        if (channel < 0 || channel > 255)
            raise(ErrorKind::Overflow);
    return static_cast<Colour>(red) | static_cast<Colour>(green) << 8 | static_cast<Colour>(blue) << 16;
}

} // namespace rt
