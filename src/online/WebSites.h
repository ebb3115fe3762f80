#pragma once
// Where the product's and the maker's web pages live.

#include <string>
#include <string_view>

#include "settings/SettingsLocation.h"

inline constexpr char kProductSite[] = "http://scalio.vendra.example/";
inline constexpr char kMakerSite[] = "http://www.vendra.example/";

// The variable that moves the product site elsewhere. The program otherwise
// reads no environment; this one exists so that tests can point the update
// check and the product pages at a server of their own, and so that a mirror
// can stand in for the real site.
inline constexpr char kProductSiteVariable[] = "SCALIO_PRODUCT_SITE";

// The root of the product web site, always ending in '/': $SCALIO_PRODUCT_SITE
// when it holds an http:// or https:// URL, else kProductSite. Anything else
// in the variable is ignored rather than turned into a broken link.
inline std::string ProductSiteRoot(const TEnvironment& env = ProcessEnvironment())
{
    std::optional<std::string> value = env(kProductSiteVariable);
    if (!value) return kProductSite;
    const std::string_view v = *value;
    const bool http = v.starts_with("http://") && v.size() > 7;
    const bool https = v.starts_with("https://") && v.size() > 8;
    if (!http && !https) return kProductSite;
    std::string root = *value;
    if (root.back() != '/') root.push_back('/');
    return root;
}

// A page of the product web site ("" for its root page).
inline std::string ProductPage(const std::string& page, const TEnvironment& env = ProcessEnvironment())
{
    return ProductSiteRoot(env) + page;
}

// The pages the menu opens, all through the shell's browse seam.
// DOWNLOAD (a newer version, the companion magnifier): the download page.
inline std::string DownloadPage()
{
    return ProductPage("download.htm");
}
// MORE in the LANGUAGE submenu.
inline std::string LanguagesDownloadPage()
{
    return ProductPage("download-languages.htm");
}
// Vendra Online: the maker's root page.
inline std::string MakerPage()
{
    return kMakerSite;
}

// The three prepared e-mails of the SUPPORT submenu.
enum class TMailTopic { Question, Comments, Bug };

inline constexpr char kSupportAddress[] = "support@vendra.example";
inline constexpr char kCommentsAddress[] = "comments@vendra.example";
inline constexpr char kBugsAddress[] = "bugs@vendra.example";

// Bytes outside the unreserved set of RFC 3986 as %XX (and '/' too, unless
// it is kept for a path): a mailer must not see a blank end the subject or
// an '&' start another header, nor a browser a '#' end a file's path.
inline std::string PercentEncode(const std::string& text, bool keepSlash = false)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '.' || c == '_' || c == '~' || (keepSlash && c == '/');
        if (plain) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

// "mailto:<address>?Subject=<subject>&Body=": a new mail with its subject
// filled in and nothing in its body; the subjects are English whatever the
// interface language, so that the maker can sort them.
inline std::string MailLink(TMailTopic topic)
{
    const char* address = kSupportAddress;
    const char* subject = "Question about Scalio";
    switch (topic) {
        case TMailTopic::Question: break;
        case TMailTopic::Comments:
            address = kCommentsAddress;
            subject = "Comments on Scalio";
            break;
        case TMailTopic::Bug:
            address = kBugsAddress;
            subject = "Bug in Scalio";
            break;
    }
    return std::string("mailto:") + address + "?Subject=" + PercentEncode(subject) + "&Body=";
}
