#include "meter/paint_record.h"

#include "recording_canvas.h"

#include <gtest/gtest.h>

namespace {

const ColorRef kRed = rgb(255, 0, 0);
const ColorRef kBlue = rgb(0, 0, 255);

// One of every call, as a meter's picture would use them.
void drawPicture(Canvas& canvas, ColorRef ink, const std::string& text)
{
    canvas.fillRect({0, 0, 40, 20}, kBlue);
    canvas.draw3dRect({0, 0, 40, 20}, kRed, ink);
    canvas.fillRects({{2, 10, 5, 18}, {6, 12, 9, 18}}, kRed);
    canvas.line(0, 5, 40, 5, ink);
    canvas.polyline({{10, 2}, {14, 8}, {18, 2}}, ink);
    canvas.text({0, 0, 40, 20}, text, TextAlign::Right, ink, FontWeight::Bold);
}

} // namespace

TEST(paintRecord, replayDrawsWhatWasRecordedInOrder)
{
    FixedWidthMeasurer measurer;
    PaintRecord record(measurer);
    drawPicture(record, kRed, "12%");
    EXPECT_EQ(record.measureText("12%", FontWeight::Normal).cx, 3 * RecordingCanvas::kCharWidth);

    RecordingCanvas direct(40, 20);
    drawPicture(direct, kRed, "12%");
    RecordingCanvas replayed(40, 20);
    record.replay(replayed);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(replayed.pixel(x, y), direct.pixel(x, y)) << x << "," << y;
    ASSERT_EQ(replayed.texts.size(), 1u);
    EXPECT_EQ(replayed.texts[0].text, "12%");
    EXPECT_EQ(replayed.texts[0].align, TextAlign::Right);
    EXPECT_EQ(replayed.texts[0].weight, FontWeight::Bold);
    EXPECT_EQ(replayed.frames.size(), 1u);
    EXPECT_EQ(replayed.lines.size(), 3u) << "the polyline's two segments and the line";
}

TEST(paintRecord, equalOnlyForTheSameCallsWithTheSameArguments)
{
    FixedWidthMeasurer measurer;
    PaintRecord first(measurer), same(measurer), otherText(measurer), otherInk(measurer);
    drawPicture(first, kRed, "12%");
    drawPicture(same, kRed, "12%");
    drawPicture(otherText, kRed, "13%");
    drawPicture(otherInk, kBlue, "12%");
    EXPECT_TRUE(first == same);
    EXPECT_TRUE(first != otherText);
    EXPECT_TRUE(first != otherInk);

    PaintRecord longer(measurer);
    drawPicture(longer, kRed, "12%");
    longer.line(0, 0, 1, 1, kRed);
    EXPECT_TRUE(first != longer);
    PaintRecord moved(measurer);
    moved.fillRect({0, 0, 40, 21}, kBlue);
    PaintRecord original(measurer);
    original.fillRect({0, 0, 40, 20}, kBlue);
    EXPECT_TRUE(moved != original);
    original.clear();
    EXPECT_TRUE(original.empty());
}
