// voviro-tool markers FILE [--to-jfif] [--delete-icc | --icc PROFILE]
//   [--comment TEXT] [--export-icc OUT] [--mode rewrite|trash|rename] [--yes]:
// without options, the file's segments up to the image data, one a line:
// offset, marker, length field and identifier, separated by tabs. The options
// perform the marker editor's changes ("ok NEWPATH" or "failed: reason") or
// export the embedded profile ("ok OUT" or "failed: reason"). Exit 0 on
// success, 1 on failure, 2 on bad arguments.
#include <cstdio>
#include <string>

#include "imaging/Bitmap.h"
#include "imaging/FileBuffer.h"
#include "jpegtools/JpegSegments.h"
#include "jpegtools/MarkerEdit.h"
#include "metadata/ExifRead.h"
#include "tools/voviro-tool/Commands.h"
#include "tools/voviro-tool/SaveArgs.h"

namespace voviro_tool {

namespace {

int ListSegments(const std::string& path)
{
    metadata::FileReader reader(path);
    if (!reader.Opened()) {
        std::printf("failed: cannot open %s\n", path.c_str());
        return 1;
    }
    const jpegtools::SegmentWalk walk = jpegtools::WalkSegments(reader);
    if (walk.Ok() || !walk.segments.empty())
        std::printf("0\tFFD8\t0\tSOI\n");
    for (const jpegtools::JpegSegment& s : walk.segments) {
        std::string id = s.identifier;
        uint8_t chunk[2];
        // A piece of an ICC profile also names its sequence number and the count of pieces.
        if (jpegtools::IsIccSegment(reader, s) && s.length >= 2 + 14 && reader.ReadAt(s.dataOffset + 12, chunk, 2))
            id += " " + std::to_string(chunk[0]) + "/" + std::to_string(chunk[1]);
        std::printf("%llu\tFF%02X\t%u\t%s\n", static_cast<unsigned long long>(s.offset), s.code, s.length, id.c_str());
    }
    if (!walk.Ok()) {
        std::printf("failed: %s\n", walk.error.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int RunMarkers(const std::vector<std::string>& args)
{
    jpegtools::SaveRequest request;
    jpegtools::MarkerEdit edit;
    std::string file, profilePath, exportPath;
    bool setComment = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const int taken = TakeSaveArg(args, i, request);
        if (taken < 0)
            return UsageOf("markers");
        if (taken > 0)
            continue;
        const std::string& a = args[i];
        const bool needsValue = a == "--icc" || a == "--comment" || a == "--export-icc";
        if (needsValue && i + 1 >= args.size())
            return UsageOf("markers");
        if (a == "--to-jfif")
            edit.toJfif = true;
        else if (a == "--delete-icc")
            edit.icc = jpegtools::IccChange::Delete;
        else if (a == "--icc")
            profilePath = args[++i];
        else if (a == "--comment") {
            edit.comment = args[++i];
            setComment = true;
        } else if (a == "--export-icc")
            exportPath = args[++i];
        else if (a.rfind("--", 0) == 0 || a.empty() || !file.empty())
            return UsageOf("markers");
        else
            file = a;
    }
    if (file.empty() || (!profilePath.empty() && edit.icc == jpegtools::IccChange::Delete))
        return UsageOf("markers");
    const bool editing = edit.toJfif || edit.icc != jpegtools::IccChange::Keep || !profilePath.empty() || setComment;
    if (!editing && exportPath.empty())
        return ListSegments(file);

    // What the catalogue knows of the file: its comment and embedded profile.
    metadata::TExifData exif;
    metadata::PhotoshopLocator locator;
    imaging::Bitmap thumbnail;
    try {
        metadata::ReadExifData(file, thumbnail, locator, exif);
    } catch (const std::exception&) {
        // the comment and profile found before the fault stay
    }
    bool ok = true;
    if (!exportPath.empty()) {
        jpegtools::SaveOutcome outcome;
        if (jpegtools::ExportEmbeddedProfile(file, exif.IccOffset, exif.IccLength, exportPath, outcome.error)) {
            outcome.status = jpegtools::SaveOutcome::Saved;
            outcome.newPath = exportPath;
        }
        PrintOutcome(outcome);
        ok = outcome.Ok();
    }
    if (editing) {
        edit.startComment = exif.HasComment ? exif.Comment : std::string();
        if (!setComment)
            edit.comment = edit.startComment;
        jpegtools::SaveOutcome outcome;
        imaging::FileBuffer profile;
        if (!profilePath.empty()) {
            if (!imaging::ReadWholeFile(profilePath, profile, size_t(64) << 20)) {
                outcome.error = "cannot read the profile " + profilePath;
                PrintOutcome(outcome);
                return 1;
            }
            edit.icc = jpegtools::IccChange::Replace;
            edit.profile.assign(profile.data.get(), profile.data.get() + profile.size);
        }
        request.path = file;
        outcome = jpegtools::EditMarkers(edit, request);
        PrintOutcome(outcome);
        ok = ok && outcome.Ok();
    }
    return std::fflush(stdout) == 0 && ok ? 0 : 1;
}

} // namespace voviro_tool
