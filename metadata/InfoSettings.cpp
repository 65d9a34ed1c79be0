#include "metadata/InfoSettings.h"

#include <algorithm>
#include <string>

namespace metadata {

namespace {

constexpr const char* kFrameKey = "ExifInfoFrame";

struct ListKey {
    const char* name;
    std::vector<int32_t> TInfoSettings::*list;
};
constexpr ListKey kLists[] = {
    { "ExifInfoFrame\\Main", &TInfoSettings::HiddenMain },
    { "ExifInfoFrame\\Exif", &TInfoSettings::HiddenExif },
    { "ExifInfoFrame\\Maker", &TInfoSettings::HiddenMaker },
    { "ExifInfoFrame\\GPS", &TInfoSettings::HiddenGps },
};

template <typename Step> void Guarded(Step step)
{
    try {
        step();
    } catch (const platform::RegistryError&) {
        // Ends this key only.
    }
}

} // namespace

TInfoSettings LoadInfoSettings(platform::RegistryStore& store)
{
    TInfoSettings s;
    Guarded([&] {
        platform::RegistryKey key(store, kFrameKey);
        s.ShowMain = key.ReadBool("ShowMain");
        s.ShowExif = key.ReadBool("ShowExif");
        s.ShowMaker = key.ReadBool("ShowMaker");
        s.ShowGps = key.ReadBool("ShowGPS");
        const int32_t mode = key.ReadInteger("ViewMode");
        if (mode >= 1 && mode <= 3)
            s.ViewMode = static_cast<TViewMode>(mode);
    });
    for (const ListKey& l : kLists) {
        std::vector<int32_t>& list = s.*l.list;
        Guarded([&] {
            platform::RegistryKey key(store, l.name);
            const int32_t count = key.ReadInteger("");
            for (int32_t i = 0; i < count; ++i) {
                const int32_t value = key.ReadInteger(std::to_string(i));
                if (std::find(list.begin(), list.end(), value) == list.end())
                    list.push_back(value);
            }
        });
    }
    return s;
}

bool SaveInfoSettings(platform::RegistryStore& store, const TInfoSettings& s)
{
    Guarded([&] {
        platform::RegistryKey key(store, kFrameKey);
        key.WriteBool("ShowMain", s.ShowMain);
        key.WriteBool("ShowExif", s.ShowExif);
        key.WriteBool("ShowMaker", s.ShowMaker);
        key.WriteBool("ShowGPS", s.ShowGps);
        key.WriteInteger("ViewMode", static_cast<int32_t>(s.ViewMode));
    });
    for (const ListKey& l : kLists) {
        const std::vector<int32_t>& list = s.*l.list;
        Guarded([&] {
            platform::RegistryKey key(store, l.name);
            key.WriteInteger("", static_cast<int32_t>(list.size()));
            for (size_t i = 0; i < list.size(); ++i)
                key.WriteInteger(std::to_string(i), list[i]);
        });
    }
    try {
        store.Save();
        return true;
    } catch (const platform::RegistryError&) {
        return false;
    }
}

} // namespace metadata
