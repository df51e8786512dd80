#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Drives real windows of this process the way a user's actions do, and reads
// back what they show.

// Dispatches queued messages (through the dialog's keyboard handling) until
// the queue stays empty.
void PumpUntilIdle(HWND dialog);

std::string TextOf(HWND window);
void Type(HWND dialog, int id, const std::string& text);   // WM_SETTEXT, as a paste would
void Click(HWND dialog, int id);                            // BM_CLICK
void PressKey(HWND dialog, int id, WPARAM key);             // key down/up in a control
bool IsEnabled(HWND dialog, int id);

// Rows of a list view, each as its column texts joined by " | ".
std::vector<std::string> ListRows(HWND list);

enum class ShownIcon { None, Error, Other };

struct ShownDialog {
    std::string caption;
    std::string text;  // a message box's text (control 0xFFFF)
    ShownIcon icon = ShownIcon::None;
    HWND owner = nullptr;
    RECT rect{};
};

// A thread-local CBT hook: every owned dialog box (message boxes, the About
// box, file choosers) that this thread activates is recorded and answered:
// with OK, or with the command that `respond` returns.
class DialogRecorder {
public:
    DialogRecorder();
    ~DialogRecorder();
    DialogRecorder(const DialogRecorder&) = delete;
    DialogRecorder& operator=(const DialogRecorder&) = delete;

    std::vector<ShownDialog> shown;
    // Runs while a recorded box is up; returns the command that answers it.
    std::function<int(HWND box)> respond;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) noexcept;
    static void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD) noexcept;
    HHOOK m_hook;
    std::vector<std::pair<UINT_PTR, HWND>> m_pending;  // timer -> box to answer
};

// Records one message's parameter each time a control receives it.
class MessageLog {
public:
    MessageLog(HWND control, UINT message);
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    std::vector<std::string> entries;  // WM_SETTEXT: the text; otherwise wParam in decimal

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR) noexcept;
    HWND m_control;
    UINT m_message;
};
