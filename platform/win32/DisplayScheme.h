#pragma once

#include <windows.h>

// What the desktop's look asks of a window: high contrast, and sizes at the window's scale.

// True while the user has high contrast on: windows then draw in the system's colours.
bool HighContrastOn();

// The width of a vertical scrollbar at the window's scale (Windows 10 lets windows differ
// in scale; older systems have one scale for all).
int VerticalScrollBarWidth(HWND window);
