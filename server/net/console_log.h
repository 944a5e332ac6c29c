// The operator's log: one time-stamped line per event on standard output.
#pragma once

#include <string_view>

namespace lobby_server {

// line is CP949; it is written in the console's own encoding.
void WriteLogLine(std::string_view line);

} // namespace lobby_server
