# The full-screen switch and back under openbox, where the window manager places the windows and
# full screen is a window-manager state.
E2E_WITH_WM=1
# shellcheck source=tests/e2e/test_fullscreen.sh
source "$(dirname "$0")/test_fullscreen.sh"
