#include "platform/queue/message_queue.h"

#include <deque>

namespace platform {

namespace {

struct QueuedMessage {
    std::uint32_t windowId = 0;
    std::uint32_t message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

std::deque<QueuedMessage> queue;

// Messages about a window's own state mean nothing once the window is gone.
bool concernsWindowState(std::uint32_t message) {
    return message == WM_SIZE || message == WM_ACTIVATE || message == WM_CLOSE;
}

}  // namespace

void queueMessage(std::uint32_t windowId, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    queue.push_back(QueuedMessage{windowId, message, wParam, lParam});
}

bool messageQueueEmpty() { return queue.empty(); }

bool takeQueuedMessage(Message& message, Window* (*windowFromId)(std::uint32_t)) {
    while (!queue.empty()) {
        const QueuedMessage next = queue.front();
        queue.pop_front();
        Window* window = next.windowId != 0 ? windowFromId(next.windowId) : nullptr;
        if (next.windowId != 0 && !window && concernsWindowState(next.message)) continue;
        message = Message{window, next.message, next.wParam, next.lParam};
        return true;
    }
    return false;
}

}  // namespace platform
