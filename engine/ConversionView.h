#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Messages.h"

// What a conversion run needs from whoever shows it: the dialog, the
// command-line converter and the tests each implement this.
enum class MessageIcon { None, Error };

class ConversionView {
public:
    virtual ~ConversionView() = default;

    // The texts of the two path fields, as the run's source and destination.
    virtual void PullPaths(std::string& source, std::string& destination) = 0;
    // Shows the number of records converted so far in this run.
    virtual void ShowConvertedCount(uint64_t count) = 0;
    // Modal message with one OK button; no caption means the application's name.
    virtual void ShowMessage(const std::string& text, const std::optional<std::string>& caption, MessageIcon icon) = 0;
    // A settings line that is not understood, shown as text with its line end
    // kept; lineNo and column (from 1) say where its piece starts. A message
    // captioned with the line, unless the view says where as well.
    virtual void ShowSyntaxError(const std::string& shownLine, uint64_t /*lineNo*/, uint64_t /*column*/) {
        ShowMessage(msg::kSettingsSyntaxError, shownLine, MessageIcon::Error);
    }
    virtual void SetProgress(int percent) = 0;
    virtual void ClearRateList() = 0;
    // A rate that was not converted, first met in record recordNo (from 1);
    // RateRowTexts gives the row's texts. Returns the row's index, or -1 when
    // the list refused it.
    virtual int AddRateRow(uint16_t rate, uint64_t recordNo) = 0;
};
