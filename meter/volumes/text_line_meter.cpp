#include "meter/volumes/text_line_meter.h"

void TextLineMeter::fitTextFormat(const TextMeasurer& measurer)
{
    lineHeight_ = measurer.measureText("Xg").cy;
}

void TextLineMeter::paint(Canvas& canvas, bool tickRedraw)
{
    drawFrame(canvas, tickRedraw);
    drawBackground(canvas);
    drawLine(canvas);
}

void TextLineMeter::paintStatic(Canvas& canvas) const
{
    drawFrame(canvas, false);
    drawBackground(canvas);
}

void TextLineMeter::paintDynamic(Canvas& canvas) const
{
    drawLine(canvas);
}

Rect TextLineMeter::innerRect() const
{
    const Rect meterRect = graphRect(false);
    return {meterRect.left + 1, meterRect.top + 1, meterRect.right - 2, meterRect.bottom - 2};
}

void TextLineMeter::drawBackground(Canvas& canvas) const
{
    canvas.fillRect(innerRect(), settings().colours[kColourBackground]);
}

void TextLineMeter::drawLine(Canvas& canvas) const
{
    const Rect inner = innerRect();
    // The line's top sits where a capital's box would be centred; the canvas centres
    // the line box in the rectangle it is given, so give it one of the line's height.
    const int textHeight = canvas.measureText("U").cy;
    const int top = inner.top + (inner.height() - textHeight) / 2;
    canvas.text({inner.left, top, inner.right, top + textHeight}, meterText(), TextAlign::Centre,
                settings().colours[kColourText]);
}
