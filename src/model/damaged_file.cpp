#include "model/damaged_file.h"

#include <system_error>

#include "foundation/generic_exception.h"

namespace fs = std::filesystem;

fs::path KeepDamagedFileAside(const fs::path& file)
{
    // Earlier damaged copies are kept too: each one may hold something the user made.
    constexpr int Attempts = 1000;
    for (int number = 1; number <= Attempts; ++number) {
        fs::path kept = file;
        kept += number == 1 ? ".damaged" : ".damaged" + std::to_string(number);
        std::error_code error;
        if (fs::exists(fs::symlink_status(kept, error))) {
            continue;
        }
        fs::rename(file, kept, error);
        return error ? fs::path() : kept;
    }
    return {};
}

void RaiseDamagedFile(std::string_view what, std::string_view fallback, const fs::path& file,
                      const std::exception& cause, const fw::Object* sender, const std::string& method)
{
    const fs::path kept = KeepDamagedFileAside(file);
    std::string message = "The " + std::string(what) + " file \"" + file.string() + "\" could not be read; "
                          + std::string(fallback) + " used instead.\r\n";
    message += kept.empty() ? std::string("The damaged file could not be kept aside.")
                            : "The damaged file has been kept as \"" + kept.string() + "\".";
    throw TGenericException::CreateFromSender(message, &cause, sender, method);
}
