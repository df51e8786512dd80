#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include "MainWindowFixture.h"

namespace {

// What a user did in one file chooser, and what the chooser showed.
struct Choice {
    std::string typedName;  // empty: cancel
    std::string filter;     // first entry of the file-type list
};

class FileChooser : public MainWindow {
protected:
    // Presses the chooser button; in the chooser types `name` and confirms,
    // or cancels when name is empty. Returns the filter the chooser offered.
    std::string Choose(int button, const std::string& name) {
        std::string filter;
        boxes->respond = [&](HWND box) {
            wchar_t text[128] = L"";
            SendDlgItemMessageW(box, cmb1, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
            filter = WideToUtf8(text);
            if (name.empty()) return IDCANCEL;
            // Explorer-style choosers keep the name in a combo box, older ones in an edit.
            HWND field = GetDlgItem(box, cmb13) != nullptr ? GetDlgItem(box, cmb13) : GetDlgItem(box, edt1);
            SetWindowTextW(field, Utf8ToWide(name).c_str());
            return IDOK;
        };
        Click(hwnd, button);
        PumpUntilIdle(hwnd);
        boxes->respond = nullptr;
        return filter;
    }
};

TEST_F(FileChooser, CancellingKeepsThePathAndReappliesTheConvertRule) {
    Type(hwnd, IDC_SOURCE, "a.dvb");
    Type(hwnd, IDC_DESTINATION, "b.dvb");
    EnableWindow(Item(IDC_CONVERT), FALSE);  // out of step with the fields
    EXPECT_EQ(Choose(IDC_CHOOSE_SOURCE, ""), "Ficheiros do Palvero (*.dvb)");
    EXPECT_EQ(TextOf(Item(IDC_SOURCE)), "a.dvb");
    EXPECT_TRUE(IsEnabled(hwnd, IDC_CONVERT));

    EnableWindow(Item(IDC_CONVERT), FALSE);
    EXPECT_EQ(Choose(IDC_CHOOSE_DESTINATION, ""), "Ficheiros do Palvero(*.dvb)");
    EXPECT_EQ(TextOf(Item(IDC_DESTINATION)), "b.dvb");
    EXPECT_TRUE(IsEnabled(hwnd, IDC_CONVERT));
    ASSERT_EQ(boxes->shown.size(), 2u);
    EXPECT_EQ(boxes->shown[0].owner, hwnd);
}

TEST_F(FileChooser, SourceAloneKeepsConvertDisabledAndTheDestinationThenEnablesIt) {
    const std::string source = folder.Write("canais.dvb", ChannelFile({27500}));
    Choose(IDC_CHOOSE_SOURCE, source);
    EXPECT_EQ(TextOf(Item(IDC_SOURCE)), source);
    EXPECT_FALSE(IsEnabled(hwnd, IDC_CONVERT));

    Choose(IDC_CHOOSE_DESTINATION, folder.Path("novo.dvb"));
    EXPECT_EQ(TextOf(Item(IDC_DESTINATION)), folder.Path("novo.dvb"));
    EXPECT_TRUE(IsEnabled(hwnd, IDC_CONVERT));
}

TEST_F(FileChooser, DestinationTypedWithoutExtensionGetsDvb) {
    Choose(IDC_CHOOSE_DESTINATION, folder.Path("convertido"));
    EXPECT_EQ(TextOf(Item(IDC_DESTINATION)), folder.Path("convertido.dvb"));
}

TEST_F(FileChooser, MissingSourceIsAcceptedAndTheRunReportsIt) {
    folder.Write("RAVELO.INI", "");
    const std::string missing = folder.Path("nao-existe.dvb");
    Choose(IDC_CHOOSE_SOURCE, missing);
    EXPECT_EQ(TextOf(Item(IDC_SOURCE)), missing);
    Choose(IDC_CHOOSE_DESTINATION, folder.Path("novo.dvb"));
    boxes->shown.clear();
    Click(hwnd, IDC_CONVERT);
    PumpUntilIdle(hwnd);
    ASSERT_EQ(boxes->shown.size(), 1u);
    EXPECT_EQ(boxes->shown[0].text, "Não foi possível localizar o ficheiro\n" + missing);
}

// Names outside the Windows-1252 set reach the field and open.
TEST_F(FileChooser, ChosenPathsWithAnyCharactersConvert) {
    folder.Write("RAVELO.INI", "SRD: 1 > 2\n");
    const std::string source = folder.Write("canais-ção-Ωμέγα.dvb", ChannelFile({1, 3}));
    Choose(IDC_CHOOSE_SOURCE, source);
    Choose(IDC_CHOOSE_DESTINATION, folder.Path("convertido-日本.dvb"));
    EXPECT_EQ(TextOf(Item(IDC_SOURCE)), source);
    boxes->shown.clear();
    Click(hwnd, IDC_CONVERT);
    PumpUntilIdle(hwnd);
    ASSERT_EQ(boxes->shown.size(), 1u);
    EXPECT_EQ(boxes->shown[0].text, "Concluído com sucesso.");
    EXPECT_EQ(ReadAll(folder.Path("convertido-日本.dvb")), ChannelFile({2, 3}));
}

TEST_F(FileChooser, AChoiceMayMoveTheCurrentFolderButNotTheSettingsFile) {
    folder.Write("RAVELO.INI", "SRD: 1 > 2\n");
    CreateDirectoryW(folder.Root().wstring().append(L"\\outra").c_str(), nullptr);
    folder.Write("outra\\RAVELO.INI", "SRD: 1 > 9\n");
    const std::string source = folder.Write("canais.dvb", ChannelFile({1}));
    Choose(IDC_CHOOSE_SOURCE, source);
    Choose(IDC_CHOOSE_DESTINATION, folder.Path("outra\\novo.dvb"));
    // The chooser leaves the process in the folder it showed (Wine: its initial C:\).
    wchar_t current[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_NE(std::filesystem::path(current), folder.Root());

    Click(hwnd, IDC_CONVERT);
    PumpUntilIdle(hwnd);
    EXPECT_EQ(ReadAll(folder.Path("outra\\novo.dvb")), ChannelFile({2}));
}

}  // namespace
