#pragma once

#include "ListCtrl.h"

// The list of rates that were not converted: three columns on a pale pink
// background, set up when the dialog binds the control.
class CRateListCtrl : public CListCtrl {
protected:
    void PreSubclassWindow() override;
};
