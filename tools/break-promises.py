#!/usr/bin/env python3
"""break-promises.py: break each promise of tests/PROMISES.md once in the code and see the suite fail.

Each fault is a hand-made, realistic change to the production code (a changed call order, a flag
added to an open, another lock mode, a call removed whose effect shows only on a terminal, a wrong
table entry, ...) that breaks one promise. The tool plants one fault at a time in this checkout,
builds, runs the tests, writes the file back and says which tests failed. A fault no test notices
is a promise without a test, unless the list below says why it may pass.

  tools/break-promises.py                 every native fault (build/native, about 12 minutes)
  tools/break-promises.py S1 R12 C14      those only
  tools/break-promises.py --windows       the Windows and window faults (build/windows-x64 under
                                          wine64 in Xvfb)

The files it touches must be committed (it refuses otherwise) and are always written back. A fault
whose text no longer matches the code is reported as stale: update its entry with the code.
"""
import argparse
import os
import re
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def F(ident, promise, path, *subs):
    return {"id": ident, "promise": promise, "file": path, "subs": subs}


NATIVE = [
    F("S1", "comment only in column 1", "engine/SettingsLine.cpp",
        ("if (line.text.empty() || line.text[0] == ';') return line;", "const std::size_t lead = line.text.find_first_not_of(\" \\t\");\n    if (line.text.empty() || line.text[lead == std::string::npos ? 0 : lead] == ';') return line;")),
    F("S2", "directive names not case-sensitive", "engine/SettingsLine.cpp",
        ("UpperCaseAscii(line.text);", "")),
    F("S3", "upper-case a-z only (accented letters stay)", "engine/SettingsLine.cpp",
        ("if (c >= 'a' && c <= 'z') c =", "if ((c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0xE0) c =")),
    F("S4", "directive anywhere in the line", "engine/SettingsLine.cpp",
        ("return std::strstr(text.c_str(), name);", "return text.rfind(name, 0) == 0 ? text.c_str() : nullptr;")),
    F("S5", "white space optional/allowed around >", "engine/NumberScanner.cpp",
        ("    p = SkipSpace(p);\n    if (*p != '>') return 1;", "    if (*p != '>') return 1;")),
    F("S6", "numbers may carry a sign", "engine/NumberScanner.cpp",
        ("if (*q == '+' || *q == '-') {", "if (*q == '+') {")),
    F("S7", "hex may start 0x", "engine/NumberScanner.cpp",
        ("(q[1] == 'x' || q[1] == 'X')", "q[1] == 'x'")),
    F("S8", "a later rule replaces an earlier", "engine/ConversionEngine.cpp",
        ("m_rates.FindOrInsert(line.sourceRate).newRate = line.newRate;", "if (RateEntry& e = m_rates.FindOrInsert(line.sourceRate); e.newRate == 0) e.newRate = line.newRate;")),
    F("S9", "both directives: SRD stored", "engine/SettingsLine.cpp",
        ("if (ScanRatePair(srd + 4, NumberBase::Decimal, first, second) != 2) {", "if (uint32_t a, b; ScanRatePair(srd + 4, NumberBase::Decimal, a, b) != 2 || (!haveHexPair && ((first = a), (second = b), false))) {")),
    F("S10", "syntax error skips the line, loading goes on", "engine/ConversionEngine.cpp",
        ("piece.lineNo, piece.column);", "piece.lineNo, piece.column);\n            break;")),
    F("S11", "syntax error caption is the line", "engine/ConversionEngine.cpp",
        ("m_view.ShowSyntaxError(ShownSettingsLine(line.text),", "m_view.ShowSyntaxError(ShownSettingsPath(path),")),
    F("S12", "caption keeps the line's own line end", "engine/ConversionEngine.cpp",
        ("line.size() - ended)) + (ended ? \"\\n\" : \"\");", "line.size() - ended));")),
    F("S13", "caption is the upper-cased line cut at a zero", "engine/ConversionEngine.cpp",
        ("ShownSettingsLine(line.text)", "ShownSettingsLine(piece.bytes)")),
    F("S14", "pieces of at most 255", "platform/TextModeReader.h",
        ("kMaxPiece = 255;", "kMaxPiece = 256;")),
    F("S15", "0x1A ends the file", "platform/TextModeReader.cpp",
        ("if (c == kEnd || c == kEndOfFileMark) m_ended = true;\n    return c == kEndOfFileMark ? kEnd : c;", "if (c == kEnd) m_ended = true;\n    return c;")),
    F("S16", "UTF-8 BOM skipped", "platform/TextModeReader.cpp",
        ("== 0) {\n        m_unread.clear();", "== 0) {\n        m_unread.erase(0, 2);")),
    F("S17", "UTF-16 either byte order", "platform/TextModeReader.cpp",
        ("return m_coding == Coding::Utf16Le ? second << 8 | first : first << 8 | second;", "return first << 8 | second;")),
    F("S18", "UTF-16 lone surrogate reads U+FFFD", "platform/TextModeReader.cpp",
        ("if (unit >= 0xDC00) return kReplacement;", "if (unit >= 0xDC00) return unit;")),
    F("S19", "UTF-16 pieces count characters", "platform/TextModeReader.cpp",
        ("characters < kMaxPiece;", "piece.size() < kMaxPiece;")),
    F("S20", "replacement written with its low 16 bits", "engine/ChannelRecord.h",
        ("    void SetSymbolRate(uint32_t rate) {\n", "    void SetSymbolRate(uint32_t rate) {\n        if (rate > 0xFFFF) rate = 0xFFFF;\n")),
    F("S21", "numbers read modulo 2^32", "engine/NumberScanner.cpp",
        ("result = result * radix + static_cast<uint32_t>(digit);", "result = result > (0xFFFFFFFFu - digit) / radix ? 0xFFFFFFFFu : result * radix + static_cast<uint32_t>(digit);")),
    F("S22", "source rate above 65535 matches no record", "engine/ConversionEngine.cpp",
        ("m_rates.FindOrInsert(line.sourceRate).newRate", "m_rates.FindOrInsert(line.sourceRate & 0xFFFF).newRate")),
    F("S23", "replacement 0 cancels: listed, not converted", "engine/ConversionEngine.cpp",
        ("} else if (line.kind == SettingsLine::Kind::Store) {", "} else if (line.kind == SettingsLine::Kind::Store && line.newRate != 0) {")),
    F("S24", "each unknown rate listed once per run", "engine/ConversionEngine.cpp",
        ("        entry.reported = 1;\n", "")),
    F("S25", "hex column upper-case", "engine/RateRowTexts.cpp",
        ("\"0123456789ABCDEF\"", "\"0123456789abcdef\"")),
    F("S26", "row names the first record that carried the rate", "engine/ConversionEngine.cpp",
        ("m_view.AddRateRow(rate, m_recordNo);", "m_view.AddRateRow(rate, m_recordNo + 1);")),
    F("S27", "count counts records, not rates", "engine/ConversionEngine.cpp",
        ("        m_view.ShowConvertedCount(++m_convertedCount);", "        if (entry.reported == 0) entry.reported = 1, ++m_convertedCount;\n        m_view.ShowConvertedCount(m_convertedCount);")),
    F("S28", "rate written big-endian at 10-11", "engine/ChannelRecord.h",
        ("bytes[kRateOffset] = static_cast<uint8_t>(rate >> 8);", "bytes[kRateOffset] = static_cast<uint8_t>(rate);"),
        ("bytes[kRateOffset + 1] = static_cast<uint8_t>(rate);", "bytes[kRateOffset + 1] = static_cast<uint8_t>(rate >> 8);")),
    F("S29", "rate read big-endian at 10-11", "engine/ChannelRecord.h",
        ("bytes[kRateOffset] << 8 | bytes[kRateOffset + 1]", "bytes[kRateOffset + 1] << 8 | bytes[kRateOffset]")),
    F("S30", "a replacement equal to the rate still counts", "engine/ConversionEngine.cpp",
        ("if (entry.newRate != 0) {", "if (entry.newRate != 0 && entry.newRate != rate) {")),
    F("S31", "other 62 bytes unchanged", "engine/ChannelRecord.h",
        ("        bytes[kRateOffset + 1] = static_cast<uint8_t>(rate);\n", "        bytes[kRateOffset + 1] = static_cast<uint8_t>(rate);\n        bytes[kSize - 1] = 0;\n")),
    F("S32", "a hexadecimal rule for rate 0 is a rule", "engine/SettingsLine.cpp",
        ("            line.kind = SettingsLine::Kind::SyntaxError;\n            return line;\n        }\n        haveHexPair = true;", "            line.kind = SettingsLine::Kind::SyntaxError;\n            return line;\n        }\n        haveHexPair = first != 0;")),
    F("D1", "non-UTF-8 shown as Windows-1252 (a wrong table entry)", "engine/DisplayText.cpp",
        ("0x02DC, 0x2122, 0x0161", "0x007E, 0x2122, 0x0161")),
    F("D2", "C0 controls shown as their pictures (TAB kept as is)", "engine/DisplayText.cpp",
        ("if (c < 0x20) return 0x2400 + c;", "if (c < 0x20 && c != '\\t') return 0x2400 + c;")),
    F("D3", "DEL shown as its picture", "engine/DisplayText.cpp",
        ("    if (c == 0x7F) return 0x2421;\n", "")),
    F("D4", "C1 controls shown as U+FFFD", "engine/DisplayText.cpp",
        ("    if (c >= 0x80 && c < 0xA0) return 0xFFFD;\n", "")),
    F("D5", "valid UTF-8 shown as it is (four-byte sequences)", "platform/Utf8.cpp",
        ("} else if (lead >= 0xF0 && lead <= 0xF4) {", "} else if (lead >= 0xF0 && lead <= 0xF3) {")),
    F("D6", "the source's name shown, not obeyed, in its message", "engine/ConversionEngine.cpp",
        ("msg::kSourceNotFound + BytesToDisplayText(m_source)", "msg::kSourceNotFound + m_source")),
    F("R1", "count 0 shown before the settings are read", "engine/ConversionEngine.cpp",
        ("    m_view.ShowConvertedCount(m_convertedCount);\n    if (m_abandoned || LoadRateTable() == 0 || m_abandoned) return false;", "    if (m_abandoned || LoadRateTable() == 0 || m_abandoned) return false;\n    m_view.ShowConvertedCount(m_convertedCount);")),
    F("R2", "count shows 0 from the press, not the last run's", "engine/ConversionEngine.cpp",
        ("    m_convertedCount = 0;\n    m_view.ShowConvertedCount(m_convertedCount);", "    m_view.ShowConvertedCount(m_convertedCount);\n    m_convertedCount = 0;")),
    F("R3", "settings reloaded at every run (no rule outlives its file)", "engine/ConversionEngine.cpp",
        ("    m_rates.Clear();\n    m_settingsFile.reset();", "    m_settingsFile.reset();")),
    F("R4", "reported marks cleared with each run", "engine/RateTable.h",
        ("m_narrow.assign(kNarrowRates, RateEntry{});", "for (RateEntry& e : m_narrow) e.newRate = 0;")),
    F("R5", "equal paths refused before opening", "engine/ConversionEngine.cpp",
        ("    if (m_source == m_destination) return refuse(msg::kSamePaths, std::nullopt, MessageIcon::None);\n", "")),
    F("R6", "settings read before the paths are compared", "engine/ConversionEngine.cpp",
        ("    if (m_abandoned || LoadRateTable() == 0 || m_abandoned) return false;", "    if (m_source == m_destination) {\n        m_view.ShowMessage(msg::kSamePaths, std::nullopt, MessageIcon::None);\n        return false;\n    }\n    if (m_abandoned || LoadRateTable() == 0 || m_abandoned) return false;")),
    F("R7", "missing source: message names the source", "engine/ConversionEngine.cpp",
        ("msg::kSourceNotFound + BytesToDisplayText(m_source)", "msg::kSourceNotFound + BytesToDisplayText(m_destination)")),
    F("R8", "uncreatable destination: source closed again", "engine/ConversionEngine.cpp",
        ("        m_sourceFile.Close();\n        m_destFile.Close();\n        m_view", "        m_destFile.Close();\n        m_view")),
    F("R9", "empty source: caption is the destination", "engine/ConversionEngine.cpp",
        ("return refuse(msg::kSourceEmpty, BytesToDisplayText(m_destination)", "return refuse(msg::kSourceEmpty, BytesToDisplayText(m_source)")),
    F("R10", "damaged: the incomplete record is not written", "engine/ConversionEngine.cpp",
        ("        if (received < ChannelRecord::kSize) return Ending::Damaged;", "        if (received < ChannelRecord::kSize) return m_destFile.Write(m_record.bytes.data(), received), Ending::Damaged;")),
    F("R11", "damaged: error icon", "engine/ConversionEngine.cpp",
        ("ShowMessage(msg::kSourceDamaged, BytesToDisplayText(m_destination), MessageIcon::Error);", "ShowMessage(msg::kSourceDamaged, BytesToDisplayText(m_destination), MessageIcon::None);")),
    F("R12", "bar left at 100 after the damage message", "engine/ConversionEngine.cpp",
        ("    m_view.SetProgress(100);\n    if (m_abandoned || !committed", "    if (committed && ending == Ending::Copied) m_view.SetProgress(100);\n    if (m_abandoned || !committed")),
    F("R13", "bar moved only by a run past its checks", "engine/ConversionEngine.cpp",
        ("    m_view.ShowConvertedCount(m_convertedCount);\n", "    m_view.ShowConvertedCount(m_convertedCount);\n    m_view.SetProgress(0);\n")),
    F("R14", "list emptied only after the checks", "engine/ConversionEngine.cpp",
        ("    if (!OpenDataFiles(length)) return false;\n\n    m_view.ClearRateList();", "    m_view.ClearRateList();\n    if (!OpenDataFiles(length)) return false;\n")),
    F("R15", "bar share truncated (record 30 of 100 sets 28)", "engine/ConversionEngine.cpp",
        ("return static_cast<int>(share * 100.0);", "return static_cast<int>(share * 100.0 + 0.5);")),
    F("R16", "read failure: its own message", "engine/ConversionEngine.cpp",
        ("ChannelRecord::kSize, received)) return Ending::ReadFailed;", "ChannelRecord::kSize, received) && false) return Ending::ReadFailed;")),
    F("R17", "failing close reported as write failure", "platform/CFilePosix.cpp",
        ("const bool moved = known && synced && closed &&", "const bool moved = known && synced &&")),
    F("R18", "source closed at the end of a run", "engine/ConversionEngine.cpp",
        ("    m_sourceFile.Close();\n    const bool kept =", "    const bool kept =")),
    F("R19", "copy stops exactly at the end past 16 MiB", "engine/ConversionEngine.cpp",
        ("while (position < length) {", "while (m_position < m_length) {")),
    F("R20", "missing settings stops the run", "engine/ConversionEngine.cpp",
        ("    if (m_abandoned || LoadRateTable() == 0 || m_abandoned) return false;", "    LoadRateTable();")),
    F("R21", "settings read error stops the run", "engine/ConversionEngine.cpp",
        ("if (file.Failed()) {", "if (false) {")),
    F("R22", "no folder: never another folder's RAVELO.INI", "engine/SettingsFile.cpp",
        ("if (workDir.empty()) return {};", "if (workDir.empty()) return msg::kSettingsFileName;")),
    F("R23", "settings file never the destination (identity)", "engine/ConversionEngine.cpp",
        ("    if (m_settingsFile) kept.push_back(*m_settingsFile);\n", "")),
    F("R24", "source never the destination (identity, locks ignored)", "engine/ConversionEngine.cpp",
        ("    if (FileIdentity source; m_sourceFile.GetIdentity(source)) kept.push_back(source);\n", "")),
    F("R25", "names differing in case are different files (Linux)", "engine/ConversionEngine.cpp",
        ("if (m_source == m_destination) return", "if (m_source.size() == m_destination.size() && std::equal(m_source.begin(), m_source.end(), m_destination.begin(), [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b)); })) return")),
    F("R26", "a write failure: its own message", "engine/ConversionEngine.cpp",
        ("ChannelRecord::kSize)) return Ending::WriteFailed;", "ChannelRecord::kSize) && false) return Ending::WriteFailed;")),
    F("R29", "no folder: never the root's RAVELO.INI either", "engine/SettingsFile.cpp",
        ("if (workDir.empty()) return {};", "if (workDir.empty()) return std::string(1, kPathSeparator) + msg::kSettingsFileName;")),
    F("R27", "empty source: the destination is left as it was, or none", "engine/ConversionEngine.cpp",
        ("    if (length == 0) return refuse(", "    if (length == 0) return m_destFile.Commit(), refuse(")),
    F("R30", "a failed run leaves the old destination: a new file is written beside it", "platform/CFilePosix.cpp",
        ("    const bool replace = !finalPath.empty() &&", "    const bool replace = false && !finalPath.empty() &&")),
    F("R31", "an abandoned run has removed its new file when AbandonRun returns", "engine/ConversionEngine.cpp",
        ("    m_sourceFile.Close();\n    m_destFile.Close();\n}", "    m_sourceFile.Close();\n}")),
    F("R32", "the stop flag ends the run before its next record", "engine/ConversionEngine.h",
        ("return m_abandoned || (m_stopFlag != nullptr && *m_stopFlag != 0);", "return m_abandoned;")),
    F("R28", "a write error shows when its block is written", "platform/CFile.cpp",
        ("        if (m_end == m_block.size() && !WritePending()) return false;", "        if (m_end == m_block.size()) WritePending();")),
    F("P1", "source shared lock: readers coexist", "platform/CFilePosix.cpp",
        ("(create ? LOCK_EX : LOCK_SH)", "LOCK_EX")),
    F("P2", "destination exclusive lock", "platform/CFilePosix.cpp",
        ("(create ? LOCK_EX : LOCK_SH)", "LOCK_SH")),
    F("P3", "a held file is refused, not waited for", "platform/CFilePosix.cpp",
        ("(create ? LOCK_EX : LOCK_SH) | LOCK_NB", "(create ? LOCK_EX : LOCK_SH)")),
    F("P4", "nothing emptied before the checks (no O_TRUNC)", "platform/CFilePosix.cpp",
        ("O_WRONLY | O_CLOEXEC | O_NONBLOCK);", "O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_TRUNC);")),
    F("P5", "descriptors not inherited (O_CLOEXEC)", "platform/CFilePosix.cpp",
        ("O_RDONLY) | O_CLOEXEC |", "O_RDONLY) |")),
    F("P6", "a FIFO named as data file does not block", "platform/CFilePosix.cpp",
        (" | (settings ? 0 : O_NONBLOCK)", "")),
    F("P7", "settings from a FIFO wait for the writer", "platform/CFilePosix.cpp",
        ("(settings ? 0 : O_NONBLOCK)", "O_NONBLOCK")),
    F("P8", "new destination gets 0666 less umask", "platform/CFilePosix.cpp",
        ("::fchmod(fd, 0666 & ~mask);", "::fchmod(fd, 0600 & ~mask);")),
    F("P9", "data files must be regular files", "platform/CFilePosix.cpp",
        ("S_ISREG(st.st_mode) || (create && IsNullDevice(st))", "!S_ISDIR(st.st_mode)")),
    F("P10", "settings: any readable file but a directory", "platform/CFilePosix.cpp",
        ("(settings ? !S_ISDIR(st.st_mode) :", "(settings ? S_ISREG(st.st_mode) :")),
    F("P11", "only the null device, named as such", "platform/CFilePosix.cpp",
        ("st.st_rdev == null.st_rdev", "true")),
    F("P12", "settings file takes no lock (shared lock planted)", "platform/CFilePosix.cpp",
        ("S_ISREG(st.st_mode) && !settings)", "S_ISREG(st.st_mode))")),
    F("P13", "settings file takes no lock (exclusive lock planted)", "platform/CFilePosix.cpp",
        ("S_ISREG(st.st_mode) && !settings)", "S_ISREG(st.st_mode))"),
        ("(create ? LOCK_EX : LOCK_SH)", "(create || settings ? LOCK_EX : LOCK_SH)")),
    F("P14", "kept files refused before anything changes", "platform/CFile.cpp",
        ("        return identity == other ||", "        return false ||")),
    F("P15", "a refused open leaves no descriptor", "platform/CFilePosix.cpp",
        ("    if (!usable) {\n        ::close(fd);", "    if (!usable) {")),
    F("P16", "working directory at any length", "platform/WorkingDirectoryPosix.cpp",
        ("if (errno != ERANGE) break;", "break;")),
    F("P17", "closed standard streams: null device, unwritable", "platform/CFilePosix.cpp",
        ("fd == STDIN_FILENO ? O_WRONLY : O_RDONLY", "O_RDWR")),
    F("P18", "stdout and stderr files both kept", "platform/CFilePosix.cpp",
        ("for (int fd : {STDOUT_FILENO, STDERR_FILENO}) {", "for (int fd : {STDOUT_FILENO}) {")),
    F("P19", "CR LF read as LF", "platform/TextModeReader.cpp",
        ("    if (next == '\\n') return '\\n';\n", "")),
    F("P20", "a lone CR is no line end", "platform/TextModeReader.cpp",
        ("if (next != kEnd) m_pushedBack = next;  // a lone CR stays a CR\n    return '\\r';", "if (next != kEnd) m_pushedBack = next;\n    return '\\n';")),
    F("P21", "64 KiB blocks", "platform/CFile.h",
        ("kBlockSize = 64 * 1024;", "kBlockSize = 4 * 1024;")),
    F("P22", "interrupted reads retried", "platform/CFilePosix.cpp",
        ("do got = ::read(m_fd, buffer, n);\n    while (got < 0 && errno == EINTR);", "got = ::read(m_fd, buffer, n);")),
    F("P23", "symlink works as source and destination", "platform/CFilePosix.cpp",
        ("O_RDONLY) | O_CLOEXEC |", "O_RDONLY) | O_CLOEXEC | O_NOFOLLOW |"), ("O_WRONLY | O_CLOEXEC | O_NONBLOCK);", "O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);")),
    F("P24", "hard-linked file works as destination", "platform/CFilePosix.cpp",
        ("::fstat(held, &st) == 0 &&", "::fstat(held, &st) == 0 && st.st_nlink == 1 &&")),
    F("P25", "a hard-linked destination is written in place (every name sees it)", "platform/CFilePosix.cpp",
        ("(S_ISREG(st.st_mode) && st.st_nlink == 1)", "S_ISREG(st.st_mode)")),
    F("P27", "the new file keeps the destination's permission bits", "platform/CFilePosix.cpp",
        ("        ::fchmod(fd, st.st_mode & 07777);\n", "")),
    F("P28", "a symbolic link destination stays a link; what it names is replaced", "platform/CFilePosix.cpp",
        ("    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;", "    if (::lstat(path.c_str(), &st) == 0) return path;")),
    F("P29", "the same file through another mount is kept (inode, size, time)", "platform/CFile.cpp",
        ("identity.modified != 0 && identity.file == other.file", "false && identity.file == other.file")),
    F("P30", "the new file's bytes are on the disk before the rename", "platform/CFilePosix.cpp",
        ("const bool synced = ::fsync(m_fd) == 0;", "const bool synced = true;")),
    F("P26", "the null device is not locked", "platform/CFilePosix.cpp",
        ("if (usable && S_ISREG(st.st_mode) && !settings)", "if (usable && !settings)")),
    F("C1", "usage errors exit 2", "cli/RunProgram.cpp",
        ("kUsageStatus = 2;", "kUsageStatus = 1;")),
    F("C2", "usage text shown on a usage error", "cli/RunProgram.cpp",
        ("line.problem + \"\\n\" + cli::kUsage);", "line.problem + \"\\n\");")),
    F("C3", "--ini twice is a usage error", "cli/CommandLine.cpp",
        ("            if (line.settingsFile) return UsageError(\"--ini dado mais de uma vez\");\n", "")),
    F("C4", "-- ends the options", "cli/CommandLine.cpp",
        ("if (optionsEnded || arg.empty()", "if (arg.empty()")),
    F("C5", "an empty path is a usage error", "cli/CommandLine.cpp",
        ("    if (paths[0].empty() || paths[1].empty()) return UsageError(\"nome de ficheiro vazio\");\n", "")),
    F("C6", "rows TAB-separated", "cli/TerminalConverter.cpp",
        ("m_out.Write(row.assign(texts.hex).append(\"\\t\")", "m_out.Write(row.assign(texts.hex).append(\" \")")),
    F("C7", "rows ascending", "cli/TerminalConverter.cpp",
        ("for (uint32_t rate = 0; rate < m_firstRecords.size(); ++rate) {", "for (uint32_t rate = m_firstRecords.size(); rate-- > 0;) {")),
    F("C8", "count line also when a check stops the run", "cli/TerminalConverter.cpp",
        ("    PrintResults();\n    return succeeded ? 0 : 1;", "    if (succeeded) PrintResults();\n    return succeeded ? 0 : 1;")),
    F("C9", "stderr: caption: text", "cli/TerminalConverter.cpp",
        ("caption ? CaptionForTerminal(*caption) + \": \" + text : text", "caption ? text + \" (\" + CaptionForTerminal(*caption) + \")\" : text")),
    F("C10", "caption's own line end dropped on the terminal", "cli/TerminalConverter.cpp",
        ("return caption.empty() || caption.back() != '\\n' ? caption : caption.substr(0, caption.size() - 1);", "return caption;")),
    F("C11", "status 1 when stdout cannot be written", "cli/RunProgram.cpp",
        ("if (out.Flush()) return status;", "out.Flush();\n    return status;")),
    F("C12", "a syntax error does not change the status", "cli/TerminalConverter.cpp",
        ("namespace {\n", "namespace {\nbool g_sawError = false;\n"),
        ("    ClearProgress();\n    std::string line", "    ClearProgress();\n    g_sawError |= icon == MessageIcon::Error;\n    std::string line"),
        ("MessageIcon) {", "MessageIcon icon) {"),
        ("return succeeded ? 0 : 1;", "return succeeded && !g_sawError ? 0 : 1;")),
    F("C13", "progress only on a terminal", "cli/TerminalConverter.cpp",
        ("    if (!m_err.IsTerminal()) return;\n", "")),
    F("C14", "progress line erased at the end", "cli/TerminalConverter.cpp",
        ("    const bool succeeded = m_engine.Convert();\n    ClearProgress();\n", "    const bool succeeded = m_engine.Convert();\n")),
    F("C15", "progress erased before a message", "cli/TerminalConverter.cpp",
        ("    ClearProgress();\n    std::string line", "    std::string line")),
    F("C16", "progress when stderr (not stdout) is a terminal", "cli/TerminalConverter.cpp",
        ("if (!m_err.IsTerminal()) return;", "if (!m_out.IsTerminal()) return;")),
    F("C17", "progress redrawn only when the percentage changes", "cli/ProgressLine.cpp",
        ("    if (percent == m_percent) return {};\n", "")),
    F("C18", "the erase reaches the terminal", "cli/TerminalConverter.cpp",
        ("    m_err.Write(erase);\n    m_err.Flush();", "    m_err.Write(erase);")),
    F("C19", "ConsoleStream: is this stream a terminal", "cli/ConsoleStreamPosix.cpp",
        ("m_terminal(::isatty(stream) == 1)", "m_terminal(::isatty(STDERR_FILENO) == 1)")),
    F("C20", "progress shows at once", "cli/TerminalConverter.cpp",
        ("    m_err.Write(drawing);\n    m_err.Flush();", "    m_err.Write(drawing);")),
    F("C21", "closed pipe: status 1, not a signal", "cli/MainPosix.cpp",
        ("    std::signal(SIGPIPE, SIG_IGN);\n", "")),
    F("C22", "file-size limit: write message, status 1", "cli/MainPosix.cpp",
        ("    std::signal(SIGXFSZ, SIG_IGN);\n", "")),
    F("C23", "a full non-blocking stdout is waited for", "cli/ConsoleStreamPosix.cpp",
        ("if (put < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {", "if (false) {")),
    F("C24", "short writes carried on", "cli/ConsoleStreamPosix.cpp",
        ("        if (put <= 0) return false;", "        if (put <= 0 || static_cast<std::size_t>(put) < utf8.size() - done) return false;")),
    F("C25", "after a failed write nothing more is written", "cli/ConsoleStream.cpp",
        ("if (!m_failed && !WriteNow(m_pending))", "if (!WriteNow(m_pending))")),
    F("C26", "--check reads the file --ini names", "cli/RunProgram.cpp",
        ("line.settingsFile.value_or(SettingsFileIn(CurrentDirectory()))", "SettingsFileIn(CurrentDirectory())")),
    F("C27", "--check: table on stdout, findings on stderr", "cli/RunProgram.cpp",
        ("[&err](const std::string& finding) { err.Write(finding); }", "[&out](const std::string& finding) { out.Write(finding); }")),
    F("C28", "--check: warnings leave status 0", "cli/SettingsCheck.cpp",
        ("check.status = m_syntaxErrors > 0 ? 1 : 0;", "check.status = m_syntaxErrors + m_warnings > 0 ? 1 : 0;")),
    F("C29", "--check with files: usage error", "cli/CommandLine.cpp",
        ("        if (!paths.empty()) return UsageError(\"--check não leva ORIGEM nem DESTINO\");\n", "")),
    F("C30", "--check: lines counted by line ends", "engine/SettingsFile.cpp",
        ("    if (piece.bytes.back() == '\\n') {\n        ++m_lineNo;", "    ++m_lineNo;\n    if (piece.bytes.back() == '\\n') {")),
    F("C31", "--check: a zero byte shows as ␀", "cli/SettingsCheck.cpp",
        ("BytesToDisplayText(bytes.substr(0, bytes.size() - (bytes.back() == '\\n')))", "BytesToDisplayText(piece.meaning.text.substr(0, piece.meaning.text.size() - (bytes.back() == '\\n')))")),
    F("C32", "--check: source above 65535 not in the table", "cli/SettingsCheck.cpp",
        ("            Warn(piece, cli::kCheckSourceReadAs + InBothBases(line.sourceRate) + cli::kCheckNeverMatches);\n            return;", "            Warn(piece, cli::kCheckSourceReadAs + InBothBases(line.sourceRate) + cli::kCheckNeverMatches);")),
    F("C33", "--check unreadable: nothing on stdout", "cli/SettingsCheck.cpp",
        ("            check.status = 1;\n            return check;", "            check.status = 1;\n            check.table = Table();\n            return check;")),
    F("C34", "the run's messages reach stderr at once", "cli/TerminalConverter.cpp",
        ("    m_err.Write(line + \"\\n\");\n    m_err.Flush();", "    m_err.Write(line + \"\\n\");")),
    F("C35", "stdin is never read (loops over files keep their input)", "cli/RunProgram.cpp",
        ("#include \"RunProgram.h\"\n", "#include \"RunProgram.h\"\n#include <unistd.h>\n"),
        ("    ConsoleStream out(ConsoleStream::Which::Output);", "    { char c; (void)!::read(0, &c, 1); }\n    ConsoleStream out(ConsoleStream::Which::Output);")),
    F("C36", "--version", "cli/RunProgram.cpp",
        ("out.Write(std::string(cli::kProgramName) + \" \" + RAVELO_VERSION + \"\\n\");", "err.Write(std::string(cli::kProgramName) + \" \" + RAVELO_VERSION + \"\\n\");")),
    F("C37", "the converter reads RAVELO.INI of the folder it starts in", "cli/TerminalConverter.cpp",
        ("m_engine.SetWorkingDirectory(CurrentDirectory());", "m_engine.SetWorkingDirectory(CurrentDirectory() + \"/..\");")),
    F("C38", "rows: the first record that carried the rate", "cli/TerminalConverter.h",
        ("        m_firstRecords[rate] = recordNo;", "        m_firstRecords[rate] = m_engine.RecordNo() + 1;")),
    F("C39", "a closed standard stream: no data file takes its number", "platform/CFilePosix.cpp",
        ("for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {", "for (int fd = STDIN_FILENO; fd < STDERR_FILENO; ++fd) {")),
    F("C43", "interrupted: the program ends by the signal (130, 143)", "cli/MainPosix.cpp",
        ("    stop::EndBySignal();\n", "")),
    F("C44", "interrupted: one line says the destination was not changed", "cli/TerminalConverter.cpp",
        ("        m_err.Write(std::string(m_engine.DestinationKept() ? cli::kInterrupted : cli::kInterruptedInPlace) + \"\\n\");\n", "")),
    F("C45", "interrupted: the run stops (the signal does not end the program at once)", "cli/StopSignalsPosix.cpp",
        ("    action.sa_handler = OnSignal;", "    action.sa_handler = SIG_DFL;")),
    F("S33", "a zero byte ends what the line says", "engine/SettingsLine.cpp",
        ("line.text = piece.substr(0, piece.find('\\0'));", "line.text = piece;"),
        ("return std::strstr(text.c_str(), name);", "return text.find(name) == std::string::npos ? nullptr : text.c_str() + text.find(name);")),
    F("C40", "--check: SRD or SRH without a colon is a warning", "cli/SettingsCheck.cpp",
        ("            Warn(piece, cli::kCheckNoColon);", "            (void)piece;")),
    F("C41", "--check: a directive cut at column 255 is a warning", "cli/SettingsCheck.cpp",
        ("m_cutAfter = next && next->lineNo == piece.lineNo && CutsDirective(piece, *next);", "m_cutAfter = false;")),
    F("C42", "--check: a rule that a later line replaces is a warning", "cli/SettingsCheck.cpp",
        ("        if (!added) Warn(piece, cli::kCheckReplacesLine + std::to_string(rule->second.lineNo));\n", "")),
    F("C46", "the converter's syntax error says its line as --check does", "cli/TerminalConverter.cpp",
        ("SettingsPlace(lineNo, column) + \": \" + shownLine", "shownLine")),
    F("C47", "a piece past 255 characters is placed at its column", "engine/SettingsFile.cpp",
        ("        m_column += TextModeReader::kMaxPiece;\n", "")),
    F("C48", "--check writes each finding as it finds it, in constant memory", "cli/RunProgram.cpp",
        ("        case CommandLine::Action::Check: {\n", "        case CommandLine::Action::Check: {\n            std::string all;\n"),
        ("[&err](const std::string& finding) { err.Write(finding); });", "[&all](const std::string& finding) { all += finding; });\n            err.Write(all);")),
]

WINDOWS = [
    F("W1", "Windows: data files held without sharing", "platform/CFileWin32.cpp",
        ("FILE_SHARE_READ | FILE_SHARE_WRITE : 0;", "FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;")),
    F("W2", "Windows: two runs share a settings file", "platform/CFileWin32.cpp",
        ("const DWORD share = mode == Mode::ReadSettings ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;", "const DWORD share = 0;")),
    F("W3", "Windows: NUL only under its own name (nul.dvb refused)", "platform/CFileWin32.cpp",
        ("return _wcsicmp(path.c_str() + (slash == std::wstring::npos ? 0 : slash + 1), L\"NUL\") == 0;", "return slash != path.size();")),
    F("W4", "Windows: paths past 260 characters", "platform/SystemPathWin32.cpp",
        ("if (size <= MAX_PATH) return path;", "return path;")),
    F("W5", "Windows: nothing emptied before the checks (no CREATE_ALWAYS)", "platform/CFileWin32.cpp",
        ("                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);", "                              TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);")),
    F("W6", "Windows: missing standard handles: NUL, unwritable", "platform/CFileWin32.cpp",
        ("which == STD_INPUT_HANDLE ? GENERIC_WRITE : GENERIC_READ", "GENERIC_READ | GENERIC_WRITE")),
    F("W7", "Windows: a name with a lone surrogate opens itself", "platform/Utf8Win32.cpp",
        ("if (!DecodeUtf8(utf8, codePoints, true)) return false;", "if (!DecodeUtf8(utf8, codePoints, false)) return false;")),
    F("W8", "Windows: working directory at any length", "platform/WorkingDirectoryWin32.cpp",
        ("DWORD size = GetCurrentDirectoryW(0, nullptr);", "DWORD size = GetCurrentDirectoryW(0, nullptr) > MAX_PATH ? 0 : MAX_PATH;")),
    F("W9", "Windows: stdout and stderr files both kept", "platform/CFileWin32.cpp",
        ("for (DWORD which : {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {", "for (DWORD which : {STD_OUTPUT_HANDLE}) {")),
    F("U1", "Converter enabled only with both paths", "ui/AdjusterDlg.cpp",
        ("!m_source.empty() && !m_destination.empty()", "!m_source.empty() || !m_destination.empty()")),
    F("U2", "About box from the system menu", "ui/AdjusterDlg.cpp",
        ("        about.DoModal();\n", "")),
    F("U3", "column click: notice only when the list has rows", "ui/AdjusterDlg.cpp",
        ("if (m_list.GetItemCount() > 0) ShowMessage", "ShowMessage")),
    F("U4", "open chooser's filter text", "ui/AdjusterDlg.cpp",
        ("\"Ficheiros do Palvero (*.dvb)\";", "\"Ficheiros do Palvero(*.dvb)\";")),
    F("U5", "a box finds count, bar and list up to date", "ui/AdjusterDlg.cpp",
        ("    ShowPending();\n    m_busy.Pump();  // a key", "    m_busy.Pump();  // a key")),
    F("U6", "RAVELO.INI from the folder current at start", "ui/AdjusterDlg.cpp",
        ("    m_engine.SetWorkingDirectory(CurrentDirectory());\n    return true;", "    return true;"),
        ("    m_lastShown = 0;  // the count's 0 shows at once\n", "    m_lastShown = 0;\n    m_engine.SetWorkingDirectory(CurrentDirectory());\n")),
    F("U7", "save chooser adds .dvb", "ui/AdjusterDlg.cpp",
        ("    dialog.SetDefaultExtension(\"dvb\");\n", "")),
    F("U8", "rows kept in ascending order", "ui/RateListCtrl.cpp",
        ("return InsertItem(low, text);", "return InsertItem(GetItemCount(), text);")),
    F("U9", "the pink list", "ui/RateListCtrl.cpp",
        ("RGB(255, 224, 224)", "RGB(255, 255, 255)")),
    F("U10", "minimised: the icon centred", "ui/AdjusterDlg.cpp",
        ("const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;", "const int x = 0;")),
    F("U11", "Enter converts (default button)", "res/Ravelo.rc",
        ("DEFPUSHBUTTON   \"Converter\"", "PUSHBUTTON      \"Converter\"")),
    F("U12", "error messages carry the error icon", "ui/AdjusterDlg.cpp",
        ("MB_ICONERROR", "MB_ICONWARNING")),
    F("U13", "Converter disabled at start", "res/Ravelo.rc",
        ("IDC_CONVERT, 10, 90, 50, 14, WS_DISABLED", "IDC_CONVERT, 10, 90, 50, 14")),
    F("U14", "the count field shows the count", "ui/AdjusterDlg.cpp",
        ("    if (m_countPending) UpdateData(false);\n", "")),
    F("U15", "the list is sorted by the style when not filled by a run", "res/Ravelo.rc",
        ("LVS_REPORT | LVS_SORTASCENDING |", "LVS_REPORT |")),
    F("U16", "save chooser's filter text", "ui/AdjusterDlg.cpp",
        ("\"Ficheiros do Palvero(*.dvb)\";", "\"Ficheiros do Palvero (*.dvb)\";")),
    F("W10", "Windows: a run to NUL ends with success, nothing written", "platform/CFileWin32.cpp",
        ("    if (GetFileType(AsHandle(m_handle)) != FILE_TYPE_DISK) return true;\n", "")),
    F("W11", "Windows console: a surrogate pair is never parted between two writes", "cli/ConsolePieces.h",
        ("        if (partsPair(done + piece)) --piece;\n", "")),
    F("W13", "Windows: the destination keeps its attributes", "platform/CFileWin32.cpp",
        ("        SetFileAttributesW(to.c_str(), m_attributes);\n", "")),
    F("W14", "Windows: a killed run leaves the old destination (a new file is written)", "platform/CFileWin32.cpp",
        ("    HANDLE made = replace ? MakeNewFile(widePath, newPath) : INVALID_HANDLE_VALUE;", "    HANDLE made = INVALID_HANDLE_VALUE;")),
    F("U24", "the closing message comes once the destination is on disk", "engine/ConversionEngine.cpp",
        ("    const bool committed = kept ? m_destFile.Commit() : (m_destFile.Close(), false);\n", "    bool committed = kept;\n"),
        ("    if (m_abandoned) return false;\n    m_view.SetProgress(100);", "    committed = kept ? m_destFile.Commit() : (m_destFile.Close(), false);\n    if (m_abandoned) return false;\n    m_view.SetProgress(100);")),
    F("W12", "Windows console: at most 8 K UTF-16 units a write", "cli/ConsolePieces.h",
        ("std::size_t piece = std::min(text.size() - done, kConsolePieceUnits);", "std::size_t piece = text.size() - done;")),
    F("W16", "Windows: a file or a pipe gets CR LF line ends", "cli/ConsoleStreamWin32.cpp",
        ("        if (c == '\\n') text.push_back('\\r');\n", "")),
    F("W17", "Windows console: after a short write no piece begins inside a pair", "cli/ConsolePieces.h",
        ("        if (written > 0 && partsPair(done + written)) --written;\n", "")),
    F("W18", "the window's count past 2^32", "platform/win32/DataExchange.cpp",
        ("field.SetWindowText(std::to_string(value));", "field.SetWindowText(std::to_string(static_cast<uint32_t>(value)));")),
    F("U17", "a pasted path loses its quotes for the run", "ui/AdjusterDlg.cpp",
        ("    source = PastedPath(m_source);", "    source = m_source;")),
    F("U18", "the window accepts dropped files", "ui/AdjusterDlg.cpp",
        ("    DragAcceptFiles();\n", "")),
    F("U19", "a file dropped onto Destino goes there", "ui/DropTarget.cpp",
        ("if (Contains(dialog, part, point)) return IDC_DESTINATION;", "if (Contains(dialog, part, point)) return IDC_SOURCE;")),
    F("U20", "a long run answers other threads and runs the bar's timer", "ui/AdjusterDlg.cpp",
        ("    // is shown as not responding).\n    m_busy.Pump();", "    // is shown as not responding).")),
    F("U21", "a key during a run reaches no field and does not close its last box", "platform/win32/BusyPolicy.cpp",
        ("if (IsKey(message.message) || IsClientMouse(message.message)) return false;", "if (IsClientMouse(message.message)) return false;")),
    F("U22", "a run takes no command (no second run, no chooser)", "platform/win32/BusyPolicy.cpp",
        ("        case WM_COMMAND:\n", "")),
    F("U23", "screen readers: the source field's label comes just before it", "res/Ravelo.rc",
        ("    LTEXT           \"Origem\", IDC_STATIC, 13, 19, 27, 8\n", ""),
        ("    PUSHBUTTON      \"Ler de...\"", "    LTEXT           \"Origem\", IDC_STATIC, 13, 19, 27, 8\n    PUSHBUTTON      \"Ler de...\"")),
    F("U32", "a click during a run reaches no field and no column", "platform/win32/BusyPolicy.cpp",
        ("if (IsKey(message.message) || IsClientMouse(message.message)) return false;", "if (IsKey(message.message)) return false;")),
    F("U25", "WM_CLOSE during a run is refused, also as its box is answered", "platform/win32/BusyPolicy.cpp",
        ("        case WM_CLOSE:\n", "")),
    F("U26", "the close box is greyed during a run, and only then", "platform/win32/BusyPolicy.cpp",
        ("MF_BYCOMMAND | (grey ? MF_GRAYED : MF_ENABLED)", "MF_BYCOMMAND | MF_ENABLED")),
    F("U27", "the window minimises and restores during a run", "platform/win32/BusyPolicy.cpp",
        ("return IsOwnOrClose(wParam) || MinimisedOrRestoredWhileDisabled(wParam);", "return true;")),
    F("U28", "the window minimises and restores while the box of a run waits", "platform/win32/BusyPolicy.cpp",
        ("    if (m_window.IsWindowEnabled()) return false;", "    return false;")),
    F("U29", "a logoff during a run is refused", "platform/win32/BusyPolicy.cpp",
        ("        case WM_QUERYENDSESSION:  // 0: not now\n", "")),
    F("U30", "the session ending anyway abandons the run first: the destination as it was", "ui/AdjusterDlg.cpp",
        ("[this] { m_engine.AbandonRun(); }", "nullptr")),
    F("U31", "a drop during a run is refused", "platform/win32/BusyPolicy.cpp",
        ("            ::DragFinish(reinterpret_cast<HDROP>(wParam));\n            return true;\n", "            return false;\n")),
    F("U36", "high contrast: the list in the system's window colours", "ui/RateListCtrl.cpp",
        ("SetBkColor(highContrast ? ::GetSysColor(COLOR_WINDOW) : kBackground);", "SetBkColor(kBackground);")),
    F("U37", "the list's text dark on its pink in any scheme", "ui/RateListCtrl.cpp",
        ("    SetTextColor(highContrast ? ::GetSysColor(COLOR_WINDOWTEXT) : kText);\n", "")),
    F("U38", "a new colour scheme shows at once", "ui/AdjusterDlg.cpp",
        ("    {WM_SYSCOLORCHANGE, 0, 0, &CAdjusterDlg::OnDisplaySchemeChanged},\n", "")),
    F("U39", "high contrast turned on or off shows at once", "ui/AdjusterDlg.cpp",
        ("    {WM_SETTINGCHANGE, 0, 0, &CAdjusterDlg::OnDisplaySchemeChanged},\n", "")),
    F("U40", "the columns leave room for the vertical scrollbar at any scale", "ui/RateListCtrl.cpp",
        ("client.right - VerticalScrollBarWidth(m_hWnd)", "client.right - 15")),
    F("U41", "a drop on a row's label or button goes to its field", "ui/DropTarget.cpp",
        ("{::GetWindow(field, GW_HWNDPREV), field, ::GetDlgItem(dialog, IDC_CHOOSE_DESTINATION)}", "{field}")),
    F("U42", "a dropped shortcut is taken as its target", "ui/AdjusterDlg.cpp",
        ("if (const std::optional<std::string> path = FileBehindShortcut(name)) ShowPath(field, *path);", "ShowPath(field, name);")),
    F("U43", "a shortcut whose target is gone changes nothing", "platform/win32/Shortcut.cpp",
        ("if (target.empty() || ::GetFileAttributesW(SystemPath(target).c_str()) == INVALID_FILE_ATTRIBUTES) {", "if (target.empty()) {")),
    F("U44", "a chosen or dropped path shows its end", "ui/AdjusterDlg.cpp",
        ("    GetDlgItem(field).ShowTextEnd();\n", "")),
    F("U45", "screen readers: the bar named after Conversão", "res/Ravelo.rc",
        ("    GROUPBOX        \"Definição dos ficheiros\", IDC_STATIC, 5, 0, 230, 65\n", ""),
        ("    CONTROL         \"\", IDC_PROGRESS", "    GROUPBOX        \"Definição dos ficheiros\", IDC_STATIC, 5, 0, 230, 65\n    CONTROL         \"\", IDC_PROGRESS")),
    F("U46", "after a run the first row has the focus", "ui/RateListCtrl.cpp",
        ("    if (GetItemCount() > 0) SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);\n", "")),
    F("U47", "run as administrator, drops still arrive", "ui/AdjusterDlg.cpp",
        ("    LetDropsReachAnElevatedWindow();\n", "")),
]

# Faults that no test catches, and why that is right.
EXPECTED = {
    "R29": "no test makes a RAVELO.INI at the root of the file system, which is the machine's",
    "P12": "a shared lock on the settings file keeps out no reader, only a writer that locks it",
    "W9": "on Windows a file that a standard handle holds is refused by the sharing mode already",
    "C39": "with standard error closed the source takes its number, read-only: no text reaches a data file",
    "U10": "no window test paints the minimised window, and no text promises its icon",
    "U15": "a run inserts each row at its sorted place, so the template's sort style changes nothing seen",
    "U47": "Wine has no integrity levels, so no test runs the window elevated",
}


def native_tests():
    build = os.path.join(ROOT, "build", "native")
    commands = [[os.path.join(build, "tests", "platform_tests")], [os.path.join(build, "tests", "engine_tests")],
                [os.path.join(build, "tests", "cli_tests"), os.path.join(build, "cli", "ravelo-convert")],
                ["ctest", "--test-dir", build, "-R", "check_in_constant_memory"]]
    failed = []
    for command in commands:
        run = subprocess.run(["timeout", "-s", "KILL", "60"] + command, capture_output=True, text=True, errors="replace")
        if run.returncode != 0:
            names = sorted(set(re.findall(r"\[  FAILED  \] ([A-Za-z][\w/.]*)", run.stdout)))
            failed += names or ["%s (status %d)" % (os.path.basename(command[0]), run.returncode)]
    return failed


def windows_tests():
    prefix = os.path.join(ROOT, "build", "windows-x64", "wineprefix")
    run = subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", "sh", "-c",
                          "cmake/wine-run.sh '%s' wineboot && ctest --preset windows-x64 --output-on-failure" % prefix],
                         cwd=ROOT, capture_output=True, text=True, errors="replace")
    subprocess.run(["/usr/lib/wine/wineserver", "-k"], env=dict(os.environ, WINEPREFIX=prefix), capture_output=True)
    if run.returncode == 0:
        return []
    return sorted(set(re.findall(r"\[  FAILED  \] ([A-Za-z][\w/.]*)", run.stdout))) or ["status %d" % run.returncode]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--windows", action="store_true", help="the Windows and window faults")
    parser.add_argument("ids", nargs="*", help="only these faults")
    args = parser.parse_args()
    faults = [f for f in (WINDOWS if args.windows else NATIVE) if not args.ids or f["id"] in args.ids]
    build = os.path.join(ROOT, "build", "windows-x64" if args.windows else "native")
    touched = sorted({f["file"] for f in faults})
    if subprocess.run(["git", "diff", "--quiet", "HEAD", "--"] + touched, cwd=ROOT).returncode != 0:
        sys.exit("break-promises: commit or put back your changes to these files first: " + " ".join(touched))
    if not os.path.isdir(build):
        subprocess.run(["cmake", "--preset", "windows-x64" if args.windows else "native"], cwd=ROOT, check=True,
                       stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build], check=True, stdout=subprocess.DEVNULL)
    # An interrupt ends the fault in hand: its file is written back below.
    signal.signal(signal.SIGTERM, lambda *_: (_ for _ in ()).throw(KeyboardInterrupt()))
    caught, survived, stale = [], [], []
    try:
        for fault in faults:
            path = os.path.join(ROOT, fault["file"])
            with open(path, encoding="utf-8") as f:
                original = f.read()
            text = original
            for old, new in fault["subs"]:
                text = text.replace(old, new) if text.count(old) == 1 else None
                if text is None:
                    break
            if text is None:
                stale.append(fault["id"])
                print("%-4s stale: its text is no longer in %s" % (fault["id"], fault["file"]), flush=True)
                continue
            start = time.time()
            try:
                with open(path, "w", encoding="utf-8") as f:
                    f.write(text)
                built = subprocess.run(["cmake", "--build", build], capture_output=True, text=True)
                failed = None if built.returncode != 0 else windows_tests() if args.windows else native_tests()
            finally:
                with open(path, "w", encoding="utf-8") as f:
                    f.write(original)
            if failed is None:
                stale.append(fault["id"])
                outcome = "stale: does not build"
            elif failed:
                caught.append(fault["id"])
                outcome = "caught by " + ", ".join(failed)
            else:
                survived.append(fault["id"])
                outcome = "SURVIVED" + (" (expected: %s)" % EXPECTED[fault["id"]] if fault["id"] in EXPECTED else "")
            print("%-4s %s: %s [%ds]" % (fault["id"], fault["promise"], outcome, time.time() - start), flush=True)
    finally:
        subprocess.run(["cmake", "--build", build], capture_output=True)
    unexpected = [i for i in survived if i not in EXPECTED]
    print("break-promises: %d faults, %d caught, %d survived (%d unexpected: %s), %d stale" % (
        len(faults), len(caught), len(survived), len(unexpected), " ".join(unexpected) or "none", len(stale)))
    return 1 if unexpected or stale else 0


if __name__ == "__main__":
    sys.exit(main())
