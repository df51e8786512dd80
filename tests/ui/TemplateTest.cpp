#include <windows.h>
#include <commctrl.h>

#include "AppName.h"
#include "MainWindowFixture.h"

namespace {

struct ControlSpec {
    int id;
    const wchar_t* className;
    const char* text;
    RECT dialogUnits;  // x, y, width, height
    LONG style;        // bits that must be set
    LONG absentStyle;  // bits that must be clear
    enum Border { None, Sunken, OwnFrame } border = None;  // OwnFrame: the control draws it
};

// Template 102 in z-order, which is also its tab order.
const ControlSpec kMainTemplate[] = {
    {IDC_SOURCE, L"Edit", "", {40, 15, 135, 15}, WS_TABSTOP | ES_AUTOHSCROLL, 0, ControlSpec::Sunken},
    {IDC_CHOOSE_SOURCE, L"Button", "Ler de...", {180, 15, 50, 14}, WS_TABSTOP, BS_DEFPUSHBUTTON},
    {IDC_DESTINATION, L"Edit", "", {40, 35, 135, 15}, WS_TABSTOP | ES_AUTOHSCROLL, 0, ControlSpec::Sunken},
    {IDC_CHOOSE_DESTINATION, L"Button", "Gravar para...", {180, 35, 50, 14}, WS_TABSTOP, BS_DEFPUSHBUTTON},
    {IDC_CONVERT, L"Button", "Converter", {10, 90, 50, 14}, WS_TABSTOP | WS_DISABLED | BS_DEFPUSHBUTTON, 0},
    {IDOK, L"Button", "Sair", {180, 225, 50, 14}, WS_TABSTOP, BS_DEFPUSHBUTTON},
    {-1, L"Button", "Controlo do sistema", {5, 215, 230, 30}, BS_GROUPBOX, WS_TABSTOP},
    {-1, L"Button", "Conversão", {5, 65, 230, 150}, BS_GROUPBOX, WS_TABSTOP},
    {-1, L"Button", "Definição dos ficheiros", {5, 0, 230, 65}, BS_GROUPBOX, WS_TABSTOP},
    {-1, L"Static", "Origem", {13, 19, 23, 8}, WS_GROUP, 0},
    {-1, L"Static", "Destino", {13, 39, 25, 8}, WS_GROUP, 0},
    {IDC_PROGRESS, L"msctls_progress32", "", {10, 75, 220, 10}, PBS_SMOOTH, WS_TABSTOP, ControlSpec::OwnFrame},
    {IDC_RATE_LIST, L"SysListView32", "", {10, 120, 220, 90},
     WS_TABSTOP | LVS_REPORT | LVS_SORTASCENDING, 0, ControlSpec::Sunken},
    {-1, L"Static", "Lista de SimbRate não corrigidos :", {10, 110, 105, 10}, WS_GROUP, 0},
    {IDC_CONVERTED_COUNT, L"Edit", "0", {71, 89, 40, 15},
     ES_READONLY | ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL, WS_TABSTOP, ControlSpec::Sunken},
    {-1, L"Static", "<- Contagem de SR convertidos", {114, 91, 116, 10}, WS_GROUP, 0},
};

TEST_F(MainWindow, ControlsFollowTheTemplate) {
    EXPECT_EQ(TextOf(hwnd), "Marquelint ajustador");
    EXPECT_TRUE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_FALSE(GetWindowLongW(hwnd, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    HWND child = GetWindow(hwnd, GW_CHILD);
    for (const ControlSpec& spec : kMainTemplate) {
        ASSERT_NE(child, nullptr) << spec.text;
        wchar_t className[32] = L"";
        GetClassNameW(child, className, 32);
        EXPECT_STRCASEEQ(WideToUtf8(className).c_str(), WideToUtf8(spec.className).c_str()) << spec.text;
        if (spec.id != -1) {
            EXPECT_EQ(GetDlgCtrlID(child), spec.id) << spec.text;
        }
        EXPECT_EQ(TextOf(child), spec.text);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        EXPECT_EQ(style & spec.style, spec.style) << spec.text;
        EXPECT_EQ(style & spec.absentStyle, 0) << spec.text;
        // A bordered control of a new-style dialog gets a sunken edge instead.
        const bool sunken = (style & WS_BORDER) || (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        if (spec.border != ControlSpec::OwnFrame) {
            EXPECT_EQ(sunken, spec.border == ControlSpec::Sunken) << spec.text;
        }
        // Position and size are converted separately, as the dialog manager does.
        RECT units = spec.dialogUnits;
        MapDialogRect(hwnd, &units);
        const RECT expected = {units.left, units.top, units.left + units.right, units.top + units.bottom};
        RECT actual;
        GetWindowRect(child, &actual);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_TRUE(EqualRect(&expected, &actual)) << spec.text;
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "no other controls";
    EXPECT_TRUE(GetWindowLongW(Item(IDC_RATE_LIST), GWL_EXSTYLE) & WS_EX_RIGHT);
    EXPECT_TRUE(GetWindowLongW(Item(IDC_CONVERTED_COUNT), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
}

TEST_F(MainWindow, TabOrderStartsInTheSourceFieldAndSkipsTheDisabledButton) {
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_SOURCE);
    const int expected[] = {IDC_CHOOSE_SOURCE, IDC_DESTINATION, IDC_CHOOSE_DESTINATION, IDOK,
                            IDC_RATE_LIST, IDC_SOURCE};
    HWND at = Item(IDC_SOURCE);
    for (int id : expected) {
        at = GetNextDlgTabItem(hwnd, at, FALSE);
        EXPECT_EQ(GetDlgCtrlID(at), id);
    }
}

TEST_F(MainWindow, RateListHasItsColumnsAndColours) {
    HWND list = Item(IDC_RATE_LIST);
    RECT client;
    GetClientRect(list, &client);
    const int third = (client.right - 15) / 3;
    struct Column { const char* heading; int format; int width; };
    const Column columns[] = {{"[HEX]", LVCFMT_RIGHT, third / 2}, {"[DEC]", LVCFMT_RIGHT, third / 2},
                              {"Linha", LVCFMT_LEFT, 2 * third}};
    for (int i = 0; i < 3; ++i) {
        wchar_t heading[16] = L"";
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.pszText = heading;
        column.cchTextMax = 16;
        ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_EQ(WideToUtf8(heading), columns[i].heading);
        EXPECT_EQ(column.cx, columns[i].width) << columns[i].heading;
        EXPECT_EQ(column.iSubItem, i);
        if (i > 0) {  // the leftmost column is always drawn left-aligned
            EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, columns[i].format) << columns[i].heading;
        }
    }
    EXPECT_FALSE(SendMessageW(list, LVM_GETCOLUMNW, 3, reinterpret_cast<LPARAM>(&client)));
    EXPECT_EQ(SendMessageW(list, LVM_GETBKCOLOR, 0, 0), 0xE0E0FF);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(list, LVM_GETTEXTBKCOLOR, 0, 0)), CLR_NONE);
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
