// Points, sizes and rectangles in pixels, as the framework's geometry uses them.
#pragma once
#include <algorithm>

namespace zk {

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int CX = 0;
    int CY = 0;
    bool operator==(const TSize&) const = default;
};

// Right and Bottom are exclusive: a rectangle holds the points with
// Left <= X < Right and Top <= Y < Bottom.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    bool Contains(TPoint P) const { return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom; }
    bool operator==(const TRect&) const = default;
};

inline TPoint Point(int X, int Y) { return {X, Y}; }
inline TRect Rect(int Left, int Top, int Right, int Bottom) { return {Left, Top, Right, Bottom}; }
inline TRect Bounds(int Left, int Top, int Width, int Height) { return {Left, Top, Left + Width, Top + Height}; }
inline bool PtInRect(const TRect& R, TPoint P) { return R.Contains(P); }
inline TRect OffsetRect(TRect R, int DX, int DY) { return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY}; }
inline TRect InflateRect(TRect R, int DX, int DY) { return {R.Left - DX, R.Top - DY, R.Right + DX, R.Bottom + DY}; }
// The common part of two rectangles; empty (all zero) when they do not meet.
inline TRect IntersectRect(const TRect& A, const TRect& B) {
    TRect R{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
            std::min(A.Bottom, B.Bottom)};
    return R.IsEmpty() ? TRect{} : R;
}
inline TRect UnionRect(const TRect& A, const TRect& B) {
    if (A.IsEmpty()) return B;
    if (B.IsEmpty()) return A;
    return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
            std::max(A.Bottom, B.Bottom)};
}

}  // namespace zk
