#include <windows.h>
#include <commctrl.h>

#include "AppName.h"
#include "MainWindowFixture.h"

namespace {

const std::string kAppName = "ui_tests";  // this program's file name, without .exe

TEST_F(MainWindow, ConvertIsEnabledOnlyWhileBothPathsAreFilled) {
    struct Step { const char* source; const char* destination; bool enabled; };
    const Step steps[] = {
        {"", "", false}, {"a.dvb", "", false}, {"a.dvb", "b.dvb", true}, {"", "b.dvb", false},
        {" ", "b.dvb", true}, {" ", "", false}, {"a.dvb", "  ", true},
    };
    EXPECT_FALSE(IsEnabled(hwnd, IDC_CONVERT)) << "disabled at start";
    for (const Step& step : steps) {
        Type(hwnd, IDC_SOURCE, step.source);
        Type(hwnd, IDC_DESTINATION, step.destination);
        EXPECT_EQ(IsEnabled(hwnd, IDC_CONVERT), step.enabled)
            << "source '" << step.source << "', destination '" << step.destination << "'";
    }
}

TEST_F(MainWindow, ShowsTheRunInTheCountTheBarAndTheSortedList) {
    folder.Write("RAVELO.INI", "SRD: 5 > 6\n");
    folder.Write("in.dvb", ChannelFile({1000, 10, 5, 65535, 5, 1000}));
    MessageLog bar(Item(IDC_PROGRESS), PBM_SETPOS);
    MessageLog count(Item(IDC_CONVERTED_COUNT), WM_SETTEXT);

    Convert(folder.Path("in.dvb"), folder.Path("out.dvb"));

    EXPECT_EQ(bar.entries, (std::vector<std::string>{"0", "16", "33", "50", "66", "83", "100"}));
    EXPECT_EQ(count.entries, (std::vector<std::string>{"1", "2"}));  // "0" was already there
    EXPECT_EQ(TextOf(Item(IDC_CONVERTED_COUNT)), "2");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"000A | 10 | 2", "03E8 | 1000 | 1", "FFFF | 65535 | 4"}));
    ASSERT_EQ(boxes->shown.size(), 1u);
    EXPECT_EQ(boxes->shown[0].text, "Concluído com sucesso.");
    EXPECT_EQ(boxes->shown[0].caption, kAppName);
    EXPECT_EQ(boxes->shown[0].icon, ShownIcon::None);
    EXPECT_EQ(boxes->shown[0].owner, hwnd);
    EXPECT_EQ(ReadAll(folder.Path("out.dvb")), ChannelFile({1000, 10, 6, 65535, 6, 1000}));
}

TEST_F(MainWindow, CountShowsZeroFromThePressAndAStoppedRunKeepsTheRows) {
    folder.Write("RAVELO.INI", "SRD: 10 > 11\n");
    folder.Write("in.dvb", ChannelFile({10, 10, 7}));
    Convert(folder.Path("in.dvb"), folder.Path("out.dvb"));
    ASSERT_EQ(TextOf(Item(IDC_CONVERTED_COUNT)), "2");

    DeleteFileW(folder.Root().wstring().append(L"\\RAVELO.INI").c_str());
    std::string countWhileShown;
    boxes->respond = [&](HWND) {
        countWhileShown = TextOf(Item(IDC_CONVERTED_COUNT));
        return IDOK;
    };
    Click(hwnd, IDC_CONVERT);
    PumpUntilIdle(hwnd);

    ASSERT_EQ(boxes->shown.size(), 2u);
    EXPECT_EQ(boxes->shown[1].text, "Não foi possivel aceder ao ficheiro de inicialização!");
    EXPECT_EQ(boxes->shown[1].caption, folder.Path("RAVELO.INI"));
    EXPECT_EQ(boxes->shown[1].icon, ShownIcon::Error);
    EXPECT_EQ(countWhileShown, "0");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"0007 | 7 | 3"}));
}

// Each way a run can stop, with the message a user sees and whether the
// previous run's rows survive it.
TEST_F(MainWindow, EachRunMessageHasItsCaptionAndIcon) {
    folder.Write("RAVELO.INI", "SRD: 1 > 2\n");
    folder.Write("old.dvb", ChannelFile({7}));
    folder.Write("empty.dvb", std::string());
    folder.Write("short.dvb", std::string(10, 'x'));
    const std::string out = folder.Path("out.dvb");
    const std::string missing = folder.Path("missing.dvb");
    const std::string noFolder = folder.Path("no\\such\\folder.dvb");
    const std::string old = folder.Path("old.dvb");
    struct Case {
        std::string source, destination, text, caption;
        ShownIcon icon;
        bool rowsKept;
    };
    const Case cases[] = {
        {old, old, "Os ficheiros origem e destino são iguais!", kAppName, ShownIcon::None, true},
        {missing, out, "Não foi possível localizar o ficheiro\n" + missing, kAppName, ShownIcon::None, true},
        {old, noFolder, "Não foi possível criar o ficheiro\n" + noFolder, kAppName, ShownIcon::None, true},
        {folder.Path("empty.dvb"), out, "O ficheiro não é válido.", out, ShownIcon::Error, true},
        {folder.Path("short.dvb"), out, "O stream fonte poderá estar corrupto.", out, ShownIcon::Error, false},
    };
    for (const Case& c : cases) {
        Convert(old, out);  // fills the list with one row
        ASSERT_EQ(Rows().size(), 1u);
        boxes->shown.clear();
        Convert(c.source, c.destination);
        ASSERT_EQ(boxes->shown.size(), 1u) << c.text;
        EXPECT_EQ(boxes->shown[0].text, c.text);
        EXPECT_EQ(boxes->shown[0].caption, c.caption) << c.text;
        EXPECT_EQ(boxes->shown[0].icon, c.icon) << c.text;
        EXPECT_EQ(Rows().size(), c.rowsKept ? 1u : 0u) << c.text;
    }
}

TEST_F(MainWindow, SyntaxErrorsAreShownLineByLineAndTheRunGoesOn) {
    folder.Write("RAVELO.INI", "srh: zz > 1\nSRD: 3 > 4\n");
    folder.Write("in.dvb", ChannelFile({3}));
    Convert(folder.Path("in.dvb"), folder.Path("out.dvb"));
    ASSERT_EQ(boxes->shown.size(), 2u);
    EXPECT_EQ(boxes->shown[0].text, "Erro de sintaxe em RAVELO.INI");
    EXPECT_EQ(boxes->shown[0].caption, "SRH: ZZ > 1\n");
    EXPECT_EQ(boxes->shown[0].icon, ShownIcon::Error);
    EXPECT_EQ(boxes->shown[1].text, "Concluído com sucesso.");
    EXPECT_EQ(TextOf(Item(IDC_CONVERTED_COUNT)), "1");
}

TEST_F(MainWindow, ColumnClickShowsTheNoticeOnlyWhenTheListHasRows) {
    auto clickColumn = [&](int column) {
        NMLISTVIEW click{};
        click.hdr = {Item(IDC_RATE_LIST), IDC_RATE_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
        click.iSubItem = column;
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 77);
        SendMessageW(hwnd, WM_NOTIFY, IDC_RATE_LIST, reinterpret_cast<LPARAM>(&click));
        return GetWindowLongPtrW(hwnd, DWLP_MSGRESULT);
    };
    EXPECT_EQ(clickColumn(0), 0);
    EXPECT_TRUE(boxes->shown.empty());

    folder.Write("RAVELO.INI", "");
    folder.Write("in.dvb", ChannelFile({65535, 1000, 10}));
    Convert(folder.Path("in.dvb"), folder.Path("out.dvb"));
    boxes->shown.clear();
    const auto before = Rows();
    EXPECT_EQ(clickColumn(1), 0);
    ASSERT_EQ(boxes->shown.size(), 1u);
    EXPECT_EQ(boxes->shown[0].text,
              "A ordenação por selecção de item ainda não foi acabada de implementar nesta versão.");
    EXPECT_EQ(boxes->shown[0].caption, kAppName);
    EXPECT_EQ(boxes->shown[0].icon, ShownIcon::None);
    EXPECT_EQ(Rows(), before);
}

// Rewriting the fields from the members (as the count refresh does) must not
// count as the user editing them.
TEST_F(MainWindow, FieldsRewrittenByTheDialogDoNotReapplyTheConvertRule) {
    Type(hwnd, IDC_SOURCE, "a.dvb");
    Type(hwnd, IDC_DESTINATION, "b.dvb");
    ASSERT_TRUE(IsEnabled(hwnd, IDC_CONVERT));
    dlg->m_destination.clear();
    dlg->ShowConvertedCount();
    EXPECT_EQ(TextOf(Item(IDC_DESTINATION)), "");
    EXPECT_TRUE(IsEnabled(hwnd, IDC_CONVERT));
}

TEST_F(MainWindow, EnterInAPathFieldConvertsOnlyWhenConvertIsEnabled) {
    folder.Write("RAVELO.INI", "");
    folder.Write("in.dvb", ChannelFile({1}));
    Type(hwnd, IDC_SOURCE, folder.Path("in.dvb"));
    PressKey(hwnd, IDC_SOURCE, VK_RETURN);
    EXPECT_TRUE(boxes->shown.empty());
    EXPECT_TRUE(IsWindowVisible(hwnd));

    Type(hwnd, IDC_DESTINATION, folder.Path("out.dvb"));
    PressKey(hwnd, IDC_DESTINATION, VK_RETURN);
    ASSERT_EQ(boxes->shown.size(), 1u);
    EXPECT_EQ(boxes->shown[0].text, "Concluído com sucesso.");
    EXPECT_TRUE(IsWindowVisible(hwnd));
}

TEST_F(MainWindow, SairEndsTheDialogWithOk) {
    Click(hwnd, IDOK);
    EXPECT_EQ(dlg->GetResult(), IDOK);
    EXPECT_FALSE(IsWindowVisible(hwnd));
}

TEST_F(MainWindow, EscapeEndsTheDialogWithCancel) {
    PressKey(hwnd, IDC_SOURCE, VK_ESCAPE);
    EXPECT_EQ(dlg->GetResult(), IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(hwnd));
}

TEST_F(MainWindow, SystemMenuEndsWithTheAboutCommandWhichOpensTheAboutBox) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    wchar_t text[64] = L"";
    GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
    EXPECT_EQ(WideToUtf8(text), "&Acerca do Ravelo...");
    EXPECT_EQ(GetMenuItemID(menu, count - 1), 0x0010u);
    EXPECT_EQ(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));

    SendMessageW(hwnd, WM_SYSCOMMAND, 0x0010, 0);
    ASSERT_EQ(boxes->shown.size(), 1u);
    const ShownDialog& about = boxes->shown[0];
    EXPECT_EQ(about.caption, "Acerca do Ravelo...não há muito para dizer...");
    EXPECT_EQ(about.owner, hwnd);
    RECT main;
    GetWindowRect(hwnd, &main);
    EXPECT_NEAR((about.rect.left + about.rect.right) / 2, (main.left + main.right) / 2, 1);
    EXPECT_NEAR((about.rect.top + about.rect.bottom) / 2, (main.top + main.bottom) / 2, 1);

    SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);  // left to the system: closes as Cancel
    PumpUntilIdle(hwnd);
    EXPECT_EQ(dlg->GetResult(), IDCANCEL);
}

TEST(ApplicationName, IsTheProgramFileNameWithoutFolderAndExtension) {
    const std::pair<const wchar_t*, const char*> cases[] = {
        {L"C:\\Programas\\Ravelo.exe", "Ravelo"}, {L"Ravelo.exe", "Ravelo"},
        {L"C:\\a.b\\Ravelo", "Ravelo"},          {L"\\\\srv\\p\\Meu.Prog.exe", "Meu.Prog"},
        {L"D:Ajustador.EXE", "Ajustador"},       {L"C:\\Programas\\Ajustador\u00e7\u00e3o.exe", "Ajustadorção"},
    };
    for (const auto& [path, name] : cases) EXPECT_EQ(ApplicationNameFromPath(path), name);
    EXPECT_EQ(ApplicationName(), "ui_tests");
}

}  // namespace
