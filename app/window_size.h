#pragma once

#include <string>

// The three window-size commands of the main window: a step of 16 pixels wider or narrower, and a cycle
// through the common video frame sizes. Sizes are the outer size of the window in pixels.
struct WindowSize {
    int width = 0;
    int height = 0;
    bool operator==(const WindowSize&) const = default;
};

namespace window_size {

// Commands 2090 to 2092.
inline constexpr int kWidthUp16 = 2090;
inline constexpr int kWidthDown16 = 2091;
inline constexpr int kCycle = 2092;

// The next multiple of 16 above the width; the height stays.
WindowSize WidthUp16(WindowSize current);
// The multiple of 16 at or below the width, less 16; the height stays. Never below 16 pixels, so a narrow
// window does not get a zero or negative width.
WindowSize WidthDown16(WindowSize current);
// 720 x 576, 1280 x 720, 1920 x 1080, then back to 720 x 576, chosen by the current width.
WindowSize Cycle(WindowSize current);

// The status-bar text after a change: "<width>/<height> - 704/720, 1280".
std::string StatusText(WindowSize size);

} // namespace window_size
