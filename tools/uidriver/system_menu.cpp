#include "system_menu.h"

#include "failure.h"
#include "menu_probe.h"
#include "protocol.h"
#include "remote_process.h"
#include "window_search.h"

#include <tlhelp32.h>

#include <memory>
#include <string>
#include <vector>

namespace uidriver {
namespace {

std::wstring ProbePath() {
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring own(path, length);
    return own.substr(0, own.find_last_of(L"\\/") + 1) + kProbeFile;
}

// Base address of a module, by file name, in another process.
BYTE* RemoteModule(DWORD pid, const wchar_t* name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE) throw Failure("cannot list the modules of process " + std::to_string(pid));
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    BYTE* base = nullptr;
    for (BOOL more = Module32FirstW(snapshot, &module); more && !base; more = Module32NextW(snapshot, &module)) {
        if (lstrcmpiW(module.szModule, name) == 0) base = module.modBaseAddr;
    }
    CloseHandle(snapshot);
    return base;
}

// The address in the other process of a function of a module loaded in both.
void* RemoteAddress(DWORD pid, HMODULE localModule, const wchar_t* moduleName, FARPROC localFunction) {
    BYTE* remoteBase = RemoteModule(pid, moduleName);
    if (!remoteBase) throw Failure("module not loaded in the other process");
    auto offset = reinterpret_cast<BYTE*>(localFunction) - reinterpret_cast<BYTE*>(localModule);
    return remoteBase + offset;
}

DWORD RunRemoteThread(const ProcessAccess& process, void* function, void* parameter) {
    HANDLE thread = CreateRemoteThread(process.Handle(), nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(function),
                                       parameter, 0, nullptr);
    if (!thread) throw Failure("cannot start a thread in the other process");
    DWORD result = 0;
    bool finished = WaitForSingleObject(thread, kSendTimeoutMs) == WAIT_OBJECT_0 && GetExitCodeThread(thread, &result);
    CloseHandle(thread);
    if (!finished) throw Failure("the thread in the other process did not finish");
    return result;
}

class LocalProbe {
public:
    explicit LocalProbe(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {
        if (!module_) throw Failure("cannot load " + ToUtf8(path));
    }
    ~LocalProbe() { FreeLibrary(module_); }
    LocalProbe(const LocalProbe&) = delete;
    LocalProbe& operator=(const LocalProbe&) = delete;

    HMODULE Module() const { return module_; }
    FARPROC Entry() const { return GetProcAddress(module_, kProbeEntry); }

private:
    HMODULE module_;
};

// Loads the probe into the other process for the object's lifetime.
class RemoteProbe {
public:
    RemoteProbe(const ProcessAccess& process, const std::wstring& path) : process_(process) {
        HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
        RemoteBuffer remotePath(process, (path.size() + 1) * sizeof(wchar_t));
        remotePath.Write(path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        void* loadLibrary = RemoteAddress(process.Id(), kernel, L"kernel32.dll", GetProcAddress(kernel, "LoadLibraryW"));
        if (!RunRemoteThread(process, loadLibrary, remotePath.Address())) {
            throw Failure("the other process cannot load the probe");
        }
        base_ = RemoteModule(process.Id(), kProbeFile);
        if (!base_) throw Failure("the probe is not in the other process");
    }
    ~RemoteProbe() {
        HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
        try {
            RunRemoteThread(process_, RemoteAddress(process_.Id(), kernel, L"kernel32.dll", GetProcAddress(kernel, "FreeLibrary")), base_);
        } catch (const Failure&) {
            // The program may have ended meanwhile; nothing is left to free then.
        }
    }
    RemoteProbe(const RemoteProbe&) = delete;
    RemoteProbe& operator=(const RemoteProbe&) = delete;

    void* Address(const LocalProbe& local) const {
        return base_ + (reinterpret_cast<BYTE*>(local.Entry()) - reinterpret_cast<BYTE*>(local.Module()));
    }

private:
    const ProcessAccess& process_;
    BYTE* base_ = nullptr;
};

std::string JsonItem(const ProbeMenuItem& item) {
    std::wstring text(item.text, wcsnlen(item.text, kProbeTextUnits));
    return JsonObject()
        .Add("id", static_cast<std::int64_t>(item.id))
        .Add("text", JsonText(text))
        .Add("enabled", JsonBool(!(item.state & MFS_DISABLED)))
        .Add("separator", JsonBool(item.type & MFT_SEPARATOR))
        .Str();
}

} // namespace

std::string ReadSystemMenu(HWND window) {
    ProcessAccess process(window);
    RequireSameBitness(process);
    const std::wstring path = ProbePath();
    LocalProbe local(path);
    if (!local.Entry()) throw Failure("the probe has no entry point");
    RemoteProbe remote(process, path);

    RemoteBuffer remoteBlock(process, sizeof(ProbeBlock));
    auto block = std::make_unique<ProbeBlock>();
    block->window = reinterpret_cast<UINT_PTR>(window);
    remoteBlock.Write(block.get(), sizeof(ProbeBlock));
    if (!RunRemoteThread(process, remote.Address(local), remoteBlock.Address())) throw Failure("no system menu");
    remoteBlock.Read(block.get(), sizeof(ProbeBlock));

    std::vector<std::string> items;
    for (std::uint32_t i = 0; i < block->itemCount && i < kProbeMaxItems; ++i) items.push_back(JsonItem(block->items[i]));
    return JsonArray(items);
}

} // namespace uidriver
