#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

// The files of one WM_DROPFILES, released (DragFinish) with the object.
class CDroppedFiles {
public:
    explicit CDroppedFiles(HDROP drop) : m_drop(drop) {}
    ~CDroppedFiles() { ::DragFinish(m_drop); }
    CDroppedFiles(const CDroppedFiles&) = delete;
    CDroppedFiles& operator=(const CDroppedFiles&) = delete;

    // The full path of the first file (UTF-8); empty when there is none.
    std::string FirstPath() const;
    // Where they were dropped, in the receiving window's client coordinates;
    // false when that was outside its client area.
    bool Point(POINT& point) const { return ::DragQueryPoint(m_drop, &point) != FALSE; }

private:
    HDROP m_drop;
};

// Run as administrator, a window takes no drops from Explorer unless these messages are let
// through (Vista and later; nothing to do before).
void LetDropsReachAnElevatedWindow();
