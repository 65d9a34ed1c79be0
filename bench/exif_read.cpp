// ReadExifData over every sample JPEG file, against reading the first 64 KiB of
// each file into memory, in the same process with a warm cache. Prints the
// median time per file of both, of the reader with the embedded thumbnails
// located but not decoded, and the ratios. The limit (3x) is checked on the
// reader's own work; the JPEG decode of the thumbnails is shown beside it.
// Usage: exif_read [SAMPLES_DIR] [ROUNDS]   (default ../shared/samples, 31)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "metadata/ExifReadInternal.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> JpegFiles(const std::filesystem::path& root)
{
    std::vector<std::string> files;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_regular_file()
            && metadata::ExtensionIsOneOf(platform::LowerExtensionOf(it->path().string()), { ".jpg", ".jpeg" }))
            files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

size_t ReadHead(const std::string& path, std::vector<char>& buffer)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    const ssize_t n = ::read(fd, buffer.data(), buffer.size());
    ::close(fd);
    return n > 0 ? static_cast<size_t>(n) : 0;
}

int ReadAll(const std::vector<std::string>& files, bool withThumbnail)
{
    int thumbnails = 0;
    for (const std::string& path : files) {
        metadata::TExifData exif;
        metadata::PhotoshopLocator locator;
        imaging::Bitmap thumbnail;
        try {
            if (withThumbnail) {
                metadata::ReadExifData(path, thumbnail, locator, exif);
            } else {
                // The same reader with the thumbnails located but not decoded.
                exif.FileName = path;
                metadata::FileReader file(path);
                metadata::ReadExifDataFrom(file, path, thumbnail, locator, exif, { false });
            }
        } catch (const metadata::ExifReadError&) {
        }
        thumbnails += exif.HasThumbnail != 0;
    }
    return thumbnails;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const std::filesystem::path root = argc > 1 ? argv[1] : "../shared/samples";
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 31;
    const std::vector<std::string> files = JpegFiles(root);
    if (files.empty()) {
        std::fprintf(stderr, "no JPEG files under %s\n", root.string().c_str());
        return 2;
    }
    std::vector<char> buffer(64 * 1024);
    // Warm the page cache and the code paths.
    size_t bytes = 0;
    for (const std::string& path : files)
        bytes += ReadHead(path, buffer);
    const int thumbnails = ReadAll(files, true);
    ReadAll(files, false);

    std::vector<double> head, full, metadataOnly;
    for (int r = 0; r < rounds; ++r) {
        auto t0 = Clock::now();
        for (const std::string& path : files)
            bytes += ReadHead(path, buffer);
        auto t1 = Clock::now();
        ReadAll(files, true);
        auto t2 = Clock::now();
        ReadAll(files, false);
        auto t3 = Clock::now();
        const auto perFile = [&](auto a, auto b) {
            return std::chrono::duration<double, std::micro>(b - a).count() / static_cast<double>(files.size());
        };
        head.push_back(perFile(t0, t1));
        full.push_back(perFile(t1, t2));
        metadataOnly.push_back(perFile(t2, t3));
    }
    const double h = Median(head), f = Median(full), m = Median(metadataOnly);
    std::printf("%zu JPEG files (%d with an embedded thumbnail), %d rounds, medians per file:\n", files.size(),
        thumbnails, rounds);
    std::printf("  read first 64 KiB          %8.1f us   1.00\n", h);
    std::printf("  ReadExifData               %8.1f us   %.2f\n", f, f / h);
    std::printf("  ReadExifData, no thumbnail %8.1f us   %.2f\n", m, m / h);
    std::printf("  thumbnail decode and fit   %8.1f us\n", f - m);
    const bool ok = m <= 3 * h;
    std::printf("%s: reading the metadata at most 3x the 64 KiB read\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
