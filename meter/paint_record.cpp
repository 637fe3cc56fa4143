#include "meter/paint_record.h"

#include <utility>

bool PaintRecord::Op::operator==(const Op& o) const
{
    return kind == o.kind && rect == o.rect && colour == o.colour && colour2 == o.colour2 &&
           rects == o.rects && points == o.points && text == o.text && align == o.align &&
           weight == o.weight;
}

void PaintRecord::fillRect(const Rect& r, ColorRef colour)
{
    Op op(Kind::Fill);
    op.rect = r;
    op.colour = colour;
    ops_.push_back(std::move(op));
}

void PaintRecord::fillRects(const std::vector<Rect>& rects, ColorRef colour)
{
    Op op(Kind::Fills);
    op.rects = rects;
    op.colour = colour;
    ops_.push_back(std::move(op));
}

void PaintRecord::draw3dRect(const Rect& r, ColorRef topLeft, ColorRef bottomRight)
{
    Op op(Kind::Frame3d);
    op.rect = r;
    op.colour = topLeft;
    op.colour2 = bottomRight;
    ops_.push_back(std::move(op));
}

void PaintRecord::line(int x1, int y1, int x2, int y2, ColorRef colour)
{
    Op op(Kind::Line);
    op.points = {{x1, y1}, {x2, y2}};
    op.colour = colour;
    ops_.push_back(std::move(op));
}

void PaintRecord::polyline(const std::vector<Point>& points, ColorRef colour)
{
    Op op(Kind::Polyline);
    op.points = points;
    op.colour = colour;
    ops_.push_back(std::move(op));
}

void PaintRecord::text(const Rect& r, const std::string& s, TextAlign align, ColorRef colour,
                       FontWeight weight)
{
    Op op(Kind::Text);
    op.rect = r;
    op.text = s;
    op.align = align;
    op.colour = colour;
    op.weight = weight;
    ops_.push_back(std::move(op));
}

Size PaintRecord::measureText(const std::string& s, FontWeight weight) const
{
    return measurer_->measureText(s, weight);
}

void PaintRecord::replay(Canvas& canvas) const
{
    for (const Op& op : ops_) {
        switch (op.kind) {
        case Kind::Fill:
            canvas.fillRect(op.rect, op.colour);
            break;
        case Kind::Fills:
            canvas.fillRects(op.rects, op.colour);
            break;
        case Kind::Frame3d:
            canvas.draw3dRect(op.rect, op.colour, op.colour2);
            break;
        case Kind::Line:
            canvas.line(op.points[0].x, op.points[0].y, op.points[1].x, op.points[1].y, op.colour);
            break;
        case Kind::Polyline:
            canvas.polyline(op.points, op.colour);
            break;
        case Kind::Text:
            canvas.text(op.rect, op.text, op.align, op.colour, op.weight);
            break;
        }
    }
}
