#pragma once

#include <windows.h>

// The path field that a file dropped at `point` (the dialog's client coordinates) fills: a
// field's row is its label, the field and its chooser button; anywhere else, "Origem".
int FieldForDrop(HWND dialog, POINT point);
