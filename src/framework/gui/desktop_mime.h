#pragma once

#include <string>
#include <string_view>

namespace fw {

// The desktop's own MIME database (the shared MIME-info database the file managers use), as
// Qt reads it: the type a file of that name maps to by its name alone (the file need not
// exist); "application/octet-stream" when no type claims the name. Types installed while the
// program runs are seen once the database has been read again, which Qt does every few
// seconds.
std::string MimeTypeForFileName(std::string_view fileName);

} // namespace fw
