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
