#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What a conversion run needs from whoever shows it: the dialog, the
// command-line converter and the tests each implement this.
enum class MessageIcon { None, Error };

class ConversionView {
public:
    virtual ~ConversionView() = default;

    // Copies the two path fields into the engine's m_source / m_destination.
    virtual void PullPaths() = 0;
    // Shows the engine's m_convertedCount.
    virtual void ShowConvertedCount() = 0;
    // Modal message with one OK button; no caption means the application's name.
    virtual void ShowMessage(const std::string& text, const std::optional<std::string>& caption, MessageIcon icon) = 0;
    virtual void SetProgress(int percent) = 0;
    virtual void ClearRateList() = 0;
    // A rate that was not converted, first met in record recordNo (from 1);
    // RateRowTexts gives the row's texts. Returns the row's index, or -1 when
    // the list refused it.
    virtual int AddRateRow(uint16_t rate, uint64_t recordNo) = 0;
};
