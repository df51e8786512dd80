#include "ConsoleStream.h"

#include <windows.h>

#include "ConsolePieces.h"
#include "Utf8.h"

ConsoleStream::ConsoleStream(Which which)
    : ConsoleStream(GetStdHandle(which == Which::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE)) {}

ConsoleStream::ConsoleStream(Native stream) : m_stream(stream) {
    DWORD mode = 0;
    m_terminal = m_stream != nullptr && m_stream != INVALID_HANDLE_VALUE &&
                 GetConsoleMode(static_cast<HANDLE>(m_stream), &mode) != 0;
}

bool ConsoleStream::WriteNow(const std::string& utf8) {
    HANDLE handle = static_cast<HANDLE>(m_stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    if (m_terminal) {
        // What comes here was made fit to show before (BytesToDisplayText).
        std::wstring wide;
        if (!Utf8ToWide(utf8, wide)) return false;
        return WriteConsolePieces(wide, [handle](const wchar_t* units, std::size_t count) -> std::size_t {
            DWORD written = 0;
            return WriteConsoleW(handle, units, static_cast<DWORD>(count), &written, nullptr) ? written : 0;
        });
    }
    // A file or a pipe gets UTF-8 with CR LF line ends, as Windows' own console
    // programs write them and as Notepad before Windows 10 needs them.
    std::string text;
    text.reserve(utf8.size() + utf8.size() / 16);
    for (char c : utf8) {
        if (c == '\n') text.push_back('\r');
        text.push_back(c);
    }
    DWORD written = 0;
    for (std::size_t done = 0; done < text.size(); done += written) {
        if (!WriteFile(handle, text.data() + done, static_cast<DWORD>(text.size() - done), &written, nullptr) ||
            written == 0)
            return false;
    }
    return true;
}
