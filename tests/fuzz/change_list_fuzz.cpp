// Any change list a server may send.
#include "update/change_list.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    update::ParseChangeList(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
