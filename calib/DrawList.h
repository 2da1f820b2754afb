#pragma once
// A picture as a list of drawing steps in pixel coordinates, made by the non-visual chart code and
// painted by the windows in order. Keeping the picture as data lets tests check every position,
// label and colour without a screen.

#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <variant>
#include <vector>

// The colours the charts use; the windows map them to screen colours.
enum class TInk : uint8_t { Black, White, Blue, Red, Lime, Yellow, ButtonFace };

// A straight line from `From` to `To`.
struct TDrawLine {
    QPoint From;
    QPoint To;
    TInk Ink = TInk::Black;
    bool Dotted = false;
    friend bool operator==(const TDrawLine&, const TDrawLine&) = default;
};

// A filled rectangle, with a one-pixel border when `Border` is set.
struct TDrawRect {
    QRect Rect;
    TInk Fill = TInk::White;
    bool Border = false;
    friend bool operator==(const TDrawRect&, const TDrawRect&) = default;
};

// A filled circle or ellipse within `Bounds`, with a black outline.
struct TDrawEllipse {
    QRect Bounds;
    TInk Fill = TInk::Blue;
    friend bool operator==(const TDrawEllipse&, const TDrawEllipse&) = default;
};

// A text whose top edge is at At.y(). Left-anchored texts start at At.x(); right-anchored ones
// end there, but never start left of x = 0.
struct TDrawText {
    enum class TAnchor : uint8_t { Left, Right };
    QPoint At;
    QString Text;
    TAnchor Anchor = TAnchor::Left;
    friend bool operator==(const TDrawText&, const TDrawText&) = default;
};

using TDrawStep = std::variant<TDrawLine, TDrawRect, TDrawEllipse, TDrawText>;

class TDrawList {
public:
    void Line(QPoint from, QPoint to, TInk ink = TInk::Black, bool dotted = false) {
        FSteps.push_back(TDrawLine{from, to, ink, dotted});
    }
    void Fill(const QRect& rect, TInk fill, bool border = false) {
        FSteps.push_back(TDrawRect{rect, fill, border});
    }
    void Ellipse(const QRect& bounds, TInk fill) { FSteps.push_back(TDrawEllipse{bounds, fill}); }
    void Text(QPoint at, const QString& text,
              TDrawText::TAnchor anchor = TDrawText::TAnchor::Left) {
        FSteps.push_back(TDrawText{at, text, anchor});
    }
    void Append(const TDrawList& other) {
        FSteps.insert(FSteps.end(), other.FSteps.begin(), other.FSteps.end());
    }

    const std::vector<TDrawStep>& Steps() const { return FSteps; }
    // The steps of one kind, in drawing order.
    template <typename T> std::vector<T> All() const {
        std::vector<T> found;
        for (const TDrawStep& step : FSteps)
            if (const T* item = std::get_if<T>(&step))
                found.push_back(*item);
        return found;
    }

private:
    std::vector<TDrawStep> FSteps;
};
