#pragma once

#include "ListCtrl.h"

// The list of rates that were not converted: three columns on a pale pink
// background (the system's colours in high contrast), rows selected whole,
// set up when the dialog binds the control.
class CRateListCtrl : public CListCtrl {
public:
    // Many rows at once. The list view finds a sorted row's place by comparing
    // it with the rows before it one by one (thousands of rows take seconds
    // under Wine), so until EndInsertRows the list neither draws nor sorts and
    // InsertSorted puts each row where the sort style would.
    void BeginInsertRows();
    int InsertSorted(const std::string& text);
    void EndInsertRows();
    // Again after the desktop's colours or its high contrast changed.
    void ApplyColours();

protected:
    void PreSubclassWindow() override;
};
