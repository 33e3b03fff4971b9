#pragma once

#include <string>

namespace rt
{

// The program keeps its text in UTF-8; Win32's wide-character calls take
// UTF-16. Text that is not valid UTF-8 comes out with replacement characters.
std::wstring widen(const std::string& text);

} // namespace rt
