#include "monitors/MonitorSetup.h"

#include <limits>
#include <optional>

namespace {

constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();

struct TLimits {
    std::int32_t Min, Max;
};

TLimits Limits(TMonitorField field)
{
    switch (field) {
        case TMonitorField::Width: return {kMinMonitorWidth, kMaxMonitorWidth};
        case TMonitorField::Height: return {kMinMonitorHeight, kMaxMonitorHeight};
        case TMonitorField::Left:
        case TMonitorField::Top: break;
    }
    return {kMinInt, kMaxInt};
}

std::u16string DecimalText(std::int32_t value)
{
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

std::size_t FieldIndex(TMonitorField field)
{
    return static_cast<std::size_t>(field);
}

// The order in which the corrections run over one monitor's fields.
constexpr TMonitorField kCorrectionOrder[] = {TMonitorField::Left, TMonitorField::Width, TMonitorField::Top,
                                              TMonitorField::Height};
constexpr TMonitorField kFields[] = {TMonitorField::Left, TMonitorField::Top, TMonitorField::Width,
                                     TMonitorField::Height};

}  // namespace

std::u16string CorrectMonitorField(TMonitorField field, std::u16string_view text)
{
    const std::optional<std::int64_t> read = ReadDecimalInteger(text);
    const TLimits limits = Limits(field);
    const std::int32_t value = FixStrToInt(text, limits.Min, limits.Max, 0);
    if (read && *read == value && value != 0) return std::u16string(text);
    return DecimalText(value);
}

TMonitorSetupForm::TMonitorSetupForm() = default;

const std::u16string& TMonitorSetupForm::Text(int monitor, TMonitorField field) const
{
    return m_texts[Slot(monitor)][FieldIndex(field)];
}

void TMonitorSetupForm::FormActivate(const RulerState& s, const std::vector<MonitorRect>& system)
{
    ReadMonData(s);
    const TMonitorMode mode = s.ManualCfg ? TMonitorMode::Manual : TMonitorMode::AutoDetect;
    // Re-reading may have changed a box, and a box's handler unlocks fields;
    // the auto-detect mode must stay locked and show what the system reports
    // now, so it runs again even when it stays selected.
    if (mode == TMonitorMode::AutoDetect && m_mode == TMonitorMode::AutoDetect)
        rbAutoDetectClick(system);
    else
        SelectMode(mode, s.MonitorCount, system);
    m_applyEnabled = false;
}

void TMonitorSetupForm::ReadMonData(const RulerState& s)
{
    // Each box's handler corrects and clears fields against the boxes not
    // set yet (box 2's clears monitor 3 while box 3 is still unchecked), so
    // the committed values are written after the boxes, to be shown as they
    // were committed.
    for (int m = 2; m <= kMonitorSlots; ++m) SetBoxChecked(m, s.MonitorCount >= m);
    for (int m = 1; m <= kMonitorSlots; ++m) SetFields(m, s.MonitorRects[Slot(m)]);
}

void TMonitorSetupForm::SetText(int monitor, TMonitorField field, std::u16string text)
{
    std::u16string& current = m_texts[Slot(monitor)][FieldIndex(field)];
    if (current == text) return;
    current = std::move(text);
    m_applyEnabled = true;  // AnyChange
}

void TMonitorSetupForm::SetBoxChecked(int monitor, bool on)
{
    if (monitor < 2 || monitor > kMonitorSlots || m_boxChecked[Slot(monitor)] == on) return;
    m_boxChecked[Slot(monitor)] = on;
    cbEnableClick(monitor);
}

void TMonitorSetupForm::cbEnableClick(int monitor)
{
    EnableMonitor(monitor, m_boxChecked[Slot(monitor)]);
    AnyEditBoxExit();
}

void TMonitorSetupForm::SelectMode(TMonitorMode mode, int monitorCount, const std::vector<MonitorRect>& system)
{
    if (mode == m_mode) return;
    m_mode = mode;
    if (mode == TMonitorMode::AutoDetect)
        rbAutoDetectClick(system);
    else if (mode == TMonitorMode::Manual)
        rbCustomSettingsClick(monitorCount);
}

void TMonitorSetupForm::SetMonitorState(int monitor, bool on)
{
    m_fieldsEnabled[Slot(monitor)] = on;
    SetBoxChecked(monitor, on);
}

void TMonitorSetupForm::EnableMonitor(int monitor, bool on)
{
    m_applyEnabled = true;
    m_fieldsEnabled[0] = true;
    m_boxEnabled[1] = true;
    // Turning a monitor off turns off every monitor after it; turning one on
    // offers only the next one's box.
    if (monitor == 2) {
        SetMonitorState(2, on);
        m_boxEnabled[2] = on;
    }
    if (monitor == 3 || (monitor == 2 && !on)) {
        SetMonitorState(3, on);
        m_boxEnabled[3] = on;
    }
    if (monitor == 4 || ((monitor == 3 || monitor == 2) && !on)) SetMonitorState(4, on);
}

void TMonitorSetupForm::AnyEditBoxExit()
{
    for (int m = 1; m <= kMonitorSlots; ++m) {
        if (BoxChecked(m)) {
            for (TMonitorField f : kCorrectionOrder) SetText(m, f, CorrectMonitorField(f, Text(m, f)));
        } else {
            for (TMonitorField f : kFields) SetText(m, f, u"0");
        }
    }
}

void TMonitorSetupForm::SetFields(int monitor, const MonitorRect& r)
{
    SetText(monitor, TMonitorField::Left, DecimalText(r.Left));
    SetText(monitor, TMonitorField::Top, DecimalText(r.Top));
    SetText(monitor, TMonitorField::Width, DecimalText(r.Width));
    SetText(monitor, TMonitorField::Height, DecimalText(r.Height));
}

void TMonitorSetupForm::rbAutoDetectClick(const std::vector<MonitorRect>& system)
{
    m_applyEnabled = true;
    const auto detected = [&](int monitor) {
        return Slot(monitor) < system.size() ? system[Slot(monitor)] : MonitorRect{};
    };
    SetFields(1, detected(1));
    for (int m = 2; m <= kMonitorSlots; ++m) {
        SetFields(m, detected(m));
        SetBoxChecked(m, Slot(m) < system.size());
    }
    // The boxes' handlers corrected the fields as if typed; a detected monitor
    // is shown as the system reports it, one beyond the typing limits too.
    for (int m = 1; m <= kMonitorSlots; ++m) SetFields(m, detected(m));
    m_fieldsEnabled.fill(false);
    m_boxEnabled.fill(false);
}

void TMonitorSetupForm::rbCustomSettingsClick(int monitorCount)
{
    m_applyEnabled = true;
    switch (monitorCount) {
        case 1: EnableMonitor(2, false); break;
        case 2:
            EnableMonitor(2, true);
            EnableMonitor(3, false);
            break;
        case 3:
            EnableMonitor(2, true);
            EnableMonitor(3, true);
            EnableMonitor(4, false);
            break;
        default:
            // A hand-edited count (0, or above 4) offers every monitor.
            EnableMonitor(2, true);
            EnableMonitor(3, true);
            EnableMonitor(4, true);
            break;
    }
}

int TMonitorSetupForm::ChainCount() const
{
    for (int m = kMonitorSlots; m >= 2; --m)
        if (m_boxChecked[Slot(m)]) return m;
    return 1;
}

void TMonitorSetupForm::Apply(RulerState& s)
{
    m_applyEnabled = false;
    s.ManualCfg = m_mode == TMonitorMode::Manual;
    s.MonitorCount = ChainCount();
    for (int m = 1; m <= kMonitorSlots; ++m) {
        const auto value = [&](TMonitorField f) { return FixStrToInt(Text(m, f), kMinInt, kMaxInt, 0); };
        s.MonitorRects[Slot(m)] = {value(TMonitorField::Left), value(TMonitorField::Top), value(TMonitorField::Width),
                                   value(TMonitorField::Height)};
    }
}
