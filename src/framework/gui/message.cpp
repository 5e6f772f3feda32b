#include "framework/gui/message.h"

#include <deque>
#include <utility>

namespace fw {

MessageTarget::MessageTarget() : liveness_(std::make_shared<const int>(0)) {}

MessageTarget::~MessageTarget() = default;

std::intptr_t MessageTarget::Perform(int msg, std::intptr_t wParam, std::intptr_t lParam)
{
    Message message{msg, wParam, lParam, 0};
    WndProc(message);
    return message.Result;
}

void MessageTarget::WndProc(Message& message)
{
    Dispatch(message);
}

void MessageTarget::Dispatch(Message& message)
{
    DefaultHandler(message);
}

void MessageTarget::DefaultHandler(Message& /*message*/) {}

namespace {

struct PostedMessage {
    MessageTarget* Target;
    std::weak_ptr<const void> Liveness;
    int Msg;
    std::intptr_t WParam;
    std::intptr_t LParam;
};

// The program has one GUI thread, so the queue is plain program state.
std::deque<PostedMessage>& Queue()
{
    static std::deque<PostedMessage> queue;
    return queue;
}

std::function<void()>& PostedHook()
{
    static std::function<void()> hook;
    return hook;
}

} // namespace

void PostMessage(MessageTarget* target, int msg, std::intptr_t wParam, std::intptr_t lParam)
{
    if (target == nullptr) {
        return;
    }
    Queue().push_back(PostedMessage{target, target->LivenessToken(), msg, wParam, lParam});
    if (PostedHook()) {
        PostedHook()();
    }
}

int ProcessPostedMessages()
{
    int delivered = 0;
    auto& queue = Queue();
    while (!queue.empty()) {
        // Taken off before it runs: the handler may post more, or run a nested loop that
        // goes on with the rest of the queue.
        PostedMessage posted = std::move(queue.front());
        queue.pop_front();
        // Only checked, not held: a target that frees itself inside the handler must
        // look dead to every other WeakRef at once.
        if (!posted.Liveness.expired()) {
            posted.Target->Perform(posted.Msg, posted.WParam, posted.LParam);
            ++delivered;
        }
    }
    return delivered;
}

std::size_t PostedMessageCount()
{
    return Queue().size();
}

void ClearPostedMessages()
{
    Queue().clear();
}

std::function<void()> SetMessagePostedHook(std::function<void()> hook)
{
    return std::exchange(PostedHook(), std::move(hook));
}

} // namespace fw
