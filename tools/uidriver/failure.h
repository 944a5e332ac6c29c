// A command that cannot be carried out; the driver answers "err" with the reason.
#pragma once

#include <stdexcept>
#include <string>

namespace uidriver {

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A wait that ran out; answered "err timeout: ..." so a caller can poll on.
struct Timeout : Failure {
    explicit Timeout(const std::string& what) : Failure("timeout: " + what) {}
};

} // namespace uidriver
