// Any bytes as a bitmap file: refused or decoded, never read past.
#include "common/dib_image.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    dib::DibImage image;
    if (image.Read(in) == dib::DibError::kNone) {
        // Touch the last pixel byte the header promises.
        volatile std::uint8_t last = image.Block().back();
        (void)last;
    }
    return 0;
}
