// check-skin: a skin folder's SkinSetting.ini, the pictures it names and its region file.

#include "common/text.h"
#include "panel/window/language_table.h"
#include "panel/window/picture_source.h"
#include "panel/window/skin_keys.h"
#include "panel/window/value_rules.h"
#include "panel/window/window_errors.h"
#include "panel/window/window_region.h"
#include "tools/tonedeck-tool/tool_text.h"
#include "tools/tonedeck-tool/window_checks.h"

namespace tonedeck::tool {

namespace {

std::size_t LayoutFieldCount(SkinKeyKind kind) {
    switch (kind) {
        case SkinKeyKind::BackNotebook:
            return 4;
        case SkinKeyKind::PanelSize:
        case SkinKeyKind::EqSlider:
        case SkinKeyKind::MicSlider:
            return 2;
        case SkinKeyKind::MicProgressLength:
            return 1;
        case SkinKeyKind::VirtualCenter:
            return 3;
        case SkinKeyKind::Image:
            return 0;
    }
    return 0;
}

bool IsLinkModePicture(std::u16string_view key) {
    return key.substr(0, 7) == u"D3Alpha" || key.substr(0, 6) == u"D3Beta"
               ? key.find(u"Indep") != key.npos || key.find(u"Dep") != key.npos ||
                     key.find(u"Inv") != key.npos
               : false;
}

void CheckPicture(ToolContext& context, const std::u16string& path, const std::string& where,
                  CheckReport& report) {
    std::vector<uint8_t> bytes;
    if (!context.files.FileExists(path) ||
        context.files.ReadWholeFile(path, bytes) != FileReadStatus::Ok) {
        report.Problem(where + ": missing picture file " + Quoted(path));
        return;
    }
    PictureInfo info = ReadPictureHeader(PictureFormatFor(path), bytes);
    if (!info.ok) report.Problem(where + ": " + Quoted(path) + ": " + info.problem);
}

void CheckImageKey(ToolContext& context, const std::u16string& folder, const SkinKey& key,
                   const std::vector<std::u16string>& fields, const std::string& where,
                   CheckReport& report) {
    CheckIntegerFields(fields, {1, 2, 3, 4}, where, report);
    if (fields[0].empty()) {
        report.Problem(where + ": no file name");
        return;
    }
    if (fields[0].size() > 63) report.Problem(where + ": file name longer than 63 characters");
    CheckPicture(context, JoinPath(folder, fields[0]), where, report);
    // Cycling a link mode loads the same file from the 3D sub-folder.
    if (key.section == u"3D" && IsLinkModePicture(key.key)) {
        CheckPicture(context, JoinPath(folder, u"3D\\" + fields[0]), where + " (3D sub-folder)",
                     report);
    }
}

}  // namespace

int RunCheckSkin(const std::u16string& folderArgument, ToolContext& context) {
    const std::u16string folder = context.fullPath(folderArgument);
    if (!context.files.DirectoryExists(folder)) {
        context.err << "tonedeck-tool: cannot check " << Quoted(folderArgument)
                    << ": no such folder\n";
        return kExitProblems;
    }
    CheckReport report(context.out);
    report.out() << "Skin folder: " << Shown(folder) << "\n";
    const std::u16string settings = JoinPath(folder, u"SkinSetting.ini");
    if (!context.files.FileExists(settings)) {
        report.Problem("missing SkinSetting.ini");
        return Finish(report);
    }
    for (const SkinKey& key : SkinKeys()) {
        const std::string where = "[" + U16ToUtf8(key.section) + "] " + U16ToUtf8(key.key);
        const std::u16string value = ReadValue(context, settings, key.section, key.key);
        if (value.empty()) {
            report.Problem(where + ": missing");
            continue;
        }
        auto fields = SplitFields(value);
        if (key.kind == SkinKeyKind::Image) {
            CheckImageKey(context, folder, key, fields, where, report);
            continue;
        }
        for (std::size_t i = 0; i < LayoutFieldCount(key.kind); ++i) {
            try {
                ParseInteger(FieldOrEmpty(fields, i));
            } catch (const InvalidIntegerError& error) {
                report.Problem(where + " field " + std::to_string(i + 1) + ": " + error.what());
            }
        }
    }
    for (auto key : SkinLabelKeys()) {
        const std::string where = "[MainLable] " + U16ToUtf8(key);
        auto fields = SplitFields(ReadValue(context, settings, u"MainLable", key));
        CheckIntegerFields(fields, {1, 2, 4, 5, 6, 7, 8}, where, report);
    }
    const std::u16string region = JoinPath(folder, u"MainForm_Frame.rgn");
    std::vector<uint8_t> bytes;
    if (!context.files.FileExists(region) ||
        context.files.ReadWholeFile(region, bytes) != FileReadStatus::Ok) {
        report.Problem("missing region file MainForm_Frame.rgn");
    } else {
        try {
            ParseRegionFile(bytes, region);
        } catch (const FileLoadError& error) {
            report.Problem(error.what());
        }
    }
    return Finish(report);
}

}  // namespace tonedeck::tool
