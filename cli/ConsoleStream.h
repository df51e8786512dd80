#pragma once

#include <string>

// Standard output or standard error, written as UTF-8 text. On a Windows
// console the text goes through the console's wide interface, so accents show
// whatever the console's code page; to a Windows file or pipe each "\n" goes
// out as CR LF; everywhere else the bytes go out as they are. Output is kept until Flush (or until enough has
// gathered), so thousands of rows cost few system calls.
class ConsoleStream {
public:
    enum class Which { Output, Error };
#ifdef _WIN32
    using Native = void*;  // a HANDLE
#else
    using Native = int;  // a file descriptor
#endif

    explicit ConsoleStream(Which which);
    explicit ConsoleStream(Native stream);
    ConsoleStream(const ConsoleStream&) = delete;
    ConsoleStream& operator=(const ConsoleStream&) = delete;

    bool IsTerminal() const { return m_terminal; }
    void Write(const std::string& utf8);
    // False once any write has failed (a full disk, a closed pipe); what
    // follows a failure is dropped, never half-written.
    bool Flush();

private:
    bool WriteNow(const std::string& utf8);

    Native m_stream;
    bool m_terminal = false;
    bool m_failed = false;
    std::string m_pending;
};
