#include <gtest/gtest.h>

#include <memory>

#include "foundation/xml_exception.h"

namespace {

class CardListReader : public fw::Component {
public:
    std::string_view className() const override { return "TTWCardList"; }
};

} // namespace

TEST(XMLException, KeepsItsOwnCopyOfTheDocumentAndTheElementAtFault)
{
    auto document = std::make_unique<TILXMLTree>();
    TILXMLNode* cards = document->AddRootNode("TWData")->AddChild("Pattern")->AddChild("Cards");
    cards->AddChild("Card Holes=\"4\"");
    TILXMLNode* bad = cards->AddChild("Card Holes=\"9\"");
    CardListReader reader;

    std::unique_ptr<TXMLException> error;
    try {
        throw TXMLException::CreateXML("Invalid hole count.", nullptr, &reader, "LoadFromXML", bad, document.get());
    } catch (const TXMLException& caught) {
        error = std::make_unique<TXMLException>(caught);
    }
    document.reset();

    ASSERT_NE(error->Element(), nullptr);
    EXPECT_EQ(error->Element()->GetAttribute("Holes"), "9");
    EXPECT_EQ(error->Element()->GetPath(), "TWData/Pattern/Cards/Card");
    EXPECT_EQ(error->Element()->Tree(), &error->Document());
    ASSERT_EQ(error->InfoCount(), 1);
    auto* record = dynamic_cast<TXMLExceptionInfo*>(error->GetInfo(0));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->SenderName, "TTWCardList");
    EXPECT_EQ(record->Element()->GetAttribute("Holes"), "9");

    // Nested in a plain error, the records keep their class and their document.
    TGenericException outer("Unable to load pattern.", error.get(), "TTWPattern", "LoadFromFile");
    ASSERT_EQ(outer.InfoCount(), 2);
    auto* copied = dynamic_cast<TXMLExceptionInfo*>(outer.GetInfo(1));
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->Element()->GetAttribute("Holes"), "9");
    EXPECT_NE(copied->Element(), record->Element());

    TXMLException assigned("x", nullptr, nullptr, "", nullptr, nullptr);
    EXPECT_EQ(assigned.Element(), nullptr);
    assigned = *error;
    EXPECT_EQ(assigned.Element()->GetAttribute("Holes"), "9");
    EXPECT_EQ(assigned.Message(), "Invalid hole count.");
}

TEST(XMLException, ElementOutsideTheDocumentLeavesNoReference)
{
    TILXMLTree document;
    document.AddRootNode("A");
    TILXMLTree other;
    TILXMLNode* elsewhere = other.AddRootNode("B");
    TXMLException error("x", nullptr, nullptr, "", elsewhere, &document);
    EXPECT_EQ(error.Element(), nullptr);
    EXPECT_EQ(error.Document().TopNodeCount(), 1);
}
