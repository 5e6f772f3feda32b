#include "framework/gui/message.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/gui/control.h"

namespace {

// Records what it receives as "id:w" and answers w * 2 for message 5000; message 5001
// posts 5002 to itself; 5003 throws.
class Recorder : public fw::MessageTarget {
public:
    explicit Recorder(std::vector<std::string>& log, std::string name = "") : log_(log), name_(std::move(name)) {}

    void Dispatch(fw::Message& message) override
    {
        log_.push_back(name_ + std::to_string(message.Msg) + ":" + std::to_string(message.WParam));
        switch (message.Msg) {
        case 5000:
            message.Result = message.WParam * 2;
            break;
        case 5001:
            fw::PostMessage(this, 5002, message.WParam);
            log_.push_back(name_ + "end 5001");
            break;
        case 5003:
            throw std::runtime_error("handler failed");
        default:
            MessageTarget::Dispatch(message);
        }
    }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

class MessageQueueTest : public testing::Test {
protected:
    void SetUp() override { fw::ClearPostedMessages(); }
    void TearDown() override
    {
        fw::ClearPostedMessages();
        fw::SetMessagePostedHook(nullptr);
    }
    std::vector<std::string> log;
};

TEST_F(MessageQueueTest, PerformIsSynchronousAndAnswersTheResult)
{
    Recorder target(log);
    EXPECT_EQ(target.Perform(5000, 21), 42);
    EXPECT_EQ(target.Perform(4000, 7), 0); // nobody handles it
    EXPECT_EQ(log, (std::vector<std::string>{"5000:21", "4000:7"}));
    EXPECT_EQ(fw::PostedMessageCount(), 0u);
}

TEST_F(MessageQueueTest, PostedMessagesArriveInOrderAfterTheCurrentHandler)
{
    Recorder a(log, "a");
    Recorder b(log, "b");
    int wakes = 0;
    fw::SetMessagePostedHook([&wakes] { ++wakes; });

    fw::PostMessage(&a, 5001, 1);
    fw::PostMessage(&b, 4000, 2);
    fw::PostMessage(&a, 4000, 3);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(wakes, 3);

    EXPECT_EQ(fw::ProcessPostedMessages(), 4);
    // 5002, posted by the first handler, runs after that handler and after what was queued
    // before it.
    EXPECT_EQ(log, (std::vector<std::string>{"a5001:1", "aend 5001", "b4000:2", "a4000:3", "a5002:1"}));
    EXPECT_EQ(fw::ProcessPostedMessages(), 0);
}

TEST_F(MessageQueueTest, MessagesToAFreedTargetAreDropped)
{
    auto gone = std::make_unique<Recorder>(log, "gone");
    Recorder stays(log, "stays");
    fw::PostMessage(gone.get(), 4000, 1);
    fw::PostMessage(&stays, 4000, 2);
    fw::PostMessage(gone.get(), 4000, 3);
    gone.reset();

    EXPECT_EQ(fw::ProcessPostedMessages(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"stays4000:2"}));

    // The same for a control freed by its parent while its message waits.
    auto* parent = new fw::WinControl;
    auto* child = new fw::Control;
    child->SetParent(parent);
    fw::WeakRef<fw::Control> guard(child);
    fw::PostMessage(child, fw::WM_NULL);
    delete parent;
    EXPECT_FALSE(guard);
    EXPECT_EQ(guard.Get(), nullptr);
    EXPECT_EQ(fw::ProcessPostedMessages(), 0);
}

TEST_F(MessageQueueTest, AThrowingHandlerLeavesTheRestQueued)
{
    Recorder target(log);
    fw::PostMessage(&target, 5003);
    fw::PostMessage(&target, 4000, 9);
    EXPECT_THROW(fw::ProcessPostedMessages(), std::runtime_error);
    EXPECT_EQ(fw::PostedMessageCount(), 1u);
    EXPECT_EQ(fw::ProcessPostedMessages(), 1);
    EXPECT_EQ(log.back(), "4000:9");
}

TEST_F(MessageQueueTest, PackedPointsKeepTheirSign)
{
    const std::intptr_t packed = fw::PackPoint(-5, 300);
    EXPECT_EQ(fw::LowPart(packed), -5);
    EXPECT_EQ(fw::HighPart(packed), 300);
    EXPECT_EQ(fw::UnpackPoint(fw::PackPoint(fw::Point{32767, -32768})), (fw::Point{32767, -32768}));
}

} // namespace
