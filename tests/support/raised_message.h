#pragma once

#include <string>

#include "foundation/generic_exception.h"

// The message of the error the call raises (the project's own errors unless another kind is
// named); empty when it raises none, so that a call expected to succeed compares with "".
template <class Error = TGenericException, class Call>
std::string RaisedMessage(Call&& call)
{
    try {
        call();
    } catch (const Error& error) {
        return error.Message();
    }
    return {};
}
