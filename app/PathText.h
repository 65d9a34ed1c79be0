#pragma once
// Conversions between the program's native (byte) paths and the texts widgets show.
#include <QFile>
#include <QString>
#include <string>

inline std::string NativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

inline QString DisplayPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// The file name without its folder.
inline std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
