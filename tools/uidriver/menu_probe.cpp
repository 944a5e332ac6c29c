// uidriver_probe.dll: loaded into a program under test by the driver, because
// Wine answers menu queries only inside the menu's own process.
#include "menu_probe.h"

#include <windows.h>

extern "C" __declspec(dllexport) DWORD WINAPI ReadSystemMenuInProcess(void* parameter) {
    auto* block = static_cast<uidriver::ProbeBlock*>(parameter);
    block->itemCount = 0;
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(static_cast<UINT_PTR>(block->window)), FALSE);
    if (!menu) return 0;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count && block->itemCount < uidriver::kProbeMaxItems; ++i) {
        uidriver::ProbeMenuItem& item = block->items[block->itemCount];
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
        ++block->itemCount;
    }
    return 1;
}
