// uidriver_probe.dll: a hook the driver sets on a program's window thread,
// because Wine answers menu queries only inside the menu's own process. The
// hook runs in that thread between its messages, so nothing races the program.
#include "tools/uidriver/menu_probe.h"

#include <windows.h>

#include <string>

namespace {

void ReadMenu(uidriver::ProbeBlock& block) {
    block.itemCount = 0;
    HMENU menu = block.menu ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(block.menu))
                            : GetSystemMenu(reinterpret_cast<HWND>(static_cast<UINT_PTR>(block.window)), FALSE);
    int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count && block.itemCount < uidriver::kProbeMaxItems; ++i) {
        uidriver::ProbeMenuItem& item = block.items[block.itemCount];
        item.text[0] = L'\0';
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = item.text;
        info.cch = uidriver::kProbeTextUnits;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        item.text[uidriver::kProbeTextUnits - 1] = L'\0';
        item.id = info.wID;
        item.state = info.fState;
        item.type = info.fType;
        ++block.itemCount;
    }
    block.answered = 1;
}

void AnswerDriver(DWORD driverProcess) {
    std::wstring name = uidriver::kProbeBlockPrefix + std::to_wstring(driverProcess);
    HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name.c_str());
    if (!mapping) return;
    if (void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(uidriver::ProbeBlock))) {
        ReadMenu(*static_cast<uidriver::ProbeBlock*>(view));
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK SystemMenuHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT probeMessage = RegisterWindowMessageW(uidriver::kProbeMessage);
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call && call->message == probeMessage) {
        AnswerDriver(static_cast<DWORD>(call->wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
