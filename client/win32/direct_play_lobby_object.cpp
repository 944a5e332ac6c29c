#include "client/win32/direct_play_lobby_object.h"

#include <cstring>

namespace {

using LobbyCreate = HRESULT(WINAPI*)(LPGUID, LPDIRECTPLAYLOBBYA*, IUnknown*, LPVOID, DWORD);
using ProviderEnumerate = HRESULT(WINAPI*)(LPDPENUMDPCALLBACKA, LPVOID);

static_assert(sizeof(GUID) == dplay::kGuidSize);
// The records hold pointers: their sizes are the published ones in a 32-bit build.
constexpr bool kThirtyTwoBit = sizeof(void*) == 4;
static_assert(!kThirtyTwoBit || sizeof(DPSESSIONDESC2) == dplay::kSessionDescriptionSize);
static_assert(!kThirtyTwoBit || sizeof(DPNAME) == dplay::kPlayerNameSize);
static_assert(!kThirtyTwoBit || sizeof(DPLCONNECTION) == dplay::kConnectionSize);

GUID ToGuid(const dplay::Guid& guid) {
    GUID out;
    std::memcpy(&out, &guid, sizeof out);
    return out;
}

dplay::Guid FromGuid(const GUID& guid) {
    dplay::Guid out;
    std::memcpy(&out, &guid, sizeof out);
    return out;
}

template <typename Function>
Function Entry(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

BOOL CALLBACK CollectApplication(LPCDPLAPPINFO info, LPVOID context, DWORD) {
    if (info && info->lpszAppNameA) {
        static_cast<std::vector<dplay::NamedGuid>*>(context)->push_back({info->lpszAppNameA, FromGuid(info->guidApplication)});
    }
    return TRUE;
}

BOOL CALLBACK CollectProvider(LPGUID guid, LPSTR name, DWORD, DWORD, LPVOID context) {
    if (guid && name) static_cast<std::vector<dplay::NamedGuid>*>(context)->push_back({name, FromGuid(*guid)});
    return TRUE;
}

BOOL CALLBACK CollectAddressType(REFGUID type, LPVOID context, DWORD) {
    static_cast<std::vector<dplay::Guid>*>(context)->push_back(FromGuid(type));
    return TRUE;
}

} // namespace

std::unique_ptr<DirectPlayLobbyObject> DirectPlayLobbyObject::Create(dplay::Result& result) {
    result = dplay::kNoInterface;
    HMODULE library = LoadLibraryW(L"dplayx.dll");
    if (!library) return nullptr;
    auto create = Entry<LobbyCreate>(library, "DirectPlayLobbyCreateA");
    IDirectPlayLobby* first = nullptr;
    if (create) result = create(nullptr, &first, nullptr, nullptr, 0);
    IDirectPlayLobby2A* lobby = nullptr;
    if (first) {
        GUID iid = ToGuid(dplay::kIidDirectPlayLobby2A);
        result = first->QueryInterface(iid, reinterpret_cast<void**>(&lobby));
        first->Release();
    }
    if (!lobby) {
        if (dplay::Succeeded(result)) result = dplay::kNoInterface;
        FreeLibrary(library);
        return nullptr;
    }
    return std::unique_ptr<DirectPlayLobbyObject>(new DirectPlayLobbyObject(library, lobby));
}

DirectPlayLobbyObject::~DirectPlayLobbyObject() {
    lobby_->Release();
    FreeLibrary(library_);
}

dplay::Result DirectPlayLobbyObject::EnumLocalApplications(std::vector<dplay::NamedGuid>& applications) {
    return lobby_->EnumLocalApplications(CollectApplication, &applications, 0);
}

dplay::Result DirectPlayLobbyObject::EnumServiceProviders(std::vector<dplay::NamedGuid>& providers) {
    auto enumerate = Entry<ProviderEnumerate>(library_, "DirectPlayEnumerateA");
    return enumerate ? enumerate(CollectProvider, &providers) : dplay::kNoInterface;
}

dplay::Result DirectPlayLobbyObject::EnumAddressTypes(const dplay::Guid& provider, std::vector<dplay::Guid>& types) {
    GUID guid = ToGuid(provider);
    return lobby_->EnumAddressTypes(CollectAddressType, guid, &types, 0);
}

dplay::Result DirectPlayLobbyObject::CreateCompoundAddress(const std::vector<dplay::AddressElement>& elements,
                                                           void* buffer, std::uint32_t& size) {
    std::vector<DPCOMPOUNDADDRESSELEMENT> native;
    for (const auto& element : elements) {
        native.push_back({ToGuid(element.type), static_cast<DWORD>(element.data.size()),
                          const_cast<std::uint8_t*>(element.data.data())});
    }
    DWORD length = size;
    HRESULT result = lobby_->CreateCompoundAddress(native.data(), static_cast<DWORD>(native.size()), buffer, &length);
    size = length;
    return result;
}

dplay::Result DirectPlayLobbyObject::RunApplication(const dplay::ConnectionSettings& settings) {
    std::string sessionName = settings.sessionName.value_or("");
    std::string playerName = settings.playerName;
    DPSESSIONDESC2 session{};
    session.dwSize = sizeof session;
    session.guidInstance = ToGuid(settings.instance);
    session.guidApplication = ToGuid(settings.application);
    session.lpszSessionNameA = settings.sessionName ? sessionName.data() : nullptr;
    DPNAME player{};
    player.dwSize = sizeof player;
    player.lpszShortNameA = playerName.data();
    player.lpszLongNameA = playerName.data();
    std::vector<std::uint8_t> address = settings.address;
    DPLCONNECTION connection{};
    connection.dwSize = sizeof connection;
    connection.dwFlags = settings.flags;
    connection.lpSessionDesc = &session;
    connection.lpPlayerName = &player;
    connection.guidSP = ToGuid(settings.serviceProvider);
    connection.lpAddress = address.data();
    connection.dwAddressSize = static_cast<DWORD>(address.size());
    DWORD applicationId = 0;
    return lobby_->RunApplication(0, &applicationId, &connection, nullptr);
}
