#include "foundation/xml_exception.h"

#include <algorithm>

XMLElementPath ElementPathOf(const TILXMLNode* element)
{
    XMLElementPath path;
    for (const THierarchyNode* node = element; node != nullptr && node->ParentCount() > 0; node = node->Parent(0)) {
        path.push_back(node->Parent(0)->Children().IndexOf(node));
        if (dynamic_cast<const TILXMLNode*>(node->Parent(0)) == nullptr) {
            break;
        }
    }
    std::reverse(path.begin(), path.end());
    return path;
}

TILXMLNode* ElementAt(const TILXMLTree& tree, const XMLElementPath& path)
{
    const THierarchyNode* node = &tree;
    for (int index : path) {
        node = node->Child(index);
        if (node == nullptr) {
            return nullptr;
        }
    }
    return path.empty() ? nullptr : const_cast<TILXMLNode*>(static_cast<const TILXMLNode*>(node));
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
