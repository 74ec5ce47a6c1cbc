#include "app/window_size.h"

namespace window_size {

namespace {
constexpr int kStep = 16;
} // namespace

WindowSize WidthUp16(WindowSize current) {
    return {(current.width / kStep + 1) * kStep, current.height};
}

WindowSize WidthDown16(WindowSize current) {
    int width = (current.width / kStep) * kStep - kStep;
    if (width < kStep)
        width = kStep;
    return {width, current.height};
}

WindowSize Cycle(WindowSize current) {
    if (current.width < 720)
        return {720, 576};
    if (current.width < 1280)
        return {1280, 720};
    if (current.width < 1920)
        return {1920, 1080};
    return {720, 576};
}

std::string StatusText(WindowSize size) {
    return std::to_string(size.width) + "/" + std::to_string(size.height) + " - 704/720, 1280";
}

} // namespace window_size
