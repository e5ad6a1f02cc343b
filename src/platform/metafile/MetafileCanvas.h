#pragma once
// What a metafile's records do, drawn on a painter: the state (MetafileDc) with its saved
// copies, the object table, the open path, and the drawing itself. Records give logical
// coordinates; the canvas maps them through the world and page transforms to the
// reference device, then to the picture's pixels.
#include "platform/metafile/MetafileDc.h"

#include <QImage>
#include <QPolygonF>
#include <QRectF>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

class QPainter;

namespace platform {

struct TextRun;

class MetafileCanvas {
public:
    // device_to_picture maps the reference device's pixels to the painter's; px_per_mm is the
    // reference device's resolution, used by the metric and English mapping modes.
    MetafileCanvas(QPainter& painter, const QTransform& device_to_picture, QPointF px_per_mm,
                   std::size_t object_slots);

    MetafileDc& dc() { return m_dc; }
    QTransform logical_to_picture() const;
    QTransform device_to_picture() const { return m_device_to_picture; }
    void save_dc();
    // A negative number counts back from the last saved state, a positive one is absolute.
    void restore_dc(int which);

    std::size_t first_free_slot() const;
    void create_object(std::size_t slot, GdiObject object);
    void select_object(std::size_t slot);
    void select_stock_object(std::uint32_t id);
    void delete_object(std::size_t slot);

    void begin_path();
    void end_path() { m_path_open = false; }
    void abort_path();
    void close_figure();
    void fill_path() { draw_path(true, false); }
    void stroke_path() { draw_path(false, true); }
    void stroke_and_fill_path() { draw_path(true, true); }
    void select_clip_path(RegionMode mode);

    void move_to(QPointF point);
    void line_to(QPointF point);
    // From the current position on (the "To" records) or on their own.
    void polyline(const QPolygonF& points, bool from_position);
    void poly_bezier(const QPolygonF& points, bool from_position);
    // Filled with the brush and outlined with the pen.
    void shape(const QPainterPath& logical);
    void polygons(const std::vector<QPolygonF>& polygons);
    void rectangle(const QRectF& rect);
    void ellipse(const QRectF& rect);
    void round_rect(const QRectF& rect, QSizeF corner);
    enum class ArcKind { Arc, Chord, Pie };
    void arc(const QRectF& box, QPointF start, QPointF end, ArcKind kind);

    void text(const TextRun& run);
    // A bitmap's source rectangle drawn into a logical rectangle with a raster operation.
    void bitmap(const QRectF& destination, const QImage& image, const QRectF& source, std::uint32_t rop);
    // A raster operation with no source: the brush, black, white or the inverse.
    void pattern_fill(const QRectF& destination, std::uint32_t rop);

    void intersect_clip(const QRectF& logical);
    void exclude_clip(const QRectF& logical);
    // Rectangles in the reference device's pixels; no rectangles with Copy removes the clip.
    void device_clip(const std::vector<QRectF>& rects, RegionMode mode);

private:
    void select(const GdiObject& object);
    QPainterPath& start_figure(QPainterPath& own, QPointF start, bool from_position);
    void finish_figure(const QPainterPath& own, bool from_position);
    void draw_path(bool fill, bool stroke);
    void draw(const QPainterPath& logical, bool fill, bool stroke);
    void apply_clip();
    void draw_text_at(const TextRun& run, const QFont& font, QPointF origin, double angle, double hscale);
    void combine_clip(const QPainterPath& picture_path, RegionMode mode);
    QPen picture_pen() const;
    QBrush picture_brush() const;

    QPainter& m_painter;
    QTransform m_device_to_picture;
    QPointF m_px_per_mm;
    MetafileDc m_dc;
    std::vector<MetafileDc> m_saved;
    std::size_t m_object_slots;
    std::map<std::size_t, GdiObject> m_objects;
    QPainterPath m_path;
    bool m_path_open { false };
};

}
