#pragma once
// The manual monitor dialog without its widgets: the texts its sixteen
// fields hold, which fields and Enabled boxes can be used, the chain of the
// boxes, how typed numbers are corrected and what Apply commits. The dialog
// mirrors this form on screen and turns the user's actions into its handlers,
// so every rule here is testable without a window.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ruler/RulerState.h"
#include "settings/Numbers.h"

// The order of a monitor's four fields on screen.
enum class TMonitorField { Left, Top, Width, Height };
inline constexpr int kMonitorFieldCount = 4;

inline constexpr std::int32_t kMinMonitorWidth = 640;
inline constexpr std::int32_t kMaxMonitorWidth = 4096;
inline constexpr std::int32_t kMinMonitorHeight = 480;
inline constexpr std::int32_t kMaxMonitorHeight = 3072;

// What a field shows once the user has left it: an integer in the field's
// range stays as typed; anything else becomes the corrected value, where text
// that is no integer counts as 0 and a zero is always written "0". Left and
// top take any 32-bit value, so monitors may lie left of or above the first.
std::u16string CorrectMonitorField(TMonitorField field, std::u16string_view text);

enum class TMonitorMode { None, AutoDetect, Manual };

// The dialog's controls as data. Monitors are numbered 1 to 4; monitor 1 has
// no Enabled box and always counts as enabled.
class TMonitorSetupForm {
public:
    // Defined out of line: clang-tidy 14's parser crashes on the implicit
    // constructor of the nested text arrays in the tests.
    TMonitorSetupForm();
    const std::u16string& Text(int monitor, TMonitorField field) const;
    bool FieldsEnabled(int monitor) const { return m_fieldsEnabled[Slot(monitor)]; }
    bool BoxChecked(int monitor) const { return monitor <= 1 || m_boxChecked[Slot(monitor)]; }
    bool BoxEnabled(int monitor) const { return monitor > 1 && m_boxEnabled[Slot(monitor)]; }
    TMonitorMode Mode() const { return m_mode; }
    bool ApplyEnabled() const { return m_applyEnabled; }

    // Every activation: the committed state again, the mode it was applied
    // in, Apply unavailable. Typing that was not applied is dropped.
    void FormActivate(const RulerState& s, const std::vector<MonitorRect>& system);
    void ReadMonData(const RulerState& s);

    // A field's text changed, by the user or by the dialog (AnyChange when
    // the text differs).
    void SetText(int monitor, TMonitorField field, std::u16string text);
    // The user or the dialog sets monitor 2, 3 or 4's Enabled box; a change
    // runs the box's handler.
    void SetBoxChecked(int monitor, bool on);
    // A mode button is selected; a change runs that mode's handler. The
    // system's monitors are what the auto-detect mode shows; monitorCount is
    // the committed count the manual mode starts from.
    void SelectMode(TMonitorMode mode, int monitorCount, const std::vector<MonitorRect>& system);

    void EnableMonitor(int monitor, bool on);
    // Corrects every field of an enabled monitor and clears the others.
    void AnyEditBoxExit();
    void rbAutoDetectClick(const std::vector<MonitorRect>& system);
    void rbCustomSettingsClick(int monitorCount);

    // Commits the mode, the count the chain of boxes gives and all sixteen
    // fields (text that is no integer stores 0); Apply is unavailable after.
    void Apply(RulerState& s);
    // The highest monitor whose box is checked (the chain keeps the boxes
    // below it checked too), 1 when none is.
    int ChainCount() const;

private:
    static std::size_t Slot(int monitor) { return static_cast<std::size_t>(monitor - 1); }
    void cbEnableClick(int monitor);
    void SetFields(int monitor, const MonitorRect& r);
    void SetMonitorState(int monitor, bool on);

    std::array<std::array<std::u16string, kMonitorFieldCount>, kMonitorSlots> m_texts{};
    std::array<bool, kMonitorSlots> m_fieldsEnabled{};
    std::array<bool, kMonitorSlots> m_boxChecked{};
    std::array<bool, kMonitorSlots> m_boxEnabled{};
    TMonitorMode m_mode = TMonitorMode::None;
    bool m_applyEnabled = false;
};
