// voviro-tool histogram FILE... [--json] [--chart rgb|hsv|ab|uv|lab3d --out PNG
// [--size WxH] [--style smooth|dot|line] [--space srgb|srgbc|adobergb|ntsc] [--ycc]]:
// the seven histogram tables of each file's whole picture, as the
// recalculation stores them. Plain output: a "file" line, a "size" line and
// one line per table ("r peak N: counts..."); --json: one object per file per
// line with file, width, height, r, g, b, y, s, v (256 counts), h (360
// counts) and peaks, or file and error. --chart (one file) also writes the
// histogram panel's chart of that mode as a PNG. Exit 0 when every file was
// read, 1 otherwise, 2 for bad arguments.
#include <cstdio>
#include <map>
#include <string>

#include "analysis/HistogramFile.h"
#include "tools/voviro-tool/Commands.h"
#include "tools/voviro-tool/HistogramChartOut.h"
#include "tools/voviro-tool/Json.h"

namespace voviro_tool {

namespace {

struct Table {
    const char* name;
    int table;
};
constexpr Table kTables[] = {
    { "r", analysis::TableR },
    { "g", analysis::TableG },
    { "b", analysis::TableB },
    { "y", analysis::TableY },
    { "s", analysis::TableS },
    { "v", analysis::TableV },
    { "h", analysis::TableH },
};

std::string Counts(const analysis::TVX_Histogram& h, int table, const char* separator)
{
    std::string out;
    const int entries = table == analysis::TableH ? 360 : 256;
    for (int i = 0; i < entries; ++i) {
        if (i > 0)
            out += separator;
        out += std::to_string(h.Count(table, i));
    }
    return out;
}

std::string JsonLine(const std::string& path, const analysis::THistogramFileResult& r, const analysis::TVX_Histogram& h)
{
    std::string out = "{\"file\":" + JsonString(path);
    if (!r.Ok)
        return out + ",\"error\":" + JsonString(r.Error) + "}\n";
    out += ",\"width\":" + std::to_string(r.Width) + ",\"height\":" + std::to_string(r.Height);
    for (const Table& t : kTables)
        out += std::string(",\"") + t.name + "\":[" + Counts(h, t.table, ",") + "]";
    out += ",\"peaks\":{";
    for (const Table& t : kTables)
        out += std::string(t.table == 0 ? "" : ",") + "\"" + t.name + "\":" + std::to_string(h.Peak(t.table));
    return out + "}}\n";
}

std::string PlainText(
    const std::string& path, const analysis::THistogramFileResult& r, const analysis::TVX_Histogram& h)
{
    std::string out = "file: " + path + "\n";
    if (!r.Ok)
        return out + "error: " + r.Error + "\n";
    out += "size: " + std::to_string(r.Width) + " x " + std::to_string(r.Height) + "\n";
    for (const Table& t : kTables)
        out += std::string(t.name) + " peak " + std::to_string(h.Peak(t.table)) + ": " + Counts(h, t.table, " ") + "\n";
    return out;
}

template <typename T> bool Pick(const std::map<std::string, T>& choices, const std::string& key, T& value)
{
    const auto found = choices.find(key);
    if (found == choices.end())
        return false;
    value = found->second;
    return true;
}

bool ParseSize(const std::string& text, int& width, int& height)
{
    int w = 0, h = 0;
    char x = 0, rest = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &rest) != 3 || (x != 'x' && x != 'X') || w < 1 || h < 1
        || w > 10000 || h > 10000)
        return false;
    width = w;
    height = h;
    return true;
}

} // namespace

int RunHistogram(const std::vector<std::string>& args)
{
    static const std::map<std::string, int> kModes { { "rgb", 0 }, { "hsv", 1 }, { "ab", 2 }, { "uv", 3 },
        { "lab3d", 4 } };
    static const std::map<std::string, analysis::TVX_Type> kStyles { { "smooth", analysis::VX_SMOOTH },
        { "dot", analysis::VX_DOT }, { "line", analysis::VX_LINE } };
    static const std::map<std::string, int> kSpaces { { "srgb", 0 }, { "adobergb", 1 }, { "ntsc", 2 }, { "srgbc", 3 } };
    bool json = false, chart = false;
    ChartRequest request;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--json") {
            json = true;
        } else if (a == "--ycc") {
            request.ycc = true;
        } else if (a == "--chart" && hasValue) {
            if (!Pick(kModes, args[++i], request.mode))
                return UsageOf("histogram");
            chart = true;
        } else if (a == "--out" && hasValue) {
            request.out = args[++i];
        } else if (a == "--size" && hasValue) {
            if (!ParseSize(args[++i], request.width, request.height))
                return UsageOf("histogram");
        } else if (a == "--style" && hasValue) {
            if (!Pick(kStyles, args[++i], request.style))
                return UsageOf("histogram");
        } else if (a == "--space" && hasValue) {
            if (!Pick(kSpaces, args[++i], request.colorSpace))
                return UsageOf("histogram");
        } else if (!a.empty() && a.rfind("--", 0) != 0) {
            files.push_back(a);
        } else {
            return UsageOf("histogram");
        }
    }
    if (files.empty() || chart != !request.out.empty() || (chart && files.size() != 1))
        return UsageOf("histogram");
    if (chart && !ChartDrawingAvailable()) {
        std::fprintf(stderr, "voviro-tool histogram: --chart needs the build with the user interface\n");
        return 2;
    }
    int status = 0;
    for (const std::string& path : files) {
        analysis::TVX_Histogram histogram;
        imaging::Bitmap picture;
        const analysis::THistogramFileResult result = analysis::ComputeFileHistogram(path, histogram, picture);
        picture = {};
        const std::string text = json ? JsonLine(path, result, histogram) : PlainText(path, result, histogram);
        std::fwrite(text.data(), 1, text.size(), stdout);
        if (!result.Ok) {
            status = 1;
            continue;
        }
        std::string error;
        if (chart && !WriteHistogramChart(path, histogram, request, error)) {
            std::fprintf(stderr, "voviro-tool histogram: %s: %s\n", request.out.c_str(), error.c_str());
            status = 1;
        }
    }
    return status;
}

} // namespace voviro_tool
