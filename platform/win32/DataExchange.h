#pragma once

#include <cstdint>
#include <string>

class CWnd;

// Moves values between a dialog's members and its controls, one call per
// binding, in the direction given at construction.
class CDataExchange {
public:
    CDataExchange(CWnd& dialog, bool saveAndValidate) : m_dialog(dialog), m_bSaveAndValidate(saveAndValidate) {}

    // Binds control id to a wrapper the first time (its PreSubclassWindow runs then).
    void Control(int id, CWnd& control);
    void Text(int id, std::string& value);
    // Unsigned decimal. The program's counting field is display only, so a text
    // that is not such a number leaves the member as it is.
    void Text(int id, uint32_t& value);

private:
    CWnd& m_dialog;

public:
    const bool m_bSaveAndValidate;  // true: controls to members
};

// Unsigned 32-bit decimal number, digits only; false for anything else.
bool ParseUnsigned(const std::string& text, uint32_t& value);
