#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include "AdjusterDlg.h"
#include "ChannelFile.h"
#include "TempDir.h"
#include "WindowDriver.h"

namespace {

// The real main window, created in a fresh current folder (where it looks for
// RAVELO.INI), with every dialog box it shows recorded and answered.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentDirectoryW(folder.Root().wstring().c_str());
        ASSERT_TRUE(dlg.Create());
        list.m_hWnd = Item(IDC_RATE_LIST);
        PumpUntilIdle(dlg.m_hWnd);
    }
    void TearDown() override { SetCurrentDirectoryW(L"C:\\"); }

    HWND Item(int id) const { return GetDlgItem(dlg.m_hWnd, id); }
    bool ConvertEnabled() const { return IsWindowEnabled(Item(IDC_CONVERT)) != FALSE; }
    void Press(int id) {
        PostMessageW(Item(id), BM_CLICK, 0, 0);
        PumpUntilIdle(dlg.m_hWnd);
    }
    // Presses a chooser button, types `name` and confirms (empty: cancels); returns the filter shown.
    std::string Choose(int button, const std::string& name) {
        std::string filter;
        boxes.respond = [&](HWND box) {
            filter = TextOf(GetDlgItem(box, cmb1));
            HWND field = GetDlgItem(box, cmb13) != nullptr ? GetDlgItem(box, cmb13) : GetDlgItem(box, edt1);
            Type(field, name);
            return name.empty() ? IDCANCEL : IDOK;
        };
        Press(button);
        return filter;
    }

    TempDir folder;
    CAdjusterDlg dlg;
    CListCtrl list;
    DialogRecorder boxes;
};

TEST_F(MainWindow, ConvertIsEnabledOnlyWhileBothPathsAreFilled) {
    const struct { const char *source, *destination; bool enabled; } steps[] = {
        {"a.dvb", "", false}, {"a.dvb", "b.dvb", true}, {"", "b.dvb", false}, {" ", "", false}, {" ", "b.dvb", true},
    };
    EXPECT_FALSE(ConvertEnabled()) << "at start";
    for (const auto& step : steps) {
        Type(Item(IDC_SOURCE), step.source);
        Type(Item(IDC_DESTINATION), step.destination);
        EXPECT_EQ(ConvertEnabled(), step.enabled) << "'" << step.source << "', '" << step.destination << "'";
    }
    // Fields rewritten from the members (as the count and the choosers do) are not the user editing them.
    dlg.m_source.clear();
    dlg.UpdateData(false);
    EXPECT_EQ(TextOf(Item(IDC_SOURCE)), "");
    EXPECT_TRUE(ConvertEnabled());
}

// The count, the bar and the rows reach the screen on a clock during a run,
// so a box must find them up to date and painted. Enter starts each run.
TEST_F(MainWindow, EnterConvertsAndAMessageBoxShowsTheRunAsItStands) {
    folder.Write("RAVELO.INI", "SRD: 5 > 6\n");
    std::vector<uint8_t> damaged = ChannelFile({5, 7, 9, 5});
    damaged.resize(266);  // the bar stands at 256 / 266 when the damage shows
    const struct { std::vector<uint8_t> source; std::string text, caption; LPCWSTR icon; const char* bar; } runs[] = {
        {ChannelFile({5, 7, 9, 5}), "Concluído com sucesso.", "ui_tests", nullptr, "100"},  // this program's name
        {damaged, "O stream fonte poderá estar corrupto.", folder.Path("out.dvb"), IDI_ERROR, "96"},
    };
    std::vector<std::string> seen;  // count, bar
    boxes.atShow = [&](HWND) {
        for (int id : {IDC_CONVERTED_COUNT, IDC_PROGRESS, IDC_RATE_LIST})
            EXPECT_FALSE(GetUpdateRect(Item(id), nullptr, FALSE)) << "control " << id << " not painted";
        seen = {TextOf(Item(IDC_CONVERTED_COUNT)), std::to_string(SendMessageW(Item(IDC_PROGRESS), PBM_GETPOS, 0, 0))};
    };
    for (const auto& run : runs) {
        boxes.shown.clear();
        Type(Item(IDC_SOURCE), folder.Write("in.dvb", run.source));
        Type(Item(IDC_DESTINATION), folder.Path("out.dvb"));
        SetFocus(Item(IDC_DESTINATION));
        PostMessageW(Item(IDC_DESTINATION), WM_KEYDOWN, VK_RETURN, 1);
        PumpUntilIdle(dlg.m_hWnd);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, run.text);
        EXPECT_EQ(boxes.shown[0].caption, run.caption);
        EXPECT_EQ(boxes.shown[0].icon, run.icon ? LoadIconW(nullptr, run.icon) : nullptr);
        EXPECT_EQ(boxes.shown[0].owner, dlg.m_hWnd);
        EXPECT_EQ(seen, (std::vector<std::string>{"2", run.bar})) << run.text;
    }
}

TEST_F(MainWindow, ColumnClickShowsTheNoticeOnlyWhenTheListHasRowsAndKeepsTheOrder) {
    auto clickColumn = [&] {
        NMLISTVIEW click{};
        click.hdr = {list.m_hWnd, IDC_RATE_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
        SetWindowLongPtrW(dlg.m_hWnd, DWLP_MSGRESULT, 77);
        SendMessageW(dlg.m_hWnd, WM_NOTIFY, IDC_RATE_LIST, reinterpret_cast<LPARAM>(&click));
        return GetWindowLongPtrW(dlg.m_hWnd, DWLP_MSGRESULT);
    };
    EXPECT_EQ(clickColumn(), 0);
    EXPECT_TRUE(boxes.shown.empty());

    folder.Write("RAVELO.INI", "");
    Type(Item(IDC_SOURCE), folder.Write("in.dvb", ChannelFile({1000, 10, 65535, 500, 20000, 11})));
    Type(Item(IDC_DESTINATION), folder.Path("out.dvb"));
    Press(IDC_CONVERT);
    EXPECT_EQ(clickColumn(), 0);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, "A ordenação por selecção de item ainda não foi acabada de implementar nesta versão.");
    std::vector<std::string> rates;
    for (int row = 0; row < list.GetItemCount(); ++row) rates.push_back(list.GetItemText(row, 0));
    EXPECT_EQ(rates, (std::vector<std::string>{"000A", "000B", "01F4", "03E8", "4E20", "FFFF"}));
    EXPECT_TRUE(GetWindowLongW(list.m_hWnd, GWL_STYLE) & LVS_SORTASCENDING) << "sorted by the list again";
}

TEST_F(MainWindow, TheAboutBoxIsOwnedAndCentred) {
    SendMessageW(dlg.m_hWnd, WM_SYSCOMMAND, 0x0010, 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].owner, dlg.m_hWnd);
    RECT main, about = boxes.shown[0].rect;
    GetWindowRect(dlg.m_hWnd, &main);
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
        EXPECT_EQ(TextOf(Item(IDC_SOURCE)) + "|" + TextOf(Item(IDC_DESTINATION)), folder.Path("a.dvb") + "|" + folder.Path("novo.dvb"));
        EXPECT_TRUE(ConvertEnabled());
    }
    for (const ShownDialog& chooser : boxes.shown) EXPECT_EQ(chooser.owner, dlg.m_hWnd);
}

}  // namespace
