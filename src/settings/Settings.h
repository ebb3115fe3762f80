#pragma once
// The settings file's sections and keys and how they fill and store a
// RulerState. One table of keys drives both directions; reading walks it in
// start-up order, writing in the order keys are saved.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "ruler/RulerState.h"
#include "settings/IniFile.h"

// What reading needs from the rest of the program, called at the points of
// the reading where start-up needs it done (the state as read so far).
class ISettingsReadHooks {
public:
    virtual ~ISettingsReadHooks() = default;
    // Whether a language file with this code was loaded.
    virtual bool LanguageLoaded(std::string_view code) = 0;
    // s.Language holds the language to start in, "EN" or a loaded code: run
    // the language command for it (select its menu item, apply the texts).
    virtual void SelectLanguage(RulerState& s) = 0;
    // Not in manual configuration: fill MonitorCount and MonitorRects from
    // the system's monitors.
    virtual void DetectMonitors(RulerState& s) = 0;
    // The monitor table is final and no monitor is selected yet: bring the
    // monitor menu items in line with MonitorCount (this may change
    // DoubleClick). ActiveMon and ActiveArea are set right after.
    virtual void ShowMonitorMenuItems(RulerState& s) = 0;
};

// Fills every settings field of s from ini; a missing key gives its default,
// a value that is not of the key's kind the default or the key's fallback.
// The derived measures and CurrentScheme are left for the caller to refresh.
// Reals are read with a decimal point, a decimal comma or decimalSeparator,
// so that a file written under another locale keeps its custom unit.
void ReadSettings(const TIniFile& ini, RulerState& s, char16_t decimalSeparator, ISettingsReadHooks& hooks);
// Loads the file at path and reads it. A missing or unreadable file (a
// FIFO, a folder, one beyond kIniMaxFileBytes) reads as an empty one: every
// default. The result says which it was.
TIniLoad LoadSettings(const std::string& path, RulerState& s, char16_t decimalSeparator, ISettingsReadHooks& hooks);

// Sets s's keys in ini in saving order: all of them when SaveSettingsOnExit
// is on, else only the four [General] keys that are always saved. Reals are
// written as FormatGeneral writes them, with decimalSeparator.
void WriteSettings(TIniFile& ini, const RulerState& s, char16_t decimalSeparator);
// The whole save at shut-down: the file's other content is kept, and it is
// replaced in one atomic step. False when it could not be saved (error says
// why); the file is then exactly as before. A file that exists but cannot be
// read is not replaced, since that would lose what the user keeps in it; nor
// is one larger than kIniMaxFileBytes, which reads as unreadable.
bool SaveSettings(const std::string& path, const RulerState& s, char16_t decimalSeparator,
                  std::error_code* error = nullptr);
// The message for a save that failed.
std::u16string UnableToWriteText(const std::string& path);

// The value kinds of the file.
// Decimal, or hexadecimal ("0x" and at least one digit, up to 32 bits, taken
// as a signed value); nullopt for anything else.
std::optional<std::int32_t> ParseSettingsInteger(std::u16string_view text);
// Decimal text with an optional exponent ("1E20", "2.5E-7", and "1e+20" as
// earlier versions wrote it); the decimal separator may be '.', ',' or
// decimalSeparator. No thousands separators. nullopt when it is not a finite
// number.
std::optional<double> ParseSettingsReal(std::u16string_view text, char16_t decimalSeparator);
