#include "lang/EnglishText.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

struct TextEntry {
    int Id;
    std::u16string_view Text;
};

// Sorted by identifier; line breaks are CR LF.
constexpr TextEntry kEnglish[] = {
    {1, u"White"},
    {2, u"Red"},
    {3, u"Orange"},
    {4, u"Yellow"},
    {5, u"Green"},
    {6, u"Cyan"},
    {7, u"Blue"},
    {8, u"Magenta"},
    {9, u"Glacier"},
    {10, u"Volcano"},
    {11, u"Wood"},
    {12, u"Gold"},
    {13, u"Lemon"},
    {14, u"Adriatic Sea"},
    {15, u"Baby Doll"},
    {16, u"Custom Color"},
    {33, u"Stick to Mouse"},
    {34, u"Horizontal Moves Only"},
    {35, u"Vertical Moves Only"},
    {36, u"Bound to Screen"},
    {37, u"Ruler Double-click Action"},
    {38, u"Vertical or Horizontal Moves Only"},
    {39, u"Resize (50% - 75% - 100%)"},
    {40, u"Rotate 90\u00B0"},
    {41, u"Show Scale and Information"},
    {42, u"Show Precise Measuring Tool"},
    {43, u"Bound Precise Measuring Tool to Ruler"},
    {44, u"Drag to Center of Screen"},
    {46, u"Size"},
    {47, u"Full Size"},
    {48, u"75% of Screen Size"},
    {49, u"50% of Screen Size"},
    {50, u"Scale"},
    {51, u"Show"},
    {52, u"Units"},
    {53, u"Pixels [px]"},
    {54, u"Centimeters [cm]"},
    {55, u"Mouse"},
    {56, u"dpi"},
    {58, u"Inches [in]"},
    {59, u"px"},
    {60, u"cm"},
    {61, u"in"},
    {62, u"72 dpi"},
    {63, u"200 dpi (fax)"},
    {64, u"300 dpi"},
    {65, u"600 dpi"},
    {66, u"1200 dpi"},
    {67, u"Resolution"},
    {68, u"Precise Measuring Tool"},
    {69, u"Show"},
    {70, u"Bound to Ruler"},
    {71, u"Small"},
    {72, u"Medium"},
    {73, u"Large"},
    {74, u"Zoom"},
    {75, u"Apply Ruler Transparency"},
    {77, u"Transparency"},
    {78, u"Opaque"},
    {79, u"Color"},
    {80, u"Show Information"},
    {81, u"Embossed"},
    {82, u"Language"},
    {83, u"Save Settings on Exit"},
    {84, u"Help"},
    {85, u"About..."},
    {86, u"Browse Web for Updates"},
    {87, u"Custom Settings"},
    {88, u"Exit"},
    {89, u"Multiple Monitors"},
    {90, u"Use Monitor"},
    {91, u"Manual Configuration"},
    {92, u"Manual Monitors Configuration"},
    {93, u"Monitor"},
    {94, u"Left Edge"},
    {95, u"Top Edge"},
    {96, u"Width"},
    {97, u"Height"},
    {98, u"Enabled"},
    {99, u"Apply"},
    {100, u"OK"},
    {101, u"Cancel"},
    {102, u"Auto Detect Monitors"},
    {103, u"Use Manual Settings"},
    {105, u"Version"},
    {124, u"Reset to Default Settings"},
    {127, u"Move to Next Monitor"},
    {128, u"Custom"},
    {129, u"Position"},
    {130, u"Up"},
    {131, u"Down"},
    {132, u"Right"},
    {133, u"Left"},
    {134, u"No Zero Offset"},
    {135, u"Mouse Co-ordinates"},
    {136, u"RGB Color"},
    {137, u"Hints"},
    {138, u"Autostart with Desktop Session"},
    {139, u"Scale Units"},
    {140, u"Name (plural)"},
    {141, u"Abbreviation"},
    {142, u"Unit/Meter Ratio"},
    {143, u"Magnification"},
    {144, u"Ruler Size"},
    {145, u"Scale Units and Resolution"},
    {146, u"Color preview area"},
    {147, u"Highlight Color"},
    {148, u"Shadow Color"},
    {149, u"Launch Lentix"},
    {150,
     u"A compatible version of Lentix was not found\r\non your computer.\r\n\r\nWould you like to download it from "
     u"the Internet?"},
    {151, u"Hide Logo"},
    {153, u"Show Advanced Options"},
    {154, u"Support"},
    {155, u"Ask a Question"},
    {156, u"Send Comments"},
    {157, u"Report a Bug"},
    {158,
     u"There is a new version of Scalio\r\navailable online.\r\n\r\nWould you like to download it from "
     u"the\r\nInternet?"},
    {159, u"Try to Check on Startup"},
    {160, u"Check Now"},
    {161, u"You are currently using the latest\r\nversion of Scalio."},
    {162,
     u"Application version checking was not successful.\r\n\r\nPlease check your Internet connection and try "
     u"again."},
    {163, u"Yes"},
    {164, u"No"},
    {165, u"Download More Languages"},
    {202,
     u"To access the menu once the \"Stick to mouse\"\r\noption is activated, you must move the ruler "
     u"to\r\nthat screen edge where the ruler is closer than\r\nthe cursor."},
    {203, u"Scalio is made by Vendra. All rights reserved."},
    {204,
     u"Brief instructions:\r\n    Use left mouse button or cursor keys to drag\r\n    the ruler around, or "
     u"right-click for the options\r\n    menu. Click on Vendra logo to browse the Web\r\n    for the latest "
     u"version."},
    {206, u"Hint: Click on the ruler to lock it above the cursor."},
    {207, u"Hint: Click on the ruler to lock it below the cursor."},
    {208, u"Incorrect settings in Manual Monitors Configuration\r\nmay cause unpredictable behavior of Scalio!"},
    {209, u"It is important to fully understand this procedure.\r\nPlease refer to online Help before proceeding."},
};

constexpr bool SortedById()
{
    for (std::size_t i = 1; i < std::size(kEnglish); ++i)
        if (kEnglish[i - 1].Id >= kEnglish[i].Id) return false;
    return true;
}
static_assert(SortedById(), "the English table must stay sorted by identifier");

}  // namespace

std::u16string EnglishText(int id)
{
    const auto* it = std::lower_bound(std::begin(kEnglish), std::end(kEnglish), id,
                                      [](const TextEntry& e, int value) { return e.Id < value; });
    if (it != std::end(kEnglish) && it->Id == id) return std::u16string(it->Text);
    return kTextNotDefined;
}
