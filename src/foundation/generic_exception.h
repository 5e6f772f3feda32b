#pragma once

#include <exception>
#include <functional>
#include <string>

#include "foundation/enhanced_list.h"
#include "framework/core/exceptions.h"

// One step of a failure's story: what went wrong, in which object and in which operation.
class TGenericExceptionInfo : public fw::Persistent {
public:
    std::string Message;
    std::string SenderName;
    std::string MethodName;
    int Code = 0;

    std::string_view className() const override { return "TGenericExceptionInfo"; }
    fw::Object* NewInstance() const override { return new TGenericExceptionInfo; }
    void Assign(const fw::Persistent* source) override;

    // The text of the database statement that failed, which the exception details window
    // lists. Only the database layer's record carries one; asking through this query keeps
    // the windows that show errors free of that layer.
    virtual std::string SQLText() const { return {}; }
};

using TGenericExceptionInfoList = TEnhancedListOf<TGenericExceptionInfo>;

// The error type of the program's own code. Besides its message it carries its records,
// the newest (outermost) failure first, so that an error passed up through several layers
// keeps the whole chain for the exception dialog.
class TGenericException : public fw::Exception {
public:
    // The message and a first record; with a previous error, that error's records follow
    // (or one record with its message when it is not one of ours) and the message becomes
    // message + an empty line + the previous message.
    TGenericException(const std::string& message, const std::exception* previous, const std::string& senderName,
                      const std::string& methodName, int code = 0);

    // As above, the sender named by its class name and, for a named component, "[Name]".
    static TGenericException CreateFromSender(const std::string& message, const std::exception* previous,
                                              const fw::Object* sender, const std::string& methodName,
                                              int code = 0);
    static TGenericException CreateNested(const std::string& message, const std::exception* previous,
                                          const std::string& senderName, const std::string& methodName,
                                          int code = 0)
    {
        return TGenericException(message, previous, senderName, methodName, code);
    }

    TGenericException(const TGenericException& other);
    TGenericException& operator=(const TGenericException& other);
    ~TGenericException() override = default;

    std::string_view className() const noexcept override { return "TGenericException"; }

    // A new record of the class this error type keeps.
    virtual TGenericExceptionInfo* NewInfo() const { return new TGenericExceptionInfo; }
    void AddInfo(const std::string& message, int code, const std::string& senderName, const std::string& methodName);
    // Appends copies of all the other error's records, each made with its own class.
    virtual void CopyInfos(const TGenericException& other);

    // Whether the error would rather be shown by the standard error box than by the
    // program's exception dialog; none of the program's errors would.
    virtual bool PrefersStandardDisplay() const { return false; }

    int InfoCount() const { return records_.Count(); }
    // None outside the range.
    TGenericExceptionInfo* GetInfo(int index) const { return records_.GetItem(index); }
    // The first record's code, 0 without records.
    int GetFirstCode() const;

    // Hands the error to the application's standard error display.
    void Show() const;
    using ShowHandler = std::function<void(const TGenericException&)>;
    // The display that Show uses; the application installs its exception dialog here.
    static void SetShowHandler(ShowHandler handler);

protected:
    // For derived error types whose records are of another class: they construct with
    // this, then call Fill once their own NewInfo is in place.
    struct Deferred {};
    explicit TGenericException(Deferred) : fw::Exception({}) {}
    void Fill(const std::string& message, const std::exception* previous, const std::string& senderName,
              const std::string& methodName, int code);

private:
    TGenericExceptionInfoList records_;
};
