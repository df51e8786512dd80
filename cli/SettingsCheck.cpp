#include "SettingsCheck.h"

#include <cstdio>
#include <map>
#include <optional>

#include "CliTexts.h"
#include "DisplayText.h"
#include "Messages.h"
#include "NumberScanner.h"
#include "RateRowTexts.h"
#include "SettingsFile.h"

namespace {

constexpr uint32_t kMaxRate = 0xFFFF;  // a record's rate has 16 bits

// A value as the settings file wrote it: "70000 (11170)".
std::string InBothBases(uint32_t value) {
    char hex[9];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(value));
    return std::to_string(value) + " (" + hex + ")";
}

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// What a person who meant a rule would have typed, in any case.
bool NamesDirective(std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return Contains(text, "SRD") || Contains(text, "SRH");
}

// Whether the cut between two pieces of one line falls inside a directive of
// the first: its name split, or its numbers read otherwise than they would be
// from the whole line.
bool CutsDirective(const SettingsPiece& before, const SettingsPiece& after) {
    const std::string& seen = before.meaning.text;
    if (seen.empty() || seen[0] == ';' || seen.size() < before.bytes.size()) return false;
    const std::string whole = seen + after.meaning.text;
    for (const auto& [name, base] : {std::pair{"SRH:", NumberBase::Hexadecimal}, {"SRD:", NumberBase::Decimal}}) {
        const std::size_t at = whole.find(name);
        if (at == std::string::npos || at >= seen.size()) continue;
        if (at + 4 > seen.size()) return true;
        uint32_t inPiece[2] = {}, inLine[2] = {};
        if (ScanRatePair(seen.c_str() + at + 4, base, inPiece[0], inPiece[1]) !=
                ScanRatePair(whole.c_str() + at + 4, base, inLine[0], inLine[1]) ||
            inPiece[0] != inLine[0] || inPiece[1] != inLine[1])
            return true;
    }
    return false;
}

class Checker {
public:
    explicit Checker(const std::function<void(const std::string&)>& report) : m_report(report) {}

    // Each piece is looked at once the next one is known, as a cut may join them.
    void Take(const SettingsPiece& piece) {
        if (m_pending) Look(*m_pending, &piece);
        m_pending = piece;
    }

    SettingsCheck Finish(const std::optional<std::string>& unreadablePath) {
        if (m_pending) Look(*m_pending, nullptr);
        SettingsCheck check;
        if (unreadablePath) {
            m_report(ShownSettingsPath(*unreadablePath) + ": " + msg::kSettingsUnreadable + "\n");
            check.status = 1;
            return check;
        }
        check.table = Table();
        check.status = m_syntaxErrors > 0 ? 1 : 0;
        return check;
    }

private:
    // One row per 16-bit source rate, ascending, then the summary line.
    std::string Table() const {
        std::string table;
        std::size_t substituted = 0;
        for (const auto& [rate, rule] : m_rules) {
            const RateRowTexts source(rate, rule.lineNo);
            table += std::string(source.hex) + '\t' + source.dec + '\t';
            if (rule.newRate == 0) {
                table += std::string("-\t") + cli::kCheckNotConverted;
            } else {
                const RateRowTexts written(static_cast<uint16_t>(rule.newRate), 0);
                table += std::string(written.hex) + '\t' + written.dec;
                ++substituted;
            }
            table += std::string("\t") + source.line + '\n';
        }
        return table + cli::kCheckSubstituted + std::to_string(substituted) + cli::kCheckListed +
               std::to_string(m_rules.size() - substituted) + cli::kCheckSyntaxErrors + std::to_string(m_syntaxErrors) +
               cli::kCheckWarnings + std::to_string(m_warnings) + "\n";
    }

    struct Rule {
        uint32_t newRate;
        uint64_t lineNo;
    };

    void Look(const SettingsPiece& piece, const SettingsPiece* next) {
        if (m_cutAfter) Warn(piece, cli::kCheckCutDirective);  // the cut before this piece
        m_cutAfter = next && next->lineNo == piece.lineNo && CutsDirective(piece, *next);

        const SettingsLine& line = piece.meaning;
        const bool comment = !line.text.empty() && line.text[0] == ';';
        if (line.kind == SettingsLine::Kind::SyntaxError) {
            Report(piece, msg::kSettingsSyntaxError);
            ++m_syntaxErrors;
        } else if (line.kind == SettingsLine::Kind::Store) {
            TakeRule(piece);
        } else if (!comment && !m_cutAfter && NamesDirective(line.text)) {
            Warn(piece, cli::kCheckNoColon);
        }
        const std::size_t zero = piece.bytes.find('\0');
        if (!comment && zero != std::string::npos && NamesDirective(piece.bytes.substr(zero)))
            Warn(piece, cli::kCheckAfterZero);
    }

    void TakeRule(const SettingsPiece& piece) {
        const SettingsLine& line = piece.meaning;
        if (Contains(line.text, "SRH:") && Contains(line.text, "SRD:")) Warn(piece, cli::kCheckHexRuleIgnored);
        if (line.sourceRate > kMaxRate) {
            Warn(piece, cli::kCheckSourceReadAs + InBothBases(line.sourceRate) + cli::kCheckNeverMatches);
            return;
        }
        const auto [rule, added] = m_rules.try_emplace(static_cast<uint16_t>(line.sourceRate), Rule{});
        if (!added) Warn(piece, cli::kCheckReplacesLine + std::to_string(rule->second.lineNo));
        rule->second = Rule{line.newRate, piece.lineNo};
        if (line.newRate > kMaxRate) {
            Warn(piece, cli::kCheckReplacementReadAs + InBothBases(line.newRate) + cli::kCheckWritten +
                            InBothBases(line.newRate & kMaxRate));
        }
    }

    void Warn(const SettingsPiece& piece, const std::string& finding) {
        Report(piece, finding);
        ++m_warnings;
    }

    // "linha 4, coluna 256: the piece as shown: what it means".
    void Report(const SettingsPiece& piece, const std::string& finding) {
        const std::string& bytes = piece.bytes;
        m_report(SettingsPlace(piece.lineNo, piece.column) + ": " +
                 BytesToDisplayText(bytes.substr(0, bytes.size() - (bytes.back() == '\n'))) + ": " + finding + "\n");
    }

    const std::function<void(const std::string&)>& m_report;
    std::map<uint16_t, Rule> m_rules;
    std::optional<SettingsPiece> m_pending;
    bool m_cutAfter = false;
    uint64_t m_syntaxErrors = 0;
    uint64_t m_warnings = 0;
};

}  // namespace

std::string SettingsPlace(uint64_t lineNo, uint64_t column) {
    std::string place = cli::kCheckLine + std::to_string(lineNo);
    if (column > 1) place += cli::kCheckColumn + std::to_string(column);
    return place;
}

SettingsCheck CheckSettingsFile(const std::string& path, const std::function<void(const std::string&)>& report) {
    SettingsFile file;
    Checker checker(report);
    const bool opened = file.Open(path);
    SettingsPiece piece;
    while (opened && file.Next(piece)) checker.Take(piece);
    return checker.Finish(opened && !file.Failed() ? std::nullopt : std::optional(path));
}
