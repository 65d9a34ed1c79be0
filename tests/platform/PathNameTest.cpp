#include <gtest/gtest.h>

#include "platform/PathName.h"

TEST(PathName, FileNameAndLowerExtension)
{
    struct Case {
        const char* path;
        const char* name;
        const char* ext;
    } const cases[] = {
        { "/photos/IMG_0001.JPG", "IMG_0001.JPG", ".jpg" },
        { "/photos/raw.d/shot.NeF", "shot.NeF", ".nef" },
        { "/photos.d/noext", "noext", "" },
        { "relative.tiff", "relative.tiff", ".tiff" },
        { "/folder/", "", "" },
        { "/写真/夏.Jpeg", "夏.Jpeg", ".jpeg" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(platform::FileNameOf(c.path), c.name);
        EXPECT_EQ(platform::LowerExtensionOf(c.path), c.ext);
    }
}
