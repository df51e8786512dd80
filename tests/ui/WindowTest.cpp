// The window's own contract: the real dialog driven by a user's messages (tools/check-dist.sh drives Ravelo.exe).
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <oleacc.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <dbghelp.h>
#include <process.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <numeric>
#include <thread>

#include "AdjusterDlg.h"
#include "ChannelFile.h"
#include "PastedPath.h"
#include "TempDir.h"
#include "Utf8.h"

namespace {

using namespace std::string_literals;

// WM_GETTEXT and WM_SETTEXT (as a paste would).
std::string TextOf(HWND window) {
    wchar_t text[512] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, nullptr);
    return WideToUtf8(text);
}
void Type(HWND window, const std::string& text) {
    SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Utf8ToWide(text).c_str()), SMTO_BLOCK, 5000, nullptr);
}

// Files dropped as Explorer drops them: a DROPFILES block, the point in the window's client
// coordinates, the names apart by zeros (the block's own zeros end the list).
void Drop(HWND window, POINT point, const std::wstring& names) {
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + (names.size() + 2) * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(block));
    *files = {sizeof(DROPFILES), point, FALSE, TRUE};
    names.copy(reinterpret_cast<wchar_t*>(files + 1), names.size()), GlobalUnlock(block);
    SendMessageTimeoutW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0, SMTO_ABORTIFHUNG, 1000, nullptr);
}
// A shortcut (.lnk) to `target`, saved as Explorer saves one.
std::wstring MakeShortcut(const std::string& name, const std::string& target) {
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    CoInitialize(nullptr), CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, reinterpret_cast<void**>(&link));
    link->SetPath(Utf8ToWide(target).c_str());
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)), file->Save(Utf8ToWide(name).c_str(), TRUE), file->Release(), link->Release();
    return Utf8ToWide(name);
}

// Wine has no high contrast: this program's import of SystemParametersInfoW is pointed at one
// that says it is on while g_highContrast is, as Windows says it then.
bool g_highContrast = false;
BOOL WINAPI SystemParametersWithHighContrast(UINT action, UINT value, void* data, UINT flags) noexcept {
    if (action == SPI_GETHIGHCONTRAST && g_highContrast) return static_cast<HIGHCONTRASTW*>(data)->dwFlags = HCF_AVAILABLE | HCF_HIGHCONTRASTON, TRUE;
    return reinterpret_cast<decltype(&SystemParametersInfoW)>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32"), "SystemParametersInfoW")))(action, value, data, flags);
}

int g_barTicks = 0;
void CALLBACK CountBarTick(HWND, UINT, UINT_PTR, DWORD) noexcept { ++g_barTicks; }

// The main window without a modal loop of its own: the test pumps its messages.
struct ModelessAdjusterDlg : CAdjusterDlg {
    HWND Create() { return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ADJUSTER_DIALOG), nullptr,
                                              DialogProc, reinterpret_cast<LPARAM>(static_cast<CDialog*>(this))); }
    void SetProgress(int percent) override { atProgress(percent), CAdjusterDlg::SetProgress(percent); }
    std::function<void(int percent)> atProgress = [](int) {};
};

// text: a message box's control 0xFFFF; icon: a message box's icon, or none.
struct ShownDialog { std::string caption, text; HICON icon; HWND owner; };

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
    // A run of 1000 records, `ms` a point of the bar; at(percent) runs at each new point.
    void SlowRun(DWORD ms, const std::function<void(int percent)>& at) {
        folder.Write("RAVELO.INI", "");
        Type(Item(IDC_SOURCE), folder.Write("in.dvb", ChannelFile(std::vector<uint16_t>(1000, 5))));
        Type(Item(IDC_DESTINATION), folder.Path("out.dvb"));
        dlg.atProgress = [&at, ms, last = -1](int percent) mutable { if (percent != last) Sleep(ms), at(last = percent); };
        textsShown.clear();
        Post(IDC_CONVERT, BM_CLICK);
    }

    TempDir folder;
    ModelessAdjusterDlg dlg;
    CListCtrl list;
    std::vector<ShownDialog> shown;
    std::string textsShown;  // each box's text and "|"
    std::function<void(HWND box)> atShow;
    std::function<int(HWND box)> respond;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) noexcept {
        HWND box = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && GetWindow(box, GW_OWNER) != nullptr && GetPropW(box, L"recorded") == nullptr) {
            SetPropW(box, L"recorded", reinterpret_cast<HANDLE>(1));
            ShownDialog& shown = t_current->shown.emplace_back(ShownDialog{TextOf(box), TextOf(GetDlgItem(box, 0xFFFF)), nullptr, GetWindow(box, GW_OWNER)});
            for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
                if ((GetWindowLongW(child, GWL_STYLE) & (SS_TYPEMASK | WS_VISIBLE)) == (SS_ICON | WS_VISIBLE))
                    shown.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            t_current->textsShown += shown.text + "|";
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

// "Converter" is enabled only while both fields hold text (blanks count), typed or dropped: a drop
// onto a row (label, field, button) goes to its field, anywhere else into "Origem", of several files
// the first; a shortcut as its target, or nothing when that is gone. A long path shows its end.
TEST_F(MainWindow, TypedOrDroppedPathsFillTheFieldsAndEnableConvert) {
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_CONVERT))) << "at start";
    EXPECT_TRUE(GetWindowLongW(dlg.m_hWnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    const std::string target = folder.Write("alvo.dvb", ""), gone = folder.Write("apagado.dvb", "");
    const std::wstring shortcut = MakeShortcut(folder.Path("atalho.lnk"), target), lost = MakeShortcut(folder.Path("perdido.LNK"), gone);
    std::filesystem::remove(FromUtf8(gone));
    const std::string deep = "C:\\" + std::string(80, 'p') + "\\fim.dvb";
    const struct { bool drop; int onto; std::wstring text; std::string fields; bool enabled; } steps[] = {  // onto -field: its label
        {false, IDC_SOURCE, L"a.dvb", "a.dvb|", false}, {false, IDC_DESTINATION, L"b.dvb", "a.dvb|b.dvb", true},
        {false, IDC_SOURCE, L"", "|b.dvb", false}, {false, IDC_SOURCE, L" ", " |b.dvb", true}, {false, IDC_DESTINATION, L"", " |", false},
        {true, IDC_DESTINATION, L"C:\\Κανάλια 频道.dvb", " |C:\\Κανάλια 频道.dvb", true},
        {true, IDC_RATE_LIST, L"C:\\a.dvb\0C:\\b.dvb"s, "C:\\a.dvb|C:\\Κανάλια 频道.dvb", true},
        {false, IDC_DESTINATION, L"", "C:\\a.dvb|", false}, {true, IDC_SOURCE, L"D:\\c.dvb", "D:\\c.dvb|", false},
        {true, -IDC_DESTINATION, L"C:\\d.dvb", "D:\\c.dvb|C:\\d.dvb", true}, {true, IDC_CHOOSE_DESTINATION, L"C:\\e.dvb", "D:\\c.dvb|C:\\e.dvb", true},
        {true, -IDC_SOURCE, L"C:\\f.dvb", "C:\\f.dvb|C:\\e.dvb", true}, {true, IDC_CHOOSE_SOURCE, L"C:\\g.dvb", "C:\\g.dvb|C:\\e.dvb", true},
        {true, IDC_CHOOSE_DESTINATION, shortcut, "C:\\g.dvb|" + target, true}, {true, -IDC_SOURCE, lost, "C:\\g.dvb|" + target, true},
        {true, IDC_SOURCE, Utf8ToWide(deep), deep + "|" + target, true},
    };
    for (const auto& step : steps) {
        POINT point{5, 5};  // inside the control, in the window's client coordinates
        const HWND onto = step.onto < 0 ? GetWindow(Item(-step.onto), GW_HWNDPREV) : Item(step.onto);
        MapWindowPoints(onto, dlg.m_hWnd, &point, 1);
        step.drop ? Drop(dlg.m_hWnd, point, step.text) : Type(onto, WideToUtf8(step.text));
        EXPECT_EQ(TextOf(Item(IDC_SOURCE)) + "|" + TextOf(Item(IDC_DESTINATION)), step.fields);
        EXPECT_EQ(IsWindowEnabled(Item(IDC_CONVERT)) != FALSE, step.enabled) << step.fields;
    }
    EXPECT_GT(SendMessageW(Item(IDC_SOURCE), EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "the long path's start shows, not its file name";
}

// Screen readers name a field after the label just before it; Wine's oleacc does so for edit
// fields only, so the list's and the bar's labels are checked as Windows finds them.
TEST_F(MainWindow, ScreenReadersNameEachFieldAfterItsLabel) {
    for (const auto& [id, label] : std::vector<std::pair<int, std::string>>{{IDC_SOURCE, "Origem"}, {IDC_DESTINATION, "Destino"},
             {IDC_RATE_LIST, "Lista de SimbRate não corrigidos :"}, {IDC_CONVERTED_COUNT, "<- Contagem de SR convertidos"}, {IDC_PROGRESS, "Conversão"}}) {
        IAccessible* object = nullptr;  // what a screen reader asks for: oleacc's client object
        BSTR name = nullptr;
        VARIANT self{};  // VT_I4 0: the object itself
        self.vt = VT_I4;
        if (AccessibleObjectFromWindow(Item(id), OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object)) == S_OK)
            object->get_accName(self, &name), object->Release();
        EXPECT_EQ(id == IDC_RATE_LIST || id == IDC_PROGRESS ? TextOf(GetWindow(Item(id), GW_HWNDPREV)) : WideToUtf8(name ? name : L""), label);
        SysFreeString(name);
    }
}

TEST_F(MainWindow, TheAboutBoxFromTheSystemMenuIsCentredOverTheWindow) {
    RECT main, about{};
    atShow = [&](HWND box) { GetWindowRect(box, &about); };
    SendMessageW(dlg.m_hWnd, WM_SYSCOMMAND, 0x0010, 0);
    GetWindowRect(dlg.m_hWnd, &main);
    EXPECT_NEAR(about.left + about.right, main.left + main.right, 2);
    EXPECT_NEAR(about.top + about.bottom, main.top + main.bottom, 2);
}

// Enter starts the run. The count (whole past 2^32), the bar and the rows reach the screen on a clock, so
// a box finds them up to date and painted, and the destination closed and complete. The error box: text,
// caption, icon, owner. A column click shows a notice once the list has rows, which stay in order.
TEST_F(MainWindow, EnterConvertsAMessageBoxShowsTheRunAsItStandsAndColumnsDoNotSort) {
    auto clickColumn = [&] {
        NMLISTVIEW click{};
        click.hdr = {list.m_hWnd, IDC_RATE_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
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
        seen = {TextOf(Item(IDC_CONVERTED_COUNT)), std::to_string(SendMessageW(Item(IDC_PROGRESS), PBM_GETPOS, 0, 0)),
                ReadAll(folder.Path("out.dvb")) == ChannelFile({6, 20000, 65535, 11, 10, 6}) ? "on disk" : "not on disk"};
    };
    // Pasted as Explorer copies them: run and messages take the paths, the fields keep the paste.
    const std::string pasted[] = {" \"" + folder.Write("in.dvb", damaged) + "\" ", "\"" + folder.Path("out.dvb") + "\""};
    Type(Item(IDC_SOURCE), pasted[0]);
    Type(Item(IDC_DESTINATION), pasted[1]);
    Post(IDC_DESTINATION, WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(TextOf(Item(IDC_SOURCE)) + TextOf(Item(IDC_DESTINATION)), pasted[0] + pasted[1]);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "O stream fonte poderá estar corrupto.");
    EXPECT_EQ(shown[0].caption, folder.Path("out.dvb"));
    EXPECT_EQ(shown[0].icon, LoadIconW(nullptr, IDI_ERROR));
    EXPECT_EQ(shown[0].owner, dlg.m_hWnd);
    EXPECT_EQ(seen, (std::vector<std::string>{"2", "90", "on disk"}));
    clickColumn();
    EXPECT_EQ(shown.at(1).text, "A ordenação por selecção de item ainda não foi acabada de implementar nesta versão.");
    std::vector<std::string> rows;
    for (int row = 0; row < list.GetItemCount(); ++row)
        rows.push_back(list.GetItemText(row, 0) + " " + list.GetItemText(row, 1) + " " + list.GetItemText(row, 2));
    EXPECT_EQ(rows, (std::vector<std::string>{"000A 10 5", "000B 11 4", "4E20 20000 2", "FFFF 65535 3"}));
    EXPECT_EQ(SendMessageW(list.m_hWnd, LVM_GETNEXTITEM, -1, LVNI_FOCUSED), 0) << "Tab into the list finds the first row";
    EXPECT_TRUE(SendMessageW(list.m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT) << "a row is selected whole";
    dlg.ShowConvertedCount(4294967297), dlg.ShowMessage("Concluído com sucesso.", std::nullopt, MessageIcon::None);
    EXPECT_EQ(seen.at(0), "4294967297") << "a count past 2^32 (a 256 GiB source) shows whole";
}

// Dark text on pink, in high contrast the system's window colours; a change of either shows at once.
TEST_F(MainWindow, TheListIsReadableInEveryScheme) {
    const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT};
    const COLORREF saved[] = {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)}, pink = RGB(255, 224, 224), black = 0, white = 0xFFFFFF, navy = 0x800000, yellow = 0xFFFF;
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    ULONG size;
    for (auto* import = static_cast<IMAGE_IMPORT_DESCRIPTOR*>(ImageDirectoryEntryToData(base, TRUE, IMAGE_DIRECTORY_ENTRY_IMPORT, &size)); import->Name; ++import)
        for (auto* slot = reinterpret_cast<void**>(base + import->FirstThunk); *slot != nullptr; ++slot)
            if (DWORD access; *slot == reinterpret_cast<void*>(&SystemParametersInfoW) && VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &access))
                *slot = reinterpret_cast<void*>(&SystemParametersWithHighContrast);
    const struct { bool highContrast; COLORREF window, text, listBackground, listText; } steps[] = {
        {false, black, white, pink, black}, {true, black, white, black, white}, {true, navy, yellow, navy, yellow}, {false, navy, yellow, pink, black},
    };
    for (const auto& step : steps) {  // high contrast told as Windows tells it; else a new scheme, which sends WM_SYSCOLORCHANGE
        if (step.highContrast == g_highContrast) SetSysColors(2, elements, std::array{step.window, step.text}.data());
        else g_highContrast = step.highContrast, SendMessageW(dlg.m_hWnd, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        EXPECT_EQ(SendMessageW(list.m_hWnd, LVM_GETBKCOLOR, 0, 0), step.listBackground) << step.highContrast << std::hex << step.window;
        EXPECT_EQ(SendMessageW(list.m_hWnd, LVM_GETTEXTCOLOR, 0, 0), step.listText) << step.highContrast << std::hex << step.window;
    }
    SetSysColors(2, elements, saved);
}

// The scale is read when a program starts: each scale runs the test below in a child copy of
// this program, with the registry set as Windows' display settings set it.
TEST(ScaledWindow, FortyRowsNeedNoHorizontalScrollbar) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    for (DWORD dpi : {96, 144, 192}) {
        SHSetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
        EXPECT_EQ(_wspawnl(_P_WAIT, self, self, L"--gtest_filter=*DISABLED_AtThisScale*", L"--gtest_also_run_disabled_tests", nullptr), 0) << "at " << dpi << " DPI";
    }
    SHDeleteValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels");
}
TEST_F(MainWindow, DISABLED_AtThisScaleColumnsFit) {  // run by ScaledWindow at each scale
    std::vector<uint16_t> rates(40);
    std::iota(rates.begin(), rates.end(), 0);
    folder.Write("RAVELO.INI", ""), Type(Item(IDC_SOURCE), folder.Write("in.dvb", ChannelFile(rates))), Type(Item(IDC_DESTINATION), folder.Path("out.dvb"));
    Post(IDC_CONVERT, BM_CLICK);
    EXPECT_EQ(GetWindowLongW(list.m_hWnd, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), WS_VSCROLL) << "the list scrolls, and only up and down";
}

// The choosers fill the fields and move the current folder; the settings file stays the one
// of the folder the window started in. A box without an icon.
TEST_F(MainWindow, ChoosersOfferTheirFilterAndFillTheFieldsButLeaveTheSettingsFolder) {
    folder.Write("RAVELO.INI", "SRD: 5 > 6\n");
    std::filesystem::create_directory(folder.Root() / "sub");
    folder.Write("sub\\a.dvb", ChannelFile({5}));
    EXPECT_EQ(Choose(IDC_CHOOSE_SOURCE, folder.Path("sub\\a.dvb")), "Ficheiros do Palvero (*.dvb)");
    EXPECT_EQ(Choose(IDC_CHOOSE_DESTINATION, folder.Path("sub\\novo")), "Ficheiros do Palvero(*.dvb)");
    Choose(IDC_CHOOSE_SOURCE, "");  // cancelled: the field stays
    ASSERT_NE(std::filesystem::current_path(), folder.Root()) << "the choosers moved the current folder";
    Post(IDC_CONVERT, BM_CLICK);
    EXPECT_EQ(ReadAll(folder.Path("sub\\novo.dvb")), ChannelFile({6})) << "the fields, with the default extension";
    EXPECT_EQ(shown.at(3).icon, nullptr) << shown.at(3).text;
}

TEST(PastedPath, DropsOnlyWhatNoWindowsNameCanHold) {
    const struct { const char *pasted, *path; } cases[] = {
        {"C:\\d\\a.dvb", "C:\\d\\a.dvb"}, {"\"C:\\d\\a.dvb\"", "C:\\d\\a.dvb"}, {" \t\"C:\\a b.dvb\" \t", "C:\\a b.dvb"}, {"\"  d:\\x\"", "d:\\x"},
        {"  C:\\x.dvb ", "C:\\x.dvb "}, {"\t\\\\srv\\p\\x", "\\\\srv\\p\\x"}, {"  a.dvb", "  a.dvb"}, {"\" a.dvb \"", " a.dvb "},
        {" \\x.dvb", " \\x.dvb"}, {" C", " C"}, {"\"a.dvb", "\"a.dvb"}, {" \" ", " \" "}, {"\"\"", ""}, {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(PastedPath(c.pasted), c.path) << "[" << c.pasted << "]";
}

// What comes during a run, each row in a run of its own, at a point of the bar or as the run's box shows or is
// answered: keys acting on key-down, clicks in a field and on a column, a key pressed, commands, a drop and every
// close request reach no control, start, choose and close nothing, and leave the run's box for a new key.
TEST_F(MainWindow, DuringARunNoInputCommandOrCloseIsTaken) {
    const HWND window = dlg.m_hWnd, source = Item(IDC_SOURCE), destination = Item(IDC_DESTINATION);
    auto state = [&] {  // texts, focus, selections
        return TextOf(source) + "|" + TextOf(destination) + "|" + std::to_string(GetDlgCtrlID(GetFocus())) + "|" +
               std::to_string(SendMessageW(source, EM_GETSEL, 0, 0)) + "|" + std::to_string(SendMessageW(destination, EM_GETSEL, 0, 0));
    };
    auto post = [](HWND to, UINT message, WPARAM wParam, LPARAM lParam) {
        const bool pressed = message == WM_KEYDOWN || message == WM_LBUTTONDOWN;  // then released
        return [=] { PostMessageW(to, message, wParam, lParam), pressed && PostMessageW(to, message + 1, wParam & ~MK_LBUTTON, lParam); };
    };
    auto both = [](std::function<void()> first, std::function<void()> second) { return [=] { first(), second(); }; };
    constexpr int kBoxShown = -1, kBoxAnswered = -2;
    const struct { const char* what; int when; std::function<void()> act; } rows[] = {
        {"Delete, Right", 10, both(post(source, WM_KEYDOWN, VK_DELETE, 1), post(destination, WM_KEYDOWN, VK_RIGHT, 1))},
        {"clicks in a field and on a column", 10, both(post(destination, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5)),
                                                       post(ListView_GetHeader(list.m_hWnd), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5)))},
        {"Enter pressed", 10, [] { keybd_event(VK_RETURN, 0, 0, 0), keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0); }},
        {"Converter, Ler de...", 10, both(post(window, WM_COMMAND, IDC_CONVERT, reinterpret_cast<LPARAM>(Item(IDC_CONVERT))),
                                          post(window, WM_COMMAND, IDC_CHOOSE_SOURCE, reinterpret_cast<LPARAM>(Item(IDC_CHOOSE_SOURCE))))},
        {"a drop", 10, [&] { Drop(window, {5, 5}, L"C:\\x.dvb"); }}, {"WM_CLOSE", 10, post(window, WM_CLOSE, 0, 0)},
        {"WM_CLOSE", kBoxShown, post(window, WM_CLOSE, 0, 0)}, {"WM_CLOSE", kBoxAnswered, post(window, WM_CLOSE, 0, 0)},
        {"SC_CLOSE", 60, post(window, WM_SYSCOMMAND, SC_CLOSE, 0)}, {"SC_CLOSE", kBoxShown, post(window, WM_SYSCOMMAND, SC_CLOSE, 0)},
        {"Alt+F4", 30, post(source, WM_SYSKEYDOWN, VK_F4, KF_ALTDOWN << 16)},
    };
    SetForegroundWindow(window);
    for (const auto& row : rows) {
        std::string before;  // at 5 %
        int answered = 0;
        atShow = [&](HWND) { if (row.when == kBoxShown) row.act(); };
        respond = [&](HWND) { ++answered; if (row.when == kBoxAnswered) row.act(); return IDCANCEL; };  // a chooser too
        SlowRun(1, [&](int percent) {
            if (percent == 5) SendMessageW(source, EM_SETSEL, 0, 0), SendMessageW(destination, EM_SETSEL, 0, 0), before = state();
            if (percent == row.when) row.act();
        });
        EXPECT_EQ(state(), before) << row.what;
        EXPECT_TRUE(IsWindowVisible(window) && answered == 1 && textsShown == "Concluído com sucesso.|") << row.what << ": " << textsShown;
    }
}

// The window minimises and restores during a run and while its box waits; the run answers other threads: the
// session's end is refused until the run is over, and runs the bar's timer. Once the runs are over, the window closes.
TEST_F(MainWindow, ARunRefusesTheSessionsEndButMinimisesAndRestores) {
    const HWND window = dlg.m_hWnd;
    std::vector<bool> iconic;  // at 50 % and 90 % of the run, while its box waits, after it
    DWORD_PTR sessionMayEnd = TRUE, closeGreyed = 0;
    std::thread logoff;
    SetTimer(Item(IDC_PROGRESS), 1, 10, CountBarTick);
    atShow = [&](HWND) { KillTimer(Item(IDC_PROGRESS), 1), PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0); };
    respond = [&](HWND) { iconic.push_back(IsIconic(window)), PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0); return IDOK; };
    SlowRun(3, [&](int percent) {
        if (percent == 10) PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0), logoff = std::thread([&] { SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000, &sessionMayEnd); });
        if (percent == 50) iconic.push_back(IsIconic(window)), PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0), closeGreyed = GetMenuState(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED;
        if (percent == 90) iconic.push_back(IsIconic(window));
    });
    logoff.join(), iconic.push_back(IsIconic(window));
    EXPECT_EQ(iconic, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(sessionMayEnd, FALSE) << "the session's end was not refused";
    EXPECT_GT(g_barTicks, 3) << "the bar's timer";
    EXPECT_TRUE(closeGreyed && !(GetMenuState(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED)) << "during the run only";
    // The session ends anyway in a second run: before the window answers, the new file is gone, out.dvb as it was.
    atShow = nullptr, respond = nullptr;
    const std::string out = folder.Write("out.dvb", ChannelFile({7}));
    auto outIs = [&] { return ReadAll(out) == ChannelFile({7}) ? "as it was" : "changed"; };
    std::string atSessionEnd;
    SlowRun(1, [&](int percent) {
        if (percent == 10 && SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF) == 0)
            atSessionEnd = std::to_string(std::distance(std::filesystem::directory_iterator(folder.Root()), {})) + " files, out.dvb " + outIs();
    });
    EXPECT_EQ(atSessionEnd + ", then " + outIs() + textsShown, "3 files, out.dvb as it was, then as it was");
    EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE) << "after the run";
    SendMessageW(window, WM_CLOSE, 0, 0), Pump();
    EXPECT_FALSE(IsWindowVisible(window)) << "after the run";
}

}  // namespace
