#include "metadata/ExifData.h"

namespace metadata {

namespace {
const std::string* FindValue(int32_t key, const std::vector<TIFDItem>& items)
{
    for (const TIFDItem& item : items)
        if (item.Key == key)
            return &item.Value;
    return nullptr;
}
} // namespace

std::string GetMainValueText(int32_t tag, const TSubIFDResult& directory)
{
    const std::string* v = FindValue(tag, directory.Items);
    return v ? *v : std::string();
}

std::string GetMakerValueText(int32_t key, const TMakerResult& maker)
{
    const std::string* v = FindValue(key, maker.Items);
    return v ? *v : std::string();
}

std::string GetExifValueText(int32_t key, const TExifData& exif)
{
    if (const std::string* v = FindValue(key, exif.Exif.Items))
        return *v;
    if (const std::string* v = FindValue(key, exif.Maker.Items))
        return *v;
    return GetMainValueText(key, exif.Main);
}

} // namespace metadata
