#pragma once

#include <cstdint>
#include <string>

class CWnd;

// Moves values between a dialog's members and its controls, one call per
// binding, in the direction given at construction.
class CDataExchange {
public:
    // saveAndValidate: true moves controls to members, false members to controls.
    CDataExchange(CWnd& dialog, bool saveAndValidate) : m_dialog(dialog), m_save(saveAndValidate) {}

    // Binds control id to a wrapper the first time (its PreSubclassWindow runs then).
    void Control(int id, CWnd& control);
    void Text(int id, std::string& value);
    // Unsigned decimal. The program's counting field is display only, so a text
    // that is not such a number leaves the member as it is.
    void Text(int id, uint64_t& value);

private:
    CWnd& m_dialog;
    const bool m_save;
};
