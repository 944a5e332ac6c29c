#include "gatelog/server_notebook.h"

#include <gtest/gtest.h>

#include "tests/unit/support/scratch_directory.h"
#include "gatelog/server_list_file.h"

namespace gatelog {
namespace {

struct Row {
    std::string name, status, address;
    bool operator==(const Row&) const = default;
};

class FakeWindow : public NotebookView, public NotebookActions {
public:
    std::vector<Row> rows;
    std::vector<std::string> notices;
    std::vector<std::string> measured;
    std::vector<std::string> launched;
    std::string gameServer = "10.0.0.1";
    bool workerStarts = true;
    int focused = 0;

    void ShowNotice(std::string_view text) override { notices.emplace_back(text); }
    void InsertServerRow(int index, const ServerEntry& entry) override {
        rows.insert(rows.begin() + index, {entry.name, std::string(kUncheckedStatus), entry.address});
    }
    void DeleteServerRow(int index) override { rows.erase(rows.begin() + index); }
    void SetRowStatus(int index, std::string_view text) override { rows.at(static_cast<std::size_t>(index)).status = text; }
    void FocusList() override { ++focused; }

    bool StartMeasurement(const std::string& address) override {
        measured.push_back(address);
        return workerStarts;
    }
    void LaunchWithGateway(std::string_view gatewayText) override { launched.emplace_back(gatewayText); }
    std::string ReadGameServerAddress() override { return gameServer; }
};

class ServerNotebookTest : public ::testing::Test {
protected:
    void SetUp() override {
        AppendServerRecord(file, "A", "a.example");
        AppendServerRecord(file, "B", "b.example");
        AppendServerRecord(file, "C", "c.example");
        DeleteServerRecord(file, "b.example");
        notebook.Load();
    }
    test_support::ScratchDirectory dir;
    const std::filesystem::path file = dir / "bnet.ini";
    FakeWindow window;
    ServerNotebook notebook{file, window, window};
};

TEST_F(ServerNotebookTest, LoadsStoredEntriesUnchecked) {
    EXPECT_EQ(window.rows, (std::vector<Row>{{"A", "체크전", "a.example"}, {"C", "체크전", "c.example"}}));
    EXPECT_EQ(notebook.RowCount(), 2);
}

TEST_F(ServerNotebookTest, NothingRememberedRefusesEveryRowAction) {
    notebook.Measure();
    notebook.DeleteRemembered();
    notebook.ConnectRemembered();
    EXPECT_EQ(window.notices, std::vector<std::string>(3, "서버를 선택하여 주십시오."));
    EXPECT_TRUE(window.measured.empty());
    EXPECT_TRUE(window.launched.empty());
    EXPECT_EQ(window.rows.size(), 2u);
}

TEST_F(ServerNotebookTest, MeasurementReportsToTheRowItStartedOn) {
    notebook.OnItemChanged(1);
    notebook.Measure();
    EXPECT_EQ(window.measured, std::vector<std::string>{"c.example"});
    EXPECT_TRUE(notebook.Measuring());

    notebook.OnItemChanged(0);  // another pick meanwhile
    notebook.OnMeasurementDone("3 ms[베넷불가능]");
    EXPECT_EQ(window.rows[1].status, "3 ms[베넷불가능]");
    EXPECT_EQ(window.rows[0].status, "체크전");
    EXPECT_EQ(window.focused, 1);
    EXPECT_FALSE(notebook.Measuring());
}

TEST_F(ServerNotebookTest, OneMeasurementAtATime) {
    notebook.OnItemChanged(0);
    notebook.Measure();
    notebook.OnItemChanged(1);
    notebook.Measure();
    EXPECT_EQ(window.notices, std::vector<std::string>{"다른 서버를 검사중입니다."});
    EXPECT_EQ(window.measured.size(), 1u);

    notebook.OnMeasurementDone("1 ms[베넷가능]");
    notebook.Measure();
    EXPECT_EQ(window.measured, (std::vector<std::string>{"a.example", "c.example"}));
}

TEST_F(ServerNotebookTest, DeleteIsRefusedWhileMeasuring) {
    notebook.OnItemChanged(0);
    notebook.Measure();
    notebook.DeleteRemembered();
    EXPECT_EQ(window.notices, std::vector<std::string>{"서버를 검사중에는 삭제할 수 없습니다.."});
    EXPECT_EQ(window.rows.size(), 2u);
    EXPECT_TRUE(ServerRecordExists(file, "a.example"));
}

TEST_F(ServerNotebookTest, AddingWhileMeasuringKeepsTheMeasuredRow) {
    notebook.OnItemChanged(1);
    notebook.Measure();
    notebook.AddRow({"D", "d.example"});
    notebook.OnMeasurementDone("7 ms[베넷가능]");
    EXPECT_EQ(window.rows[1], (Row{"C", "7 ms[베넷가능]", "c.example"}));
    EXPECT_EQ(window.rows[2].status, "체크전");
}

TEST_F(ServerNotebookTest, WorkerThatCannotStartLeavesTheNotebookIdle) {
    window.workerStarts = false;
    notebook.OnItemChanged(0);
    notebook.Measure();
    EXPECT_FALSE(notebook.Measuring());
    EXPECT_EQ(window.rows[0].status, "서버를 찾을 수 없습니다.");
}

TEST_F(ServerNotebookTest, DeleteRemovesRowAndRecordAndForgetsTheEntry) {
    notebook.OnItemChanged(0);
    notebook.DeleteRemembered();
    EXPECT_EQ(window.rows, (std::vector<Row>{{"C", "체크전", "c.example"}}));
    EXPECT_EQ(LoadServerEntries(file), (std::vector<ServerEntry>{{"C", "c.example"}}));

    // The row that moved up is not taken for the deleted one.
    notebook.DeleteRemembered();
    EXPECT_EQ(window.notices, std::vector<std::string>{"서버를 선택하여 주십시오."});
    EXPECT_EQ(window.rows.size(), 1u);
}

TEST_F(ServerNotebookTest, NoticeOutsideTheRowsRemembersNothing) {
    notebook.OnItemChanged(0);
    notebook.OnItemChanged(-1);
    notebook.ConnectRemembered();
    notebook.OnItemChanged(5);
    notebook.ConnectRemembered();
    EXPECT_TRUE(window.launched.empty());
    EXPECT_EQ(window.notices.size(), 2u);
}

TEST_F(ServerNotebookTest, ConnectButtonsLaunchTheirGateways) {
    notebook.OnItemChanged(1);
    notebook.ConnectRemembered();
    notebook.ConnectServiceServer();
    notebook.ConnectOfficial();
    EXPECT_EQ(window.launched, (std::vector<std::string>{"c.example", "10.0.0.1", ""}));
    EXPECT_TRUE(window.notices.empty());
}

TEST(ServerNotebookStart, WithoutTheFileTheListIsEmpty) {
    test_support::ScratchDirectory dir;
    FakeWindow window;
    ServerNotebook notebook(dir / "config" / "bnet.ini", window, window);
    notebook.Load();
    EXPECT_TRUE(window.rows.empty());
    EXPECT_TRUE(window.notices.empty());
}

} // namespace
} // namespace gatelog
