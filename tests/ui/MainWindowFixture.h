#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "AdjusterDlg.h"
#include "ChannelFile.h"
#include "TempDir.h"
#include "Utf8.h"
#include "WindowDriver.h"

// The real main window, created in a fresh current folder (where it looks for
// RAVELO.INI), with every message box recorded and closed.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t previous[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, previous);
        m_previousDir = previous;
        SetCurrentDirectoryW(folder.Root().wstring().c_str());
        dlg = std::make_unique<CAdjusterDlg>();
        ASSERT_TRUE(dlg->Create());
        hwnd = dlg->m_hWnd;
        PumpUntilIdle(hwnd);
        boxes = std::make_unique<DialogRecorder>();
    }
    void TearDown() override {
        boxes.reset();
        dlg.reset();
        SetCurrentDirectoryW(m_previousDir.c_str());
    }

    HWND Item(int id) const { return GetDlgItem(hwnd, id); }
    std::vector<std::string> Rows() const { return ListRows(Item(IDC_RATE_LIST)); }

    // Types both paths and presses "Converter".
    void Convert(const std::string& source, const std::string& destination) {
        Type(hwnd, IDC_SOURCE, source);
        Type(hwnd, IDC_DESTINATION, destination);
        Click(hwnd, IDC_CONVERT);
        PumpUntilIdle(hwnd);
    }

    TempDir folder;
    std::unique_ptr<CAdjusterDlg> dlg;
    HWND hwnd = nullptr;
    std::unique_ptr<DialogRecorder> boxes;

private:
    std::wstring m_previousDir;
};

