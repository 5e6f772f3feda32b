#pragma once

#include <gtest/gtest.h>

#include "foundation/xml_node.h"

// Tests that depend on the tag-name check set it themselves and put it back.
class NameCheckGuard {
public:
    explicit NameCheckGuard(bool on) : saved_(XMLNameCheck()) { SetXMLNameCheck(on); }
    ~NameCheckGuard() { SetXMLNameCheck(saved_); }
    NameCheckGuard(const NameCheckGuard&) = delete;
    NameCheckGuard& operator=(const NameCheckGuard&) = delete;

private:
    bool saved_;
};
