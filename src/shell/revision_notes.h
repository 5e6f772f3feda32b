#pragma once

#include <span>
#include <string_view>

// What changed in each version of the program, and the problems known in the last one: the
// texts of the revision notes window.

struct TTWRevision {
    // "Version 1.01"; the last two carry their release date.
    std::string_view Heading;
    std::span<const std::string_view> Notes;
};

struct TTWKnownProblem {
    std::string_view Topic;
    std::string_view Explanation;
};

// Version 1.01 to 1.17, in that order.
std::span<const TTWRevision> RevisionNotes();
// "Broken Twill - Real Image", "Toolbar - Resizing", "Large Patterns".
std::span<const TTWKnownProblem> KnownProblems();
