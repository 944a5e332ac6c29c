// The DirectPlay lobby object over dplayx, loaded at run time (the import
// library exists for one of our two targets only).
#pragma once

#include "client/games/direct_play.h"

#include <windows.h>
#include <dplobby.h>

#include <memory>

class DirectPlayLobbyObject : public dplay::DirectPlayLobby {
public:
    // The IDirectPlayLobby2A object, or null with the failing result.
    static std::unique_ptr<DirectPlayLobbyObject> Create(dplay::Result& result);
    ~DirectPlayLobbyObject() override;
    DirectPlayLobbyObject(const DirectPlayLobbyObject&) = delete;
    DirectPlayLobbyObject& operator=(const DirectPlayLobbyObject&) = delete;

    dplay::Result EnumLocalApplications(std::vector<dplay::NamedGuid>& applications) override;
    dplay::Result EnumServiceProviders(std::vector<dplay::NamedGuid>& providers) override;
    dplay::Result EnumAddressTypes(const dplay::Guid& provider, std::vector<dplay::Guid>& types) override;
    dplay::Result CreateCompoundAddress(const std::vector<dplay::AddressElement>& elements, void* buffer,
                                        std::uint32_t& size) override;
    dplay::Result RunApplication(const dplay::ConnectionSettings& settings) override;

private:
    DirectPlayLobbyObject(HMODULE library, IDirectPlayLobby2A* lobby) : library_(library), lobby_(lobby) {}

    HMODULE library_;
    IDirectPlayLobby2A* lobby_;
};
