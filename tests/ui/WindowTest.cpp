// The window's own contract: the real dialog driven by a user's messages (tools/check-dist.sh drives Ravelo.exe).
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <functional>

#include "AdjusterDlg.h"
#include "ChannelFile.h"
#include "TempDir.h"
#include "Utf8.h"

namespace {

// WM_GETTEXT and WM_SETTEXT (as a paste would).
std::string TextOf(HWND window) {
    wchar_t text[512] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, nullptr);
    return WideToUtf8(text);
}
void Type(HWND window, const std::string& text) {
    SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Utf8ToWide(text).c_str()), SMTO_BLOCK, 5000, nullptr);
}

// The main window without a modal loop of its own: the test pumps its messages.
struct ModelessAdjusterDlg : CAdjusterDlg {
    HWND Create() { return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ADJUSTER_DIALOG), nullptr,
                                              DialogProc, reinterpret_cast<LPARAM>(static_cast<CDialog*>(this))); }
};

struct ShownDialog {
    std::string caption, text;  // text: a message box's control 0xFFFF
    HICON icon;                 // a message box's icon, or none
    HWND owner;
};

// The real main window, in a fresh current folder (where it looks for RAVELO.INI). A CBT hook
// records every owned dialog box it shows, runs `atShow` as the box appears and, once the box's
// own modal loop runs, answers it with the command that `respond` returns, or OK.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentDirectoryW(folder.Root().wstring().c_str());
        ASSERT_NE(dlg.Create(), nullptr);
        list.m_hWnd = Item(IDC_RATE_LIST);
        Pump();
        t_current = this;
        m_hook = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    void TearDown() override {
        UnhookWindowsHookEx(m_hook);
        t_current = nullptr;
        SetCurrentDirectoryW(L"C:\\");
    }

    HWND Item(int id) const { return GetDlgItem(dlg.m_hWnd, id); }
    bool ConvertEnabled() const { return IsWindowEnabled(Item(IDC_CONVERT)) != FALSE; }
    // Dispatches messages, with the dialog's keyboard handling, until a few rounds in a row are quiet.
    void Pump() {
        for (int quiet = 0; quiet < 3; ++quiet, MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT))
            for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); quiet = 0)
                if (!IsDialogMessageW(dlg.m_hWnd, &msg)) DispatchMessageW(&msg);
    }
    void Post(int id, UINT message, WPARAM wParam = 0) {
        SetFocus(Item(id));
        PostMessageW(Item(id), message, wParam, 1);
        Pump();
    }
    // Presses a chooser button, types `name` and confirms (empty: cancels); returns the filter shown.
    std::string Choose(int button, const std::string& name) {
        std::string filter;
        respond = [&](HWND box) {
            filter = TextOf(GetDlgItem(box, cmb1));
            Type(GetDlgItem(box, cmb13) != nullptr ? GetDlgItem(box, cmb13) : GetDlgItem(box, edt1), name);
            return name.empty() ? IDCANCEL : IDOK;
        };
        Post(button, BM_CLICK);
        respond = nullptr;
        return filter;
    }

    TempDir folder;
    ModelessAdjusterDlg dlg;
    CListCtrl list;
    std::vector<ShownDialog> shown;
    std::function<void(HWND box)> atShow;
    std::function<int(HWND box)> respond;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) noexcept {
        HWND box = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && GetWindow(box, GW_OWNER) != nullptr && GetPropW(box, L"recorded") == nullptr) {
            SetPropW(box, L"recorded", reinterpret_cast<HANDLE>(1));
            ShownDialog& shown = t_current->shown.emplace_back();
            shown = {TextOf(box), TextOf(GetDlgItem(box, 0xFFFF)), nullptr, GetWindow(box, GW_OWNER)};
            for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
                if ((GetWindowLongW(child, GWL_STYLE) & (SS_TYPEMASK | WS_VISIBLE)) == (SS_ICON | WS_VISIBLE))
                    shown.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            if (t_current->atShow) t_current->atShow(box);
            SetTimer(box, 1, 10, Answer);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static void CALLBACK Answer(HWND box, UINT, UINT_PTR timer, DWORD) noexcept {
        KillTimer(box, timer);
        if (t_current != nullptr) PostMessageW(box, WM_COMMAND, t_current->respond ? t_current->respond(box) : IDOK, 0);
    }

    static inline thread_local MainWindow* t_current = nullptr;
    HHOOK m_hook = nullptr;
};

TEST_F(MainWindow, ConvertIsEnabledOnlyWhileBothPathsAreFilledAndTheAboutBoxIsCentred) {
    const struct { const char *source, *destination; bool enabled; } steps[] = {
        {"", "", false}, {"a.dvb", "", false}, {"a.dvb", "b.dvb", true}, {"", "b.dvb", false}, {" ", "", false}, {" ", "b.dvb", true},
    };
    for (const auto& step : steps) {
        Type(Item(IDC_SOURCE), step.source);
        Type(Item(IDC_DESTINATION), step.destination);
        EXPECT_EQ(ConvertEnabled(), step.enabled) << "'" << step.source << "', '" << step.destination << "'";
    }
    // The About box, from the system menu, is owned and centred.
    RECT main, about{};
    atShow = [&](HWND box) { GetWindowRect(box, &about); };
    SendMessageW(dlg.m_hWnd, WM_SYSCOMMAND, 0x0010, 0);
    EXPECT_EQ(shown.at(0).owner, dlg.m_hWnd);
    GetWindowRect(dlg.m_hWnd, &main);
    EXPECT_NEAR(about.left + about.right, main.left + main.right, 2);
    EXPECT_NEAR(about.top + about.bottom, main.top + main.bottom, 2);
}

// The count, the bar and the rows reach the screen on a clock during a run, so a box must
// find them up to date and painted. Enter starts the run. A column click shows a notice
// once the list has rows, which stay in order. An error box: text, caption, icon, owner.
TEST_F(MainWindow, EnterConvertsAMessageBoxShowsTheRunAsItStandsAndColumnsDoNotSort) {
    auto clickColumn = [&] {
        NMLISTVIEW click{{list.m_hWnd, IDC_RATE_LIST, static_cast<UINT>(LVN_COLUMNCLICK)}};
        SendMessageW(dlg.m_hWnd, WM_NOTIFY, IDC_RATE_LIST, reinterpret_cast<LPARAM>(&click));
    };
    clickColumn();
    EXPECT_TRUE(shown.empty());
    folder.Write("RAVELO.INI", "SRD: 5 > 6\n");
    std::string damaged = ChannelFile({5, 20000, 65535, 11, 10, 5, 500});
    damaged.resize(426);  // the bar stands at 384 / 426 when the damage shows
    std::vector<std::string> seen;  // count, bar
    atShow = [&](HWND) {
        for (int id : {IDC_CONVERTED_COUNT, IDC_PROGRESS, IDC_RATE_LIST})
            EXPECT_FALSE(GetUpdateRect(Item(id), nullptr, FALSE)) << "control " << id << " not painted";
        seen = {TextOf(Item(IDC_CONVERTED_COUNT)), std::to_string(SendMessageW(Item(IDC_PROGRESS), PBM_GETPOS, 0, 0))};
    };
    Type(Item(IDC_SOURCE), folder.Write("in.dvb", damaged));
    Type(Item(IDC_DESTINATION), folder.Path("out.dvb"));
    Post(IDC_DESTINATION, WM_KEYDOWN, VK_RETURN);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "O stream fonte poderá estar corrupto.");
    EXPECT_EQ(shown[0].caption, folder.Path("out.dvb"));
    EXPECT_EQ(shown[0].icon, LoadIconW(nullptr, IDI_ERROR));
    EXPECT_EQ(shown[0].owner, dlg.m_hWnd);
    EXPECT_EQ(seen, (std::vector<std::string>{"2", "90"}));
    clickColumn();
    EXPECT_EQ(shown.at(1).text, "A ordenação por selecção de item ainda não foi acabada de implementar nesta versão.");
    std::vector<std::string> rows;
    for (int row = 0; row < list.GetItemCount(); ++row)
        rows.push_back(list.GetItemText(row, 0) + " " + list.GetItemText(row, 1) + " " + list.GetItemText(row, 2));
    EXPECT_EQ(rows, (std::vector<std::string>{"000A 10 5", "000B 11 4", "4E20 20000 2", "FFFF 65535 3"}));
}

// The choosers fill the fields and move the current folder; the settings file stays the one
// of the folder the window started in. A box without an icon.
TEST_F(MainWindow, ChoosersOfferTheirFilterAndFillTheFieldsButLeaveTheSettingsFolder) {
    folder.Write("RAVELO.INI", "SRD: 5 > 6\n");
    std::filesystem::create_directory(folder.Root() / "sub");
    folder.Write("sub\\a.dvb", ChannelFile({5}));
    EXPECT_EQ(Choose(IDC_CHOOSE_SOURCE, folder.Path("sub\\a.dvb")), "Ficheiros do Palvero (*.dvb)");
    EXPECT_FALSE(ConvertEnabled());
    EXPECT_EQ(Choose(IDC_CHOOSE_DESTINATION, folder.Path("sub\\novo")), "Ficheiros do Palvero(*.dvb)");
    EXPECT_TRUE(ConvertEnabled());
    Choose(IDC_CHOOSE_SOURCE, "");  // cancelled: the field stays
    ASSERT_NE(std::filesystem::current_path(), folder.Root()) << "the choosers moved the current folder";
    Post(IDC_CONVERT, BM_CLICK);
    EXPECT_EQ(ReadAll(folder.Path("sub\\novo.dvb")), ChannelFile({6})) << "the fields, with the default extension";
    EXPECT_EQ(shown.at(3).icon, nullptr) << shown.at(3).text;
}

}  // namespace
