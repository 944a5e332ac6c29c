// A hidden sorted combo box whose entries each own a 16-byte global block
// with their GUID as item data.
#pragma once

#include "client/games/direct_play_launch.h"

#include <windows.h>

#include <string_view>

class GuidComboList : public dplay::GuidList {
public:
    explicit GuidComboList(HWND combo) : combo_(combo) {}

    // An entry whose name cannot be added is skipped; one whose block cannot
    // be allocated stays without a GUID.
    void Add(std::string_view name, const dplay::Guid& guid);
    // The selected entry's GUID; nullopt when none is selected or it has none.
    std::optional<dplay::Guid> SelectedGuid() const;
    // Frees every entry's block and empties the list.
    void Clear();

    int Count() const override;
    std::optional<dplay::Guid> GuidAt(int index) const override;
    void Select(int index) override;

private:
    HWND combo_;
};
