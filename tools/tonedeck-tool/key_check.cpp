// The plain keys the shipped file must carry, read through the private-profile functions.

#include "common/profile_io.h"
#include "tools/tonedeck-tool/config_checks.h"
#include "tools/tonedeck-tool/tool_text.h"

namespace tonedeck::tool {

namespace {

struct RequiredKey {
    const char16_t* section;
    const char16_t* key;
};

// The per-user keys (DefaultLanguage, DefaultSkin) and LastINI are written later on the user's
// machine; they need not ship.
constexpr RequiredKey kRequiredKeys[] = {
    {u"Language", u"LanguageFolderName"},
    {u"Skin", u"SkinFolderName"},
    {u"Skin", u"RegionCut"},
    {u"TrayIconHint", u"HintName"},
    {u"Install", u"InstallAppTitle"},
    {u"Install", u"InstallIconFileName"},
    {u"Install", u"InstallFolderName"},
    {u"Install", u"ShortcutFolderName"},
    {u"Install", u"AppShortcutName"},
    {u"Install", u"APPFileName"},
    {u"Install", u"UserManualShortcutName"},
    {u"Install", u"BackgroundWidth"},
    {u"Install", u"BackgroundHeight"},
    {u"Install", u"InstallBackgroundFileName"},
    {u"Uninstall", u"UninstallShortcutName"},
    {u"Uninstall", u"Publisher"},
    {u"Uninstall", u"UninstallDisplayName"},
    {u"Uninstall", u"UninstallFileName"},
};

constexpr char16_t kLanguageMapSection[] = u"MultiLanguageFolderMap";

bool HasValue(ProfileStore& profiles, const std::u16string& path, const std::u16string& section,
              const std::u16string& key) {
    std::u16string value;
    return ReadProfileString(profiles, path, section, key, value) == 0;
}

}  // namespace

void CheckKeys(ProfileStore& profiles, const std::u16string& path, const CIniMgr& ini,
               CheckReport& report) {
    std::ostream& out = report.out();
    out << "Keys:\n";
    int missing = 0;
    for (const auto& required : kRequiredKeys) {
        if (HasValue(profiles, path, required.section, required.key)) continue;
        out << "  missing or empty: [" << Shown(required.section) << "] " << Shown(required.key)
            << "\n";
        ++missing;
        report.Count();
    }

    // The private-profile port names keys one by one; the language names come from the INI model
    // and each is then read as the programs read it.
    std::vector<std::u16string> languages;
    ini.GetKeyNames(kLanguageMapSection, languages);
    std::size_t shown = 0;
    for (const auto& language : languages) {
        if (HasValue(profiles, path, kLanguageMapSection, language)) ++shown;
    }
    if (shown == 0) {
        out << "  missing or empty: [" << Shown(kLanguageMapSection) << "] (no language entry)\n";
        ++missing;
        report.Count();
    }

    if (missing == 0) {
        out << "  all " << std::size(kRequiredKeys) << " keys present; " << shown
            << " language(s) in [" << Shown(kLanguageMapSection) << "]\n";
    }
}

}  // namespace tonedeck::tool
