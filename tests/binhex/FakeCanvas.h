// A canvas of fixed character cells: every character is `cell` pixels wide
// and `height` high, text lands in a grid of rows and columns counted from
// `originX`, and every other call is recorded, so a layout's columns can be
// compared as plain text.
#pragma once

#include "binhex/core/VuCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class FakeCanvas : public TVuCanvas {
public:
    struct Op {
        char kind;  // 'F'ill, 'L'ine, 'E'llipse, 'I'nvert
        TVuRect rect;
        TVuColor color;
        int penWidth;
    };

    FakeCanvas(int cell = 8, int height = 10, int originX = 2) : cell_(cell), height_(height), originX_(originX) {}

    void SetSize(int width, int height) override
    {
        width_ = width;
        pixelsHigh_ = height;
        rows_.assign(size_t(height / height_ + 1), std::u16string());
        colors_.assign(rows_.size(), std::vector<TVuColor>());
        ops.clear();
    }
    int Width() const override { return width_; }
    int Height() const override { return pixelsHigh_; }
    void UseFont(TVuCanvasFont font) override { this->font = font; }
    TVuFontInfo FontInfo() override { return {height_, 32, cell_, true}; }

    int TextOut(int x, int y, std::u16string_view text, TVuColor color) override
    {
        lastText = {x, y};
        if (strict) {
            EXPECT_EQ((x - originX_) % cell_, 0) << "text off the cell grid at x=" << x;
            EXPECT_EQ(y % height_, 0);
        }
        const int row = y / height_;
        int col = (x - originX_) / cell_;
        if (row < 0 || row >= int(rows_.size()))
            return TextWidth(text);
        for (char16_t ch : text) {
            if (col >= 0) {
                std::u16string& line = rows_[size_t(row)];
                if (line.size() <= size_t(col)) {
                    line.resize(size_t(col) + 1, u' ');
                    colors_[size_t(row)].resize(size_t(col) + 1, 0);
                }
                if (ch != u' ') {
                    line[size_t(col)] = ch;
                    colors_[size_t(row)][size_t(col)] = color;
                }
            }
            ++col;
        }
        return TextWidth(text);
    }
    int TextWidth(std::u16string_view text) override { return int(text.size()) * cell_; }
    void TextExtents(std::u16string_view text, std::vector<int>& extents) override
    {
        extents.clear();
        for (size_t i = 0; i < text.size(); ++i)
            extents.push_back(int(i + 1) * cell_);
    }
    void FillRect(const TVuRect& r, TVuColor c) override { ops.push_back({'F', r, c, 0}); }
    void Line(int x1, int y1, int x2, int y2, TVuColor c, int pen) override { ops.push_back({'L', {x1, y1, x2, y2}, c, pen}); }
    void Ellipse(const TVuRect& r, TVuColor pen, TVuColor) override { ops.push_back({'E', r, pen, 1}); }
    void InvertRect(const TVuRect& r) override { ops.push_back({'I', r, 0, 0}); }

    // Row `row` of the grid as UTF-8-free text (non-ASCII as '?').
    std::string Row(int row) const
    {
        if (row >= int(rows_.size()))
            return {};
        std::string s;
        for (char16_t ch : rows_[size_t(row)])
            s += ch < 128 ? char(ch) : '?';
        while (!s.empty() && s.back() == ' ')
            s.pop_back();
        return s;
    }
    const std::u16string& WideRow(int row) const { return rows_[size_t(row)]; }
    TVuColor ColorAt(int row, int col) const { return colors_[size_t(row)][size_t(col)]; }
    std::vector<Op> OpsOf(char kind) const
    {
        std::vector<Op> out;
        for (const Op& op : ops)
            if (op.kind == kind)
                out.push_back(op);
        return out;
    }
    // Column of pixel x on the grid.
    int Col(int x) const { return (x - originX_) / cell_; }

    std::vector<Op> ops;
    TVuCanvasFont font = vcfNormal;
    bool strict = true;                  // text must sit on the cell grid
    std::pair<int, int> lastText{0, 0};  // origin of the last text drawn

private:
    int cell_, height_, originX_;
    int width_ = 0, pixelsHigh_ = 0;
    std::vector<std::u16string> rows_;
    std::vector<std::vector<TVuColor>> colors_;
};
