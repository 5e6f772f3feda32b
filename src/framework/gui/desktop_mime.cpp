#include "framework/gui/desktop_mime.h"

#include <QMimeDatabase>
#include <QMimeType>
#include <QString>

namespace fw {

std::string MimeTypeForFileName(std::string_view fileName)
{
    const QMimeDatabase database;
    const QMimeType type = database.mimeTypeForFile(
        QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size())), QMimeDatabase::MatchExtension);
    return type.name().toStdString();
}

} // namespace fw
