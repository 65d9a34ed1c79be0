#include "jpegtools/LosslessTransform.h"

#include <turbojpeg.h>

#include <memory>

#include "imaging/FileBuffer.h"
#include "jpegtools/ExifAfterTurn.h"
#include "platform/AtomicFile.h"

namespace jpegtools {

namespace {

struct TjCloser {
    void operator()(void* handle) const
    {
        if (handle)
            tjDestroy(handle);
    }
};

// True when the stream is progressive, so the turned file stays progressive.
bool IsProgressive(const uint8_t* data, size_t size)
{
    size_t pos = 2;
    while (pos + 4 <= size && data[pos] == 0xFF) {
        const uint8_t code = data[pos + 1];
        if (code == 0xFF) {
            ++pos;
            continue;
        }
        if (code == 0xC2 || code == 0xC6 || code == 0xCA || code == 0xCE)
            return true;
        if (code == 0xDA || (code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC))
            return false;
        pos += 2 + (static_cast<size_t>(data[pos + 2]) << 8 | data[pos + 3]);
    }
    return false;
}

} // namespace

bool TurnJpegStream(const uint8_t* data, size_t size, int code, bool copyMarkers, TurnedJpeg& out, std::string& error)
{
    if (code < 1 || code > 3) {
        error = "no turn of code " + std::to_string(code);
        return false;
    }
    std::unique_ptr<void, TjCloser> handle(tjInitTransform());
    if (!handle) {
        error = tjGetErrorStr2(nullptr);
        return false;
    }
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(handle.get(), data, static_cast<unsigned long>(size), &out.sourceWidth, &out.sourceHeight,
            &subsampling, &colourspace)
        != 0) {
        error = tjGetErrorStr2(handle.get());
        return false;
    }
    tjtransform transform {};
    transform.op = code == 1 ? TJXOP_ROT90 : code == 2 ? TJXOP_ROT180 : TJXOP_ROT270;
    transform.options
        = TJXOPT_TRIM | (copyMarkers ? 0 : TJXOPT_COPYNONE) | (IsProgressive(data, size) ? TJXOPT_PROGRESSIVE : 0);
    unsigned char* dst = nullptr;
    unsigned long dstSize = 0;
    const int rc = tjTransform(
        handle.get(), data, static_cast<unsigned long>(size), 1, &dst, &dstSize, &transform, TJFLAG_STOPONWARNING);
    std::unique_ptr<unsigned char, void (*)(unsigned char*)> owned(dst, tjFree);
    if (rc != 0 || !dst || dstSize == 0) {
        error = tjGetErrorStr2(handle.get());
        return false;
    }
    if (tjDecompressHeader3(handle.get(), dst, dstSize, &width, &height, &subsampling, &colourspace) != 0) {
        error = tjGetErrorStr2(handle.get());
        return false;
    }
    out.bytes.assign(dst, dst + dstSize);
    out.width = width;
    out.height = height;
    return true;
}

bool TurnPhoto(const uint8_t* data, size_t size, int code, std::vector<uint8_t>& out, std::string& error)
{
    TurnedJpeg turned;
    if (!TurnJpegStream(data, size, code, true, turned, error))
        return false;
    AlignExifWithTurn(turned.bytes, code, { turned.sourceWidth, turned.sourceHeight, turned.width, turned.height });
    out = std::move(turned.bytes);
    return true;
}

int jpegtran(int code, int option, const char* source, const char* destination)
{
    if (!source || !destination)
        return 1;
    imaging::FileBuffer input;
    if (!imaging::ReadWholeFile(source, input))
        return 2;
    std::string error;
    std::vector<uint8_t> output;
    if (option == 1) {
        if (!TurnPhoto(input.data.get(), input.size, code, output, error))
            return 3;
    } else {
        TurnedJpeg turned;
        if (!TurnJpegStream(input.data.get(), input.size, code, false, turned, error))
            return 3;
        output = std::move(turned.bytes);
    }
    platform::AtomicFile file(destination);
    return file.Ok() && file.Write(output.data(), output.size()) && file.Commit() ? 0 : 4;
}

} // namespace jpegtools
