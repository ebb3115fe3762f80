// The latest-version record as a server may send it: the body decoded by its
// Content-Type, compared with our version, and the report that follows.
//
// Input: the body, then optionally NUL-separated the Content-Type value, the
// version to compare with (ours when absent) and a third version for the
// ordering's transitivity.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "lang/Languages.h"
#include "online/OnlineCheck.h"

namespace {

std::vector<std::string_view> SplitAtNul(std::string_view input, std::size_t parts)
{
    std::vector<std::string_view> out;
    while (out.size() + 1 < parts) {
        const std::size_t nul = input.find('\0');
        if (nul == std::string_view::npos) break;
        out.push_back(input.substr(0, nul));
        input.remove_prefix(nul + 1);
    }
    out.push_back(input);
    return out;
}

bool IsSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

// Every surrogate stands in a pair.
bool WellFormed(std::u16string_view t)
{
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!IsSurrogate(t[i])) continue;
        if (t[i] >= 0xDC00 || i + 1 == t.size() || t[i + 1] < 0xDC00 || t[i + 1] > 0xDFFF) return false;
        ++i;
    }
    return true;
}

void CheckDecoding(std::string_view body, std::string_view contentType, const std::optional<std::u16string>& text)
{
    if (!text) return;
    FUZZ_CHECK(WellFormed(*text), "the body decoded to half a surrogate pair");
    const bool byteWise = text->size() == body.size() && [&] {
        for (std::size_t i = 0; i < body.size(); ++i)
            if ((*text)[i] != static_cast<unsigned char>(body[i])) return false;
        return true;
    }();
    // Either each byte became its own character (Latin-1, ASCII) or the body
    // was read as UTF-8, where whatever does not come back was replaced.
    if (!byteWise && Utf16ToUtf8(*text) != body)
        FUZZ_CHECK(text->find(u'\uFFFD') != std::u16string::npos,
                   "the body with Content-Type \"%s\" lost bytes without a replacement character",
                   std::string(contentType).c_str());
    // Without a charset parameter the body is UTF-8.
    if (contentType.find(';') == std::string_view::npos)
        FUZZ_CHECK(*text == Utf8ToUtf16(body), "a body without charset was not read as UTF-8");
}

void CheckOrdering(std::u16string_view a, std::u16string_view b, std::u16string_view c)
{
    FUZZ_CHECK(!IsNewerVersion(a, a), "\"%s\" is newer than itself", Show(a).c_str());
    const bool ab = IsNewerVersion(a, b), ba = IsNewerVersion(b, a);
    FUZZ_CHECK(!(ab && ba), "\"%s\" and \"%s\" are each newer than the other", Show(a).c_str(), Show(b).c_str());
    FUZZ_CHECK(ab || ba || a == b, "\"%s\" and \"%s\" differ and neither is newer", Show(a).c_str(), Show(b).c_str());
    if (ab && IsNewerVersion(b, c))
        FUZZ_CHECK(IsNewerVersion(a, c), "newer is not transitive over \"%s\", \"%s\", \"%s\"", Show(a).c_str(),
                   Show(b).c_str(), Show(c).c_str());
}

void CheckReport(std::u16string_view result, bool reportAll, std::u16string_view own, const TLanguageTable& texts)
{
    const std::string url = "http://127.0.0.1:9/download.htm";
    const TCheckReport r = ReportCheckResult(result, reportAll, texts, own, url);
    const bool failed = result == kCheckError;
    const bool newer = !failed && IsNewerVersion(result, own);
    FUZZ_CHECK(r.Show == (newer || reportAll), "\"%s\" against \"%s\": shown %d", Show(result).c_str(),
               Show(own).c_str(), r.Show);
    FUZZ_CHECK(r.Show == !r.Buttons.empty() && r.Show == !r.Text.empty(), "a report without text or buttons");
    FUZZ_CHECK((r.Icon == TAnswerIcon::Question) == newer && (r.UrlOnYes == url) == newer,
               "\"%s\" against \"%s\": the download offered %d, newer %d", Show(result).c_str(), Show(own).c_str(),
               r.Icon == TAnswerIcon::Question, newer);
    if (r.Show && !newer)
        FUZZ_CHECK(r.Icon == (failed ? TAnswerIcon::Error : TAnswerIcon::Information) && r.Buttons.size() == 1,
                   "\"%s\": the wrong message", Show(result).c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // English: no language file is loaded.
    static const TLanguageTable texts;

    const std::vector<std::string_view> parts = SplitAtNul(AsBytes(data, size), 4);
    const std::string_view body = parts[0];
    const std::string_view contentType = parts.size() > 1 ? parts[1] : std::string_view("text/plain");
    const std::u16string own = parts.size() > 2 ? Utf8ToUtf16(parts[2]) : std::u16string(AppVersion);
    const std::u16string third = parts.size() > 3 ? Utf8ToUtf16(parts[3]) : std::u16string(u"3.35.1");

    const std::optional<std::u16string> text = DecodeBody(body, contentType);
    CheckDecoding(body, contentType, text);
    // As the check's thread leaves it: no text, or an empty one, is a failure.
    const std::u16string result = text && !text->empty() ? *text : std::u16string(kCheckError);

    CheckOrdering(result, own, third);
    CheckOrdering(own, third, result);
    CheckOrdering(third, result, own);
    for (bool reportAll : {false, true}) CheckReport(result, reportAll, own, texts);
    return 0;
}
