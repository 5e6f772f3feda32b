#pragma once

#include <string>
#include <string_view>

#include "foundation/enhanced_list.h"
#include "model/palette.h"

class TILXMLNode;

// A named warp thread with its colour value.
class TTWThread : public fw::Persistent {
public:
    TTWColour Colour = 0;
    std::string Name;
    std::string Description;

    std::string_view className() const override { return "TTWThread"; }
    fw::Object* NewInstance() const override { return new TTWThread; }
    void Assign(const fw::Persistent* source) override;

    // An element "Thread" with "Description", "Colour" and "Name".
    TILXMLNode* WriteToXML(TILXMLNode* parent) const;
    // The three children are looked for anywhere below the element; absent ones read empty.
    void ReadFromXML(const TILXMLNode* element);
};

class TTWThreadList : public TEnhancedListOf<TTWThread> {
public:
    TTWThreadList() : TEnhancedListOf<TTWThread>(ListOwnership::Owning) {}

    std::string_view className() const override { return "TTWThreadList"; }
    fw::Object* NewInstance() const override { return new TTWThreadList; }

    // An element named by the tag with "Count" and one "Thread" per thread.
    TILXMLNode* WriteToXML(TILXMLNode* parent, std::string_view tag) const;
    // Clears the list and reads every child of the element as a thread.
    void ReadFromXML(const TILXMLNode* element);
};
