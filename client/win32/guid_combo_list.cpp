#include "client/win32/guid_combo_list.h"

#include "common/win32/text.h"

#include <cstring>

namespace {

constexpr UINT kGuidBlockFlags = GMEM_MOVEABLE | GMEM_ZEROINIT;

} // namespace

void GuidComboList::Add(std::string_view name, const dplay::Guid& guid) {
    LRESULT index = SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(name).c_str()));
    if (index == CB_ERR || index == CB_ERRSPACE) return;
    HGLOBAL block = GlobalAlloc(kGuidBlockFlags, dplay::kGuidSize);
    if (!block) return;
    void* bytes = GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        return;
    }
    std::memcpy(bytes, &guid, dplay::kGuidSize);
    GlobalUnlock(block);
    SendMessageW(combo_, CB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(block));
}

int GuidComboList::Count() const {
    LRESULT count = SendMessageW(combo_, CB_GETCOUNT, 0, 0);
    return count == CB_ERR ? 0 : static_cast<int>(count);
}

std::optional<dplay::Guid> GuidComboList::GuidAt(int index) const {
    if (index < 0 || index >= Count()) return std::nullopt;
    LRESULT data = SendMessageW(combo_, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    if (data == CB_ERR || data == 0) return std::nullopt;
    auto block = reinterpret_cast<HGLOBAL>(data);
    const void* bytes = GlobalLock(block);
    if (!bytes) return std::nullopt;
    dplay::Guid guid;
    std::memcpy(&guid, bytes, dplay::kGuidSize);
    GlobalUnlock(block);
    return guid;
}

std::optional<dplay::Guid> GuidComboList::SelectedGuid() const {
    return GuidAt(static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0)));
}

void GuidComboList::Select(int index) {
    SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(index < Count() ? index : -1), 0);
}

void GuidComboList::Clear() {
    // Every entry's block, also after one without: none is left behind.
    for (int index = 0, count = Count(); index < count; ++index) {
        LRESULT data = SendMessageW(combo_, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
        if (data != CB_ERR && data != 0) GlobalFree(reinterpret_cast<HGLOBAL>(data));
        SendMessageW(combo_, CB_SETITEMDATA, static_cast<WPARAM>(index), 0);
    }
    SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
}
