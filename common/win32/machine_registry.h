// The launch's registry: keys of HKEY_LOCAL_MACHINE, created and written
// through CRegFun.
#pragma once

#include "common/gateway_launch.h"
#include "common/win32/reg_fun.h"

namespace win {

class MachineRegistry : public gateway::Registry {
public:
    std::unique_ptr<gateway::RegistryKey> OpenForWrite(std::string_view path) override;
    std::unique_ptr<gateway::RegistryKey> OpenForRead(std::string_view path) override;
    std::unique_ptr<gateway::RegistryKey> Create(std::string_view path) override;

private:
    CRegFun regFun_;
};

} // namespace win
