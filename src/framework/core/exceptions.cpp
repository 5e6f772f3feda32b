#include "framework/core/exceptions.h"

namespace fw {

std::string ErrorMessage(const std::exception& error)
{
    if (auto* own = dynamic_cast<const Exception*>(&error)) {
        return own->Message();
    }
    return error.what();
}

} // namespace fw
