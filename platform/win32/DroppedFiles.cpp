#include "DroppedFiles.h"

#include "Utf8.h"

std::string CDroppedFiles::FirstPath() const {
    const UINT length = ::DragQueryFileW(m_drop, 0, nullptr, 0);
    if (length == 0) return {};
    std::wstring path(length + 1, L'\0');
    path.resize(::DragQueryFileW(m_drop, 0, path.data(), length + 1));
    return WideToUtf8(path);
}
