// voviro-tool: the command-line companion of the viewer. Each sub-command
// lives in its own file and is registered in the table below.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/voviro-tool/Commands.h"

namespace {

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>& args);
    const char* usage;
};

const Command kCommands[] = {
    { "list", voviro_tool::RunList, "list DIR [--sort name|kind|date|size|image]" },
    { "exif", voviro_tool::RunExif, "exif [--json] FILE..." },
    { "thumbs", voviro_tool::RunThumbs, "thumbs DIR --out OUTDIR [--view 3|4|5|9]" },
    { "rotate", voviro_tool::RunRotate, "rotate FILE... --turn 90|180|270 [--mode rewrite|trash|rename] [--yes]" },
    { "markers", voviro_tool::RunMarkers,
        "markers FILE [--to-jfif] [--delete-icc | --icc PROFILE] [--comment TEXT] [--export-icc OUT] "
        "[--mode rewrite|trash|rename] [--yes]" },
    { "histogram", voviro_tool::RunHistogram,
        "histogram FILE... [--json] [--chart rgb|hsv|ab|uv|lab3d --out PNG [--size WxH]"
        " [--style smooth|dot|line] [--space srgb|srgbc|adobergb|ntsc] [--ycc]]" },
    { "panel", voviro_tool::RunPanel, "panel FILE [--tab basic|profile|iptc] [--mode all|auto|manual|select]" },
    { "view", voviro_tool::RunView,
        "view FILE --out OUT.(png|bmp) [--mode r|g|b|rover|gover|bover|wover|tobi-all|tobi-r|tobi-g|tobi-b|tobi-w|ycc]"
        " [--monitor PROFILE] [--input sRGB|NTSC|AdobeRGB|PROFILE] [--intent 0-3] [--bpc] [--no-embedded] "
        "[--no-maker]" },
    { "files", voviro_tool::RunFiles,
        "files copy|move [--replace yes|no|ask] SRC... DESTDIR | files trash|protect|unprotect FILE... | "
        "files rename FILE NEWNAME" },
};

int Usage()
{
    std::fprintf(stderr, "usage:\n");
    for (const Command& c : kCommands)
        std::fprintf(stderr, "  voviro-tool %s\n", c.usage);
    return 2;
}

} // namespace

namespace voviro_tool {
int UsageOf(const char* name)
{
    for (const Command& c : kCommands)
        if (std::strcmp(c.name, name) == 0)
            std::fprintf(stderr, "usage: voviro-tool %s\n", c.usage);
    return 2;
}
} // namespace voviro_tool

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& c : kCommands)
        if (std::strcmp(c.name, argv[1]) == 0)
            return c.run(args);
    return Usage();
}
