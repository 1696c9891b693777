#include "PaintFixture.h"

#include <QFont>
#include <QImage>
#include <QRawFont>

namespace vel::graphics::test {
namespace {

constexpr Color kRed{0xFF0000};

class TextTest : public PaintFixture {
protected:
    TextTest() : PaintFixture(300, 300) {}

    Font Sans(float size) const { return Font{"DejaVu Sans", size}; }

    // Bounding box of everything not black above row `bottom`.
    QRect Ink(int bottom = 300) const {
        QRect box;
        for (int y = 0; y < bottom; ++y) {
            for (int x = 0; x < image_.width(); ++x) {
                if (Pixel(x, y) != 0) {
                    box |= QRect(x, y, 1, 1);
                }
            }
        }
        return box;
    }
};

TEST_F(TextTest, EmptyTextMeasuresNothing) {
    Frame frame = MakeFrame();
    EXPECT_EQ(frame.MeasureText(""), (SizeF{0, 0}));
    EXPECT_EQ(frame.MeasureText(u""), (SizeF{0, 0}));
    frame.SetFont(Font{"DejaVu Sans", 0});
    EXPECT_EQ(frame.MeasureText("no size"), (SizeF{0, 0}));
}

TEST_F(TextTest, PointSizeBecomesLogicalPixelsWhateverTheDeviceDpi) {
    SizeF at96;
    {
        Frame frame = MakeFrame();
        frame.SetFont(Sans(24)); // 32 units high
        at96 = frame.MeasureText("Hello");
        EXPECT_EQ(frame.MeasureText(u"Hello"), at96);
        frame.SetFont(Sans(12));
        const SizeF half = frame.MeasureText("Hello");
        EXPECT_NEAR(at96.width / half.width, 2.0, 0.1);
    }
    EXPECT_GT(at96.height, 32);
    EXPECT_LT(at96.height, 42);
    QImage dense(300, 300, QImage::Format_RGB32);
    dense.setDotsPerMeterX(7559); // 192 dpi
    dense.setDotsPerMeterY(7559);
    Frame frame = surface_.CreateFrame(&dense, {0, 0, 300, 300});
    frame.SetFont(Sans(24));
    const SizeF at192 = frame.MeasureText("Hello");
    EXPECT_NEAR(at192.width, at96.width, 1.0);
    EXPECT_NEAR(at192.height, at96.height, 1.0);
}

TEST_F(TextTest, TextWrapsAtWordsInsideTheViewportWidth) {
    Frame frame = MakeFrame();
    frame.SetFont(Sans(12));
    const std::string text = "one two three four five six seven eight nine ten";
    frame.SetViewport({0, 0, 1000, 300});
    const SizeF line = frame.MeasureText("one");
    const SizeF wide = frame.MeasureText(text);
    EXPECT_NEAR(wide.height, line.height, 0.01);
    frame.SetViewport({0, 0, 100, 300});
    const SizeF narrow = frame.MeasureText(text);
    EXPECT_LE(narrow.width, 100);
    EXPECT_GE(narrow.height, 3 * line.height - 0.01);
    EXPECT_EQ(frame.MeasureText("one   "), line); // trailing white space
    EXPECT_NEAR(frame.MeasureText("one\ntwo").height, 2 * line.height, 0.01);
}

TEST_F(TextTest, DrawTextFillsTheMeasuredBoxInTheTextColor) {
    SizeF size;
    {
        Frame frame = MakeFrame();
        frame.SetFont(Sans(20));
        frame.SetTextColor(kRed);
        size = frame.MeasureText("Pumpkin");
        frame.DrawText(PointF{50, 60}, "Pumpkin");
    }
    const QRect ink = Ink();
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 50);
    EXPECT_GE(ink.top(), 60);
    EXPECT_LE(ink.right(), 50 + size.width + 1);
    EXPECT_LE(ink.bottom(), 60 + size.height + 1);
    EXPECT_GT(ink.width(), size.width * 0.8);
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        for (int x = ink.left(); x <= ink.right(); ++x) {
            EXPECT_EQ(Pixel(x, y) & 0x00FFFF, 0u);
        }
    }
}

TEST_F(TextTest, AngledTextTurnsCounterClockwiseAboutTheOrigin) {
    SizeF size;
    {
        Frame frame = MakeFrame();
        Font font = Sans(20);
        font.angle = 90;
        frame.SetFont(font);
        frame.SetTextColor(kRed);
        size = frame.MeasureText("Pumpkin");
        frame.DrawText(PointF{100, 250}, "Pumpkin");
        frame.SetPen(Color{0xFFFFFF}, 1);
        frame.DrawLine(PointF{0, 280.5f}, PointF{300, 280.5f}); // transform restored
    }
    EXPECT_EQ(Pixel(10, 280), 0xFFFFFFu);
    EXPECT_EQ(Pixel(290, 280), 0xFFFFFFu);
    const QRect ink = Ink(270);
    // Reading upward from the origin, the text's top edge on its left.
    EXPECT_GE(ink.left(), 99);
    EXPECT_LE(ink.right(), 101 + size.height);
    EXPECT_LE(ink.bottom(), 251);
    EXPECT_LT(ink.top(), 250 - size.width * 0.8);
}

TEST_F(TextTest, FixedPitchFaceStandsInForCourierNew) {
    Frame frame = MakeFrame();
    frame.SetFont(Font{"Courier New", 24});
    const SizeF narrow = frame.MeasureText("iiii");
    EXPECT_GT(narrow.width, 0);
    EXPECT_NEAR(narrow.width, frame.MeasureText("MMMM").width, 0.5);
}

TEST_F(TextTest, SymbolCodesDrawDistinctSymbols) {
    const std::string codes = "\"!4;978:";
    std::vector<QImage> drawn;
    for (char code : codes) {
        image_.fill(Qt::black);
        {
            Frame frame = MakeFrame();
            frame.SetFont(Font{"Webdings", 36});
            frame.SetTextColor(Color{0xFFFFFF});
            frame.DrawText(PointF{10, 10}, std::string(1, code));
        }
        EXPECT_GT(Lit(), 100) << code;
        drawn.push_back(image_.copy());
    }
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        for (std::size_t j = i + 1; j < drawn.size(); ++j) {
            EXPECT_NE(drawn[i], drawn[j]) << codes[i] << " " << codes[j];
        }
    }
    image_.fill(Qt::black);
    {
        Frame frame = MakeFrame();
        frame.SetFont(Font{"DejaVu Sans", 36});
        frame.SetTextColor(Color{0xFFFFFF});
        frame.DrawText(PointF{10, 10}, "4");
    }
    EXPECT_NE(image_, drawn[2]) << "a plain digit, not the play symbol";
}

TEST_F(TextTest, TheSymbolFontHoldsEverySymbolUsed) {
    const QRawFont symbols = QRawFont::fromFont(QFont("Symbola"));
    ASSERT_TRUE(symbols.isValid());
    EXPECT_EQ(symbols.familyName(), "Symbola");
    for (unsigned symbol : {0x1F578, 0x1F577, 0x25B6, 0x23F8, 0x23EE, 0x23EA, 0x23E9, 0x23ED}) {
        EXPECT_TRUE(symbols.supportsCharacter(symbol)) << std::hex << symbol;
    }
}

} // namespace
} // namespace vel::graphics::test
