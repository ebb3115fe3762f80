#pragma once
// The two whole states the save loop writes by turns. They differ in nearly
// every key and in size (the second carries a long unit name), so that a
// file cut short or mixed from both can never pass for either.

#include <string>

#include "ruler/RulerState.h"

inline RulerState SaveLoopState(int which)
{
    RulerState s;
    s.SaveSettingsOnExit = true;
    if (which % 2 == 0) {
        s.Color = 3;
        s.Units = TUnits::Centimeters;
        s.CustomUnit.Name = u"Meilen";
        s.CustomUnit.Abbreviation = u"mi";
        return s;
    }
    s.Color = 11;
    s.Rotate = true;
    s.StickToMouse = true;
    s.Units = TUnits::Custom;
    s.Resolution = TResolution::Dpi600;
    s.Transparency = TTransparency::Percent40;
    s.Language = "DE";
    s.MonitorCount = 3;
    s.ActiveMon = 2;
    s.CustomUnit.Name = u"Gr\u00F6\u00DFe " + std::u16string(1800, u'\u00FC');
    s.CustomUnit.Abbreviation = u"gr";
    s.CustomUnit.UnitToMeterA = 2.5e-7;
    s.CustomResolution = 1234;
    return s;
}
