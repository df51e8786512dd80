#include "AdjusterDlg.h"

#include "AboutDlg.h"
#include "DropTarget.h"
#include "DroppedFiles.h"
#include "FileDialog.h"
#include "PastedPath.h"
#include "RateRowTexts.h"
#include "Shortcut.h"
#include "TickClock.h"
#include "WorkingDirectory.h"

namespace {
constexpr DWORD kChooserFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
constexpr const char* kChooserFolder = "C:\\";
constexpr const char* kChannelPattern = "*.dvb";
// The two descriptions differ by the blank before the parenthesis, and must.
constexpr const char* kOpenFilterName = "Ficheiros do Palvero (*.dvb)";
constexpr const char* kSaveFilterName = "Ficheiros do Palvero(*.dvb)";
constexpr const char* kSortingUnfinished =
    "A ordenação por selecção de item ainda não foi acabada de implementar nesta versão.";
constexpr DWORD kShowEveryMs = 50;

// Shown by Windows (Vista and later) to a user who logs off or shuts down during a run.
std::string ShutdownReason(const std::string& destination) {
    return "A converter para " + destination + "; aguarde o fim da conversão.";
}

// The caption's icon, drawn for its own size rather than shrunk from the window's large one.
HICON SmallIcon() {
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                           ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                           LR_SHARED));
}
}  // namespace

const MessageEntry<CAdjusterDlg> CAdjusterDlg::kMessageTable[] = {
    {WM_SYSCOMMAND, 0, 0, &CAdjusterDlg::OnSysCommand},
    {WM_PAINT, 0, 0, &CAdjusterDlg::OnPaint},
    {WM_QUERYDRAGICON, 0, 0, &CAdjusterDlg::OnQueryDragIcon},
    {WM_COMMAND, BN_CLICKED, IDC_CHOOSE_SOURCE, &CAdjusterDlg::OnChooseSource},
    {WM_COMMAND, BN_CLICKED, IDC_CONVERT, &CAdjusterDlg::OnConvert},
    {WM_COMMAND, BN_CLICKED, IDC_CHOOSE_DESTINATION, &CAdjusterDlg::OnChooseDestination},
    {WM_COMMAND, EN_CHANGE, IDC_DESTINATION, &CAdjusterDlg::OnPathChanged},
    {WM_COMMAND, EN_CHANGE, IDC_SOURCE, &CAdjusterDlg::OnPathChanged},
    {WM_NOTIFY, static_cast<UINT>(LVN_COLUMNCLICK), IDC_RATE_LIST, &CAdjusterDlg::OnColumnClick},
    {WM_DROPFILES, 0, 0, &CAdjusterDlg::OnDropFiles},
    {WM_SYSCOLORCHANGE, 0, 0, &CAdjusterDlg::OnDisplaySchemeChanged},
    {WM_SETTINGCHANGE, 0, 0, &CAdjusterDlg::OnDisplaySchemeChanged},
};

CAdjusterDlg::CAdjusterDlg()
    : CDialog(IDD_ADJUSTER_DIALOG),
      m_hIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

bool CAdjusterDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (m_busy.Decide(message, wParam, lParam, result)) return true;
    return DispatchMessageTable(*this, kMessageTable, message, wParam, lParam, result);
}

void CAdjusterDlg::DoDataExchange(CDataExchange& dx) {
    dx.Control(IDC_RATE_LIST, m_list);
    dx.Control(IDC_PROGRESS, m_progress);
    dx.Text(IDC_SOURCE, m_source);
    dx.Text(IDC_DESTINATION, m_destination);
    dx.Text(IDC_CONVERTED_COUNT, m_convertedCount);
}

bool CAdjusterDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (HMENU systemMenu = GetSystemMenu(false)) {
        wchar_t text[256];
        if (::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 256) > 0) {
            ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, text);
        }
    }
    SetIcon(m_hIcon, true);
    SetIcon(SmallIcon(), false);
    DragAcceptFiles();
    LetDropsReachAnElevatedWindow();

    m_convertedCount = 0;
    // The settings file is looked for here, whatever folder the choosers visit later.
    m_engine.SetWorkingDirectory(CurrentDirectory());
    return true;
}

void CAdjusterDlg::OnSysCommand(UINT command, LPARAM) {
    if ((command & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        Default();
    }
}

void CAdjusterDlg::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(*this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
    RECT client;
    GetClientRect(&client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.m_hDC, x, y, m_hIcon);
}

HICON CAdjusterDlg::OnQueryDragIcon() { return m_hIcon; }

// The chosen file needs not exist: a missing source is reported by the run.
void CAdjusterDlg::OnChooseSource() {
    CFileDialog dialog(true, kChooserFlags);
    dialog.SetFilter(kOpenFilterName, kChannelPattern);
    dialog.SetInitialDir(kChooserFolder);
    if (dialog.DoModal() == IDOK) ShowPath(IDC_SOURCE, dialog.GetPathName());
    UpdateConvertButton();
}

void CAdjusterDlg::OnChooseDestination() {
    CFileDialog dialog(false, kChooserFlags);
    dialog.SetFilter(kSaveFilterName, kChannelPattern);
    dialog.SetInitialDir(kChooserFolder);
    dialog.SetDefaultExtension("dvb");
    if (dialog.DoModal() == IDOK) ShowPath(IDC_DESTINATION, dialog.GetPathName());
    UpdateConvertButton();
}

void CAdjusterDlg::UpdateConvertButton() {
    UpdateData(true);
    GetDlgItem(IDC_CONVERT).EnableWindow(!m_source.empty() && !m_destination.empty());
}

void CAdjusterDlg::OnPathChanged() { UpdateConvertButton(); }

// A chosen or dropped path, scrolled to its end so that the file's name shows.
void CAdjusterDlg::ShowPath(int field, const std::string& path) {
    (field == IDC_DESTINATION ? m_destination : m_source) = path;
    UpdateData(false);
    GetDlgItem(field).ShowTextEnd();
}

// A file dropped onto a row (label, field or button) goes to its field; anywhere else in the
// window, into "Origem". A shortcut whose target cannot be found changes nothing.
void CAdjusterDlg::OnDropFiles(HDROP drop) {
    const CDroppedFiles files(drop);
    const std::string name = files.FirstPath();
    if (name.empty()) return;
    POINT point;
    const int field = files.Point(point) ? FieldForDrop(m_hWnd, point) : IDC_SOURCE;
    if (const std::optional<std::string> path = FileBehindShortcut(name)) ShowPath(field, *path);
    UpdateConvertButton();
}

void CAdjusterDlg::OnDisplaySchemeChanged() {
    m_list.ApplyColours();
    Default();
}

void CAdjusterDlg::OnColumnClick(NMHDR*, LRESULT* result) {
    if (m_list.GetItemCount() > 0) ShowMessage(kSortingUnfinished, std::nullopt, MessageIcon::None);
    *result = 0;
}

void CAdjusterDlg::OnConvert() {
    const CBusyPolicy::Scope busy(m_busy, [this] { m_engine.AbandonRun(); });
    m_lastShown = 0;  // the count's 0 shows at once
    m_engine.Convert();
    ShowPending();
}

// The fields keep showing what was typed or pasted; the run takes the paths in it.
void CAdjusterDlg::PullPaths(std::string& source, std::string& destination) {
    UpdateData(true);
    source = PastedPath(m_source);
    destination = PastedPath(m_destination);
    m_busy.SetShutdownReason(ShutdownReason(destination));
}

void CAdjusterDlg::ShowConvertedCount(uint64_t count) {
    m_convertedCount = count;
    m_countPending = true;
    ShowOnClock();
}

void CAdjusterDlg::ShowMessage(const std::string& text, const std::optional<std::string>& caption, MessageIcon icon) {
    ShowPending();
    m_busy.Pump();  // a key pressed just before must not close the box
    MessageBox(text, caption, MB_OK | (icon == MessageIcon::Error ? MB_ICONERROR : 0));
}

void CAdjusterDlg::SetProgress(int percent) {
    m_percentPending = m_percentPending || percent != m_percent;
    m_percent = percent;
    ShowOnClock();
}

void CAdjusterDlg::ClearRateList() { m_list.DeleteAllItems(); }

int CAdjusterDlg::AddRateRow(uint16_t rate, uint64_t recordNo) {
    if (!m_rowsPending) m_list.BeginInsertRows();
    m_rowsPending = true;
    const RateRowTexts texts(rate, recordNo);
    const int index = m_list.InsertSorted(texts.hex);
    if (index == -1) return -1;
    m_list.SetItemText(index, 1, texts.dec);
    m_list.SetItemText(index, 2, texts.line);
    return index;
}

void CAdjusterDlg::ShowOnClock() {
    if (!TickIntervalPassed(::GetTickCount(), m_lastShown, kShowEveryMs)) return;
    ShowPending();
    // Also tells Windows that the window still works (after 5 s without a look at the queue it
    // is shown as not responding).
    m_busy.Pump();
}

// The run keeps the thread busy, so nothing is painted unless asked for here.
void CAdjusterDlg::ShowPending() {
    if (m_countPending) UpdateData(false);
    if (m_percentPending) m_progress.SetPos(m_percent);
    if (m_rowsPending) m_list.EndInsertRows();
    m_countPending = m_percentPending = m_rowsPending = false;
    UpdateWindowAndChildren();
    m_lastShown = ::GetTickCount();
}
