#include "DisplayScheme.h"

bool HighContrastOn() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// Both functions come with Windows 10 (1607), so they are looked up by name.
int VerticalScrollBarWidth(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    using MetricsForDpi = int(WINAPI*)(int, UINT);
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    const auto dpiForWindow =
        reinterpret_cast<DpiForWindow>(reinterpret_cast<void (*)()>(::GetProcAddress(user32, "GetDpiForWindow")));
    const auto metricsForDpi = reinterpret_cast<MetricsForDpi>(
        reinterpret_cast<void (*)()>(::GetProcAddress(user32, "GetSystemMetricsForDpi")));
    if (dpiForWindow != nullptr && metricsForDpi != nullptr) {
        if (const UINT dpi = dpiForWindow(window); dpi != 0) return metricsForDpi(SM_CXVSCROLL, dpi);
    }
    return ::GetSystemMetrics(SM_CXVSCROLL);
}
