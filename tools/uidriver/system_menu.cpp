#include "tools/uidriver/system_menu.h"

#include "tools/uidriver/failure.h"
#include "tools/uidriver/menu_probe.h"
#include "tools/uidriver/protocol.h"
#include "tools/uidriver/remote_process.h"
#include "tools/uidriver/window_search.h"

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

class LocalProbe {
public:
    LocalProbe() : module_(LoadLibraryW(ProbePath().c_str())) {
        if (!module_) throw Failure("cannot load " + ToUtf8(ProbePath()));
    }
    ~LocalProbe() { FreeLibrary(module_); }
    LocalProbe(const LocalProbe&) = delete;
    LocalProbe& operator=(const LocalProbe&) = delete;

    HMODULE Module() const { return module_; }
    HOOKPROC Hook() const {
        auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module_, kProbeEntry)));
        if (!hook) throw Failure("the probe has no hook");
        return hook;
    }

private:
    HMODULE module_;
};

// The probe hooked into one thread for the object's lifetime.
class ThreadHook {
public:
    ThreadHook(const LocalProbe& probe, DWORD thread)
        : hook_(SetWindowsHookExW(WH_CALLWNDPROC, probe.Hook(), probe.Module(), thread)) {
        if (!hook_) throw Failure("cannot hook the window's thread");
    }
    ~ThreadHook() { UnhookWindowsHookEx(hook_); }
    ThreadHook(const ThreadHook&) = delete;
    ThreadHook& operator=(const ThreadHook&) = delete;

private:
    HHOOK hook_;
};

// The named block the probe answers into.
class SharedBlock {
public:
    SharedBlock() {
        std::wstring name = kProbeBlockPrefix + std::to_wstring(GetCurrentProcessId());
        mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ProbeBlock), name.c_str());
        if (!mapping_) throw Failure("cannot make the shared block");
        view_ = static_cast<ProbeBlock*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(ProbeBlock)));
        if (!view_) {
            CloseHandle(mapping_);
            throw Failure("cannot map the shared block");
        }
    }
    ~SharedBlock() {
        UnmapViewOfFile(view_);
        CloseHandle(mapping_);
    }
    SharedBlock(const SharedBlock&) = delete;
    SharedBlock& operator=(const SharedBlock&) = delete;

    ProbeBlock& Block() { return *view_; }

private:
    HANDLE mapping_ = nullptr;
    ProbeBlock* view_ = nullptr;
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

std::string ReadMenu(HWND window, UINT_PTR menu) {
    RequireSameBitness(ProcessAccess(window));
    LocalProbe probe;
    SharedBlock shared;
    ProbeBlock& block = shared.Block();
    ZeroMemory(&block, sizeof block);
    block.window = reinterpret_cast<UINT_PTR>(window);
    block.menu = menu;
    {
        ThreadHook hook(probe, GetWindowThreadProcessId(window, nullptr));
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(window, RegisterWindowMessageW(kProbeMessage), GetCurrentProcessId(), 0,
                                 SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored)) {
            throw Failure("the window did not take the probe's message");
        }
    }
    if (!block.answered) throw Failure("the probe did not answer");

    std::vector<std::string> items;
    for (std::uint32_t i = 0; i < block.itemCount && i < kProbeMaxItems; ++i) items.push_back(JsonItem(block.items[i]));
    return JsonArray(items);
}

} // namespace

std::string ReadSystemMenu(HWND window) { return ReadMenu(window, 0); }

std::string ReadPopupMenu(HWND popup) {
    DWORD_PTR menu = 0;
    if (!SendMessageTimeoutW(popup, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &menu) || !menu) {
        throw Failure("the window shows no popup menu");
    }
    return ReadMenu(popup, menu);
}

} // namespace uidriver
