#pragma once
// Conversions between the program's native (byte) paths and the texts widgets
// show. A name that is not valid UTF-8 is shown decoded from CP932, one path
// part at a time; the native bytes stay what every file operation uses.
#include <QFile>
#include <QString>
#include <string>
#include <string_view>

#include "platform/TextCodec.h"

// For paths the user typed or Qt reported (always valid text).
inline std::string NativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

inline QString DisplayName(std::string_view name)
{
    return QString::fromStdString(platform::DecodeText(name));
}

inline QString DisplayPath(const std::string& path)
{
    QString out;
    size_t start = 0;
    while (true) {
        const size_t slash = path.find('/', start);
        out += DisplayName(std::string_view(path).substr(start, slash == std::string::npos ? slash : slash - start));
        if (slash == std::string::npos)
            return out;
        out += QLatin1Char('/');
        start = slash + 1;
    }
}
