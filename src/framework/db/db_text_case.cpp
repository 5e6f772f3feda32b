#include "framework/db/db_text_case.h"

#include <QString>

#include "framework/core/strings.h"

namespace fw::db {

std::string UpperCaseText(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            const QString upper =
                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUpper();
            return upper.toStdString();
        }
    }
    return UpperCase(text);
}

} // namespace fw::db
