#include "gatelog/server_notebook.h"

#include <utility>

#include "gatelog/server_list_file.h"
#include "gatelog/server_measurement.h"

namespace gatelog {

ServerNotebook::ServerNotebook(std::filesystem::path file, NotebookView& view, NotebookActions& actions)
    : file_(std::move(file)), view_(view), actions_(actions) {}

void ServerNotebook::Load() {
    for (const auto& entry : LoadServerEntries(file_)) AddRow(entry);
}

void ServerNotebook::AddRow(const ServerEntry& entry) {
    // The row exists here first: the list may report it changed while inserting.
    rows_.push_back(entry);
    view_.InsertServerRow(RowCount() - 1, entry);
}

void ServerNotebook::OnItemChanged(int index) {
    rememberedIndex_ = index < RowCount() ? index : -1;
    if (HasRemembered()) rememberedAddress_ = rows_[static_cast<std::size_t>(index)].address;
}

void ServerNotebook::Measure() {
    if (Measuring()) {
        view_.ShowNotice(kAlreadyMeasuring);
        return;
    }
    if (!HasRemembered()) {
        view_.ShowNotice(kSelectServer);
        return;
    }
    pingIndex_ = rememberedIndex_;
    if (!actions_.StartMeasurement(rememberedAddress_)) OnMeasurementDone(kServerNotFound);
}

void ServerNotebook::OnMeasurementDone(std::string_view resultText) {
    if (!Measuring()) return;
    view_.SetRowStatus(pingIndex_, resultText);
    view_.FocusList();
    pingIndex_ = -1;
}

void ServerNotebook::DeleteRemembered() {
    if (Measuring()) {
        view_.ShowNotice(kNoDeleteWhileMeasuring);
        return;
    }
    if (!HasRemembered()) {
        view_.ShowNotice(kSelectServer);
        return;
    }
    DeleteServerRecord(file_, rememberedAddress_);
    int row = rememberedIndex_;
    rows_.erase(rows_.begin() + row);
    view_.DeleteServerRow(row);
    // The list sends no change notice for a deleted row; a second press must
    // not take the row that moved into its place for the deleted one.
    rememberedIndex_ = -1;
    rememberedAddress_.clear();
}

void ServerNotebook::ConnectRemembered() {
    if (!HasRemembered()) {
        view_.ShowNotice(kSelectServer);
        return;
    }
    actions_.LaunchWithGateway(rememberedAddress_);
}

void ServerNotebook::ConnectServiceServer() { actions_.LaunchWithGateway(actions_.ReadGameServerAddress()); }

void ServerNotebook::ConnectOfficial() { actions_.LaunchWithGateway(""); }

} // namespace gatelog
