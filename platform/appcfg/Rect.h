#pragma once
// A rectangle by its edges, as window shapes and print margins are kept.

class CRect {
public:
    CRect() = default;
    CRect(int l, int t, int r, int b)
        : left(l)
        , top(t)
        , right(r)
        , bottom(b)
    {
    }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsRectEmpty() const { return Width() <= 0 || Height() <= 0; }

    bool operator==(const CRect&) const = default;

    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
