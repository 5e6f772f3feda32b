#include "model/thread.h"

#include <memory>

#include "foundation/xml_node.h"
#include "foundation/xml_text.h"
#include "framework/core/strings.h"

void TTWThread::Assign(const fw::Persistent* source)
{
    if (auto* thread = dynamic_cast<const TTWThread*>(source)) {
        Colour = thread->Colour;
        Name = thread->Name;
        Description = thread->Description;
        return;
    }
    fw::Persistent::Assign(source);
}

TILXMLNode* TTWThread::WriteToXML(TILXMLNode* parent) const
{
    TILXMLNode* element = parent->AddChild("Thread", true);
    element->AddChildText("Description", Description);
    element->AddChildValue("Colour", ColourToText(Colour));
    element->AddChildText("Name", Name);
    return element;
}

void TTWThread::ReadFromXML(const TILXMLNode* element)
{
    Description = DecodeCDataText(element->GetTagValue("Description", false, true, false));
    // A colour that is no colour value would be saved as black.
    const TILXMLNode* colour = element->FindTag("Colour", false, true, false);
    Colour = colour != nullptr ? ReadColourText(colour->Value(), "Colour", this, "ReadFromXML") : 0;
    Name = DecodeCDataText(element->GetTagValue("Name", false, true, false));
}

TILXMLNode* TTWThreadList::WriteToXML(TILXMLNode* parent, std::string_view tag) const
{
    TILXMLNode* element = parent->AddChild(tag);
    element->AddAttribute("Count", fw::IntToStr(Count()));
    for (int i = 0; i < Count(); ++i) {
        Items(i)->WriteToXML(element);
    }
    return element;
}

void TTWThreadList::ReadFromXML(const TILXMLNode* element)
{
    Clear();
    if (element == nullptr) {
        return;
    }
    for (int i = 0; i < element->ChildCount(); ++i) {
        auto thread = std::make_unique<TTWThread>();
        thread->ReadFromXML(element->GetChild(i));
        Add(thread.release());
    }
}
