#include "framework/report/report_painter.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"

namespace fw {

namespace {

QRectF ToQRectF(const Rect& rect)
{
    return QRectF(rect.Left, rect.Top, rect.Width(), rect.Height());
}

Qt::Alignment HorizontalAlignment(Alignment alignment)
{
    switch (alignment) {
    case Alignment::RightJustify:
        return Qt::AlignRight;
    case Alignment::Center:
        return Qt::AlignHCenter;
    case Alignment::LeftJustify:
        break;
    }
    return Qt::AlignLeft;
}

void PaintText(QPainter& painter, const PlacedItem& item, const ReportPageLayout& page, QtPaintBackend& fonts)
{
    if (item.Lines.empty() || item.Bounds.Width() <= 0) {
        return;
    }
    painter.save();
    // Text is cut at the label's sides only: a line of a label lower than its font still
    // shows whole.
    painter.setClipRect(QRectF(item.Bounds.Left, 0, item.Bounds.Width(), page.Height));
    QFont font = fonts.QtFont(item.Font);
    // On paper the outlines are drawn smooth; the screen's bitmap rules do not apply.
    font.setStyleStrategy(QFont::PreferDefault);
    painter.setFont(font);
    painter.setPen(ToQColor(item.Font.Color));
    const int flags = static_cast<int>(HorizontalAlignment(item.Alignment) | Qt::AlignTop) | Qt::TextSingleLine
                      | Qt::TextDontClip;
    for (std::size_t i = 0; i < item.Lines.size(); ++i) {
        const QRectF line(item.Bounds.Left, item.Bounds.Top + static_cast<double>(i) * item.LineHeight,
                          item.Bounds.Width(), std::max(1, item.LineHeight));
        painter.drawText(line, flags, QString::fromStdString(item.Lines[i]));
    }
    painter.restore();
}

QPen PenOf(const PlacedItem& item)
{
    if (item.PenStyle == PenStyle::Clear) {
        return QPen(Qt::NoPen);
    }
    QPen pen(ToQColor(item.PenColor));
    pen.setWidthF(item.PenWidth);
    pen.setStyle(item.PenStyle == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void PaintShape(QPainter& painter, const PlacedItem& item)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPen pen = PenOf(item);
    painter.setPen(pen);
    painter.setBrush(item.BrushStyle == BrushStyle::Solid ? QBrush(ToQColor(item.BrushColor)) : QBrush(Qt::NoBrush));
    const QRectF box = ToQRectF(item.Bounds);
    // Outlines stay inside the box, as the box is what the band reserved.
    const double inset = pen.style() == Qt::NoPen ? 0.0 : item.PenWidth / 2.0;
    const QRectF inside = box.adjusted(inset, inset, -inset, -inset);
    switch (item.Shape) {
    case ReportShapeType::HorizontalLine: {
        const double y = box.top() + box.height() / 2.0;
        painter.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
        break;
    }
    case ReportShapeType::VerticalLine: {
        const double x = box.left() + box.width() / 2.0;
        painter.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
        break;
    }
    case ReportShapeType::Rectangle:
        painter.drawRect(inside);
        break;
    case ReportShapeType::Circle:
        painter.drawEllipse(inside);
        break;
    }
    painter.restore();
}

void PaintImage(QPainter& painter, const PlacedItem& item)
{
    if (item.Picture == nullptr || item.Picture->Empty()) {
        return;
    }
    painter.save();
    // Pattern pictures are grids of cells: scaled up they must stay sharp squares.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // A copy in Qt's own format: printer engines keep images beyond the call and do not
    // all read every format.
    const QImage image = BitmapToQImage(*item.Picture);
    if (item.Stretch) {
        painter.drawImage(ToQRectF(item.Bounds), image, QRectF(image.rect()));
    } else {
        const int width = std::min(image.width(), item.Bounds.Width());
        const int height = std::min(image.height(), item.Bounds.Height());
        if (width > 0 && height > 0) {
            painter.drawImage(QRectF(item.Bounds.Left, item.Bounds.Top, width, height), image,
                              QRectF(0, 0, width, height));
        }
    }
    painter.restore();
}

} // namespace

void ScaleToReportUnits(QPainter& painter, double dotsPerInchX, double dotsPerInchY)
{
    painter.scale(dotsPerInchX / ScreenPixelsPerInch, dotsPerInchY / ScreenPixelsPerInch);
}

void PaintReportPage(QPainter& painter, const ReportPageLayout& page, QtPaintBackend& fonts)
{
    for (const PlacedItem& item : page.Items) {
        switch (item.Kind) {
        case PlacedItemKind::Text:
            PaintText(painter, item, page, fonts);
            break;
        case PlacedItemKind::Shape:
            PaintShape(painter, item);
            break;
        case PlacedItemKind::Image:
            PaintImage(painter, item);
            break;
        }
    }
}

QImage RenderReportPage(const ReportPageLayout& page, QtPaintBackend& fonts, int dotsPerInch)
{
    const double scale = static_cast<double>(dotsPerInch) / ScreenPixelsPerInch;
    QImage image(static_cast<int>(std::lround(page.Width * scale)), static_cast<int>(std::lround(page.Height * scale)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ScaleToReportUnits(painter, dotsPerInch, dotsPerInch);
    PaintReportPage(painter, page, fonts);
    painter.end();
    return image;
}

} // namespace fw
