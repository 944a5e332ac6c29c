// Names and addresses of the server list are kept without blanks.
#pragma once

#include <cstddef>
#include <string>

namespace gatelog {

// Removes every blank (0x20; tabs stay) and returns the new length.
std::size_t StripBlanks(std::string& text);

} // namespace gatelog
