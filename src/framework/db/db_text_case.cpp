#include "framework/db/db_text_case.h"

#include <QString>
#include <QStringDecoder>

#include "framework/core/strings.h"

namespace fw::db {

std::string UpperCaseText(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            // Decoded with a leading byte-order mark kept: QString::fromUtf8 would drop it.
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
            const QString decoded = decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
            return decoded.toUpper().toStdString();
        }
    }
    return UpperCase(text);
}

} // namespace fw::db
