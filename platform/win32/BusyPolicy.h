#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "Wnd.h"

// What a window takes while a long operation runs on its own thread, message boxes of the
// operation included. The operation calls Pump now and then; the window's procedure asks
// Decide first. While busy:
// - keys and clicks aimed at the controls are dropped as they come; the window's frame and
//   system keys (Alt+Space, Alt+F4) still reach the window itself;
// - commands, dropped files and the window's own system-menu items are refused, and so is
//   every close request (WM_CLOSE, SC_CLOSE, Alt+F4), the close box and those items greyed;
//   the system's other commands (minimise, restore, move, the screen saver) work;
// - the end of the session is refused (with a reason that Windows shows from Vista on); if
//   it ends anyway, the operation is told before the window answers.
class CBusyPolicy {
public:
    explicit CBusyPolicy(CWnd& window) : m_window(window) {}
    CBusyPolicy(const CBusyPolicy&) = delete;
    CBusyPolicy& operator=(const CBusyPolicy&) = delete;

    // Busy for the scope's life; onSessionEnd runs if the session ends meanwhile.
    class Scope {
    public:
        Scope(CBusyPolicy& policy, std::function<void()> onSessionEnd) : m_policy(policy) {
            m_policy.Begin(std::move(onSessionEnd));
        }
        ~Scope() { m_policy.End(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        CBusyPolicy& m_policy;
    };

    // What Windows shows the user who logs off or shuts down while the window is busy.
    void SetShutdownReason(const std::string& text);
    // Handles what is queued for this thread as the rules above say; does nothing when idle.
    void Pump();
    // True when the message was decided here; result is its answer.
    bool Decide(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    void Begin(std::function<void()> onSessionEnd);
    void End();
    void GreyMenuItems(bool grey);
    bool Takes(MSG& message) const;
    bool MinimisedOrRestoredWhileDisabled(WPARAM command);

    CWnd& m_window;
    bool m_busy = false;
    bool m_reasonShown = false;
    std::function<void()> m_onSessionEnd;
    std::optional<int> m_quitCode;  // a WM_QUIT met while busy, posted again at the end
};
