#pragma once

// A drawing surface that draws nothing: it records every text drawn with the state it was drawn in, and
// measures characters by a simple rule, so that tests can check positions, fonts and colours exactly.

#include "model/drawing_surface.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct RecordedText {
    int x = 0;
    int y = 0;
    std::string text;
    FontSpec font;
    ColorRef textColor = 0;
    ColorRef backgroundColor = 0;
    BackgroundMode backgroundMode = BackgroundMode::Opaque;
    int align = 0;
};

class RecordingSurface : public DrawingSurface {
public:
    struct State {
        FontSpec font;
        ColorRef textColor = kDefaultTextColor;
        ColorRef backgroundColor = 0xFFFFFF;
        BackgroundMode backgroundMode = BackgroundMode::Opaque;
        int align = TextAlign::Left | TextAlign::Top;
    };

    // The default measure: every character advances by half the font's height, at least 1.
    static int HalfHeightAdvance(const FontSpec& font, char) {
        return std::max(1, std::abs(font.height) / 2);
    }

    explicit RecordingSurface(bool yAxisUp = false) : m_yAxisUp(yAxisUp) {}

    // How wide a character is in a font; replace it to test uneven widths.
    std::function<int(const FontSpec&, char)> advance = HalfHeightAdvance;

    std::vector<RecordedText> texts;
    // Fonts in the order they were selected.
    std::vector<FontSpec> selectedFonts;
    int measureCalls = 0;

    const State& Current() const { return m_state; }
    int SaveDepth() const { return static_cast<int>(m_saved.size()); }

    // The texts drawn, concatenated in drawing order.
    std::string DrawnText() const {
        std::string all;
        for (const RecordedText& t : texts)
            all += t.text;
        return all;
    }

    void Save() override { m_saved.push_back(m_state); }
    void Restore() override {
        if (m_saved.empty())
            throw std::logic_error("Restore without Save");
        m_state = m_saved.back();
        m_saved.pop_back();
    }

    void SelectFont(const FontSpec& font) override {
        m_state.font = font;
        selectedFonts.push_back(font);
    }
    void SetTextColor(ColorRef color) override { m_state.textColor = color; }
    void SetBackgroundColor(ColorRef color) override { m_state.backgroundColor = color; }
    void SetBackgroundMode(BackgroundMode mode) override { m_state.backgroundMode = mode; }
    void SetTextAlign(int align) override { m_state.align = align; }

    void TextOut(int x, int y, std::string_view text) override {
        texts.push_back({x, y, std::string(text), m_state.font, m_state.textColor, m_state.backgroundColor,
                         m_state.backgroundMode, m_state.align});
    }

    std::vector<int> CharacterWidths(std::string_view text) override {
        ++measureCalls;
        std::vector<int> widths;
        widths.reserve(text.size());
        for (char c : text)
            widths.push_back(advance(m_state.font, c));
        return widths;
    }

    SurfaceSize TextExtent(std::string_view text) override {
        int width = 0;
        for (char c : text)
            width += advance(m_state.font, c);
        return {width, std::abs(m_state.font.height)};
    }

    bool IsYAxisUp() const override { return m_yAxisUp; }

private:
    bool m_yAxisUp;
    State m_state;
    std::vector<State> m_saved;
};
