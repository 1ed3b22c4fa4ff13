// The view's projection, kept in step with the window's client size.
#pragma once

// The viewport and the perspective projection for a client area of width x height; called by
// the window's creation and on every size message. The window's stored size follows too.
void resizeView(int width, int height);
