#include "foundation/xml_exception.h"

#include <algorithm>

XMLElementPath ElementPathOf(const TILXMLNode* element)
{
    XMLElementPath path;
    if (element == nullptr) {
        return path;
    }
    const auto indexIn = [](const auto& siblings, const TILXMLNode* node) {
        const auto found = std::find(siblings.begin(), siblings.end(), node);
        return found == siblings.end() ? -1 : static_cast<int>(found - siblings.begin());
    };
    const TILXMLNode* node = element;
    for (; node->Parent() != nullptr; node = node->Parent()) {
        path.push_back(indexIn(node->Parent()->Children(), node));
    }
    // The top-level element of a document takes its place among the document's; an element
    // of its own has none.
    if (const TILXMLTree* tree = node->Tree()) {
        path.push_back(indexIn(tree->TopNodes(), node));
    }
    std::reverse(path.begin(), path.end());
    return path;
}

TILXMLNode* ElementAt(const TILXMLTree& tree, const XMLElementPath& path)
{
    const TILXMLNode* node = nullptr;
    for (int index : path) {
        const std::size_t count =
            node == nullptr ? tree.TopNodes().size() : static_cast<std::size_t>(node->ChildCount());
        if (index < 0 || static_cast<std::size_t>(index) >= count) {
            return nullptr;
        }
        node = node == nullptr ? tree.TopNodes()[static_cast<std::size_t>(index)]
                               : node->Children()[static_cast<std::size_t>(index)];
    }
    return const_cast<TILXMLNode*>(node);
}

namespace {

// Copies the document and finds the element's place in the copy; an element outside the
// document (or none) leaves no reference.
TILXMLNode* CopyDocument(TILXMLTree& target, const TILXMLTree* document, const TILXMLNode* element)
{
    target.Clear();
    if (document == nullptr) {
        return nullptr;
    }
    target.Assign(document);
    if (element == nullptr || element->Tree() != document) {
        return nullptr;
    }
    return ElementAt(target, ElementPathOf(element));
}

} // namespace

void TXMLExceptionInfo::Assign(const fw::Persistent* source)
{
    TGenericExceptionInfo::Assign(source);
    if (auto* other = dynamic_cast<const TXMLExceptionInfo*>(source)) {
        SetDocument(&other->document_, other->element_);
    }
}

void TXMLExceptionInfo::SetDocument(const TILXMLTree* document, const TILXMLNode* element)
{
    element_ = CopyDocument(document_, document, element);
}

TXMLException::TXMLException(const std::string& message, const std::exception* previous, const fw::Object* sender,
                             const std::string& methodName, const TILXMLNode* element, const TILXMLTree* document,
                             int code)
    : TGenericException(Deferred{})
{
    Fill(message, previous, fw::SenderName(sender), methodName, code);
    SetDocument(document, element);
    // The record made for this failure carries the document too.
    if (auto* own = dynamic_cast<TXMLExceptionInfo*>(GetInfo(0))) {
        own->SetDocument(document, element);
    }
}

TXMLException::TXMLException(const TXMLException& other) : TGenericException(Deferred{})
{
    SetMessage(other.Message());
    CopyInfos(other);
}

TXMLException& TXMLException::operator=(const TXMLException& other)
{
    if (this != &other) {
        TGenericException::operator=(other);
        SetDocument(other.document_.get(), other.element_);
    }
    return *this;
}

void TXMLException::CopyInfos(const TGenericException& other)
{
    TGenericException::CopyInfos(other);
    if (auto* xml = dynamic_cast<const TXMLException*>(&other)) {
        SetDocument(xml->document_.get(), xml->element_);
    }
}

void TXMLException::SetDocument(const TILXMLTree* document, const TILXMLNode* element)
{
    element_ = CopyDocument(*document_, document, element);
}
