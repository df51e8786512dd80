#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <memory>

#include "AdjusterDlg.h"
#include "ChannelFile.h"
#include "TempDir.h"
#include "Utf8.h"
#include "WindowDriver.h"

namespace {

const std::string kAppName = "ui_tests";  // this program's file name, without .exe

// The real main window, created in a fresh current folder (where it looks for
// RAVELO.INI), with every dialog box it shows recorded and answered.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentDirectoryW(folder.Root().wstring().c_str());
        ASSERT_TRUE(dlg.Create());
        hwnd = dlg.m_hWnd;
        PumpUntilIdle(hwnd);
    }
    void TearDown() override { SetCurrentDirectoryW(L"C:\\"); }

    HWND Item(int id) const { return GetDlgItem(hwnd, id); }
    bool ConvertEnabled() const { return IsWindowEnabled(Item(IDC_CONVERT)) != FALSE; }
    int Rows() const { return static_cast<int>(SendMessageW(Item(IDC_RATE_LIST), LVM_GETITEMCOUNT, 0, 0)); }
    std::string Rate(int row) const {
        wchar_t text[16] = L"";
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = 16;
        SendMessageW(Item(IDC_RATE_LIST), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return WideToUtf8(text);
    }
    void Click(int id) {
        SendMessageW(Item(id), BM_CLICK, 0, 0);
        PumpUntilIdle(hwnd);
    }
    void Convert(const std::string& source, const std::string& destination) {
        Type(Item(IDC_SOURCE), source);
        Type(Item(IDC_DESTINATION), destination);
        Click(IDC_CONVERT);
    }
    // Presses a chooser button, types `name` and confirms (empty: cancels); returns the filter shown.
    std::string Choose(int button, const std::string& name) {
        std::string filter;
        boxes.respond = [&](HWND box) {
            wchar_t text[128] = L"";
            SendDlgItemMessageW(box, cmb1, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
            filter = WideToUtf8(text);
            HWND field = GetDlgItem(box, cmb13) != nullptr ? GetDlgItem(box, cmb13) : GetDlgItem(box, edt1);
            SetWindowTextW(field, Utf8ToWide(name).c_str());
            return name.empty() ? IDCANCEL : IDOK;
        };
        Click(button);
        return filter;
    }

    TempDir folder;
    CAdjusterDlg dlg;
    HWND hwnd = nullptr;
    DialogRecorder boxes;
};

TEST_F(MainWindow, ConvertIsEnabledOnlyWhileBothPathsAreFilled) {
    const struct { const char *source, *destination; bool enabled; } steps[] = {
        {"a.dvb", "", false}, {"a.dvb", "b.dvb", true}, {"", "b.dvb", false}, {" ", "b.dvb", true}, {" ", "", false},
    };
    EXPECT_FALSE(ConvertEnabled()) << "at start";
    for (const auto& step : steps) {
        Type(Item(IDC_SOURCE), step.source);
        Type(Item(IDC_DESTINATION), step.destination);
        EXPECT_EQ(ConvertEnabled(), step.enabled) << "'" << step.source << "', '" << step.destination << "'";
    }
}

// Fields rewritten from the members (as the count and the choosers do) are not the user editing them.
TEST_F(MainWindow, DataExchangeDoesNotReapplyTheConvertRule) {
    Type(Item(IDC_SOURCE), "a.dvb");
    Type(Item(IDC_DESTINATION), "b.dvb");
    dlg.m_destination.clear();
    dlg.UpdateData(false);
    EXPECT_EQ(TextOf(Item(IDC_DESTINATION)), "");
    EXPECT_TRUE(ConvertEnabled());
}

TEST_F(MainWindow, EnterInAPathFieldConverts) {
    folder.Write("RAVELO.INI", "");
    Type(Item(IDC_SOURCE), folder.Write("in.dvb", ChannelFile({1})));
    Type(Item(IDC_DESTINATION), folder.Path("out.dvb"));
    SetFocus(Item(IDC_DESTINATION));
    PostMessageW(Item(IDC_DESTINATION), WM_KEYDOWN, VK_RETURN, 1);
    PumpUntilIdle(hwnd);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Concluído com sucesso.");
}

// The count, the bar and the rows are painted on a clock during a run, so
// every box must bring them up to date before it shows.
TEST_F(MainWindow, AMessageBoxShowsTheRunAsItStands) {
    folder.Write("RAVELO.INI", "SRD: 5 > 6\n");
    const std::vector<uint8_t> records = ChannelFile({5, 7, 9, 5});
    std::vector<uint8_t> damaged = records;
    damaged.resize(damaged.size() + 10);  // the bar stands at 256 / 266 when the damage shows
    const struct { std::vector<uint8_t> source; std::string text, caption; ShownIcon icon; const char* bar; } runs[] = {
        {records, "Concluído com sucesso.", kAppName, ShownIcon::None, "100"},
        {damaged, "O stream fonte poderá estar corrupto.", folder.Path("out.dvb"), ShownIcon::Error, "96"},
    };
    std::vector<std::string> seen;  // count, bar
    boxes.atShow = [&](HWND) {
        for (int id : {IDC_CONVERTED_COUNT, IDC_PROGRESS, IDC_RATE_LIST})
            EXPECT_FALSE(GetUpdateRect(Item(id), nullptr, FALSE)) << "control " << id << " not painted";
        seen = {TextOf(Item(IDC_CONVERTED_COUNT)), std::to_string(SendMessageW(Item(IDC_PROGRESS), PBM_GETPOS, 0, 0))};
    };
    for (const auto& run : runs) {
        boxes.shown.clear();
        Convert(folder.Write("in.dvb", run.source), folder.Path("out.dvb"));
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, run.text);
        EXPECT_EQ(boxes.shown[0].caption, run.caption);
        EXPECT_EQ(boxes.shown[0].icon, run.icon);
        EXPECT_EQ(boxes.shown[0].owner, hwnd);
        EXPECT_EQ(seen, (std::vector<std::string>{"2", run.bar})) << run.text;
    }
}

TEST_F(MainWindow, ColumnClickShowsTheNoticeOnlyWhenTheListHasRowsAndKeepsTheOrder) {
    auto clickColumn = [&] {
        NMLISTVIEW click{};
        click.hdr = {Item(IDC_RATE_LIST), IDC_RATE_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 77);
        SendMessageW(hwnd, WM_NOTIFY, IDC_RATE_LIST, reinterpret_cast<LPARAM>(&click));
        return GetWindowLongPtrW(hwnd, DWLP_MSGRESULT);
    };
    EXPECT_EQ(clickColumn(), 0);
    EXPECT_TRUE(boxes.shown.empty());

    folder.Write("RAVELO.INI", "");
    Convert(folder.Write("in.dvb", ChannelFile({1000, 10, 65535})), folder.Path("out.dvb"));
    boxes.shown.clear();
    EXPECT_EQ(clickColumn(), 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "A ordenação por selecção de item ainda não foi acabada de implementar nesta versão.");
    EXPECT_EQ((std::vector<std::string>{Rate(0), Rate(1), Rate(2)}), (std::vector<std::string>{"000A", "03E8", "FFFF"}));
}

TEST_F(MainWindow, TheAboutBoxIsOwnedAndCentred) {
    SendMessageW(hwnd, WM_SYSCOMMAND, 0x0010, 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].owner, hwnd);
    RECT main, about = boxes.shown[0].rect;
    GetWindowRect(hwnd, &main);
    EXPECT_NEAR(about.left + about.right, main.left + main.right, 2);
    EXPECT_NEAR(about.top + about.bottom, main.top + main.bottom, 2);
}

TEST_F(MainWindow, ChoosersOfferTheirFilterAndReapplyTheConvertRule) {
    EXPECT_EQ(Choose(IDC_CHOOSE_SOURCE, folder.Path("a.dvb")), "Ficheiros do Palvero (*.dvb)");
    EXPECT_EQ(TextOf(Item(IDC_SOURCE)), folder.Path("a.dvb"));
    EXPECT_FALSE(ConvertEnabled());
    EXPECT_EQ(Choose(IDC_CHOOSE_DESTINATION, folder.Path("novo")), "Ficheiros do Palvero(*.dvb)");
    EXPECT_EQ(TextOf(Item(IDC_DESTINATION)), folder.Path("novo.dvb"));
    EXPECT_TRUE(ConvertEnabled());

    for (int button : {IDC_CHOOSE_SOURCE, IDC_CHOOSE_DESTINATION}) {
        EnableWindow(Item(IDC_CONVERT), FALSE);  // out of step with the fields
        Choose(button, "");
        EXPECT_EQ(TextOf(Item(IDC_SOURCE)), folder.Path("a.dvb"));
        EXPECT_EQ(TextOf(Item(IDC_DESTINATION)), folder.Path("novo.dvb"));
        EXPECT_TRUE(ConvertEnabled());
    }
    for (const ShownDialog& chooser : boxes.shown) EXPECT_EQ(chooser.owner, hwnd);
}

}  // namespace
