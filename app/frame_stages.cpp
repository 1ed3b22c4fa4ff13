// The listeners of the frame's stages: a handful at most, kept in a small array so that a frame
// with none costs one comparison per stage.
#include "app/frame_stages.h"

#include <algorithm>
#include <array>

namespace {

constexpr int largestListenerCount = 8;
std::array<FrameStageListener, largestListenerCount> listeners{};
int listenerCount = 0;

}  // namespace

void addFrameStageListener(FrameStageListener listener) {
    if (!listener || hasFrameStageListener(listener) || listenerCount == largestListenerCount) return;
    listeners[listenerCount++] = listener;
}

void removeFrameStageListener(FrameStageListener listener) {
    auto* end = listeners.begin() + listenerCount;
    auto* found = std::find(listeners.begin(), end, listener);
    if (found == end) return;
    std::copy(found + 1, end, found);
    listeners[--listenerCount] = nullptr;
}

bool hasFrameStageListener(FrameStageListener listener) {
    auto* end = listeners.begin() + listenerCount;
    return std::find(listeners.begin(), end, listener) != end;
}

void frameStageDone(FrameStage finished) {
    // A listener may remove itself while it is told; the one after it then moves into its place.
    for (int i = 0; i < listenerCount; ++i) {
        const FrameStageListener listener = listeners[i];
        listener(finished);
        if (i < listenerCount && listeners[i] != listener) --i;
    }
}
