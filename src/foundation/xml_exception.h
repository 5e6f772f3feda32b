#pragma once

#include <memory>
#include <vector>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"

// The place of an element in its document as the child indices from the top: it survives
// copying the document, unlike a pointer.
using XMLElementPath = std::vector<int>;
XMLElementPath ElementPathOf(const TILXMLNode* element);
TILXMLNode* ElementAt(const TILXMLTree& tree, const XMLElementPath& path);

// A record that keeps a copy of the document being read and the element at fault in it.
class TXMLExceptionInfo : public TGenericExceptionInfo {
public:
    TXMLExceptionInfo() = default;

    std::string_view className() const override { return "TXMLExceptionInfo"; }
    fw::Object* NewInstance() const override { return new TXMLExceptionInfo; }
    void Assign(const fw::Persistent* source) override;

    const TILXMLTree& Document() const { return document_; }
    TILXMLNode* Element() const { return element_; }
    // Copies the document; the element is found again in the copy.
    void SetDocument(const TILXMLTree* document, const TILXMLNode* element);

private:
    TILXMLTree document_;
    TILXMLNode* element_ = nullptr;
};

// An error in reading a stored file. It keeps its own copy of the document and of the
// element at fault, so both stay valid after the reader has freed its document.
class TXMLException : public TGenericException {
public:
    TXMLException(const std::string& message, const std::exception* previous, const fw::Object* sender,
                  const std::string& methodName, const TILXMLNode* element, const TILXMLTree* document,
                  int code = 0);
    TXMLException(const TXMLException& other);
    TXMLException& operator=(const TXMLException& other);
    ~TXMLException() override = default;

    static TXMLException CreateXML(const std::string& message, const std::exception* previous,
                                   const fw::Object* sender, const std::string& methodName,
                                   const TILXMLNode* element, const TILXMLTree* document, int code = 0)
    {
        return TXMLException(message, previous, sender, methodName, element, document, code);
    }

    std::string_view className() const noexcept override { return "TXMLException"; }
    TGenericExceptionInfo* NewInfo() const override { return new TXMLExceptionInfo; }
    // From another XML error, its document and element too.
    void CopyInfos(const TGenericException& other) override;

    const TILXMLTree& Document() const { return *document_; }
    TILXMLNode* Element() const { return element_; }

private:
    void SetDocument(const TILXMLTree* document, const TILXMLNode* element);

    std::unique_ptr<TILXMLTree> document_ = std::make_unique<TILXMLTree>();
    TILXMLNode* element_ = nullptr;
};
