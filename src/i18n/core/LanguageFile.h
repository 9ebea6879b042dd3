// Reading language files (*.lng) into form translations and message
// strings. Plain code: applying the translations to widgets is the Qt
// library's part (i18n/gui).
//
// A language file is 8-bit text cut into lines at CR LF, LF or CR:
//
//   ; Morvath's Quillon Localizer Language File.   <- line 1, exact (a UTF-8
//   Codepage=1251                                      byte-order mark may
//   Humanize=1                                         precede it)
//   HumanizeDivider=/
//   [TForm1]                  <- a form section, named after the form class
//   btnopen.Hint=Open file    <- property path = value
//   N1.Caption{Menu}=Print    <- "{...}" up to "=" is a remark
//   (x)old.Caption=...        <- obsolete entry: reported, skipped
//   (!)new.Caption=...        <- untranslated entry: reported, skipped
//   [RESOURCESTRINGS]
//   1001_FileNotFound=...     <- identifier, "_" name "=", the text
//
// Empty lines and lines starting with ";" are comments everywhere; the
// header keys may stand anywhere (the first of each counts).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/core/ResStringer.h"

// The first line of every language file.
inline constexpr std::string_view kLanguageFileSignature = "; Morvath's Quillon Localizer Language File.";

// One form section: entry j is (Paths[j], Values[j]), in file order.
struct TResForm {
    std::u16string Name;
    std::vector<std::u16string> Paths;
    std::vector<std::u16string> Values;
};

// Receives the text of every problem met while loading.
using TLocalizerReport = std::function<void(const std::u16string& message)>;

// The form translations of the language in use, and the reader that fills
// them and the message-string translations from a language file.
class TLanguageTranslations {
public:
    // `resStrings` receives the message strings of every file that has a
    // "[RESOURCESTRINGS]" section; it must outlive this object.
    TLanguageTranslations(int defaultCodepage, TResStringer& resStrings);

    // The code page of files without a "Codepage" line.
    int DefaultCodepage() const { return defaultCodepage_; }
    void SetDefaultCodepage(int codepage) { defaultCodepage_ = codepage; }

    // Where problems go; without one they are dropped. A report function
    // may throw to abort loading: the exception reaches the caller of
    // LoadFile/LoadText and what was read until then stays.
    void SetReport(TLocalizerReport report) { report_ = std::move(report); }

    // Reads `fileName` (UTF-8; ".lng" is appended unless the name ends with
    // it, letter case ignored) and replaces the form translations; the
    // message strings are replaced only when the file has a
    // "[RESOURCESTRINGS]" section. Returns true when the whole file was
    // read; false after a problem that stops loading (a missing or
    // unreadable file, a bad signature or code page, a deleted form, a bad
    // line or value), in which case the sections read before it stay.
    bool LoadFile(const std::string& fileName);

    // LoadFile on the file's contents `bytes`; `fileName` only names the
    // file in reports.
    bool LoadText(std::string_view bytes, const std::string& fileName);

    // The form sections of the last file, in file order.
    const std::vector<TResForm>& Forms() const { return forms_; }

    // The first section named exactly `className`, or nullptr.
    const TResForm* FindForm(std::u16string_view className) const;

    // Whether the last file had a message-string section.
    bool HadResStrings() const { return hadResStrings_; }

private:
    struct THeader;
    void Report(const std::u16string& message) const;
    std::size_t LoadResStrings(const std::vector<std::string_view>& lines, std::size_t first, const THeader& h);

    int defaultCodepage_;
    TResStringer& resStrings_;
    TLocalizerReport report_;
    std::vector<TResForm> forms_;
    bool hadResStrings_ = false;
};

// The lines of `text`, cut at CR LF, LF or CR (a final terminator adds no
// empty line). The views point into `text`.
std::vector<std::string_view> SplitLanguageLines(std::string_view text);
