// voviro-tool exif [--json] FILE...: everything the metadata reader finds in
// each file. Plain output is a heading per file and one line per value or
// item; --json prints one JSON object per file per line. Exit 0 when every
// file could be opened, 1 otherwise, 2 on bad arguments.
#include <cmath>
#include <cstdio>
#include <string>

#include "catalogue/ZoomPosition.h"
#include "imaging/Bitmap.h"
#include "metadata/ExifRead.h"
#include "metadata/FileReader.h"
#include "metadata/NumberText.h"
#include "metadata/PhotoshopResources.h"
#include "platform/TextCodec.h"
#include "tools/voviro-tool/Commands.h"
#include "tools/voviro-tool/Json.h"

namespace voviro_tool {

namespace {

struct FileResult {
    metadata::TExifData exif;
    metadata::PhotoshopLocator locator;
    imaging::Bitmap thumbnail;
    bool opened = false;
    std::string error; // set when the reader raised
};

FileResult ReadOne(const std::string& path)
{
    FileResult r;
    r.opened = metadata::FileReader(path).Opened();
    try {
        metadata::ReadExifData(path, r.thumbnail, r.locator, r.exif);
    } catch (const std::exception& e) {
        r.error = e.what();
        if (r.error.empty())
            r.error = "read error";
    }
    if (r.exif.HasThumbnail == 0)
        r.thumbnail = imaging::Bitmap();
    return r;
}

std::string JsonItems(const std::vector<metadata::TIFDItem>& items)
{
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ",";
        out += "{\"key\":" + std::to_string(items[i].Key) + ",\"name\":" + JsonString(items[i].Name)
            + ",\"value\":" + JsonString(items[i].Value) + "}";
    }
    return out + "]";
}

// Maker-note kind and state, the main and Exif values the captions use, the zoom bar.
std::string MakerFields(const metadata::TExifData& e)
{
    const auto field
        = [](const char* name, long long value) { return std::string(",\"") + name + "\":" + std::to_string(value); };
    const auto real = [](const char* name, double value) {
        return std::string(",\"") + name + "\":" + (std::isfinite(value) ? metadata::GeneralFloatText(value) : "null");
    };
    double position = -1, range = 0;
    catalogue::FileZoomPosition(e, position, range);
    return field("maker_kind", e.MakerNoteKind) + field("maker_offset", e.Exif.MakerOffset)
        + field("maker_damaged", e.Maker.Damaged) + ",\"version\":" + JsonString(e.Exif.Version)
        + ",\"model\":" + JsonString(e.Main.Model) + real("focal_length", e.Exif.FocalLength)
        + field("rotation_hint", e.Main.RotationHint) + real("lens_wide", e.Maker.LensWide)
        + real("lens_tele", e.Maker.LensTele) + real("zoom_position", position) + real("zoom_range", range)
        + field("thumbnail_offset", e.ThumbnailOffset) + field("thumbnail_length", e.ThumbnailLength);
}

std::string JsonLine(const std::string& path, const FileResult& r)
{
    const metadata::TExifData& e = r.exif;
    const auto field
        = [](const char* name, long long value) { return std::string(",\"") + name + "\":" + std::to_string(value); };
    std::string out = "{\"file\":" + JsonString(path);
    if (!r.error.empty())
        out += ",\"error\":" + JsonString(r.error);
    out += field("failed", e.Failed) + field("container_kind", e.ContainerKind) + field("width", e.Width)
        + field("height", e.Height) + field("icc_offset", e.IccOffset) + field("icc_length", e.IccLength)
        + field("has_thumbnail", e.HasThumbnail) + field("thumbnail_width", r.thumbnail.Width())
        + field("thumbnail_height", r.thumbnail.Height()) + field("has_comment", e.HasComment)
        + ",\"comment\":" + JsonString(e.Comment) + ",\"photoshop\":{\"source\":" + std::to_string(r.locator.Source)
        + ",\"offset\":" + std::to_string(r.locator.Offset) + ",\"length\":" + std::to_string(r.locator.Length) + "}";
    out += MakerFields(e);
    out += ",\"main\":" + JsonItems(e.Main.Items) + ",\"exif\":" + JsonItems(e.Exif.Items)
        + ",\"maker\":" + JsonItems(e.Maker.Items) + ",\"gps\":" + JsonItems(e.Gps.Items);
    const metadata::TPhotoshopData photoshop = metadata::ReadPhotoshopData(path, r.locator);
    if (!photoshop.Resources.Items.empty())
        out += ",\"photoshop_resources\":" + JsonItems(photoshop.Resources.Items);
    if (!photoshop.Iptc.Items.empty())
        out += ",\"iptc\":" + JsonItems(photoshop.Iptc.Items);
    return out + "}\n";
}

std::string PlainText(const std::string& path, const FileResult& r)
{
    const metadata::TExifData& e = r.exif;
    const auto line
        = [](const std::string& name, const std::string& value) { return "  " + name + ": " + value + "\n"; };
    const auto n = [](long long v) { return std::to_string(v); };
    std::string out = "== " + platform::MakeValidUtf8(path) + "\n";
    if (!r.error.empty())
        out += line("error", r.error);
    out += line("failed", n(e.Failed)) + line("container_kind", n(e.ContainerKind))
        + line("size", n(e.Width) + " x " + n(e.Height)) + line("icc", n(e.IccOffset) + " +" + n(e.IccLength))
        + line("thumbnail", n(e.HasThumbnail) + " (" + n(r.thumbnail.Width()) + " x " + n(r.thumbnail.Height()) + ")")
        + line("comment", n(e.HasComment) + " " + platform::MakeValidUtf8(e.Comment))
        + line("photoshop", n(r.locator.Source) + " " + n(r.locator.Offset) + " +" + n(r.locator.Length));
    const auto items = [&](const char* group, const std::vector<metadata::TIFDItem>& list) {
        for (const metadata::TIFDItem& item : list)
            out += "  " + std::string(group) + " " + n(item.Key) + " " + item.Name + ": " + item.Value + "\n";
    };
    items("main", e.Main.Items);
    items("exif", e.Exif.Items);
    items("maker", e.Maker.Items);
    items("gps", e.Gps.Items);
    return out;
}

} // namespace

int RunExif(const std::vector<std::string>& args)
{
    bool json = false;
    std::vector<std::string> files;
    for (const std::string& a : args) {
        if (a == "--json")
            json = true;
        else if (a.rfind("--", 0) == 0 || a.empty())
            return UsageOf("exif");
        else
            files.push_back(a);
    }
    if (files.empty())
        return UsageOf("exif");
    bool allOpened = true;
    for (const std::string& path : files) {
        const FileResult r = ReadOne(path);
        allOpened = allOpened && r.opened;
        const std::string text = json ? JsonLine(path, r) : PlainText(path, r);
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    return std::fflush(stdout) == 0 && allOpened ? 0 : 1;
}

} // namespace voviro_tool
