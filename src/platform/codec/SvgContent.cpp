#include "platform/codec/SvgContent.h"
#include "platform/codec/PictureLimits.h"

#include <QHash>
#include <QXmlStreamReader>

#include <vector>

namespace platform {

namespace {

// An element being read, with the elements under it so far.
struct OpenElement {
    QString id;
    qint64 elements { 1 };
    bool holds_use { false };
};

struct Subtree {
    qint64 elements { 0 };
    bool holds_use { false };
};

// Only a reference inside the file itself is followed: "#id" or data written into the file.
bool reference_inside(QStringView href) { return href.isEmpty() || href.startsWith(u'#') || href.startsWith(u"data:"); }

// "href" or "xlink:href".
QStringView href_of(const QXmlStreamAttributes& attributes)
{
    for (const QXmlStreamAttribute& attribute : attributes) {
        if (attribute.name() == u"href")
            return attribute.value().trimmed();
    }
    return {};
}

bool references_outside(const QXmlStreamAttributes& attributes)
{
    if (!reference_inside(href_of(attributes)))
        return true;
    for (const QXmlStreamAttribute& attribute : attributes) {
        if (attribute.value().contains(u"url(") && !attribute.value().contains(u"url(#"))
            return true;
    }
    return false;
}

// Reads the elements, each `use` noted with what it repeats, so that repeated parts count as
// often as they are drawn.
class SvgScan {
public:
    explicit SvgScan(const QByteArray& bytes) : m_reader(bytes) { }

    std::optional<SvgContent> read()
    {
        while (!m_reader.atEnd()) {
            switch (m_reader.readNext()) {
            case QXmlStreamReader::DTD:
                if (!m_reader.entityDeclarations().isEmpty())
                    return std::nullopt;
                break;
            case QXmlStreamReader::StartElement:
                if (!open_element())
                    return std::nullopt;
                break;
            case QXmlStreamReader::EndElement:
                close_element();
                break;
            case QXmlStreamReader::EntityReference:
                return std::nullopt;
            default:
                break;
            }
        }
        if (m_reader.hasError() || m_elements == 0 || !affordable())
            return std::nullopt;
        return m_content;
    }

private:
    bool open_element()
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        if (m_elements == 0) {
            if (m_reader.name() != u"svg")
                return false;
            m_content = { attributes.value(QLatin1StringView("width")).toString(), attributes.value(QLatin1StringView("height")).toString(),
                          attributes.value(QLatin1StringView("viewBox")).toString() };
        }
        if (++m_elements > MaxDrawingElements || references_outside(attributes))
            return false;
        const bool use = m_reader.name() == u"use";
        if (use)
            m_repeated.push_back(href_of(attributes).mid(1).toString());
        m_open.push_back({ attributes.value(QLatin1StringView("id")).toString(), 1, use });
        return true;
    }

    void close_element()
    {
        const OpenElement closed = m_open.back();
        m_open.pop_back();
        if (!closed.id.isEmpty())
            m_subtrees.insert(closed.id, { closed.elements, closed.holds_use });
        if (!m_open.empty()) {
            m_open.back().elements += closed.elements;
            m_open.back().holds_use = m_open.back().holds_use || closed.holds_use;
        }
    }

    // A `use` of a part holding another `use` could multiply without end: refused.
    bool affordable() const
    {
        qint64 drawn = m_elements;
        for (const QString& id : m_repeated) {
            const Subtree part = m_subtrees.value(id);
            if (part.holds_use)
                return false;
            drawn += part.elements;
        }
        return drawn <= MaxDrawingElements;
    }

    QXmlStreamReader m_reader;
    SvgContent m_content;
    qint64 m_elements { 0 };
    std::vector<OpenElement> m_open;
    std::vector<QString> m_repeated;
    QHash<QString, Subtree> m_subtrees;
};

}

std::optional<SvgContent> read_svg_content(const QByteArray& bytes)
{
    if (bytes.size() > MaxDrawingFileBytes)
        return std::nullopt;
    return SvgScan(bytes).read();
}

}
