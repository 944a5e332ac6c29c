// Command lines that start what an item connects to.
#pragma once

#include <string>
#include <string_view>

namespace dialer {

// The registered browser's command with the address to open. A command of
// the browser that registers itself with "NETSCAPE" in it ends in an
// argument placeholder: it is cut from the character before its first "%".
std::string BrowserCommand(std::string_view registered, std::string_view address);

} // namespace dialer
