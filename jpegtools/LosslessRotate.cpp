#include "jpegtools/LosslessRotate.h"

#include <vector>

#include "imaging/FileBuffer.h"
#include "jpegtools/LosslessTransform.h"

namespace jpegtools {

int RotationCode(const LosslessSettings& settings, int rotation)
{
    const int code = settings.useCurrentRotation ? rotation : settings.fixedCode;
    return code >= 1 && code <= 3 ? code : 0;
}

std::string RotationSuffix(int code)
{
    return code == 1 ? "_90" : code == 2 ? "_180" : code == 3 ? "_270" : "";
}

RotateOutcome RotateLosslessly(int code, SaveRequest request)
{
    RotateOutcome outcome;
    if (code < 1 || code > 3) {
        outcome.skipped = true;
        return outcome;
    }
    imaging::FileBuffer input;
    if (!imaging::ReadWholeFile(request.path, input)) {
        outcome.error = request.path + " を読み込めません。";
        return outcome;
    }
    std::vector<uint8_t> turned;
    std::string error;
    if (!TurnPhoto(input.data.get(), input.size, code, turned, error)) {
        outcome.error = "JPEG を変換できません: " + error;
        return outcome;
    }
    input = {};
    request.renameSuffix = RotationSuffix(code);
    static_cast<SaveOutcome&>(outcome) = SaveRewritten(request, [&](platform::AtomicFile& file, std::string& why) {
        if (file.Write(turned.data(), turned.size()))
            return true;
        why = file.Error();
        return false;
    });
    return outcome;
}

} // namespace jpegtools
