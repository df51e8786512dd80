#pragma once

#include "BusyPolicy.h"
#include "ConversionEngine.h"
#include "ConversionView.h"
#include "Dialog.h"
#include "MessageTable.h"
#include "ProgressCtrl.h"
#include "RateListCtrl.h"
#include "resource.h"

// The main window, template 102. It owns the conversion engine, which holds
// the state of a run, and shows the run through ConversionView.
class CAdjusterDlg : public CDialog, public ConversionView {
public:
    CAdjusterDlg();

    bool OnInitDialog() override;
    // The engine's run, with the window brought up to date at its end. It
    // runs on this thread, taking what m_busy allows as it paints.
    void OnConvert();

    // ConversionView
    void PullPaths(std::string& source, std::string& destination) override;
    void ShowConvertedCount(uint64_t count) override;
    void ShowMessage(const std::string& text, const std::optional<std::string>& caption, MessageIcon icon) override;
    void SetProgress(int percent) override;
    void ClearRateList() override;
    int AddRateRow(uint16_t rate, uint64_t recordNo) override;

protected:
    // What the fields show (data exchange); the engine keeps what it runs on.
    std::string m_source;
    std::string m_destination;
    uint64_t m_convertedCount = 0;
    CRateListCtrl m_list;
    CProgressCtrl m_progress;
    HICON m_hIcon;

    void DoDataExchange(CDataExchange& dx) override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    void OnSysCommand(UINT command, LPARAM parameter);
    void OnPaint();
    HICON OnQueryDragIcon();
    void OnChooseSource();
    void OnChooseDestination();
    void OnPathChanged();
    void OnDropFiles(HDROP drop);
    void OnDisplaySchemeChanged();
    void OnColumnClick(NMHDR* header, LRESULT* result);
    void UpdateConvertButton();

private:
    void ShowPath(int field, const std::string& path);
    // A run changes the count, the bar and the list once per record; they are
    // brought on screen on a clock, before each message box and at the end.
    void ShowOnClock();
    void ShowPending();

    static const MessageEntry<CAdjusterDlg> kMessageTable[];
    ConversionEngine m_engine{*this};
    DWORD m_lastShown = 0;  // GetTickCount of the last ShowPending
    int m_percent = 0;
    bool m_countPending = false;
    bool m_percentPending = false;
    bool m_rowsPending = false;  // rows inserted since BeginInsertRows
    CBusyPolicy m_busy{*this};   // from "Converter" until the run's last message is closed
};
