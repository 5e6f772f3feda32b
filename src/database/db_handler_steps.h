#pragma once

#include <exception>
#include <string>

#include "database/db_generic_info.h"

// For the handlers' own files: a nested step that reported its failure to a host handler
// which chose to go on. The operation that ran it ends there (rolling back what it owns)
// without reporting the failure a second time.
class EStepReported : public std::exception {
public:
    const char* what() const noexcept override { return "A step of the operation failed and was reported."; }
};

inline void CheckStep(const TDBGErrorWatch& watch)
{
    if (watch.Reported()) {
        throw EStepReported();
    }
}

// A caller's condition as one term of the statement's own: in parentheses, so that an OR
// in it never reaches past it to the conditions the layer adds.
inline std::string CallerCondition(const std::string& condition)
{
    return "(" + condition + ")";
}
